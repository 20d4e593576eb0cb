#include "ClockRandom.h"
#include "Language.h"
#include "Names.h"
#include "OrderingRound.h"
#include "OrderingRules.h"
#include "ScriptedRandom.h"

#include <QTest>

#include <algorithm>

using Rows = std::vector<int>;
Q_DECLARE_METATYPE(Rows)

namespace {

const double top = ScriptedRandom::justBelowOne();

QList<double> repeated(double r, int n)
{
    return QList<double>(n, r);
}

} // namespace

class TestOrderingRules : public QObject
{
    Q_OBJECT

private slots:
    void shuffle_data();
    void shuffle();
    void shuffleIsAlwaysOneNamePerRow_data();
    void shuffleIsAlwaysOneNamePerRow();
    void sequence_data();
    void sequence();
    void roundLength_data();
    void roundLength();
    void dropJudgement_data();
    void dropJudgement();
    void newRoundRestoresEverything();
};

void TestOrderingRules::shuffle_data()
{
    QTest::addColumn<QList<double>>("draws");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("12, all 0: order kept")
        << repeated(0.0, 12) << Rows{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("12, all just below 1: last name on top")
        << repeated(top, 12) << Rows{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0};
    QTest::newRow("7, all 0: order kept") << repeated(0.0, 7) << Rows{0, 1, 2, 3, 4, 5, 6};
    QTest::newRow("7, all just below 1: last name on top")
        << repeated(top, 7) << Rows{1, 2, 3, 4, 5, 6, 0};
    // The search walks forward from the drawn name and wraps round to 0.
    QTest::newRow("4, all 0.5: forward search wraps") << repeated(0.5, 4) << Rows{2, 3, 0, 1};
    QTest::newRow("4, mixed draws") << QList<double>{0.6, 0.0, 0.6, 0.3} << Rows{1, 3, 0, 2};
}

void TestOrderingRules::shuffle()
{
    QFETCH(QList<double>, draws);
    QFETCH(Rows, rows);
    ScriptedRandom random(draws);
    QCOMPARE(OrderingRules::ScombiccheraPosti(int(rows.size()), random), rows);
    QCOMPARE(random.draws(), int(rows.size()));
}

void TestOrderingRules::shuffleIsAlwaysOneNamePerRow_data()
{
    QTest::addColumn<int>("n");
    QTest::newRow("months") << 12;
    QTest::newRow("days") << 7;
}

void TestOrderingRules::shuffleIsAlwaysOneNamePerRow()
{
    QFETCH(int, n);
    ClockRandom random;
    random.seed(7);
    for (int round = 0; round < 2000; ++round) {
        Rows rows = OrderingRules::ScombiccheraPosti(n, random);
        std::sort(rows.begin(), rows.end());
        for (int k = 0; k < n; ++k)
            QCOMPARE(rows[std::size_t(k)], k);
    }
}

void TestOrderingRules::sequence_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<double>("r");
    QTest::addColumn<QStringList>("sequence");
    const QStringList months = Names::monthsUpper();
    const QStringList days = Names::daysLower();
    QTest::newRow("months, r = 0") << months << 0.0 << months;
    QTest::newRow("months, r just below 1: FEBBRAIO first")
        << months << top << months.mid(1) + months.mid(0, 1);
    QTest::newRow("months, s = 1: DICEMBRE first")
        << months << 1.0 / 12 + 1e-12 << months.mid(11) + months.mid(0, 11);
    QTest::newRow("days, r = 0") << days << 0.0 << days;
    QTest::newRow("days, r just below 1: martedì first")
        << days << top << days.mid(1) + days.mid(0, 1);
    QTest::newRow("days, s = 1: domenica first")
        << days << 1.0 / 7 + 1e-12 << days.mid(6) + days.mid(0, 6);
    // In English the week starts on Monday too, and the names are in capitals.
    const QStringList englishDays{"MONDAY", "TUESDAY",  "WEDNESDAY", "THURSDAY",
                                  "FRIDAY", "SATURDAY", "SUNDAY"};
    QCOMPARE(Language::english().daysOrdering, englishDays);
    QCOMPARE(Language::english().daysCycle, englishDays);
    QTest::newRow("English days, r just below 1: TUESDAY first")
        << englishDays << top << englishDays.mid(1) + englishDays.mid(0, 1);
    const QStringList englishMonths{"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                    "MAY",       "JUNE",     "JULY",     "AUGUST",
                                    "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
    QCOMPARE(Language::english().monthsUpper, englishMonths);
    QTest::newRow("English months, s = 1: DECEMBER first")
        << englishMonths << 1.0 / 12 + 1e-12 << englishMonths.mid(11) + englishMonths.mid(0, 11);
    // Any other code is Italian, the default.
    QCOMPARE(Language::of(QStringLiteral("fr")).monthsUpper, months);
}

void TestOrderingRules::sequence()
{
    QFETCH(QStringList, names);
    QFETCH(double, r);
    QFETCH(QStringList, sequence);
    ScriptedRandom random({r});
    QCOMPARE(OrderingRules::CaricaMesi(names, random), sequence);
    QCOMPARE(random.draws(), 1);
}

void TestOrderingRules::roundLength_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("givenFirst");
    QTest::addColumn<int>("length");
    QTest::newRow("months, all to place") << Names::monthsUpper() << false << 12;
    QTest::newRow("days, all to place") << Names::daysLower() << false << 7;
    QTest::newRow("months, first given") << Names::monthsUpper() << true << 11;
    QTest::newRow("days, first given") << Names::daysLower() << true << 6;
}

void TestOrderingRules::roundLength()
{
    QFETCH(QStringList, names);
    QFETCH(bool, givenFirst);
    QFETCH(int, length);
    ScriptedRandom random({0.4});
    OrderingRound round(names, givenFirst);
    round.NuovoEsercizio(random);
    const int n = round.size();
    int completions = 0;
    for (int i = n - 1; i >= 0; --i) {
        // A wrong answer before every right one changes nothing.
        QCOMPARE(round.judge(i, (i + 1) % n),
                 givenFirst && i == 0 ? Answer::Ignored : Answer::Wrong);
        if (round.judge(i, i) != Answer::Right)
            continue;
        round.place(i);
        if (round.countPlaced())
            ++completions;
        QCOMPARE(completions, i == (givenFirst ? 1 : 0) ? 1 : 0);
    }
    QCOMPARE(round.NumSistemati(), length);
    QCOMPARE(round.roundLength(), length);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(round.placeText(i), round.Sequenza()[i]);
        QVERIFY(!round.draggable(i));
    }
}

void TestOrderingRules::dropJudgement_data()
{
    QTest::addColumn<bool>("givenFirst");
    QTest::addColumn<int>("name");
    QTest::addColumn<int>("place");
    QTest::addColumn<int>("answer");
    const int ignored = int(Answer::Ignored);
    const int wrong = int(Answer::Wrong);
    const int right = int(Answer::Right);
    QTest::newRow("own place") << false << 0 << 0 << right;
    QTest::newRow("other empty place") << false << 0 << 5 << wrong;
    QTest::newRow("place already filled") << false << 3 << 2 << wrong;
    QTest::newRow("placed name") << false << 2 << 2 << ignored;
    QTest::newRow("given first: own place") << true << 5 << 5 << right;
    QTest::newRow("given first: place 0") << true << 5 << 0 << wrong;
    QTest::newRow("given first: hidden name 0") << true << 0 << 0 << ignored;
    QTest::newRow("index out of range") << false << 12 << 12 << ignored;
}

void TestOrderingRules::dropJudgement()
{
    QFETCH(bool, givenFirst);
    QFETCH(int, name);
    QFETCH(int, place);
    QFETCH(int, answer);
    ScriptedRandom random({0.0});
    OrderingRound round(Names::monthsUpper(), givenFirst);
    round.NuovoEsercizio(random);
    if (!givenFirst)
        round.place(2);
    const QString before = round.placeText(place % 12);
    QCOMPARE(int(round.judge(name, place)), answer);
    QCOMPARE(round.placeText(place % 12), before);
}

void TestOrderingRules::newRoundRestoresEverything()
{
    ScriptedRandom random({0.5});
    OrderingRound round(Names::daysLower(), true);
    round.NuovoEsercizio(random);
    for (int i = 1; i < 7; ++i) {
        round.place(i);
        round.countPlaced();
    }
    random.script({0.0});
    round.NuovoEsercizio(random);
    QCOMPARE(round.NumSistemati(), 0);
    QCOMPARE(round.placeText(0), QStringLiteral("lunedì"));
    for (int i = 1; i < 7; ++i) {
        QVERIFY(round.draggable(i));
        QCOMPARE(round.nameText(i), Names::daysLower()[i]);
        QVERIFY(round.placeText(i).isEmpty());
    }
    QVERIFY(!round.nameVisible(0));
}

QTEST_GUILESS_MAIN(TestOrderingRules)
#include "tst_ordering_rules.moc"
