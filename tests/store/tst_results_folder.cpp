#include "ResultsFiles.h"
#include "ResultsFolder.h"
#include "ResultsSchema.h"
#include "ResultsTesting.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace ResultsTesting;

namespace {

const QDateTime start(QDate(2026, 12, 9), QTime(10, 31, 5, 250), Qt::OffsetFromUTC, 3600);
const QString childA = QStringLiteral("0f8c1f7e-5a1d-4b2e-9c3f-a1b2c3d4e5f6");
const QString childB = QStringLiteral("7d9e0a11-2b3c-4d5e-8f60-718293a4b5c6");

// The answer given `second` seconds after the start, its fields varied by it,
// on a clock with one of three offsets from UTC.
KeptAnswer answerAt(int second, const QString &computer)
{
    const int offsets[] = {3600, 7200, -18000};
    KeptAnswer kept = answer(QStringLiteral("bimbo-%1").arg(second % 3), 7,
                             start.addSecs(second).toOffsetFromUtc(offsets[second % 3]));
    if (second % 2) {
        // MARTEDÌ put on GIOVEDÌ's place, in a round of its own.
        kept.items = Items::Days;
        kept.asked = 2;
        kept.given = 4;
        kept.right = false;
        kept.round = QUuid::createUuid();
    }
    kept.computer = computer;
    kept.language = second % 4 ? QStringLiteral("it") : QStringLiteral("en");
    kept.route = second % 5 ? QStringLiteral("tocco") : QStringLiteral("tastiera");
    kept.seconds = second / 10.0;
    return kept;
}

// An answer of child A, with an identity and a round found nowhere else.
KeptAnswer answerOfA(int n)
{
    KeptAnswer kept = answer(childA, 6);
    kept.id = QUuid(QStringLiteral("aaaaaaaa-0000-4000-8000-%1").arg(n, 12, 10, QLatin1Char('0')));
    kept.round = QUuid(QStringLiteral("aaaaaaaa-1111-4000-8000-000000000001"));
    return kept;
}

} // namespace

class TestResultsFolder : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void merge_data();
    void merge();
    void readsAfterAWriterDiedMidTransaction();
    void removeChild_data();
    void removeChild();
    void removeChildNamesWhatItCouldNotClean();
};

void TestResultsFolder::init()
{
    QTest::failOnWarning(QRegularExpression(QStringLiteral("still in use")));
}

void TestResultsFolder::merge_data()
{
    QTest::addColumn<QList<int>>("pc1");
    QTest::addColumn<QList<int>>("pc2");
    QTest::addColumn<bool>("strays");
    // Answers of a file pc1 set aside as damaged before it began anew.
    QTest::addColumn<QList<int>>("aside");
    QTest::newRow("interleaved, one clock set back")
        << QList<int>{0, 2, 10, 11, 5, 12} << QList<int>{1, 3, 6, 13} << false << QList<int>{};
    QTest::newRow("beside set-aside and stray files")
        << QList<int>{0, 2} << QList<int>{1} << true << QList<int>{};
    QTest::newRow("with a file set aside")
        << QList<int>{20, 22} << QList<int>{21} << false << QList<int>{0, 1, 2};
}

void TestResultsFolder::merge()
{
    QFETCH(QList<int>, pc1);
    QFETCH(QList<int>, pc2);
    QFETCH(bool, strays);
    QFETCH(QList<int>, aside);
    QTemporaryDir folder;
    QList<KeptAnswer> expected;
    if (!aside.isEmpty()) {
        QList<KeptAnswer> answers;
        for (int second : aside)
            answers.append(answerAt(second, QStringLiteral("pc1")));
        fill(folder.path(), QStringLiteral("pc1"), answers);
        QVERIFY(QFile::rename(folder.filePath("risultati-pc1.sqlite"),
                              folder.filePath("risultati-pc1.danneggiato-2026-12-01.sqlite")));
        expected += answers;
    }
    for (const auto &[host, seconds] :
         {std::pair{QStringLiteral("pc1"), pc1}, std::pair{QStringLiteral("pc2"), pc2}}) {
        QList<KeptAnswer> answers;
        for (int second : seconds)
            answers.append(answerAt(second, host));
        fill(folder.path(), host, answers, host == QLatin1String("pc1") ? "wal" : "delete");
        expected += answers;
    }
    if (strays) {
        // Answers that must not be read twice, nor read from a damaged file.
        const QString pc1 = folder.filePath(QStringLiteral("risultati-pc1.sqlite"));
        QVERIFY(QFile::copy(pc1, folder.filePath("risultati-pc1.danneggiato-2026-12-01.sqlite")));
        QVERIFY(QFile::copy(pc1, folder.filePath("risultati-pc1.sqlite.bak")));
        QVERIFY(QFile::copy(pc1, folder.filePath("copia di risultati-pc1.sqlite")));
        writeAll(folder.filePath("risultati-pc3.sqlite"), QByteArray());
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const KeptAnswer &a, const KeptAnswer &b) { return a.when < b.when; });

    QStringList problems;
    const QList<KeptAnswer> read = ResultsFolder::readAll(folder.path(), &problems);
    QCOMPARE(problems, QStringList());
    QCOMPARE(read.size(), expected.size());
    for (int i = 0; i < read.size(); ++i)
        QCOMPARE(fieldsOf(read.at(i)), fieldsOf(expected.at(i)));
}

void TestResultsFolder::readsAfterAWriterDiedMidTransaction()
{
    QTemporaryDir writing;
    QTemporaryDir folder;
    QList<KeptAnswer> answers;
    for (int i = 0; i < 2000; ++i)
        answers.append(answer(childA, i % 12 + 1));
    fill(writing.path(), "pc1", answers, "delete");
    const QString name = ResultsFiles::fileNameFor(QStringLiteral("pc1"));
    {
        // The files as a computer that died in the middle of a large
        // transaction leaves them: half-written pages in the file, and the
        // journal that undoes them.
        SqlConnection writer(writing.filePath(name), QString());
        QSqlQuery query(writer.db());
        QVERIFY(query.exec(QStringLiteral("PRAGMA cache_size=2")));
        QVERIFY(query.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(query.exec(QStringLiteral("UPDATE answers SET given = -1")));
        for (const QString &suffix : {QString(), QStringLiteral("-journal")})
            QVERIFY(QFile::copy(writing.filePath(name + suffix), folder.filePath(name + suffix)));
        QVERIFY(query.exec(QStringLiteral("ROLLBACK")));
    }
    QStringList problems;
    const QList<KeptAnswer> read = ResultsFolder::readAll(folder.path(), &problems);
    QCOMPARE(problems, QStringList());
    QCOMPARE(read.size(), answers.size());
    for (int i = 0; i < read.size(); ++i)
        QCOMPARE(read.at(i).given, i % 12 + 1);
}

void TestResultsFolder::removeChild_data()
{
    QTest::addColumn<bool>("writerOpen");
    QTest::addColumn<bool>("network");
    QTest::addColumn<bool>("setAsideCopy");
    QTest::newRow("WAL, its writer still open") << true << false << false;
    QTest::newRow("rollback journal, its writer still open") << true << true << false;
    QTest::newRow("WAL, closed, with a set-aside copy") << false << false << true;
}

void TestResultsFolder::removeChild()
{
    QFETCH(bool, writerOpen);
    QFETCH(bool, network);
    QFETCH(bool, setAsideCopy);
    QTemporaryDir folder;
    // Another computer's file, where the child played too.
    fill(folder.path(), "pc2", {answer(childB, 1), answerOfA(100), answer(childB, 2)}, "delete");
    auto log = std::make_unique<SqliteAnswerLog>(
        folder.path(), QStringLiteral("pc1"),
        [network](const QString &) { return network ? nfs : ext4; });
    for (int i = 0; i < 30; ++i) {
        log->keep(answerOfA(i));
        log->keep(answer(childB, i % 12 + 1));
    }
    QVERIFY(log->flush());
    if (!writerOpen)
        log.reset();
    if (setAsideCopy) {
        const QString pc1 = folder.filePath(QStringLiteral("risultati-pc1.sqlite"));
        QVERIFY(QFile::copy(pc1, folder.filePath("risultati-pc1.danneggiato-2026-12-01.sqlite")));
    }
    // Read while the writer runs, from its write-ahead log if it keeps one.
    QCOMPARE(ResultsFolder::readAll(folder.path()).size(), 63);
    const QStringList traces = {childA, QStringLiteral("aaaaaaaa-0000-4000-8000"),
                                QStringLiteral("aaaaaaaa-1111-4000-8000")};
    for (const QString &trace : traces)
        QVERIFY(!filesHolding(folder.path(), trace).isEmpty());

    QString error;
    QVERIFY2(ResultsFolder::removeChild(folder.path(), childA, &error), qPrintable(error));
    for (const QString &trace : traces)
        QCOMPARE(filesHolding(folder.path(), trace), QStringList());
    // The other child's answers are all there still.
    const QList<KeptAnswer> left = ResultsFolder::readAll(folder.path());
    QCOMPARE(left.size(), 32);
    for (const KeptAnswer &kept : left)
        QCOMPARE(kept.child, childB);
    if (setAsideCopy) {
        QList<KeptAnswer> aside;
        QVERIFY(ResultsFolder::readFile(ResultsFiles::setAsideFiles(folder.path()).first(), &aside,
                                        &error));
        QCOMPARE(aside.size(), 30);
    }
    if (writerOpen) {
        log->keep(answer(childB, 12));
        QVERIFY(log->flush());
        QCOMPARE(ResultsFolder::readAll(folder.path()).size(), 33);
    }
}

void TestResultsFolder::removeChildNamesWhatItCouldNotClean()
{
    QTemporaryDir folder;
    fill(folder.path(), "pc1", {answerOfA(1), answer(childB, 1)});
    fill(folder.path(), "pc3", {answerOfA(3)}, "delete");
    // pc3's file of a newer build, and a damaged file set aside.
    const QString pc3 = folder.filePath(QStringLiteral("risultati-pc3.sqlite"));
    QFile newer(pc3);
    QVERIFY(newer.open(QIODevice::ReadWrite) && newer.seek(63) &&
            newer.putChar(char(ResultsSchema::version + 1)));
    newer.close();
    const QString damaged = QStringLiteral("risultati-pc2.danneggiato-2026-12-01.sqlite");
    writeAll(folder.filePath(damaged), QByteArray(4096, '\x5A'));

    QString error;
    QVERIFY(!ResultsFolder::removeChild(folder.path(), childA, &error));
    QVERIFY2(error.contains(damaged) && error.contains(QStringLiteral("risultati-pc3.sqlite")) &&
                 !error.contains(QStringLiteral("risultati-pc1.sqlite")),
             qPrintable(error));
    QCOMPARE(filesHolding(folder.path(), QStringLiteral("aaaaaaaa-0000-4000-8000")),
             QStringList{"risultati-pc3.sqlite"});
}

QTEST_GUILESS_MAIN(TestResultsFolder)
#include "tst_results_folder.moc"
