// What the first answer would wait for if the program had not loaded the
// results module beforehand: the module with Qt SQL, and the log's start
// (the file itself is opened on the log's own thread). A program that links
// Qt Core only, as the program's loader does. Built on demand:
//   cmake --build build --target bench_results_load && build/tests/bench_results_load
#include "LazyAnswerLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QElapsedTimer timer;
    timer.start();
    LazyAnswerLog log(folder.path(), QStringLiteral("banco"),
                      QStringLiteral(TEMPIOLO_RESULTS_MODULE));
    const bool loaded = log.load();
    const double loadMs = double(timer.nsecsElapsed()) / 1e6;
    KeptAnswer answer;
    answer.child = QStringLiteral("bimbo-1");
    timer.restart();
    log.keep(answer);
    const double keepMs = double(timer.nsecsElapsed()) / 1e6;
    std::printf("loading the module and starting the log: %.2f ms%s\n", loadMs,
                loaded ? "" : " (not loaded)");
    std::printf("then the first keep(): %.3f ms\n", keepMs);
    return loaded ? 0 : 1;
}
