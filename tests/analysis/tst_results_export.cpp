#include "ResultsCsv.h"
#include "ResultsTesting.h"
#include "SqlConnection.h"
#include "SqliteAnswerLog.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace ResultsTesting;

namespace {

const QDateTime start(QDate(2026, 12, 9), QTime(10, 31, 5, 250), Qt::OffsetFromUTC, 3600);

// Semicolon-separated values as Calc reads them: quoted fields may hold ';',
// '"' (doubled) and line ends; out of quotes CR LF ends a row.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> rows{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"' && quoted && text.mid(i + 1, 1) == u'"') {
            field += text.at(++i);
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (!quoted && c == u';') {
            rows.last() << std::exchange(field, QString());
        } else if (!quoted && text.mid(i, 2) == QLatin1String("\r\n")) {
            rows.last() << std::exchange(field, QString());
            if (++i + 1 < text.size())
                rows.append(QStringList());
        } else {
            field += c;
        }
    }
    return rows;
}

} // namespace

class TestResultsExport : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void version1FilesExportAsTheyDid();
    void damagedFileExportsWhatItHolds_data();
    void damagedFileExportsWhatItHolds();
    void exportFails_data();
    void exportFails();
};

void TestResultsExport::roundTrip_data()
{
    // An answer in the words the child saw, made from its numbers.
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("given");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("askedWords");
    QTest::addColumn<QString>("givenWords");
    const auto row = [](const char *name, const char *exercise, const char *language, Items items,
                        int asked, int given, const QString &caption, const QString &askedWords,
                        const QString &givenWords) {
        QTest::newRow(name) << QString::fromLatin1(exercise) << QString::fromLatin1(language)
                            << int(items) << asked << given << caption << askedWords << givenWords;
    };
    row("months", "riordina-mesi-1", "it", Items::Months, 7, 6, "Riordina i mesi (1)", "LUGLIO",
        "GIUGNO");
    row("months in English", "ciclo-mesi", "en", Items::Months, 12, 1, "Ciclo dei mesi", "DECEMBER",
        "JANUARY");
    row("days of the ordering", "riordina-giorni-2", "it", Items::Days, 3, 3,
        "Riordina i giorni (2)", "mercoledì", "mercoledì");
    row("days of the cycle", "ciclo-giorni", "it", Items::Days, 7, 1, "Ciclo dei giorni",
        "Domenica", "Lunedì");
    row("days in English", "ciclo-giorni", "en", Items::Days, 1, 2, "Ciclo dei giorni", "MONDAY",
        "TUESDAY");
    row("dates", "calendario", "it", Items::Dates, 20010305, 20010405, "Usa il calendario",
        "2001-03-05", "2001-04-05");
    row("an exercise of a later build", "esercizio-nuovo", "it", Items::Months, 2, 2,
        "esercizio-nuovo", "FEBBRAIO", "FEBBRAIO");
}

void TestResultsExport::roundTrip()
{
    QFETCH(QString, exercise);
    QFETCH(QString, language);
    QFETCH(int, items);
    QFETCH(int, asked);
    QFETCH(int, given);
    QFETCH(QString, caption);
    QFETCH(QString, askedWords);
    QFETCH(QString, givenWords);
    QTemporaryDir folder;
    // bimbo-2 is in the class no longer: its id stands for its name.
    const QHash<QString, QString> names = {{"bimbo-0", "Niccolò"}, {"bimbo-1", "Rossi; Anna"}};
    QList<KeptAnswer> expected;
    for (int i = 0; i < 3; ++i) {
        KeptAnswer kept = answer(QStringLiteral("bimbo-%1").arg(i), 7, start.addSecs(i));
        kept.computer = i == 1 ? QStringLiteral("pc2") : QStringLiteral("pc1");
        kept.exercise = exercise;
        kept.language = language;
        kept.items = Items(items);
        kept.asked = asked;
        kept.given = given;
        kept.right = asked == given;
        kept.round = i == 2 ? QUuid() : QUuid::createUuid();
        kept.seconds = i == 2 ? 125.7 : 2.5;
        expected << kept;
    }
    fill(folder.path(), "pc1", {expected[0], expected[2]});
    fill(folder.path(), "pc2", {expected[1]}, "delete");

    const QString csv = folder.filePath(QStringLiteral("esportati.csv"));
    QString error;
    QVERIFY2(ResultsCsv::exportFolder(folder.path(), csv, names, &error), qPrintable(error));
    const QByteArray bytes = readAll(csv);
    // Without the byte order mark Excel reads "Niccolò" as Latin-1.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
    QCOMPARE(rows.size(), expected.size() + 1);
    QCOMPARE(rows.first().join(u';'),
             QStringLiteral("data e ora;bambino;computer;esercizio;lingua;chiesto;dato;esatto;"
                            "modo;secondi;risposta;giro"));
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    for (int i = 0; i < expected.size(); ++i) {
        QStringList row = rows.at(i + 1);
        const KeptAnswer &kept = expected.at(i);
        QCOMPARE(row.takeLast(),
                 kept.round.isNull() ? QString() : kept.round.toString(QUuid::WithoutBraces));
        QCOMPARE(row.takeLast(), kept.id.toString(QUuid::WithoutBraces));
        // A number to Calc and Excel under an Italian locale.
        bool number = false;
        QCOMPARE(italian.toDouble(row.takeLast(), &number), kept.seconds);
        QVERIFY(number);
        QCOMPARE(row, QStringList({kept.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                   names.value(kept.child, kept.child), kept.computer, caption,
                                   kept.language, askedWords, givenWords,
                                   kept.right ? QStringLiteral("sì") : QStringLiteral("no"),
                                   kept.route}));
    }
}

void TestResultsExport::version1FilesExportAsTheyDid()
{
    // Files a version-1 build wrote, and what it exported of them: the same
    // bytes now, with the identity and the round added at the end of each row.
    QTemporaryDir folder;
    const QDir fixtures(version1Folder());
    for (const QString &name : fixtures.entryList({QStringLiteral("*.sqlite")}))
        QVERIFY(QFile::copy(fixtures.filePath(name), folder.filePath(name)));
    const QString csv = folder.filePath(QStringLiteral("esportati.csv"));
    QString error;
    QVERIFY2(ResultsCsv::exportFolder(folder.path(), csv, {}, &error), qPrintable(error));
    const QList<QByteArray> was =
        readAll(fixtures.filePath(QStringLiteral("esportati.csv"))).split('\n');
    const QList<QByteArray> now = readAll(csv).split('\n');
    QCOMPARE(now.size(), was.size());
    QCOMPARE(now.size(), 62);
    for (int i = 0; i < now.size(); ++i) {
        QByteArray line = now.at(i);
        line.chop(line.endsWith('\r') ? 1 : 0);
        const QList<QByteArray> fields = line.split(';');
        QByteArray kept = fields.mid(0, qMax(0, int(fields.size()) - 2)).join(';');
        if (!line.isEmpty())
            kept += '\r';
        QCOMPARE(kept, was.at(i));
    }
}

void TestResultsExport::damagedFileExportsWhatItHolds_data()
{
    // Which 4 KB page of pc2's file a failing disk overwrote: a page of its
    // answers, of an index, the first page (the schema), or every page.
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("setAside"); // as its own program sets it aside on opening
    for (bool aside : {false, true}) {
        const char *where = aside ? ", set aside" : "";
        QTest::addRow("a page of answers%s", where) << "answers" << aside;
        QTest::addRow("a page of an index%s", where) << "answers_child" << aside;
        QTest::addRow("the first page%s", where) << "first" << aside;
    }
    QTest::newRow("no page left") << "all" << false;
}

void TestResultsExport::damagedFileExportsWhatItHolds()
{
    QFETCH(QString, page);
    QFETCH(bool, setAside);
    QTemporaryDir folder;
    // Three computers' files of about 700 answers each.
    const QStringList hosts{QStringLiteral("pc1"), QStringLiteral("pc2"), QStringLiteral("pc3")};
    for (const QString &host : hosts) {
        QList<KeptAnswer> answers;
        for (int i = 0; i < 700; ++i) {
            answers << answer(QStringLiteral("bimbo-%1").arg(i % 25), 1 + i % 12,
                              start.addSecs(i * 60));
            answers.last().computer = host;
        }
        fill(folder.path(), host, answers, QStringLiteral("delete"));
    }
    const QString pc2 = folder.filePath(QStringLiteral("risultati-pc2.sqlite"));
    // Where the page lies, and how many answers it held, as SQLite tells.
    int number = 1;
    int lostRows = 0;
    if (page == QLatin1String("answers") || page == QLatin1String("answers_child")) {
        SqlConnection file(pc2, QStringLiteral("QSQLITE_OPEN_READONLY"));
        QSqlQuery query(file.db());
        QVERIFY(query.exec(QStringLiteral("SELECT pageno, ncell FROM dbstat WHERE name = '%1'"
                                          " AND pagetype = 'leaf' ORDER BY pageno")
                               .arg(page)));
        QList<std::pair<int, int>> leaves;
        while (query.next())
            leaves << std::pair{query.value(0).toInt(), query.value(1).toInt()};
        QVERIFY(leaves.size() > 3);
        number = leaves.at(leaves.size() / 2).first;
        lostRows = page == QLatin1String("answers") ? leaves.at(leaves.size() / 2).second : 0;
    }
    QByteArray bytes = readAll(pc2);
    if (page == QLatin1String("all"))
        bytes.fill('\xA5');
    else
        bytes.replace((number - 1) * 4096, 4096, QByteArray(4096, '\xA5'));
    writeAll(pc2, bytes);
    if (setAside) {
        // Its own program finds it damaged and starts a new file.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("messo da parte")));
        SqliteAnswerLog log(folder.path(), QStringLiteral("pc2"),
                            [](const QString &) { return nfs; });
        QVERIFY(log.flush());
        QVERIFY(!log.setAside().isEmpty());
    }

    const QString csv = folder.filePath(QStringLiteral("esportati.csv"));
    QString error;
    QStringList skipped;
    QVERIFY2(ResultsCsv::exportFolder(folder.path(), csv, {}, &error, &skipped), qPrintable(error));
    const int expected = page == QLatin1String("all") ? 1400 : 2100 - lostRows;
    // One line a row, the header first.
    QCOMPARE(readAll(csv).count("\r\n") - 1, expected);
    // An index is made anew from the table, which SQLite reads whole.
    if (page == QLatin1String("answers_child") && !setAside) {
        QCOMPARE(skipped, QStringList());
        return;
    }
    // The teacher and the technician learn which file, and how much came back.
    QCOMPARE(skipped.size(), 1);
    QVERIFY2(skipped.first().contains(QStringLiteral("risultati-pc2")),
             qPrintable(skipped.first()));
    if (page != QLatin1String("all"))
        QVERIFY2(skipped.first().contains(
                     QStringLiteral("se ne sono lette %1 risposte").arg(700 - lostRows)),
                 qPrintable(skipped.first()));
}

void TestResultsExport::exportFails_data()
{
    QTest::addColumn<QString>("csv");
    QTest::addColumn<bool>("damaged"); // a computer's file that cannot be read
    QTest::addColumn<QString>("message");
    QTest::newRow("no folder for the file")
        << "manca/esportati.csv" << false << "manca/esportati.csv: la cartella non esiste";
    QTest::newRow("a folder in the way") << "cartella" << false << "cartella: è una cartella";
    QTest::newRow("nothing readable in the folder")
        << "esportati.csv" << true << "Nessun file scritto: Il file risultati-pc2.sqlite";
}

void TestResultsExport::exportFails()
{
    QFETCH(QString, csv);
    QFETCH(bool, damaged);
    QFETCH(QString, message);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("cartella")));
    if (damaged)
        writeAll(folder.filePath(QStringLiteral("risultati-pc2.sqlite")), "not a database");
    else
        fill(folder.path(), "pc1", {answer(QStringLiteral("bimbo-1"), 7)});
    QString error;
    QVERIFY(!ResultsCsv::exportFolder(folder.path(), folder.filePath(csv), {}, &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY(!QFileInfo(folder.filePath(csv)).isFile());
}

QTEST_GUILESS_MAIN(TestResultsExport)
#include "tst_results_export.moc"
