// Keeps answers as the program does, for tests that kill it or starve it of
// disk: answer_log_keeper FOLDER MODE [delete]
//   one     keeps one answer, prints "kept" once it is written, then waits
//   stream  keeps answers one after the other, never waiting for the disk,
//           and prints "written N" as each one is written
//   full    keeps 5 answers, then lets no file take a byte more and keeps 20 more;
//           prints "written W lost L" and the problem, and ends
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
    std::fputs(line.constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// From now on no file takes a byte more: every write fails as on a full disk.
void fillTheDisk()
{
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit = {1, 1};
    setrlimit(RLIMIT_FSIZE, &limit);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    const QString folder = args.at(1);
    const QString mode = args.at(2);
    if (mode == QLatin1String("nodriver"))
        QCoreApplication::setLibraryPaths({});
    const quint32 type =
        args.value(3) == QLatin1String("delete") ? ResultsTesting::nfs : ResultsTesting::ext4;
    SqliteAnswerLog log(folder, QStringLiteral("pc-ucciso"), [=](const QString &) { return type; });
    log.flush();
    if (mode == QLatin1String("one")) {
        log.onWritten([](qint64) { say("kept"); });
        log.keep(ResultsTesting::answer(QStringLiteral("bimbo-1"), QStringLiteral("SOLO-PRIMA")));
    } else if (mode == QLatin1String("stream")) {
        log.onWritten([](qint64 written) { say("written " + QByteArray::number(written)); });
        for (int i = 0;; ++i) {
            log.keep(ResultsTesting::answer(QStringLiteral("bimbo-1"), QString::number(i)));
            QThread::usleep(200);
        }
    } else if (mode == QLatin1String("full") || mode == QLatin1String("nodriver")) {
        for (int i = 0; i < 5; ++i)
            log.keep(ResultsTesting::answer(QStringLiteral("bimbo-1"), QString::number(i)));
        log.flush();
        if (mode == QLatin1String("full"))
            fillTheDisk();
        for (int i = 5; i < 25; ++i)
            log.keep(ResultsTesting::answer(QStringLiteral("bimbo-1"), QString::number(i)));
        log.flush();
        say("written " + QByteArray::number(log.written()) + " lost " +
            QByteArray::number(log.lost()));
        say(log.problem().toUtf8());
        return 0;
    }
    for (;;)
        QThread::sleep(1);
}
