#include "ResultsCsv.h"
#include "ResultsFiles.h"
#include "ResultsFolder.h"
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

const QDateTime start(QDate(2026, 12, 9), QTime(10, 31, 5), Qt::OffsetFromUTC, 3600);

// The answer given `second` seconds after the start, its fields varied by it.
KeptAnswer answerAt(int second, const QString &computer)
{
    KeptAnswer kept = answer(QStringLiteral("bimbo-%1").arg(second % 3),
                             second % 2 ? QStringLiteral("MARTEDÌ") : QStringLiteral("LUGLIO"),
                             start.addSecs(second));
    kept.computer = computer;
    kept.language = second % 4 ? QStringLiteral("it") : QStringLiteral("en");
    kept.route = second % 5 ? QStringLiteral("tocco") : QStringLiteral("tastiera");
    kept.seconds = second / 10.0;
    return kept;
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Semicolon-separated values as Calc reads them: quoted fields may hold
// ';', '"' (doubled) and line ends; out of quotes CR, LF or both end a row.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            row.append(field);
            field.clear();
        } else if (c == u'\r' || c == u'\n') {
            // A line end out of quotes ends the row, whichever it is.
            row.append(field);
            rows.append(row);
            row.clear();
            field.clear();
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !row.isEmpty())
        rows.append(row << field);
    return rows;
}

const QString childA = QStringLiteral("0f8c1f7e-5a1d-4b2e-9c3f-a1b2c3d4e5f6");
const QString childB = QStringLiteral("7d9e0a11-2b3c-4d5e-8f60-718293a4b5c6");

KeptAnswer answerOfA(int n)
{
    KeptAnswer kept = answer(childA, QStringLiteral("SEGRETO-DI-A-%1").arg(n));
    kept.asked = QStringLiteral("CHIESTO-SOLO-AD-A");
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
    void localTimeComesBack_data();
    void localTimeComesBack();
    void readsWhileTheWriterRuns();
    void readsAfterAWriterDiedMidTransaction();
    void unreadableFileIsNamed();
    void removeChild_data();
    void removeChild();
    void removeChildNamesWhatItCouldNotClean();
    void exportRoundTrip();
    void exportFails_data();
    void exportFails();
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
    QTest::newRow("two computers, interleaved")
        << QList<int>{0, 2, 4, 6} << QList<int>{1, 3, 5} << false;
    QTest::newRow("a clock set back on one computer")
        << QList<int>{10, 11, 5, 12} << QList<int>{6, 13} << false;
    QTest::newRow("one computer") << QList<int>{3, 1, 2} << QList<int>{} << false;
    QTest::newRow("beside set-aside and stray files") << QList<int>{0, 2} << QList<int>{1} << true;
}

void TestResultsFolder::merge()
{
    QFETCH(QList<int>, pc1);
    QFETCH(QList<int>, pc2);
    QFETCH(bool, strays);
    QTemporaryDir folder;
    QList<KeptAnswer> expected;
    for (const auto &[host, seconds] :
         {std::pair{QStringLiteral("pc1"), pc1}, std::pair{QStringLiteral("pc2"), pc2}}) {
        QList<KeptAnswer> answers;
        for (int second : seconds)
            answers.append(answerAt(second, host));
        if (!answers.isEmpty())
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

void TestResultsFolder::localTimeComesBack_data()
{
    QTest::addColumn<QDateTime>("when");
    const QDate day(2026, 3, 29);
    const QTime time(10, 31, 5, 250);
    QTest::newRow("winter in Rome") << QDateTime(day, time, Qt::OffsetFromUTC, 3600);
    QTest::newRow("summer in Rome") << QDateTime(day, time, Qt::OffsetFromUTC, 7200);
    QTest::newRow("UTC") << QDateTime(day, time, Qt::UTC);
    QTest::newRow("west of Greenwich") << QDateTime(day, time, Qt::OffsetFromUTC, -18000);
    QTest::newRow("this computer's time") << QDateTime(day, time);
    QTest::newRow("before 1970") << QDateTime(QDate(1969, 7, 20), time, Qt::OffsetFromUTC, 3600);
}

void TestResultsFolder::localTimeComesBack()
{
    QFETCH(QDateTime, when);
    QTemporaryDir folder;
    fill(folder.path(), QStringLiteral("pc1"), {answer(childA, QStringLiteral("MAGGIO"), when)});
    const QList<KeptAnswer> read = ResultsFolder::readAll(folder.path());
    QCOMPARE(read.size(), 1);
    // The clock the child saw, to the millisecond, wherever it is read.
    const QString wallClock = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
    QCOMPARE(read.first().when.toString(wallClock), when.toString(wallClock));
    QCOMPARE(read.first().when.offsetFromUtc(), when.offsetFromUtc());
    QCOMPARE(read.first().when, when);
}

void TestResultsFolder::readsWhileTheWriterRuns()
{
    QTemporaryDir folder;
    SqliteAnswerLog log(folder.path(), QStringLiteral("pc1"), [](const QString &) { return ext4; });
    for (int i = 0; i < 3; ++i)
        log.keep(answer(childA, QString::number(i)));
    QVERIFY(log.flush());
    // Still in the write-ahead log, where only a reader that shares it sees them.
    QVERIFY(QFileInfo(log.path() + QStringLiteral("-wal")).size() > 0);
    QStringList problems;
    QCOMPARE(ResultsFolder::readAll(folder.path(), &problems).size(), 3);
    QCOMPARE(problems, QStringList());
    for (int i = 3; i < 5; ++i)
        log.keep(answer(childA, QString::number(i)));
    QVERIFY(log.flush(2000));
    QCOMPARE(log.written(), 5);
    QCOMPARE(ResultsFolder::readAll(folder.path()).size(), 5);
}

void TestResultsFolder::readsAfterAWriterDiedMidTransaction()
{
    QTemporaryDir writing;
    QTemporaryDir folder;
    QList<KeptAnswer> answers;
    for (int i = 0; i < 2000; ++i)
        answers.append(answer(childA, QString::number(i)));
    fill(writing.path(), QStringLiteral("pc1"), answers, QStringLiteral("delete"));
    const QString name = ResultsFiles::fileNameFor(QStringLiteral("pc1"));
    {
        // The files as a computer that died in the middle of a large
        // transaction leaves them: half-written pages in the file, and the
        // journal that undoes them.
        SqlConnection writer(writing.filePath(name), QString());
        QSqlQuery query(writer.db());
        QVERIFY(query.exec(QStringLiteral("PRAGMA cache_size=2")));
        QVERIFY(query.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(query.exec(QStringLiteral("UPDATE answers SET given = 'MEZZO SCRITTO'")));
        QFile journal(writing.filePath(name + QStringLiteral("-journal")));
        QVERIFY(journal.open(QIODevice::ReadOnly));
        // Its header is written only once it must be played back after a crash.
        QVERIFY(journal.read(8) != QByteArray(8, '\0'));
        for (const QString &suffix : {QString(), QStringLiteral("-journal")})
            QVERIFY(QFile::copy(writing.filePath(name + suffix), folder.filePath(name + suffix)));
        QVERIFY(query.exec(QStringLiteral("ROLLBACK")));
    }
    QStringList problems;
    const QList<KeptAnswer> read = ResultsFolder::readAll(folder.path(), &problems);
    QCOMPARE(problems, QStringList());
    QCOMPARE(read.size(), answers.size());
    for (int i = 0; i < read.size(); ++i)
        QCOMPARE(read.at(i).given, QString::number(i));
}

void TestResultsFolder::unreadableFileIsNamed()
{
    QTemporaryDir folder;
    fill(folder.path(), QStringLiteral("pc1"), {answer(childA, "1"), answer(childA, "2")});
    writeAll(folder.filePath(QStringLiteral("risultati-pc2.sqlite")), QByteArray(8192, '\x5A'));
    QStringList problems;
    QCOMPARE(ResultsFolder::readAll(folder.path(), &problems).size(), 2);
    QCOMPARE(problems.size(), 1);
    QVERIFY2(problems.first().contains(QStringLiteral("risultati-pc2.sqlite")),
             qPrintable(problems.first()));
}

void TestResultsFolder::removeChild_data()
{
    QTest::addColumn<bool>("writerOpen");
    QTest::addColumn<bool>("network");
    QTest::addColumn<bool>("setAsideCopy");
    QTest::newRow("WAL, its writer still open") << true << false << false;
    QTest::newRow("WAL, written and closed") << false << false << false;
    QTest::newRow("rollback journal") << false << true << false;
    QTest::newRow("rollback journal, its writer still open") << true << true << false;
    QTest::newRow("with a set-aside copy") << false << false << true;
}

void TestResultsFolder::removeChild()
{
    QFETCH(bool, writerOpen);
    QFETCH(bool, network);
    QFETCH(bool, setAsideCopy);
    QTemporaryDir folder;
    // Another computer's file, where the child played too.
    QList<KeptAnswer> other = {answer(childB, QStringLiteral("B-1")), answerOfA(100),
                               answer(childB, QStringLiteral("B-2"))};
    fill(folder.path(), QStringLiteral("pc2"), other, QStringLiteral("delete"));
    auto log = std::make_unique<SqliteAnswerLog>(
        folder.path(), QStringLiteral("pc1"),
        [network](const QString &) { return network ? nfs : ext4; });
    for (int i = 0; i < 30; ++i) {
        log->keep(answerOfA(i));
        log->keep(answer(childB, QStringLiteral("B-%1").arg(i + 10)));
    }
    QVERIFY(log->flush());
    QCOMPARE(log->written(), 60);
    if (!writerOpen)
        log.reset();
    if (setAsideCopy) {
        const QString pc1 = folder.filePath(QStringLiteral("risultati-pc1.sqlite"));
        QVERIFY(QFile::copy(pc1, folder.filePath("risultati-pc1.danneggiato-2026-12-01.sqlite")));
    }
    // Without these the test would prove nothing.
    QVERIFY(!filesHolding(folder.path(), childA).isEmpty());
    QVERIFY(!filesHolding(folder.path(), QStringLiteral("SEGRETO-DI-A")).isEmpty());

    QString error;
    QVERIFY2(ResultsFolder::removeChild(folder.path(), childA, &error), qPrintable(error));

    QCOMPARE(filesHolding(folder.path(), childA), QStringList());
    QCOMPARE(filesHolding(folder.path(), QStringLiteral("SEGRETO-DI-A")), QStringList());
    QCOMPARE(filesHolding(folder.path(), QStringLiteral("CHIESTO-SOLO-AD-A")), QStringList());
    // The other child's answers are all there still.
    const QList<KeptAnswer> left = ResultsFolder::readAll(folder.path());
    QCOMPARE(left.size(), 32);
    for (const KeptAnswer &kept : left)
        QCOMPARE(kept.child, childB);
    if (setAsideCopy) {
        QList<KeptAnswer> aside;
        QString problem;
        QVERIFY(ResultsFolder::readFile(ResultsFiles::setAsideFiles(folder.path()).first(), &aside,
                                        &problem));
        QCOMPARE(aside.size(), 30);
    }
    if (writerOpen) {
        log->keep(answer(childB, QStringLiteral("DOPO")));
        QVERIFY(log->flush());
        QCOMPARE(log->written(), 61);
        QCOMPARE(ResultsFolder::readAll(folder.path()).size(), 33);
    }
}

void TestResultsFolder::removeChildNamesWhatItCouldNotClean()
{
    QTemporaryDir folder;
    fill(folder.path(), QStringLiteral("pc1"), {answerOfA(1), answer(childB, "B")});
    fill(folder.path(), QStringLiteral("pc3"), {answerOfA(3)}, QStringLiteral("delete"));
    const QString pc3 = folder.filePath(QStringLiteral("risultati-pc3.sqlite"));
    QFile newer(pc3);
    QVERIFY(newer.open(QIODevice::ReadWrite));
    QVERIFY(newer.seek(63));
    QVERIFY(newer.putChar(2));
    newer.close();
    const QString damaged = QStringLiteral("risultati-pc2.danneggiato-2026-12-01.sqlite");
    writeAll(folder.filePath(damaged), QByteArray(4096, '\x5A'));
    const QByteArray pc3Before =
        bytesOf(folder.path()).value(QStringLiteral("risultati-pc3.sqlite"));

    QString error;
    QVERIFY(!ResultsFolder::removeChild(folder.path(), childA, &error));
    QVERIFY2(error.contains(damaged) && error.contains(QStringLiteral("risultati-pc3.sqlite")) &&
                 !error.contains(QStringLiteral("risultati-pc1.sqlite")),
             qPrintable(error));
    QCOMPARE(filesHolding(folder.path(), QStringLiteral("SEGRETO-DI-A")),
             QStringList{QStringLiteral("risultati-pc3.sqlite")});
    QCOMPARE(bytesOf(folder.path()).value(QStringLiteral("risultati-pc3.sqlite")), pc3Before);
}

void TestResultsFolder::exportRoundTrip()
{
    QTemporaryDir folder;
    const QString niccolo = QStringLiteral("5b0b4f3e-0000-4000-8000-000000000001");
    const QString anna = QStringLiteral("5b0b4f3e-0000-4000-8000-000000000002");
    const QString unknown = QStringLiteral("5b0b4f3e-0000-4000-8000-000000000003");
    // Answers of both computers, each with something of its own to survive
    // the trip: a quote, line ends, a date asked, English names.
    QList<KeptAnswer> pc1 = {answer(niccolo, QStringLiteral("LUGLIO\nAGOSTO"), start),
                             answer(anna, QStringLiteral("GIU\"GNO"), start.addSecs(2))};
    pc1[1].seconds = 12;
    KeptAnswer calendar = answer(unknown, QStringLiteral("2001-03-06\r"), start.addSecs(1));
    calendar.exercise = QStringLiteral("Usa il calendario");
    calendar.asked = QStringLiteral("2001-03-05");
    calendar.seconds = 125.7;
    KeptAnswer english = answer(anna, QStringLiteral("JULY"), start.addSecs(3));
    english.language = QStringLiteral("en");
    english.asked = QStringLiteral("JULY");
    english.right = true;
    english.seconds = 0.1;
    for (KeptAnswer &kept : pc1)
        kept.computer = QStringLiteral("pc1");
    calendar.computer = english.computer = QStringLiteral("pc2");
    fill(folder.path(), QStringLiteral("pc1"), pc1);
    fill(folder.path(), QStringLiteral("pc2"), {calendar, english}, QStringLiteral("delete"));
    const QList<KeptAnswer> expected = {pc1[0], calendar, pc1[1], english};
    const QHash<QString, QString> names = {{niccolo, QStringLiteral("Niccolò")},
                                           {anna, QStringLiteral("Rossi; Anna")}};

    const QString csv = folder.filePath(QStringLiteral("esportati.csv"));
    QString error;
    QVERIFY2(ResultsCsv::exportFolder(folder.path(), csv, names, &error), qPrintable(error));
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.contains("Niccol\xC3\xB2"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(rows.size(), expected.size() + 1);
    QCOMPARE(rows.first(), QString("data e ora;bambino;computer;esercizio;lingua;chiesto;dato;"
                                   "esatto;modo;secondi")
                               .split(u';'));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int i = 0; i < expected.size(); ++i) {
        const QStringList &row = rows.at(i + 1);
        const KeptAnswer &kept = expected.at(i);
        QCOMPARE(row.size(), 10);
        QCOMPARE(row.at(0), kept.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        QCOMPARE(row.at(1), names.value(kept.child, kept.child));
        QCOMPARE(row.at(2), kept.computer);
        QCOMPARE(row.at(3), kept.exercise);
        QCOMPARE(row.at(4), kept.language);
        QCOMPARE(row.at(5), kept.asked);
        QCOMPARE(row.at(6), kept.given);
        QCOMPARE(row.at(7), kept.right ? QStringLiteral("sì") : QStringLiteral("no"));
        QCOMPARE(row.at(8), kept.route);
        // A number to Calc and Excel under an Italian locale.
        bool number = false;
        QCOMPARE(italian.toDouble(row.at(9), &number), kept.seconds);
        QVERIFY2(number, qPrintable(row.at(9)));
    }
}

void TestResultsFolder::exportFails_data()
{
    QTest::addColumn<QString>("results");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<bool>("damaged");
    QTest::addColumn<QString>("named");
    QTest::newRow("no results folder") << "manca"
                                       << "esportati.csv" << false << "manca";
    QTest::newRow("no folder for the file") << ""
                                            << "manca/esportati.csv" << false << "manca";
    QTest::newRow("a folder in the way") << ""
                                         << "cartella" << false << "cartella";
    QTest::newRow("a damaged computer's file") << ""
                                               << "esportati.csv" << true << "risultati-pc2.sqlite";
}

void TestResultsFolder::exportFails()
{
    QFETCH(QString, results);
    QFETCH(QString, csv);
    QFETCH(bool, damaged);
    QFETCH(QString, named);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("cartella")));
    fill(folder.path(), QStringLiteral("pc1"), {answer(childA, QStringLiteral("LUGLIO"))});
    if (damaged)
        writeAll(folder.filePath(QStringLiteral("risultati-pc2.sqlite")), "not a database");
    QString error;
    QVERIFY(!ResultsCsv::exportFolder(folder.filePath(results), folder.filePath(csv), {}, &error));
    QVERIFY2(error.contains(named), qPrintable(error));
    QVERIFY(!QFileInfo(folder.filePath(csv)).isFile());
}

QTEST_GUILESS_MAIN(TestResultsFolder)
#include "tst_results_folder.moc"
