#include "CalendarMistakes.h"
#include "ConfusionHeatMap.h"
#include "DailyChart.h"
#include "Language.h"
#include "ReportWriter.h"
#include "ResultsAnalysis.h"
#include "ResultsColours.h"
#include "ResultsFolder.h"
#include "ResultsTesting.h"
#include "SqliteAnswerLog.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

namespace {

const QDate today(2026, 12, 9);
const QString months1 = QStringLiteral("riordina-mesi-1");
const QString days1 = QStringLiteral("riordina-giorni-1");
const QString calendar = QStringLiteral("calendario");
const QString niccolo = QStringLiteral("niccolo");
const QString giulia = QStringLiteral("giulia");

// A word of the exercises as its kind and number, in any written form and
// language; a date as its number.
std::optional<std::pair<Items, int>> itemOf(const QString &word)
{
    const QDate date = QDate::fromString(word, Qt::ISODate);
    if (date.isValid())
        return std::pair{Items::Dates, dateNumber(date)};
    for (const Language *language : {&Language::italian(), &Language::english()}) {
        for (const QStringList *forms : {&language->monthsUpper, &language->monthsCalendar,
                                         &language->daysOrdering, &language->daysCycle}) {
            for (int i = 0; i < forms->size(); ++i) {
                if (forms->at(i).compare(word, Qt::CaseInsensitive) == 0)
                    return std::pair{forms == &language->monthsUpper ||
                                             forms == &language->monthsCalendar
                                         ? Items::Months
                                         : Items::Days,
                                     i + 1};
            }
        }
    }
    return std::nullopt;
}

// "en:JULY>JUNE": JULY put on JUNE's place, with English names; Italian
// when no language is written. Words of no kind, or of two kinds, are kept
// as an older build kept them: in words.
KeptAnswer kept(const QString &exercise, const QString &answer, QDate day = today,
                const QString &child = niccolo)
{
    const qsizetype colon = answer.indexOf(u':');
    const QString asked = answer.mid(colon + 1).section(u'>', 0, 0);
    const QString given = answer.mid(colon + 1).section(u'>', 1);
    KeptAnswer made =
        ResultsTesting::answer(child, 0, QDateTime(day, QTime(10, 15), Qt::OffsetFromUTC, 3600));
    made.computer = QStringLiteral("pc-aula-1");
    made.exercise = exercise;
    made.language = colon < 0 ? QStringLiteral("it") : answer.left(colon);
    made.right = asked == given;
    made.route = QStringLiteral("tocco");
    made.seconds = 3;
    const auto a = itemOf(asked);
    const auto g = itemOf(given);
    if (a && g && a->first == g->first) {
        made.items = a->first;
        made.asked = a->second;
        made.given = g->second;
    } else {
        made.asked = made.given = 0;
        made.askedText = asked;
        made.givenText = given;
    }
    return made;
}

// The answers as the teacher's program reads them: kept in a computer's
// file, and counted by SQL there.
ResultsAnalysis analysed(const QList<KeptAnswer> &answers, const ResultsPeriod &period)
{
    QTemporaryDir folder;
    ResultsTesting::fill(folder.path(), QStringLiteral("pc-aula-1"), answers);
    QStringList problems;
    const AnswerSummary summary =
        ResultsFolder::summarise(folder.path(), period.range(), &problems);
    ResultsAnalysis analysis(summary, period);
    analysis.setReviews(ResultsFolder::daysOfAll(folder.path(), period.today(), &problems));
    if (!problems.isEmpty())
        qWarning("%s", qPrintable(problems.join(u' ')));
    return analysis;
}

ResultsAnalysis everything(const QList<KeptAnswer> &answers)
{
    return analysed(answers, ResultsPeriod(ResultsPeriod::Everything, today));
}

// What a tool of poppler-utils prints; tools/install-deps.sh installs them.
QString run(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning("%s failed: is poppler-utils installed?", qPrintable(tool));
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The page holds each of `shown` and none of `hidden`, words between '|'.
void verifyPage(const QString &pdf, int page, const QString &shown, const QString &hidden)
{
    const QString n = QString::number(page);
    const QString text = run(QStringLiteral("pdftotext"), {"-f", n, "-l", n, pdf, "-"});
    for (const QString &words : shown.split(u'|', Qt::SkipEmptyParts))
        QVERIFY2(text.contains(words), qPrintable(words + QStringLiteral(" not in:\n") + text));
    for (const QString &words : hidden.split(u'|', Qt::SkipEmptyParts))
        QVERIFY2(!text.contains(words), qPrintable(words + QStringLiteral(" in:\n") + text));
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
    void initTestCase();
    void confusion_data();
    void confusion();
    void pairs_data();
    void pairs();
    void calendarKind_data();
    void calendarKind();
    void period_data();
    void period();
    void talliesOfTwoComputers();
    void chartBars_data();
    void chartBars();
    void chartReadAloud();
    void heatMapNames_data();
    void heatMapNames();
    void shadesKeepTheirOrderInGrey();
    void report_data();
    void report();
    void reportOfOneChildOrOfNone();

private:
    QTemporaryDir folder_;
    QString classReport_;
};

// The report of a class of four, read back page by page in report().
void TestResultsAnalysis::initTestCase()
{
    QList<KeptAnswer> answers{kept(months1, "LUGLIO>GIUGNO")};
    for (const QString &name : Language::italian().monthsUpper)
        answers.append(kept(months1, name + u'>' + name));
    answers += {kept(months1, "MARZO>APRILE", today, giulia),
                kept(calendar, "2001-03-05>2001-03-06", today, giulia),
                kept(calendar, "2001-03-05>2001-03-05", today, giulia),
                kept(months1, "MAGGIO>MAGGIO", today.addDays(-8), QStringLiteral("bruno"))};
    const ResultsAnalysis analysis =
        analysed(answers, ResultsPeriod(ResultsPeriod::LastWeek, today));
    ReportWriter writer(analysis);
    writer.setClassName(QStringLiteral("3ª B"));
    classReport_ = folder_.filePath(QStringLiteral("classe.pdf"));
    QString error;
    QVERIFY2(writer.savePdf(classReport_,
                            {{niccolo, QStringLiteral("Niccolò"), {}},
                             {giulia, QStringLiteral("Giulia"), {}},
                             {QStringLiteral("aldo"), QStringLiteral("Aldo"), {}},
                             {QStringLiteral("bruno"), QStringLiteral("Bruno"), {}}},
                            &error),
             qPrintable(error));
}

void TestResultsAnalysis::confusion_data()
{
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("map"); // "mesi", "giorni", or none
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    const auto row = [](const char *tag, const QString &exercise, const char *answer,
                        const char *map = "", int row = 0, int column = 0) {
        QTest::newRow(tag) << exercise << QString::fromUtf8(answer) << QString(map) << row
                           << column;
    };
    const QString cycleMonths = QStringLiteral("ciclo-mesi");
    const QString cycleDays = QStringLiteral("ciclo-giorni");
    row("cards", months1, "LUGLIO>GIUGNO", "mesi", 6, 5);
    row("calendar's form", cycleMonths, "Luglio>Giugno", "mesi", 6, 5);
    row("English", months1, "en:JULY>JUNE", "mesi", 6, 5);
    row("right, on the diagonal", months1, "GENNAIO>GENNAIO", "mesi", 0, 0);
    row("forms mixed", months1, "Gennaio>JANUARY", "mesi", 0, 0);
    row("day cards", days1, "lunedì>martedì", "giorni", 0, 1);
    row("cycle of the days", cycleDays, "Lunedì>Domenica", "giorni", 0, 6);
    row("English days", days1, "en:MONDAY>SUNDAY", "giorni", 0, 6);
    row("any case", days1, "MARTEDÌ>lunedì", "giorni", 1, 0);
    row("unknown card", months1, "PIPPO>GIUGNO");
    row("unknown place", months1, "LUGLIO>GIUGNIO");
    row("a month on a day's place", months1, "LUGLIO>lunedì");
    row("calendar: dates are no names", calendar, "2001-03-05>2001-03-05");
}

void TestResultsAnalysis::confusion()
{
    QFETCH(QString, exercise);
    QFETCH(QString, answer);
    QFETCH(QString, map);
    QFETCH(int, row);
    QFETCH(int, column);

    const ResultsAnalysis analysis = everything({kept(exercise, answer)});
    const ChildResults &results = analysis.child(niccolo);
    QCOMPARE(results.total.answers, 1); // in the tables whatever its names
    const ConfusionMap *counted = map == QLatin1String("mesi")     ? &results.months
                                  : map == QLatin1String("giorni") ? &results.weekdays
                                                                   : nullptr;
    QCOMPARE(results.months.total() + results.weekdays.total(), counted ? 1 : 0);
    if (counted) {
        QCOMPARE(counted->count(row, column), 1);
        QCOMPARE(counted->wrong(), row == column ? 0 : 1);
    }
    QCOMPARE(results.calendar.total(), 0);
}

void TestResultsAnalysis::pairs_data()
{
    QTest::addColumn<QString>("drops"); // between '|'
    QTest::addColumn<QStringList>("words");
    const auto row = [](const char *tag, const char *drops, const QStringList &words) {
        QTest::newRow(tag) << QString::fromUtf8(drops) << words;
    };
    row("the most frequent first",
        "MARZO>APRILE|LUGLIO>GIUGNO|LUGLIO>GIUGNO|MARZO>APRILE|LUGLIO>GIUGNO|LUGLIO>GIUGNO",
        {"LUGLIO messo al posto di GIUGNO: 4 volte", "MARZO messo al posto di APRILE: 2 volte"});
    row("ties in calendar order", "OTTOBRE>SETTEMBRE|FEBBRAIO>MARZO|FEBBRAIO>GENNAIO",
        {"FEBBRAIO messo al posto di GENNAIO: 1 volta", "FEBBRAIO messo al posto di MARZO: 1 volta",
         "OTTOBRE messo al posto di SETTEMBRE: 1 volta"});
    row("each language in its own names", "LUGLIO>GIUGNO|en:JULY>JUNE|en:JULY>JUNE",
        {"JULY messo al posto di JUNE: 2 volte", "LUGLIO messo al posto di GIUGNO: 1 volta"});
    row("days in lower case", "Martedì>Lunedì", {"martedì messo al posto di lunedì: 1 volta"});
    row("months before days at equal counts", "lunedì>martedì|DICEMBRE>NOVEMBRE",
        {"DICEMBRE messo al posto di NOVEMBRE: 1 volta",
         "lunedì messo al posto di martedì: 1 volta"});
    row("a frequent day before a rare month", "DICEMBRE>NOVEMBRE|sabato>domenica|sabato>domenica",
        {"sabato messo al posto di domenica: 2 volte",
         "DICEMBRE messo al posto di NOVEMBRE: 1 volta"});
    row("right answers only", "GIUGNO>GIUGNO|en:JUNE>JUNE", {});
}

void TestResultsAnalysis::pairs()
{
    QFETCH(QString, drops);
    QFETCH(QStringList, words);

    QList<KeptAnswer> answers;
    for (const QString &drop : drops.split(u'|'))
        answers.append(kept(months1, drop));
    const ResultsAnalysis analysis = everything(answers);
    QStringList said;
    for (const ConfusedPair &pair : analysis.child(niccolo).confusedPairs())
        said.append(pair.words());
    QCOMPARE(said, words);
}

void TestResultsAnalysis::calendarKind_data()
{
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("given");
    QTest::addColumn<int>("kind"); // -1: none
    const auto row = [](const char *tag, const char *asked, const char *given, int kind) {
        QTest::newRow(tag) << QString(asked) << QString(given) << kind;
    };
    using C = CalendarMistakes;
    row("the day after", "2001-03-05", "2001-03-06", C::NextDay);
    row("the day before", "2001-03-05", "2001-03-04", C::NextDay);
    row("over the end of January", "2001-01-31", "2001-02-01", C::NextDay);
    row("over the end of the year", "2000-12-31", "2001-01-01", C::NextDay);
    row("after the leap day", "2000-02-29", "2000-03-01", C::NextDay);
    row("two days in a leap February", "2000-02-28", "2000-03-01", C::Other);
    row("the right day in another month", "2001-03-05", "2001-07-05", C::OtherMonth);
    row("another day of the month", "2001-03-05", "2001-03-20", C::OtherDay);
    row("next to it beats another day of the month", "2001-03-20", "2001-03-21", C::NextDay);
    row("the same day of another year", "2001-03-05", "2002-03-05", C::OtherYear);
    row("the day number only, another year", "2001-03-05", "2002-04-05", C::Other);
    row("the month only, another year", "2001-03-05", "2002-03-09", C::Other);
    row("the right day", "2001-03-05", "2001-03-05", -1);
    row("no such day", "2001-02-29", "2001-03-01", -1);
    row("not a date", "2001-03-05", "GIUGNO", -1);
}

void TestResultsAnalysis::calendarKind()
{
    QFETCH(QString, asked);
    QFETCH(QString, given);
    QFETCH(int, kind);

    const auto found = CalendarMistakes::kindOf(QDate::fromString(asked, Qt::ISODate),
                                                QDate::fromString(given, Qt::ISODate));
    QCOMPARE(found ? int(*found) : -1, kind);
    // Counted so among the child's answers.
    const ResultsAnalysis analysis = everything({kept(calendar, asked + u'>' + given)});
    const CalendarMistakes &counted = analysis.child(niccolo).calendar;
    QCOMPARE(counted.total(), kind < 0 ? 0 : 1);
    if (kind >= 0)
        QCOMPARE(counted.count(CalendarMistakes::Kind(kind)), 1);
}

void TestResultsAnalysis::period_data()
{
    QTest::addColumn<int>("span");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<bool>("in");
    const auto row = [](const char *tag, int span, QDate today, int daysAgo, bool in) {
        QTest::newRow(tag) << span << today << today.addDays(-daysAgo) << in;
    };
    const QDate newYear(2027, 1, 3);
    row("week: today", ResultsPeriod::LastWeek, today, 0, true);
    row("week: 6 days ago", ResultsPeriod::LastWeek, today, 6, true);
    row("week: 7 days ago", ResultsPeriod::LastWeek, today, 7, false);
    row("week: tomorrow", ResultsPeriod::LastWeek, today, -1, false);
    row("week: 6 days ago, across new year", ResultsPeriod::LastWeek, newYear, 6, true);
    row("week: 7 days ago, across new year", ResultsPeriod::LastWeek, newYear, 7, false);
    row("month: 29 days ago", ResultsPeriod::LastMonth, today, 29, true);
    row("month: 30 days ago", ResultsPeriod::LastMonth, today, 30, false);
    row("tutto: tomorrow", ResultsPeriod::Everything, today, -1, true);
}

void TestResultsAnalysis::period()
{
    QFETCH(int, span);
    QFETCH(QDate, today);
    QFETCH(QDate, day);
    QFETCH(bool, in);

    KeptAnswer answer = kept(months1, "MAGGIO>MAGGIO");
    // Half past midnight on the child's computer: still the day before in UTC.
    answer.when = QDateTime(day, QTime(0, 30), Qt::OffsetFromUTC, 3600);
    const ResultsAnalysis analysis =
        analysed({answer}, ResultsPeriod(ResultsPeriod::Span(span), today));
    QCOMPARE(analysis.child(niccolo).total.answers, in ? 1 : 0);
    QCOMPARE(analysis.exercises(), in ? QStringList{months1} : QStringList{});
    // The last day played, whatever the period.
    QCOMPARE(analysis.child(niccolo).lastPlayed, day);
}

// A child's answers on two computers are one child's.
void TestResultsAnalysis::talliesOfTwoComputers()
{
    QTemporaryDir folder;
    const auto keepOn = [&](const QString &host, const QList<KeptAnswer> &answers) {
        SqliteAnswerLog log(folder.path(), host);
        for (KeptAnswer answer : answers) {
            answer.computer = host;
            log.keep(answer);
        }
        QVERIFY(log.flush());
    };
    const QDate yesterday = today.addDays(-1);
    const QString other = QStringLiteral("esercizio-nuovo");
    keepOn(QStringLiteral("pc-aula-1"),
           {kept(calendar, "2001-03-05>2001-03-05", yesterday),
            kept(days1, "lunedì>lunedì", yesterday), kept(months1, "LUGLIO>GIUGNO", yesterday),
            kept(other, "X>X", today, giulia)});
    keepOn(QStringLiteral("pc-aula-2"),
           {kept(days1, "martedì>lunedì"), kept(months1, "en:JULY>JUNE"),
            kept(months1, "en:APRIL>APRIL"), kept(calendar, "2001-03-05>2001-04-05"),
            kept(months1, "MARZO>MARZO", today, giulia)});
    QStringList problems;
    const ResultsPeriod period(ResultsPeriod::Everything, today);
    const ResultsAnalysis analysis(
        ResultsFolder::summarise(folder.path(), period.range(), &problems), period);
    QCOMPARE(problems, QStringList());

    // In the menu's order, whatever the order of the answers; others after.
    QCOMPARE(analysis.exercises(), (QStringList{months1, days1, calendar, other}));
    const ChildResults &nicco = analysis.child(niccolo);
    QCOMPARE(nicco.exercise(months1), (Tally{1, 3}));
    QCOMPARE(nicco.exercise(days1), (Tally{1, 2}));
    QCOMPARE(nicco.exercise(calendar), (Tally{1, 2}));
    QCOMPARE(nicco.total, (Tally{3, 7}));
    // The chart's data: every exercise a day, and each exercise a day.
    QCOMPARE(nicco.days.value(yesterday), (Tally{2, 3}));
    QCOMPARE(nicco.days.value(today), (Tally{1, 4}));
    QCOMPARE(nicco.exerciseDays.value(days1).value(today), (Tally{0, 1}));
    // Read aloud in Italian, as the map's headers, both languages together.
    QCOMPARE(nicco.months.cellDescription(6, 5),
             QStringLiteral("LUGLIO messo al posto di GIUGNO: 2 volte"));
    QCOMPARE(nicco.months.cellDescription(3, 3), QStringLiteral("APRILE al suo posto: 1 volta"));
    QCOMPARE(nicco.calendar.count(CalendarMistakes::OtherMonth), 1);
    QCOMPARE(analysis.child(giulia).total, (Tally{2, 2}));
    QCOMPARE(analysis.total(), (Tally{5, 9}));
}

void TestResultsAnalysis::chartBars_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<int>("maxBars");
    QTest::addColumn<int>("grouping");
    QTest::addColumn<int>("bars");
    QTest::addColumn<QStringList>("labels"); // the first and the last
    QTest::addColumn<Tally>("first");
    QTest::addColumn<Tally>("all"); // every answer in the span, each in one bar

    using G = DailyChart::Grouping;
    // The data: Tuesday 1 and Wednesday 9 December 2026, and 20 January 2027.
    QTest::newRow("a week, empty days kept")
        << QDate(2026, 12, 3) << QDate(2026, 12, 9) << 31 << int(G::Days) << 7
        << QStringList{"3/12", "9/12"} << Tally{} << Tally{2, 3};
    QTest::newRow("the data's own days")
        << QDate() << QDate() << 100 << int(G::Days) << 51 << QStringList{"1/12", "20/1"}
        << Tally{3, 4} << Tally{6, 8};
    QTest::newRow("too many days: weeks from Monday")
        << QDate() << QDate() << 20 << int(G::Weeks) << 8 << QStringList{"30/11", "18/1"}
        << Tally{3, 4} << Tally{6, 8};
    QTest::newRow("too many weeks: months")
        << QDate() << QDate() << 5 << int(G::Months) << 2 << QStringList{"dic 26", "gen 27"}
        << Tally{5, 7} << Tally{6, 8};
}

void TestResultsAnalysis::chartBars()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(int, maxBars);
    QFETCH(int, grouping);
    QFETCH(int, bars);
    QFETCH(QStringList, labels);
    QFETCH(Tally, first);
    QFETCH(Tally, all);

    const DailyChart chart(
        {{QDate(2026, 12, 1), {3, 4}}, {QDate(2026, 12, 9), {2, 3}}, {QDate(2027, 1, 20), {1, 1}}},
        from, to);
    QCOMPARE(int(chart.groupingFor(maxBars)), grouping);
    const QList<DailyChart::Bar> shown = chart.bars(DailyChart::Grouping(grouping));
    QCOMPARE(shown.size(), bars);
    QCOMPARE((QStringList{shown.first().label, shown.last().label}), labels);
    QCOMPARE(shown.first().tally, first);
    Tally sum;
    for (const DailyChart::Bar &bar : shown)
        sum += bar.tally;
    QCOMPARE(sum, all);
}

void TestResultsAnalysis::chartReadAloud()
{
    const QMap<QDate, Tally> days{{QDate(2026, 12, 9), {12, 13}}, {QDate(2026, 12, 7), {1, 1}}};
    QCOMPARE(DailyChart(days, QDate(2026, 12, 3), QDate(2026, 12, 9)).description(),
             QStringLiteral("7/12: 1 esatta, 0 errate. 9/12: 12 esatte, 1 errata."));
    QCOMPARE(DailyChart(days, QDate(2026, 11, 1), QDate(2026, 11, 30)).description(),
             QStringLiteral("Nessuna risposta nel periodo."));
}

void TestResultsAnalysis::heatMapNames_data()
{
    QTest::addColumn<qreal>("widthMm");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("hidden");
    QTest::newRow("room for whole names")
        << 160.0 << "SETTEMBRE|GIU|nome spostato|messo al posto di|27|9" << QString();
    QTest::newRow("short of room") << 60.0 << "SET|GIU|27|9"
                                   << "SETTEMBRE";
}

void TestResultsAnalysis::heatMapNames()
{
    QFETCH(qreal, widthMm);
    QFETCH(QString, shown);
    QFETCH(QString, hidden);

    ConfusionMap map(KnownNames::Set::Months);
    for (int i = 0; i < 27; ++i)
        map.add(5, 5, i < 9 ? QStringLiteral("en") : QStringLiteral("it"));
    for (int i = 0; i < 9; ++i)
        map.add(8, 9, QStringLiteral("it"));
    const QString path = folder_.filePath(QStringLiteral("mappa.pdf"));
    {
        QPdfWriter pdf(path);
        pdf.setResolution(600);
        QPainter painter(&pdf);
        const qreal mm = pdf.logicalDpiX() / 25.4;
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(7.5);
        const QRectF rect(0, 0, widthMm * mm, 150 * mm);
        const QRectF used = ConfusionHeatMap(map).draw(painter, rect, font);
        QVERIFY(!used.isEmpty() && rect.contains(used));
    }
    verifyPage(path, 1, shown, hidden);
}

void TestResultsAnalysis::shadesKeepTheirOrderInGrey()
{
    // Readable as the web's contrast rule counts it: 4.5 to 1 at least.
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
        QVERIFY2(qGray(shade.rgb()) < previous && readable(shade),
                 qPrintable(QString::number(share)));
        previous = qGray(shade.rgb());
    }
    for (const int most : {1, 2, 5, 11, 40}) {
        QCOMPARE(ResultsColours::forCount(0, most), QColor(Qt::white));
        previous = 256;
        for (int count = 1; count <= most; ++count) {
            const QColor shade = ResultsColours::forCount(count, most);
            // A single mistake shows; more never look like fewer.
            QVERIFY(qGray(shade.rgb()) < 245 && qGray(shade.rgb()) <= previous);
            QVERIFY(readable(shade));
            previous = qGray(shade.rgb());
        }
        QVERIFY(most == 1 || qGray(ResultsColours::forCount(1, most).rgb()) > previous);
    }
    // Right and wrong bars differ in grey as well as in hue.
    QVERIFY(qAbs(qGray(ResultsColours::right().rgb()) - qGray(ResultsColours::wrong().rgb())) > 60);
}

void TestResultsAnalysis::report_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("shown"); // words between '|'
    QTest::addColumn<QString>("hidden");
    const auto row = [](const char *tag, int page, const char *shown, const char *hidden = "") {
        QTest::newRow(tag) << page << QString::fromUtf8(shown) << QString::fromUtf8(hidden);
    };
    row("one wrong drop", 1,
        "Niccolò|Classe 3ª B|Periodo: ultima settimana, dal 3/12/2026 al 9/12/2026|Riordina i mesi "
        "(1)|92%|pagina 1 di 4|"
        "LUGLIO messo al posto di GIUGNO: 1 volta|Stampato il 9 dicembre 2026|"
        "Ha giocato l'ultima volta mercoledì 9 dicembre 2026.",
        "MARZO messo");
    row("the calendar", 2,
        "Giulia|MARZO messo al posto di APRILE: 1 volta|Usa il calendario|50%|"
        "Giorno vicino a quello giusto",
        "LUGLIO messo");
    row("never played", 3, "Aldo|Non ha ancora giocato.");
    row("nothing in the period", 4,
        "Bruno|Nessuna risposta nel periodo scelto.|"
        "Ha giocato l'ultima volta martedì 1 dicembre 2026.");
}

// A page a child, each with that child's own results only.
void TestResultsAnalysis::report()
{
    QFETCH(int, page);
    QFETCH(QString, shown);
    QFETCH(QString, hidden);

    const QString info = run(QStringLiteral("pdfinfo"), {classReport_});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("\nPages: +4\n"))), qPrintable(info));
    QVERIFY2(
        info.contains(QRegularExpression(QStringLiteral("(^|\n)Title: +Risultati della classe\n"))),
        qPrintable(info));
    verifyPage(classReport_, page, shown, hidden);
}

// A printer that runs out of pages after the first.
class OnePageWriter : public QPdfWriter
{
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override { return false; }
};

void TestResultsAnalysis::reportOfOneChildOrOfNone()
{
    const ResultsAnalysis analysis = everything({});
    const QString own = folder_.filePath(QStringLiteral("Niccolò.pdf"));
    QString error;
    QVERIFY2(
        ReportWriter(analysis).savePdf(own, {{niccolo, QStringLiteral("Niccolò"), {}}}, &error),
        qPrintable(error));
    const QString info = run(QStringLiteral("pdfinfo"), {own});
    QVERIFY2(
        info.contains(QRegularExpression(QStringLiteral("(^|\n)Title: +Risultati di Niccolò\n"))),
        qPrintable(info));
    verifyPage(own, 1, QStringLiteral("Periodo: tutto, fino al 9/12/2026"), QString());

    OnePageWriter short_(folder_.filePath(QStringLiteral("corto.pdf")));
    QVERIFY(!ReportWriter(analysis).write(
        short_, {{niccolo, QStringLiteral("Niccolò"), {}}, {giulia, QStringLiteral("Giulia"), {}}},
        &error));
    QCOMPARE(error, QStringLiteral("La pagina 2 non si può aggiungere."));

    QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
    QVERIFY(!ReportWriter(analysis).savePdf(folder_.filePath(QStringLiteral("manca/Niccolò.pdf")),
                                            {{niccolo, QStringLiteral("Niccolò"), {}}}, &error));
    QCOMPARE(error, QStringLiteral("Il file Niccolò.pdf non si può scrivere."));
    QVERIFY(
        !ReportWriter(analysis).savePdf(folder_.filePath(QStringLiteral("vuoto.pdf")), {}, &error));
    QCOMPARE(error, QStringLiteral("Non c'è nessun bambino da stampare."));
}

QTEST_MAIN(TestResultsAnalysis)
#include "tst_results_analysis.moc"
