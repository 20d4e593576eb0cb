// What keeping a class's answers costs: keep() on the caller's thread, the
// time until an answer is committed, and reading and exporting a whole
// class. Built on demand: cmake --build build --target bench_results, then
//   build/tests/bench_results [folder]     (default: a temporary folder)
#include "AnswerInsert.h"
#include "ResultsCsv.h"
#include "ResultsFolder.h"
#include "ResultsTesting.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ctime>
#include <vector>

#include <dlfcn.h>
#include <unistd.h>

namespace {

qint64 now()
{
    timespec t = {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// When SQLite last handed bytes to the system: from then on a killed
// program loses nothing of them.
std::atomic<qint64> lastWrite{0};

} // namespace

// SQLite writes its files with pwrite64(); this bench stands in front of it
// (it is built with its symbols exported) to see when each write returns.
extern "C" ssize_t pwrite64(int fd, const void *bytes, size_t count, off64_t offset)
{
    using Pwrite = ssize_t (*)(int, const void *, size_t, off64_t);
    static const auto real = reinterpret_cast<Pwrite>(dlsym(RTLD_NEXT, "pwrite64"));
    const ssize_t written = real(fd, bytes, count, offset);
    lastWrite.store(now(), std::memory_order_relaxed);
    return written;
}

namespace {

struct Spread
{
    double median, p95, max;
};

Spread spread(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const auto at = [&](double q) { return values[std::size_t(q * double(values.size() - 1))]; };
    return {at(0.5), at(0.95), values.back()};
}

void print(const char *what, const Spread &s, const char *unit)
{
    std::printf("%-42s median %9.1f  p95 %9.1f  max %9.1f %s\n", what, s.median, s.p95, s.max,
                unit);
}

// Answers kept one at a time, as a quick child gives them.
void keeping(const QString &folder)
{
    constexpr int answers = 200;
    std::vector<qint64> keptAt(answers), inSystemAt(answers), writtenAt(answers);
    std::vector<double> keepUs, inSystemUs, committedUs;
    SqliteAnswerLog log(folder, QStringLiteral("banco"));
    log.flush();
    // The last write of a commit in WAL mode is its frames; the sync follows.
    log.onWritten([&](qint64 written) {
        writtenAt[std::size_t(written - 1)] = now();
        inSystemAt[std::size_t(written - 1)] = lastWrite.load(std::memory_order_relaxed);
    });
    for (int i = 0; i < answers; ++i) {
        const KeptAnswer kept =
            ResultsTesting::answer(QStringLiteral("bimbo-1"), QString::number(i));
        const qint64 before = now();
        log.keep(kept);
        const qint64 after = now();
        keptAt[std::size_t(i)] = before;
        keepUs.push_back(double(after - before) / 1000);
        // Faster than any child: a tap takes longer than this.
        QThread::msleep(20);
    }
    log.flush();
    for (std::size_t i = 0; i < std::size_t(answers); ++i) {
        inSystemUs.push_back(double(inSystemAt[i] - keptAt[i]) / 1000);
        committedUs.push_back(double(writtenAt[i] - keptAt[i]) / 1000);
    }
    std::printf("%d answers, journal %s, %s\n", answers, qPrintable(log.journalMode()),
                qPrintable(log.problem().isEmpty() ? QStringLiteral("no problem") : log.problem()));
    print("keep() on the caller's thread", spread(keepUs), "us");
    print("keep() to written to the system (kill -9)", spread(inSystemUs), "us");
    print("keep() to committed, synced (power cut)", spread(committedUs), "us");
}

// A class: 25 children, 10,000 answers each, over three computers.
void aClass(const QString &folder)
{
    constexpr int children = 25;
    constexpr int each = 10000;
    const QStringList hosts = {QStringLiteral("pc1"), QStringLiteral("pc2"), QStringLiteral("pc3")};
    const QDateTime start = QDateTime::currentDateTime().addDays(-200);
    for (int h = 0; h < hosts.size(); ++h) {
        QString path;
        {
            SqliteAnswerLog log(folder, hosts.at(h));
            log.flush();
            path = log.path();
        }
        SqlConnection connection(path, QString());
        connection.db().transaction();
        AnswerInsert insert(connection.db());
        for (int n = h; n < children * each; n += int(hosts.size())) {
            KeptAnswer kept =
                ResultsTesting::answer(QStringLiteral("5b0b4f3e-0000-4000-8000-%1")
                                           .arg(n % children, 12, 10, QLatin1Char('0')),
                                       QStringLiteral("GIUGNO"), start.addSecs(n * 7));
            kept.computer = hosts.at(h);
            insert.insert(kept);
        }
        connection.db().commit();
    }
    qint64 bytes = 0;
    for (const QString &file : QDir(folder).entryList({QStringLiteral("risultati-*")}, QDir::Files))
        bytes += QFileInfo(QDir(folder).filePath(file)).size();
    std::printf("%d answers in %lld files, %.1f MB\n", children * each, qlonglong(hosts.size()),
                double(bytes) / 1e6);

    std::vector<double> readMs, exportMs;
    qsizetype read = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        read = ResultsFolder::readAll(folder).size();
        readMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    const QString csv = QDir(folder).filePath(QStringLiteral("esportati.csv"));
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        QString error;
        ResultsCsv::exportFolder(folder, csv, {}, &error);
        exportMs.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::printf("read back: %lld answers\n", qlonglong(read));
    print("reading every file, merged (5 runs)", spread(readMs), "ms");
    print("exporting the CSV (3 runs)", spread(exportMs), "ms");
    std::printf("CSV: %.1f MB\n", double(QFileInfo(csv).size()) / 1e6);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString base = app.arguments().value(1, QDir::tempPath());
    QTemporaryDir keep(QDir(base).filePath(QStringLiteral("bench-risultati-XXXXXX")));
    QTemporaryDir read(QDir(base).filePath(QStringLiteral("bench-classe-XXXXXX")));
    keeping(keep.path());
    aClass(read.path());
    return 0;
}
