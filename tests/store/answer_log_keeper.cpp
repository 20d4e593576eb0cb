// Keeps answers as the program does, for tests that kill it or starve it of
// disk: answer_log_keeper FOLDER MODE [delete]
//   stream    keeps answers one after the other, never waiting for the disk,
//             and prints "written N" as each one is written, until killed
//   full      keeps 5 answers, then lets no file take a byte more and keeps 20
//             more; prints "written W lost L" and the problem, and ends
//   nodriver  the same as full, on a system without Qt SQL's SQLite driver
#include "ResultsTesting.h"
#include "SqliteAnswerLog.h"

#include <QCoreApplication>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

void say(const QByteArray &line)
{
    std::puts(line.constData());
    std::fflush(stdout);
}

KeptAnswer answer(int i)
{
    return ResultsTesting::answer(QStringLiteral("bimbo-1"), i);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString mode = args.at(2);
    if (mode == QLatin1String("nodriver"))
        QCoreApplication::setLibraryPaths({});
    const QByteArray type =
        args.value(3) == QLatin1String("delete") ? ResultsTesting::nfs : ResultsTesting::ext4;
    SqliteAnswerLog log(args.at(1), QStringLiteral("pc-ucciso"),
                        [=](const QString &) { return type; });
    if (mode == QLatin1String("stream")) {
        log.onWritten([](qint64 written) { say("written " + QByteArray::number(written)); });
        for (int i = 0;; ++i) {
            log.keep(answer(i));
            QThread::usleep(200);
        }
    }
    for (int i = 0; i < 5; ++i)
        log.keep(answer(i));
    log.flush();
    if (mode == QLatin1String("full")) {
        // From now on every write fails as on a full disk.
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit = {1, 1};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    for (int i = 5; i < 25; ++i)
        log.keep(answer(i));
    log.flush();
    say("written " + QByteArray::number(log.written()) + " lost " + QByteArray::number(log.lost()));
    say(log.problem().toUtf8());
    return 0;
}
