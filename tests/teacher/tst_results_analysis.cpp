#include "CalendarMistakes.h"
#include "ConfusionHeatMap.h"
#include "DailyChart.h"
#include "Language.h"
#include "ReportWriter.h"
#include "ResultsAnalysis.h"
#include "ResultsColours.h"
#include "ResultsFolder.h"
#include "SqliteAnswerLog.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QDate today(2026, 12, 9);
const QString months1 = QStringLiteral("Riordina i mesi (1)");
const QString cycleMonths = QStringLiteral("Ciclo dei mesi");
const QString days1 = QStringLiteral("Riordina i giorni (1)");
const QString cycleDays = QStringLiteral("Ciclo dei giorni");
const QString calendar = QStringLiteral("Usa il calendario");
const QString niccolo = QStringLiteral("3f1c0a52-8d4e-4b71-9a26-c5e0f1d2b3a4");
const QString giulia = QStringLiteral("b8e2d4f6-1a3c-4e5b-8d7f-0a9b1c2d3e4f");

KeptAnswer kept(const QString &exercise, const QString &asked, const QString &given,
                const QString &language = QStringLiteral("it"), const QDate &day = today,
                const QString &child = niccolo)
{
    KeptAnswer answer;
    answer.when = QDateTime(day, QTime(10, 15), Qt::OffsetFromUTC, 3600);
    answer.child = child;
    answer.computer = QStringLiteral("pc-aula-1");
    answer.exercise = exercise;
    answer.language = language;
    answer.asked = asked;
    answer.given = given;
    answer.right = asked == given;
    answer.route = QStringLiteral("tocco");
    answer.seconds = 3;
    return answer;
}

// "en:JULY>JUNE" is an answer in English: JULY put on JUNE's place.
QList<KeptAnswer> drops(const QStringList &written)
{
    QList<KeptAnswer> answers;
    for (const QString &drop : written) {
        const QString language = drop.section(u':', 0, 0);
        const QString names = drop.section(u':', 1);
        answers.append(kept(months1, names.section(u'>', 0, 0), names.section(u'>', 1), language));
    }
    return answers;
}

ResultsAnalysis everything(const QList<KeptAnswer> &answers)
{
    return ResultsAnalysis(answers, ResultsPeriod(ResultsPeriod::Everything, today));
}

QStringList wordsOf(const QList<ConfusedPair> &pairs)
{
    QStringList words;
    for (const ConfusedPair &pair : pairs)
        words.append(pair.words());
    return words;
}

// A child's round of "Riordina i mesi (1)" with one wrong drop: LUGLIO on
// GIUGNO's place, then every name on its own.
QList<KeptAnswer> roundWithOneWrongDrop(const QString &child, const QDate &day)
{
    QList<KeptAnswer> answers{kept(months1, QStringLiteral("LUGLIO"), QStringLiteral("GIUGNO"),
                                   QStringLiteral("it"), day, child)};
    for (const QString &name : Language::italian().monthsUpper)
        answers.append(kept(months1, name, name, QStringLiteral("it"), day, child));
    return answers;
}

QString runTool(const QString &tool, const QStringList &arguments)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty()) {
        qWarning("%s is missing: tools/install-deps.sh installs poppler-utils", qPrintable(tool));
        return {};
    }
    QProcess process;
    process.start(path, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString &path, int page)
{
    const QString number = QString::number(page);
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-f"), number, QStringLiteral("-l"),
                                                 number, path, QStringLiteral("-")});
}

int pdfPages(const QString &path)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {path});
    for (const QString &line : info.split(u'\n')) {
        if (line.startsWith(QLatin1String("Pages:")))
            return line.section(u':', 1).trimmed().toInt();
    }
    return -1;
}

// With TEMPIOLO_KEEP_REPORTS set to a folder, each report written is copied
// there, to be looked at.
void keepToLookAt(const QString &path, const QString &name)
{
    const QString folder = qEnvironmentVariable("TEMPIOLO_KEEP_REPORTS");
    if (folder.isEmpty())
        return;
    const QString copy = QDir(folder).filePath(name + QStringLiteral(".pdf"));
    QFile::remove(copy);
    QFile::copy(path, copy);
}

} // namespace

// A tally as a failing comparison prints it.
char *toString(const Tally &tally)
{
    return QTest::toString(QStringLiteral("%1 of %2").arg(tally.right).arg(tally.answers));
}

class TestResultsAnalysis : public QObject
{
    Q_OBJECT

private slots:
    void confusion_data();
    void confusion();
    void pairs_data();
    void pairs();
    void calendarKind_data();
    void calendarKind();
    void calendarCountsOnlyWrongDays();
    void period_data();
    void period();
    void periodLeavesLastPlayed();
    void tallies();
    void twoComputersOneChild();
    void chartBars_data();
    void chartBars();
    void chartReadAloud();
    void cellsReadAloud_data();
    void cellsReadAloud();
    void heatMapNames_data();
    void heatMapNames();
    void shadesKeepTheirOrderInGrey();
    void pdfReport_data();
    void pdfReport();
    void pdfOfTheClass();
    void pdfToAFolderThatCannotBeWritten();
};

void TestResultsAnalysis::confusion_data()
{
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("map"); // "mesi", "giorni" or "" for none
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");

    QTest::newRow("cards") << months1 << "it"
                           << "LUGLIO"
                           << "GIUGNO"
                           << "mesi" << 6 << 5;
    QTest::newRow("calendar's form") << cycleMonths << "it"
                                     << "Luglio"
                                     << "Giugno"
                                     << "mesi" << 6 << 5;
    QTest::newRow("English") << months1 << "en"
                             << "JULY"
                             << "JUNE"
                             << "mesi" << 6 << 5;
    QTest::newRow("English, written as the calendar does") << cycleMonths << "en"
                                                           << "December"
                                                           << "January"
                                                           << "mesi" << 11 << 0;
    QTest::newRow("right, on the diagonal") << months1 << "it"
                                            << "GENNAIO"
                                            << "GENNAIO"
                                            << "mesi" << 0 << 0;
    QTest::newRow("forms mixed") << months1 << "it"
                                 << "GENNAIO"
                                 << "January"
                                 << "mesi" << 0 << 0;
    QTest::newRow("blanks around") << months1 << "it"
                                   << " MARZO"
                                   << "MARZO "
                                   << "mesi" << 2 << 2;
    QTest::newRow("day cards") << days1 << "it"
                               << "lunedì"
                               << "martedì"
                               << "giorni" << 0 << 1;
    QTest::newRow("cycle of the days") << cycleDays << "it"
                                       << "Domenica"
                                       << "Sabato"
                                       << "giorni" << 6 << 5;
    QTest::newRow("English days") << days1 << "en"
                                  << "MONDAY"
                                  << "SUNDAY"
                                  << "giorni" << 0 << 6;
    QTest::newRow("upper case with accent") << days1 << "it"
                                            << "MARTEDÌ"
                                            << "LUNEDÌ"
                                            << "giorni" << 1 << 0;
    QTest::newRow("Sunday right") << cycleDays << "it"
                                  << "domenica"
                                  << "Domenica"
                                  << "giorni" << 6 << 6;
    QTest::newRow("unknown card") << months1 << "it"
                                  << "PIPPO"
                                  << "GIUGNO"
                                  << "" << 0 << 0;
    QTest::newRow("unknown place") << months1 << "it"
                                   << "LUGLIO"
                                   << "GIUGNIO"
                                   << "" << 0 << 0;
    QTest::newRow("empty place") << months1 << "it"
                                 << "LUGLIO"
                                 << ""
                                 << "" << 0 << 0;
    QTest::newRow("accent left out") << days1 << "it"
                                     << "lunedi"
                                     << "martedì"
                                     << "" << 0 << 0;
    QTest::newRow("a month on a day's place") << months1 << "it"
                                              << "LUGLIO"
                                              << "lunedì"
                                              << "" << 0 << 0;
    QTest::newRow("a right day") << calendar << "it"
                                 << "2001-03-05"
                                 << "2001-03-05"
                                 << "" << 0 << 0;
    QTest::newRow("names in the calendar's answers") << calendar << "it"
                                                     << "GIUGNO"
                                                     << "LUGLIO"
                                                     << "" << 0 << 0;
    QTest::newRow("a language code of no table") << months1 << "fr"
                                                 << "LUGLIO"
                                                 << "GIUGNO"
                                                 << "mesi" << 6 << 5;
}

void TestResultsAnalysis::confusion()
{
    QFETCH(QString, exercise);
    QFETCH(QString, language);
    QFETCH(QString, asked);
    QFETCH(QString, given);
    QFETCH(QString, map);
    QFETCH(int, row);
    QFETCH(int, column);

    const ResultsAnalysis analysis = everything({kept(exercise, asked, given, language)});
    const ChildResults &results = analysis.child(niccolo);
    // Counted in the tables whatever its names.
    QCOMPARE(results.total.answers, 1);
    const ConfusionMap *counted =
        map == QLatin1String("mesi")
            ? &results.months
            : (map == QLatin1String("giorni") ? &results.weekdays : nullptr);
    for (const ConfusionMap *each : {&results.months, &results.weekdays}) {
        QCOMPARE(each->total(), each == counted ? 1 : 0);
        if (each == counted) {
            QCOMPARE(each->count(row, column), 1);
            QCOMPARE(each->wrong(), row == column ? 0 : 1);
        }
    }
    QCOMPARE(results.calendar.total(), 0);
}

void TestResultsAnalysis::pairs_data()
{
    QTest::addColumn<QStringList>("drops");
    QTest::addColumn<QStringList>("words");

    QTest::newRow("one wrong drop") << QStringList{"it:LUGLIO>GIUGNO", "it:GIUGNO>GIUGNO"}
                                    << QStringList{"LUGLIO messo al posto di GIUGNO: 1 volta"};
    QTest::newRow("counted, the most frequent first")
        << QStringList{"it:MARZO>APRILE", "it:LUGLIO>GIUGNO", "it:LUGLIO>GIUGNO",
                       "it:MARZO>APRILE", "it:LUGLIO>GIUGNO", "it:LUGLIO>GIUGNO"}
        << QStringList{"LUGLIO messo al posto di GIUGNO: 4 volte",
                       "MARZO messo al posto di APRILE: 2 volte"};
    QTest::newRow("ties in calendar order")
        << QStringList{"it:OTTOBRE>SETTEMBRE", "it:FEBBRAIO>MARZO", "it:FEBBRAIO>GENNAIO"}
        << QStringList{"FEBBRAIO messo al posto di GENNAIO: 1 volta",
                       "FEBBRAIO messo al posto di MARZO: 1 volta",
                       "OTTOBRE messo al posto di SETTEMBRE: 1 volta"};
    QTest::newRow("both ways are two pairs")
        << QStringList{"it:GIUGNO>LUGLIO", "it:LUGLIO>GIUGNO"}
        << QStringList{"GIUGNO messo al posto di LUGLIO: 1 volta",
                       "LUGLIO messo al posto di GIUGNO: 1 volta"};
    QTest::newRow("English names") << QStringList{"en:JULY>JUNE", "en:JULY>JUNE"}
                                   << QStringList{"JULY messo al posto di JUNE: 2 volte"};
    QTest::newRow("each language in its own names")
        << QStringList{"it:LUGLIO>GIUGNO", "en:JULY>JUNE", "en:JULY>JUNE"}
        << QStringList{"JULY messo al posto di JUNE: 2 volte",
                       "LUGLIO messo al posto di GIUGNO: 1 volta"};
    QTest::newRow("days in lower case, whatever the form")
        << QStringList{"it:Martedì>Lunedì"}
        << QStringList{"martedì messo al posto di lunedì: 1 volta"};
    QTest::newRow("months before days at equal counts")
        << QStringList{"it:lunedì>martedì", "it:DICEMBRE>NOVEMBRE"}
        << QStringList{"DICEMBRE messo al posto di NOVEMBRE: 1 volta",
                       "lunedì messo al posto di martedì: 1 volta"};
    QTest::newRow("a frequent day before a rare month")
        << QStringList{"it:DICEMBRE>NOVEMBRE", "it:sabato>domenica", "it:sabato>domenica"}
        << QStringList{"sabato messo al posto di domenica: 2 volte",
                       "DICEMBRE messo al posto di NOVEMBRE: 1 volta"};
    QTest::newRow("right answers only")
        << QStringList{"it:GIUGNO>GIUGNO", "en:JUNE>JUNE"} << QStringList{};
}

void TestResultsAnalysis::pairs()
{
    QFETCH(QStringList, drops);
    QFETCH(QStringList, words);

    const ResultsAnalysis analysis = everything(::drops(drops));
    QCOMPARE(wordsOf(analysis.child(niccolo).confusedPairs()), words);
}

void TestResultsAnalysis::calendarKind_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("given");
    QTest::addColumn<int>("kind"); // -1: not a mistake that is counted

    using C = CalendarMistakes;
    QTest::newRow("the day after") << "2001-03-05"
                                   << "2001-03-06" << int(C::NextDay);
    QTest::newRow("the day before") << "2001-03-05"
                                    << "2001-03-04" << int(C::NextDay);
    QTest::newRow("over the end of January") << "2001-01-31"
                                             << "2001-02-01" << int(C::NextDay);
    QTest::newRow("back over the start of March") << "2001-03-01"
                                                  << "2001-02-28" << int(C::NextDay);
    QTest::newRow("over the end of the year") << "2000-12-31"
                                              << "2001-01-01" << int(C::NextDay);
    QTest::newRow("after the leap day") << "2000-02-29"
                                        << "2000-03-01" << int(C::NextDay);
    QTest::newRow("before the leap day") << "2000-02-29"
                                         << "2000-02-28" << int(C::NextDay);
    QTest::newRow("two days in a leap February") << "2000-02-28"
                                                 << "2000-03-01" << int(C::Other);
    QTest::newRow("the right day in another month") << "2001-03-05"
                                                    << "2001-07-05" << int(C::OtherMonth);
    QTest::newRow("the leap day in another month") << "2000-02-29"
                                                   << "2000-03-29" << int(C::OtherMonth);
    QTest::newRow("another day of the month") << "2001-03-05"
                                              << "2001-03-20" << int(C::OtherDay);
    QTest::newRow("next to it beats another day of the month") << "2001-03-20"
                                                               << "2001-03-21" << int(C::NextDay);
    QTest::newRow("the same day of another year") << "2001-03-05"
                                                  << "2002-03-05" << int(C::OtherYear);
    QTest::newRow("the leap day's neighbour in another year") << "2000-02-29"
                                                              << "2001-02-28" << int(C::Other);
    QTest::newRow("the day number only") << "2001-03-05"
                                         << "2002-04-05" << int(C::Other);
    QTest::newRow("the month only, another year") << "2001-03-05"
                                                  << "2002-03-09" << int(C::Other);
    QTest::newRow("nothing alike") << "2001-03-05"
                                   << "2002-11-27" << int(C::Other);
    QTest::newRow("the right day") << "2001-03-05"
                                   << "2001-03-05" << -1;
    QTest::newRow("no such day") << "2001-02-29"
                                 << "2001-03-01" << -1;
    QTest::newRow("not a date") << "2001-03-05"
                                << "GIUGNO" << -1;
    QTest::newRow("nothing clicked") << "2001-03-05"
                                     << "" << -1;
}

void TestResultsAnalysis::calendarKind()
{
    QFETCH(QString, asked);
    QFETCH(QString, given);
    QFETCH(int, kind);

    const auto found = CalendarMistakes::kindOf(asked, given);
    QCOMPARE(found ? int(*found) : -1, kind);
    // The same answer, counted with a child's others.
    KeptAnswer answer = kept(calendar, asked, given);
    answer.right = false;
    const ChildResults &results = everything({answer}).child(niccolo);
    QCOMPARE(results.calendar.total(), kind < 0 ? 0 : 1);
    if (kind >= 0)
        QCOMPARE(results.calendar.count(CalendarMistakes::Kind(kind)), 1);
    QVERIFY(results.months.isEmpty() && results.weekdays.isEmpty());
}

void TestResultsAnalysis::calendarCountsOnlyWrongDays()
{
    QList<KeptAnswer> answers{
        kept(calendar, "2001-03-05", "2001-03-05"), kept(calendar, "2001-03-05", "2001-03-06"),
        kept(calendar, "2002-01-10", "2002-01-11"), kept(calendar, "2002-01-10", "2002-05-10"),
        kept(calendar, "2000-07-14", "2000-07-14")};
    const ChildResults &results = everything(answers).child(niccolo);
    QCOMPARE(results.calendar.total(), 3);
    QCOMPARE(results.calendar.count(CalendarMistakes::NextDay), 2);
    QCOMPARE(results.calendar.count(CalendarMistakes::OtherMonth), 1);
    QCOMPARE(results.exercise(calendar), (Tally{2, 5}));
    QCOMPARE(CalendarMistakes::label(CalendarMistakes::OtherMonth),
             QStringLiteral("giorno giusto, mese sbagliato"));
}

void TestResultsAnalysis::period_data()
{
    QTest::addColumn<int>("span");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<bool>("in");

    const auto at = [](QDate day, QTime time = QTime(10, 0), int offset = 3600) {
        return QDateTime(day, time, Qt::OffsetFromUTC, offset);
    };
    const int week = ResultsPeriod::LastWeek;
    const int month = ResultsPeriod::LastMonth;
    const int all = ResultsPeriod::Everything;
    QTest::newRow("week: today") << week << today << at(today, QTime(23, 59)) << true;
    QTest::newRow("week: 6 days ago")
        << week << today << at(today.addDays(-6), QTime(0, 0)) << true;
    QTest::newRow("week: 7 days ago")
        << week << today << at(today.addDays(-7), QTime(23, 59)) << false;
    QTest::newRow("week: tomorrow") << week << today << at(today.addDays(1), QTime(0, 0)) << false;
    // Just after midnight on the child's computer, still the day before in UTC.
    QTest::newRow("week: the day as the child lived it")
        << week << today << at(today.addDays(-6), QTime(0, 30)) << true;
    QTest::newRow("week: over new year")
        << week << QDate(2027, 1, 3) << at(QDate(2026, 12, 28)) << true;
    QTest::newRow("week: before new year's week")
        << week << QDate(2027, 1, 3) << at(QDate(2026, 12, 27)) << false;
    QTest::newRow("month: 29 days ago") << month << today << at(today.addDays(-29)) << true;
    QTest::newRow("month: 30 days ago") << month << today << at(today.addDays(-30)) << false;
    QTest::newRow("month: tomorrow") << month << today << at(today.addDays(1)) << false;
    QTest::newRow("month: back over a leap February")
        << month << QDate(2028, 3, 1) << at(QDate(2028, 2, 1)) << true;
    QTest::newRow("month: before a leap February")
        << month << QDate(2028, 3, 1) << at(QDate(2028, 1, 31)) << false;
    QTest::newRow("everything: long ago") << all << today << at(QDate(2000, 1, 1)) << true;
    QTest::newRow("everything: tomorrow") << all << today << at(today.addDays(1)) << true;
}

void TestResultsAnalysis::period()
{
    QFETCH(int, span);
    QFETCH(QDate, today);
    QFETCH(QDateTime, when);
    QFETCH(bool, in);

    const ResultsPeriod period(ResultsPeriod::Span(span), today);
    KeptAnswer answer = kept(months1, QStringLiteral("MAGGIO"), QStringLiteral("MAGGIO"));
    answer.when = when;
    QCOMPARE(period.contains(answer), in);
    QCOMPARE(period.filter({answer, answer}).size(), in ? 2 : 0);
    const ResultsAnalysis analysis({answer}, period);
    QCOMPARE(analysis.child(niccolo).total.answers, in ? 1 : 0);
    QCOMPARE(analysis.child(niccolo).months.total(), in ? 1 : 0);
    QCOMPARE(analysis.exercises(), in ? QStringList{months1} : QStringList{});
}

void TestResultsAnalysis::periodLeavesLastPlayed()
{
    const QList<KeptAnswer> answers{
        kept(months1, "MAGGIO", "MAGGIO", "it", today.addDays(-40)),
        kept(months1, "MAGGIO", "APRILE", "it", today.addDays(-20)),
        kept(months1, "MAGGIO", "MAGGIO", "it", today.addDays(-10), giulia)};
    const ResultsAnalysis week(answers, ResultsPeriod(ResultsPeriod::LastWeek, today));
    QVERIFY(week.child(niccolo).total.isEmpty());
    QCOMPARE(week.child(niccolo).lastPlayed, today.addDays(-20));
    QCOMPARE(week.child(giulia).lastPlayed, today.addDays(-10));
    const ResultsAnalysis month(answers, ResultsPeriod(ResultsPeriod::LastMonth, today));
    QCOMPARE(month.child(niccolo).total, (Tally{0, 1}));
    QVERIFY(!month.child(QStringLiteral("nessuno")).lastPlayed.isValid());
}

void TestResultsAnalysis::tallies()
{
    const QDate yesterday = today.addDays(-1);
    const QList<KeptAnswer> answers{
        kept(calendar, "2001-03-05", "2001-03-05", "it", yesterday),
        kept(days1, "lunedì", "lunedì", "it", yesterday),
        kept(days1, "martedì", "lunedì", "it", today),
        kept(months1, "MARZO", "MARZO", "it", today),
        kept(months1, "APRILE", "APRILE", "en", today),
        kept(months1, "LUGLIO", "GIUGNO", "it", today, giulia),
        kept(QStringLiteral("Un esercizio nuovo"), "X", "X", "it", today, giulia)};
    const ResultsAnalysis analysis(answers, ResultsPeriod(ResultsPeriod::LastWeek, today));

    // In the menu's order, whatever the order of the answers; others after.
    QCOMPARE(analysis.exercises(),
             (QStringList{months1, days1, calendar, QStringLiteral("Un esercizio nuovo")}));
    const ChildResults &nicco = analysis.child(niccolo);
    QCOMPARE(nicco.exercise(months1), (Tally{2, 2}));
    QCOMPARE(nicco.exercise(days1), (Tally{1, 2}));
    QCOMPARE(nicco.exercise(calendar), (Tally{1, 1}));
    QCOMPARE(nicco.exercise(cycleDays), Tally{});
    QCOMPARE(nicco.total, (Tally{4, 5}));
    QCOMPARE(nicco.total.share(), 0.8);
    QCOMPARE(nicco.lastPlayed, today);
    // The chart's data: all exercises a day, and each exercise a day.
    QCOMPARE(nicco.days.value(yesterday), (Tally{2, 2}));
    QCOMPARE(nicco.days.value(today), (Tally{2, 3}));
    QCOMPARE(nicco.exerciseDays.value(days1).value(today), (Tally{0, 1}));
    QCOMPARE(nicco.exerciseDays.value(days1).value(yesterday), (Tally{1, 1}));
    QCOMPARE(analysis.child(giulia).exercise(months1), (Tally{0, 1}));
    QCOMPARE(analysis.total(), (Tally{5, 7}));
    QCOMPARE(Tally().share(), 0.0);
}

void TestResultsAnalysis::twoComputersOneChild()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const auto keepOn = [&](const QString &host, const QList<KeptAnswer> &answers) {
        SqliteAnswerLog log(folder.path(), host);
        for (KeptAnswer answer : answers) {
            answer.computer = host;
            log.keep(answer);
        }
        QVERIFY(log.flush());
        QCOMPARE(log.written(), qint64(answers.size()));
    };
    keepOn(QStringLiteral("pc-aula-1"),
           {kept(months1, "LUGLIO", "GIUGNO", "it", today.addDays(-1)),
            kept(months1, "LUGLIO", "LUGLIO", "it", today.addDays(-1)),
            kept(days1, "lunedì", "lunedì", "it", today.addDays(-1), giulia)});
    keepOn(QStringLiteral("pc-aula-2"), {kept(months1, "LUGLIO", "GIUGNO", "it", today),
                                         kept(calendar, "2001-03-05", "2001-04-05", "it", today)});

    QStringList problems;
    const QList<KeptAnswer> answers = ResultsFolder::readAll(folder.path(), &problems);
    QCOMPARE(problems, QStringList());
    const ResultsAnalysis analysis = everything(answers);
    const ChildResults &nicco = analysis.child(niccolo);
    QCOMPARE(nicco.total, (Tally{1, 4}));
    QCOMPARE(nicco.exercise(months1), (Tally{1, 3}));
    QCOMPARE(nicco.months.count(6, 5), 2);
    QCOMPARE(wordsOf(nicco.confusedPairs()),
             QStringList{QStringLiteral("LUGLIO messo al posto di GIUGNO: 2 volte")});
    QCOMPARE(nicco.calendar.count(CalendarMistakes::OtherMonth), 1);
    QCOMPARE(nicco.lastPlayed, today);
    QCOMPARE(analysis.child(giulia).total, (Tally{1, 1}));
}

void TestResultsAnalysis::chartBars_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<int>("maxBars");
    QTest::addColumn<int>("grouping");
    QTest::addColumn<QStringList>("labels"); // the first and the last
    QTest::addColumn<int>("bars");
    QTest::addColumn<Tally>("firstBar");

    using G = DailyChart::Grouping;
    // The data: Tuesday 1 and Wednesday 9 December 2026, and 20 January 2027.
    QTest::newRow("a week, empty days kept")
        << QDate(2026, 12, 3) << QDate(2026, 12, 9) << 31 << int(G::Days)
        << QStringList{"3/12", "9/12"} << 7 << Tally{};
    QTest::newRow("the data's own days") << QDate() << QDate() << 100 << int(G::Days)
                                         << QStringList{"1/12", "20/1"} << 51 << Tally{3, 4};
    QTest::newRow("too many days: weeks from Monday")
        << QDate() << QDate() << 20 << int(G::Weeks) << QStringList{"30/11", "18/1"} << 8
        << Tally{3, 4};
    QTest::newRow("too many weeks: months") << QDate() << QDate() << 5 << int(G::Months)
                                            << QStringList{"dic 26", "gen 27"} << 2 << Tally{5, 7};
}

void TestResultsAnalysis::chartBars()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(int, maxBars);
    QFETCH(int, grouping);
    QFETCH(QStringList, labels);
    QFETCH(int, bars);
    QFETCH(Tally, firstBar);

    const QMap<QDate, Tally> days{
        {QDate(2026, 12, 1), {3, 4}}, {QDate(2026, 12, 9), {2, 3}}, {QDate(2027, 1, 20), {1, 1}}};
    const DailyChart chart(days, from, to);
    QCOMPARE(int(chart.groupingFor(maxBars)), grouping);
    const QList<DailyChart::Bar> shown = chart.bars(DailyChart::Grouping(grouping));
    QCOMPARE(shown.size(), bars);
    QCOMPARE((QStringList{shown.first().label, shown.last().label}), labels);
    QCOMPARE(shown.first().tally, firstBar);
    // Every answer in the span is in exactly one bar.
    Tally sum;
    for (const DailyChart::Bar &bar : shown)
        sum += bar.tally;
    Tally expected;
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        if ((!from.isValid() || day.key() >= from) && (!to.isValid() || day.key() <= to))
            expected += day.value();
    }
    QCOMPARE(sum, expected);
}

void TestResultsAnalysis::chartReadAloud()
{
    const QMap<QDate, Tally> days{{QDate(2026, 12, 9), {12, 13}}, {QDate(2026, 12, 7), {1, 1}}};
    QCOMPARE(DailyChart(days, QDate(2026, 12, 3), QDate(2026, 12, 9)).description(),
             QStringLiteral("7/12: 1 esatta, 0 errate. 9/12: 12 esatte, 1 errata."));
    QCOMPARE(DailyChart(days, QDate(2026, 11, 1), QDate(2026, 11, 30)).description(),
             QStringLiteral("Nessuna risposta nel periodo."));
}

void TestResultsAnalysis::cellsReadAloud_data()
{
    QTest::addColumn<QStringList>("drops");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("said");

    const QStringList drops{"it:LUGLIO>GIUGNO", "en:JULY>JUNE", "it:GIUGNO>GIUGNO",
                            "it:martedì>lunedì"};
    QTest::newRow("a mistake, in both languages")
        << drops << 6 << 5 << "LUGLIO messo al posto di GIUGNO: 2 volte";
    QTest::newRow("the diagonal") << drops << 5 << 5 << "GIUGNO al suo posto: 1 volta";
    QTest::newRow("the other way round")
        << drops << 5 << 6 << "GIUGNO messo al posto di LUGLIO: 0 volte";
    QTest::newRow("a day") << drops << -1 << 0 << "martedì messo al posto di lunedì: 1 volta";
}

void TestResultsAnalysis::cellsReadAloud()
{
    QFETCH(QStringList, drops);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, said);

    const ChildResults &results = everything(::drops(drops)).child(niccolo);
    // Row -1 stands for martedì in the days' map.
    const QString cell = row < 0 ? results.weekdays.cellDescription(1, column)
                                 : results.months.cellDescription(row, column);
    QCOMPARE(cell, said);
}

void TestResultsAnalysis::heatMapNames_data()
{
    QTest::addColumn<qreal>("widthMm");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");

    QTest::newRow("room for whole names")
        << 160.0 << QStringList{"SETTEMBRE", "nome spostato", "messo al posto di", "GIU", "27", "9"}
        << QStringList{};
    QTest::newRow("short of room")
        << 60.0 << QStringList{"SET", "GIU", "27", "9"} << QStringList{"SETTEMBRE"};
}

void TestResultsAnalysis::heatMapNames()
{
    QFETCH(qreal, widthMm);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);

    ConfusionMap map(KnownNames::Set::Months);
    for (int i = 0; i < 27; ++i)
        map.add(5, 5, QStringLiteral("it"));
    for (int i = 0; i < 13; ++i)
        map.add(6, 5, QStringLiteral("it"));
    for (int i = 0; i < 9; ++i)
        map.add(8, 9, QStringLiteral("en"));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("mappa.pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        QPainter painter(&pdf);
        const qreal mm = pdf.logicalDpiX() / 25.4;
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(7.5);
        const QRectF rect(0, 0, widthMm * mm, 150 * mm);
        const QRectF used = ConfusionHeatMap(map).draw(painter, rect, font);
        QVERIFY(!used.isEmpty());
        QVERIFY(rect.contains(used));
    }
    const QString text = pdfText(path, 1);
    for (const QString &words : shown)
        QVERIFY2(text.contains(words), qPrintable(words + QStringLiteral(" not in:\n") + text));
    for (const QString &words : hidden)
        QVERIFY2(!text.contains(words), qPrintable(words + QStringLiteral(" in:\n") + text));
}

void TestResultsAnalysis::shadesKeepTheirOrderInGrey()
{
    // What a contrast rule counts as light: relative luminance.
    const auto luminance = [](const QColor &colour) {
        const auto channel = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
               0.0722 * channel(colour.blueF());
    };
    const auto readable = [&](const QColor &background) {
        const double a = luminance(background) + 0.05;
        const double b = luminance(ResultsColours::textOn(background)) + 0.05;
        return std::max(a, b) / std::min(a, b) >= 4.5;
    };
    // One share from each band, from all right to none: darker every time.
    int previous = 256;
    for (const double share : {0.95, 0.8, 0.6, 0.3, 0.1}) {
        const QColor shade = ResultsColours::forShare(share);
        QVERIFY2(qGray(shade.rgb()) < previous, qPrintable(QString::number(share)));
        QVERIFY2(readable(shade), qPrintable(QString::number(share)));
        previous = qGray(shade.rgb());
    }
    for (const int most : {1, 2, 5, 11, 40}) {
        QCOMPARE(ResultsColours::forCount(0, most), QColor(Qt::white));
        previous = 256;
        for (int count = 1; count <= most; ++count) {
            const QColor shade = ResultsColours::forCount(count, most);
            // A single mistake shows; more never look like fewer.
            QVERIFY(qGray(shade.rgb()) < 245);
            QVERIFY(qGray(shade.rgb()) <= previous);
            QVERIFY(readable(shade));
            previous = qGray(shade.rgb());
        }
        QVERIFY(most == 1 || qGray(ResultsColours::forCount(1, most).rgb()) > previous);
    }
    // Right and wrong bars differ in grey as well as in hue.
    QVERIFY(qAbs(qGray(ResultsColours::right().rgb()) - qGray(ResultsColours::wrong().rgb())) > 60);
}

void TestResultsAnalysis::pdfReport_data()
{
    QTest::addColumn<QList<KeptAnswer>>("answers");
    QTest::addColumn<QStringList>("said");

    QTest::newRow("one wrong drop")
        << roundWithOneWrongDrop(niccolo, today)
        << QStringList{"LUGLIO messo al posto di GIUGNO: 1 volta", "Riordina i mesi (1)", "92%"};
    QTest::newRow("in English") << drops({"en:JULY>JUNE", "en:JULY>JULY"})
                                << QStringList{"JULY messo al posto di JUNE: 1 volta"};
    QTest::newRow("the calendar") << QList<KeptAnswer>{kept(calendar, "2001-03-05", "2001-03-06"),
                                                       kept(calendar, "2001-03-05", "2001-03-05")}
                                  << QStringList{"Giorno vicino a quello giusto",
                                                 "Usa il calendario", "50%"};
    QTest::newRow("nothing in the period")
        << QList<KeptAnswer>{kept(months1, "MAGGIO", "MAGGIO", "it", today.addDays(-8))}
        << QStringList{"Nessuna risposta nel periodo scelto.", "Ha giocato l'ultima volta"};
}

void TestResultsAnalysis::pdfReport()
{
    QFETCH(QList<KeptAnswer>, answers);
    QFETCH(QStringList, said);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Niccolò.pdf"));
    const ResultsAnalysis analysis(answers, ResultsPeriod(ResultsPeriod::LastWeek, today));
    ReportWriter writer(analysis);
    writer.setClassName(QStringLiteral("3ª B"));
    QString error;
    QVERIFY2(writer.savePdf(path, {{niccolo, QStringLiteral("Niccolò"), {}}}, &error),
             qPrintable(error));
    keepToLookAt(path, QString::fromUtf8(QTest::currentDataTag()));
    QCOMPARE(pdfPages(path), 1);
    const QString text = pdfText(path, 1);
    for (const QString &words : QStringList{"Niccolò", "Classe 3ª B", "ultima settimana"} + said)
        QVERIFY2(text.contains(words), qPrintable(words + QStringLiteral(" not in:\n") + text));
}

void TestResultsAnalysis::pdfOfTheClass()
{
    const QList<KeptAnswer> answers =
        roundWithOneWrongDrop(niccolo, today) +
        QList<KeptAnswer>{kept(months1, "MARZO", "APRILE", "it", today, giulia)};
    const ResultsAnalysis analysis(answers, ResultsPeriod(ResultsPeriod::LastMonth, today));
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("classe.pdf"));
    QString error;
    QVERIFY2(ReportWriter(analysis).savePdf(path,
                                            {{giulia, QStringLiteral("Giulia"), {}},
                                             {niccolo, QStringLiteral("Niccolò"), {}},
                                             {QStringLiteral("nuovo"), QStringLiteral("Aldo"), {}}},
                                            &error),
             qPrintable(error));
    keepToLookAt(path, QStringLiteral("classe"));
    QCOMPARE(pdfPages(path), 3);
    // A page a child, each with that child's own pairs only.
    const QString first = pdfText(path, 1);
    QVERIFY(first.contains(QStringLiteral("Giulia")));
    QVERIFY(first.contains(QStringLiteral("MARZO messo al posto di APRILE: 1 volta")));
    QVERIFY(!first.contains(QStringLiteral("LUGLIO messo")));
    const QString second = pdfText(path, 2);
    QVERIFY(second.contains(QStringLiteral("Niccolò")));
    QVERIFY(second.contains(QStringLiteral("LUGLIO messo al posto di GIUGNO: 1 volta")));
    QVERIFY(second.contains(QStringLiteral("pagina 2 di 3")));
    const QString third = pdfText(path, 3);
    QVERIFY(third.contains(QStringLiteral("Aldo")));
    QVERIFY(third.contains(QStringLiteral("Non ha ancora giocato.")));
}

void TestResultsAnalysis::pdfToAFolderThatCannotBeWritten()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("manca/Niccolò.pdf"));
    const ResultsAnalysis analysis = everything(roundWithOneWrongDrop(niccolo, today));
    QString error;
    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(
        !ReportWriter(analysis).savePdf(path, {{niccolo, QStringLiteral("Niccolò"), {}}}, &error));
    QCOMPARE(error, QStringLiteral("Il file Niccolò.pdf non si può scrivere."));
    QVERIFY(
        !ReportWriter(analysis).savePdf(folder.filePath(QStringLiteral("vuoto.pdf")), {}, &error));
    QCOMPARE(error, QStringLiteral("Non c'è nessun bambino da stampare."));
}

QTEST_MAIN(TestResultsAnalysis)
#include "tst_results_analysis.moc"
