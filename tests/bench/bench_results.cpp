// What keeping a class's answers costs: keep() on the caller's thread, the
// time until an answer is written to the system and until it is synced, and
// reading and exporting a whole class. Built on demand:
//   cmake --build build --target bench_results && build/tests/bench_results [folder]
#include "ResultsCsv.h"
#include "ResultsFolder.h"
#include "ResultsTesting.h"
#include "SqliteAnswerLog.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <vector>

#include <dlfcn.h>

namespace {

// Microseconds.
double now()
{
    return std::chrono::duration<double, std::micro>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// When SQLite last handed bytes to the system: from then on a killed
// program loses nothing of them.
std::atomic<double> lastWrite{0};

// The median, the 95th percentile and the largest.
void print(const char *what, std::vector<double> values, const char *unit)
{
    std::sort(values.begin(), values.end());
    std::printf("%-42s median %9.1f  p95 %9.1f  max %9.1f %s\n", what, values[values.size() / 2],
                values[(values.size() - 1) * 95 / 100], values.back(), unit);
}

} // namespace

// SQLite writes its files with pwrite64(); this bench stands in front of it
// (it is built with its symbols exported) to see when each write returns.
extern "C" ssize_t pwrite64(int fd, const void *bytes, size_t count, off64_t offset)
{
    using Pwrite = ssize_t (*)(int, const void *, size_t, off64_t);
    static const auto real = reinterpret_cast<Pwrite>(dlsym(RTLD_NEXT, "pwrite64"));
    const ssize_t written = real(fd, bytes, count, offset);
    lastWrite = now();
    return written;
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QTemporaryDir folder(QDir(app.arguments().value(1, QDir::tempPath()))
                                   .filePath(QStringLiteral("bench-risultati-XXXXXX")));

    // 200 answers kept one at a time, one every 20 ms: quicker than any child.
    constexpr std::size_t count = 200;
    std::vector<double> keptAt(count), keep(count), inSystem(count), synced(count);
    {
        SqliteAnswerLog log(folder.path(), QStringLiteral("banco"));
        log.flush();
        // A commit's last write in WAL mode is its frames; the sync follows.
        log.onWritten([&](qint64 written) {
            const std::size_t i = std::size_t(written - 1);
            inSystem[i] = lastWrite - keptAt[i];
            synced[i] = now() - keptAt[i];
        });
        for (std::size_t i = 0; i < count; ++i) {
            const KeptAnswer kept = ResultsTesting::answer("bimbo-1", int(i % 12) + 1);
            keptAt[i] = now();
            log.keep(kept);
            keep[i] = now() - keptAt[i];
            QThread::msleep(20);
        }
        log.flush();
        std::printf("%zu answers, journal %s %s\n", count, qPrintable(log.journalMode()),
                    qPrintable(log.problem()));
    }
    print("keep() on the caller's thread", keep, "us");
    print("keep() to written to the system (kill -9)", inSystem, "us");
    print("keep() to committed, synced (power cut)", synced, "us");

    // A class: 25 children, 10,000 answers each, over three computers.
    const QString classFolder = folder.filePath(QStringLiteral("classe"));
    const QDateTime start = QDateTime::currentDateTime().addDays(-200);
    for (int h = 0; h < 3; ++h) {
        QList<KeptAnswer> answers;
        for (int n = h; n < 25 * 10000; n += 3)
            answers.append(ResultsTesting::answer(
                QStringLiteral("5b0b4f3e-0000-4000-8000-%1").arg(n % 25, 12, 10, QLatin1Char('0')),
                6, start.addSecs(n * 7)));
        ResultsTesting::fill(classFolder, QStringLiteral("pc%1").arg(h + 1), answers);
    }
    std::vector<double> readMs, exportMs;
    const QString csv = folder.filePath(QStringLiteral("esportati.csv"));
    qsizetype read = 0;
    for (int run = 0; run < 5; ++run) {
        const double before = now();
        read = ResultsFolder::readAll(classFolder).size();
        const double between = now();
        QString error;
        ResultsCsv::exportFolder(classFolder, csv, {}, &error);
        readMs.push_back((between - before) / 1000);
        exportMs.push_back((now() - between) / 1000);
    }
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(classFolder).entryInfoList(QDir::Files))
        bytes += file.size();
    std::printf("%lld answers read from %.1f MB, exported as %.1f MB of CSV\n", qlonglong(read),
                double(bytes) / 1e6, double(QFileInfo(csv).size()) / 1e6);
    print("reading every file, merged (5 runs)", readMs, "ms");
    print("exporting the CSV (5 runs)", exportMs, "ms");
    return 0;
}
