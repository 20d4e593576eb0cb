#include "Language.h"
#include "ResultsFolder.h"
#include "ResultsTesting.h"
#include "ReviewPlan.h"
#include "ReviewSchedule.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

using Kind = ReviewSchedule::Kind;
using Item = ReviewSchedule::Item;

const QDate start(2026, 11, 2);

// A name as its item: "LUGLIO" month 7, "lunedì" and "MONDAY" day 1.
std::pair<Items, int> itemOf(const QString &word)
{
    for (const Language *language : {&Language::italian(), &Language::english()}) {
        if (const qsizetype m = language->monthsUpper.indexOf(word); m >= 0)
            return {Items::Months, int(m) + 1};
        if (const qsizetype d = language->daysOrdering.indexOf(word); d >= 0)
            return {Items::Days, int(d) + 1};
    }
    const QDate date = QDate::fromString(word, Qt::ISODate);
    return {Items::Dates, date.year() * 10000 + date.month() * 100 + date.day()};
}

// "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO": on day 0 LUGLIO put on GIUGNO's
// place, on day 1 on its own; days counted from the start.
QList<AnswerDay> history(const QString &answers)
{
    QList<AnswerDay> days;
    for (const QString &answer : answers.split(u' ', Qt::SkipEmptyParts)) {
        const int day = answer.section(u':', 0, 0).toInt();
        const QString asked = answer.section(u':', 1).section(u'>', 0, 0);
        const QString given = answer.section(u':', 1).section(u'>', 1);
        const auto [items, a] = itemOf(asked);
        const int g = itemOf(given).second;
        days.append({QStringLiteral("marco"), items, a, g, start.addDays(day), asked == given});
    }
    return days;
}

// "LUGLIO:1 GIUGNO:0 cal7:2": items and their boxes.
QList<std::pair<Item, int>> boxes(const QString &expected)
{
    QList<std::pair<Item, int>> items;
    for (const QString &entry : expected.split(u' ', Qt::SkipEmptyParts)) {
        const QString name = entry.section(u':', 0, 0);
        const int box = entry.section(u':', 1).toInt();
        if (name.startsWith(QLatin1String("cal")))
            items.append({{Kind::CalendarMonths, name.mid(3).toInt()}, box});
        else {
            const auto [set, number] = itemOf(name);
            items.append({{set == Items::Months ? Kind::Months : Kind::Days, number}, box});
        }
    }
    return items;
}

QString nameOf(const Item &item)
{
    switch (item.kind) {
    case Kind::Months:
        return Language::italian().monthsUpper.value(item.number - 1);
    case Kind::Days:
        return Language::italian().daysOrdering.value(item.number - 1);
    case Kind::CalendarMonths:
        break;
    }
    return QStringLiteral("cal%1").arg(item.number);
}

} // namespace

class TestReview : public QObject
{
    Q_OBJECT

private slots:
    void schedule_data();
    void schedule();
    void states();
    void theStoreCountsTheSameReview_data();
    void theStoreCountsTheSameReview();
    void plan_data();
    void plan();
};

void TestReview::schedule_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<int>("today"); // days from the start
    QTest::addColumn<QString>("boxes");
    QTest::addColumn<QString>("due"); // in the order of every item
    const auto row = [](const char *name, const char *answers, int today, const char *boxes,
                        const char *due) {
        QTest::newRow(name) << QString::fromUtf8(answers) << today << QString::fromUtf8(boxes)
                            << QString::fromUtf8(due);
    };
    row("never missed", "0:LUGLIO>LUGLIO 3:lunedì>lunedì", 9, "LUGLIO:0 lunedì:0", "");
    row("a missed pair, the same day", "0:LUGLIO>GIUGNO", 0, "LUGLIO:1 GIUGNO:1 AGOSTO:0", "");
    row("a missed pair, the next day", "0:LUGLIO>GIUGNO", 1, "LUGLIO:1 GIUGNO:1", "GIUGNO LUGLIO");
    row("right when due moves up", "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO", 2, "LUGLIO:2 GIUGNO:1",
        "GIUGNO");
    row("the widening waits", "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 3:LUGLIO>LUGLIO 7:LUGLIO>LUGLIO", 14,
        "LUGLIO:4 GIUGNO:1", "GIUGNO");
    row("secure, asked again after 8 days",
        "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 3:LUGLIO>LUGLIO 7:LUGLIO>LUGLIO", 15, "LUGLIO:4",
        "GIUGNO LUGLIO");
    row("box 5 stays 5",
        "0:LUGLIO>AGOSTO 1:LUGLIO>LUGLIO 3:LUGLIO>LUGLIO 7:LUGLIO>LUGLIO 15:LUGLIO>LUGLIO "
        "31:LUGLIO>LUGLIO",
        46, "LUGLIO:5", "AGOSTO");
    row("a miss after secure",
        "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 3:LUGLIO>LUGLIO 7:LUGLIO>LUGLIO 9:MAGGIO>LUGLIO", 10,
        "LUGLIO:1 MAGGIO:1", "MAGGIO GIUGNO LUGLIO");
    row("cramming on one day counts once",
        "0:LUGLIO>GIUGNO 0:LUGLIO>LUGLIO 0:LUGLIO>LUGLIO 1:LUGLIO>LUGLIO 1:LUGLIO>LUGLIO", 2,
        "LUGLIO:2", "GIUGNO");
    row("right before it is due changes nothing", "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 2:LUGLIO>LUGLIO",
        3, "LUGLIO:2", "GIUGNO LUGLIO");
    row("wrong before it is due sends it back", "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 2:AGOSTO>LUGLIO",
        3, "LUGLIO:1 AGOSTO:1", "GIUGNO LUGLIO AGOSTO");
    row("right then wrong on a due day", "0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 1:GIUGNO>LUGLIO", 2,
        "LUGLIO:1 GIUGNO:1", "GIUGNO LUGLIO");
    row("English names are the same items", "0:JULY>JUNE 1:LUGLIO>LUGLIO", 2, "LUGLIO:2 GIUGNO:1",
        "GIUGNO");
    row("two computers' files, in any order", "1:LUGLIO>LUGLIO 0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO", 2,
        "LUGLIO:2", "GIUGNO");
    row("days wrap from domenica", "0:domenica>lunedì", 1, "domenica:1 lunedì:1 sabato:0",
        "lunedì domenica");
    row("a calendar miss is the asked month", "0:2001-07-05>2001-07-06", 1, "cal7:1 LUGLIO:0",
        "cal7");
    row("a calendar right answer when due", "0:2001-07-05>2001-08-05 1:2002-07-30>2002-07-30", 2,
        "cal7:2 cal8:0", "");
    row("a day ahead on another computer's clock", "0:LUGLIO>GIUGNO 5:LUGLIO>LUGLIO", 1, "LUGLIO:1",
        "GIUGNO LUGLIO");
}

void TestReview::schedule()
{
    QFETCH(QString, answers);
    QFETCH(int, today);
    QFETCH(QString, boxes);
    QFETCH(QString, due);
    const ReviewSchedule schedule(history(answers), start.addDays(today));
    for (const auto &[item, box] : ::boxes(boxes))
        QCOMPARE(schedule.box(item), box);
    QStringList said;
    for (const Item &item : schedule.due())
        said << nameOf(item);
    QCOMPARE(said.join(u' '), due);
}

void TestReview::states()
{
    // Right on three days spread over a week since the last miss: secure.
    const QList<AnswerDay> days =
        history("0:LUGLIO>GIUGNO 1:LUGLIO>LUGLIO 3:LUGLIO>LUGLIO 7:LUGLIO>LUGLIO");
    const Item luglio{Kind::Months, 7};
    const Item giugno{Kind::Months, 6};
    const Item marzo{Kind::Months, 3};
    const ReviewSchedule before(days, start.addDays(6));
    QCOMPARE(before.state(luglio), ReviewSchedule::State::ToReview);
    const ReviewSchedule after(days, start.addDays(7));
    QCOMPARE(after.state(luglio), ReviewSchedule::State::Secure);
    QCOMPARE(after.state(giugno), ReviewSchedule::State::ToReview);
    QCOMPARE(after.state(marzo), ReviewSchedule::State::New);
    QCOMPARE(after.secure(), 1);
    QCOMPARE(after.everMissed(), 2);
    // GIUGNO has waited since day 0 in box 1; LUGLIO waits 8 days from day 7.
    QCOMPARE(after.nextDue(), start.addDays(1));
    QCOMPARE(ReviewSchedule(history("0:LUGLIO>LUGLIO"), start).nextDue(), QDate());
}

void TestReview::theStoreCountsTheSameReview_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<int>("wrongInTen");
    for (int seed : {1, 2, 3})
        QTest::addRow("seed %d, mostly right", seed) << seed << 2;
    QTest::addRow("often wrong") << 4 << 6;
}

// The store asks SQL for a child's last miss of each item and the days
// since: the same review as every answer, one by one.
void TestReview::theStoreCountsTheSameReview()
{
    QFETCH(int, seed);
    QFETCH(int, wrongInTen);
    QRandomGenerator random{quint32(seed)};
    QTemporaryDir folder;
    QList<AnswerDay> each;
    QList<KeptAnswer> files[2];
    for (int n = 0; n < 600; ++n) {
        KeptAnswer answer = ResultsTesting::answer(
            QStringLiteral("marco"), 0,
            QDateTime(start.addDays(random.bounded(60)), QTime(8 + random.bounded(12), 0)));
        const int kind = random.bounded(3);
        answer.items = kind == 0 ? Items::Months : kind == 1 ? Items::Days : Items::Dates;
        const int count = answer.items == Items::Days ? 7 : 12;
        const int asked = 1 + random.bounded(count);
        const bool wrong = random.bounded(10) < wrongInTen;
        const int given = wrong ? (asked % count) + 1 : asked;
        answer.language = random.bounded(4) ? QStringLiteral("it") : QStringLiteral("en");
        if (answer.items == Items::Dates) {
            answer.asked = 20010000 + asked * 100 + 5;
            answer.given = wrong ? answer.asked + 1 : answer.asked;
        } else {
            answer.asked = asked;
            answer.given = given;
        }
        answer.right = !wrong;
        files[n % 2].append(answer);
        each.append({answer.child, answer.items, answer.asked, answer.given, answer.when.date(),
                     answer.right});
    }
    ResultsTesting::fill(folder.path(), QStringLiteral("pc1"), files[0]);
    ResultsTesting::fill(folder.path(), QStringLiteral("pc2"), files[1], QStringLiteral("delete"));
    // Days before the last answers too: those after today do not count yet.
    for (int today : {0, 20, 45, 59, 90}) {
        const QDate day = start.addDays(today);
        QStringList problems;
        const ReviewSchedule fromStore(
            ResultsFolder::daysOf(folder.path(), QStringLiteral("marco"), day, &problems), day);
        QCOMPARE(problems, QStringList());
        const ReviewSchedule fromEach(each, day);
        for (const Item &item : ReviewSchedule::all()) {
            QCOMPARE(fromStore.box(item), fromEach.box(item));
            QCOMPARE(fromStore.lastMoved(item), fromEach.lastMoved(item));
        }
    }
}

void TestReview::plan_data()
{
    QTest::addColumn<QString>("due");
    QTest::addColumn<QString>("rounds"); // '|' between rounds, names top first
    const auto row = [](const char *name, const char *due, const char *rounds) {
        QTest::newRow(name) << QString::fromUtf8(due) << QString::fromUtf8(rounds);
    };
    row("a confused pair", "GIUGNO:0 LUGLIO:0", "MAGGIO GIUGNO LUGLIO AGOSTO");
    row("one month, the fewest places", "MARZO:0", "FEBBRAIO MARZO APRILE");
    row("wrapping from DICEMBRE", "GENNAIO:0", "DICEMBRE GENNAIO FEBBRAIO");
    row("across the new year", "DICEMBRE:0 GENNAIO:0", "NOVEMBRE DICEMBRE GENNAIO FEBBRAIO");
    row("other parts of the year", "MARZO:0 NOVEMBRE:0",
        "FEBBRAIO MARZO APRILE|OTTOBRE NOVEMBRE DICEMBRE");
    row("four in a row, the most places", "MARZO:0 APRILE:0 MAGGIO:0 GIUGNO:0",
        "FEBBRAIO MARZO APRILE MAGGIO GIUGNO LUGLIO");
    row("five in a row, two columns", "MARZO:0 APRILE:0 MAGGIO:0 GIUGNO:0 LUGLIO:0",
        "FEBBRAIO MARZO APRILE MAGGIO GIUGNO LUGLIO|GIUGNO LUGLIO AGOSTO");
    row("every month",
        "GENNAIO:0 FEBBRAIO:0 MARZO:0 APRILE:0 MAGGIO:0 GIUGNO:0 LUGLIO:0 AGOSTO:0 SETTEMBRE:0 "
        "OTTOBRE:0 NOVEMBRE:0 DICEMBRE:0",
        "DICEMBRE GENNAIO FEBBRAIO MARZO APRILE MAGGIO|APRILE MAGGIO GIUGNO LUGLIO AGOSTO "
        "SETTEMBRE|AGOSTO SETTEMBRE OTTOBRE NOVEMBRE DICEMBRE GENNAIO");
    row("days wrapping from domenica", "domenica:0 lunedì:0", "sabato domenica lunedì martedì");
    row("every day", "lunedì:0 martedì:0 mercoledì:0 giovedì:0 venerdì:0 sabato:0 domenica:0",
        "domenica lunedì martedì mercoledì giovedì venerdì|giovedì venerdì sabato domenica "
        "lunedì");
    row("months, then days, then the calendar", "cal3:0 martedì:0 LUGLIO:0 cal7:0",
        "GIUGNO LUGLIO AGOSTO|lunedì martedì mercoledì|cal3|cal7");
}

void TestReview::plan()
{
    QFETCH(QString, due);
    QFETCH(QString, rounds);
    QList<Item> items;
    for (const auto &[item, box] : boxes(due))
        items.append(item);
    QStringList said;
    for (const ReviewPlan::Round &round : ReviewPlan::of(items)) {
        QStringList names;
        for (int number : round.numbers)
            names << nameOf({round.kind, number});
        QVERIFY(round.kind == Kind::CalendarMonths || (names.size() >= ReviewPlan::fewestPlaces &&
                                                       names.size() <= ReviewPlan::mostPlaces));
        said << names.join(u' ');
    }
    QCOMPARE(said.join(u'|'), rounds);
}

QTEST_GUILESS_MAIN(TestReview)
#include "tst_review.moc"
