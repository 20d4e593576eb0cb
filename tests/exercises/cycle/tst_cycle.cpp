#include "ClockRandom.h"
#include "Controls.h"
#include "CycleRound.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormCiclo.h"
#include "Language.h"
#include "Modulo1.h"
#include "Names.h"
#include "TestProgram.h"

#include <QAbstractButton>
#include <QTest>

Q_DECLARE_METATYPE(Finestra)

namespace {

const double top = ScriptedRandom::justBelowOne();

struct Cycle
{
    explicit Cycle(FormCiclo *window) : window(window) {}
    FormCiclo *window;

    const CycleRound &round() const { return window->round(); }
    int n() const { return round().size(); }
    DropLabel *place(int i) const
    {
        return window->findChild<DropLabel *>(QStringLiteral("Label3(%1)").arg(i));
    }
    DragLabel *card(int j) const
    {
        return window->findChild<DragLabel *>(QStringLiteral("Label4(%1)").arg(j));
    }
    QAbstractButton *avanti() const
    {
        return window->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"));
    }
    int shown() const
    {
        int visible = -1;
        for (int j = 0; j < n(); ++j) {
            if (!card(j)->isHidden()) {
                if (visible != -1)
                    return -2;
                visible = j;
            }
        }
        return visible;
    }
    void drop(int card, int place) const { Drops::dropName(this->place(place), card); }
    QStringList texts() const
    {
        QStringList all;
        for (int i = 0; i < n(); ++i)
            all << place(i)->text() << card(i)->text() << round().cardMark(i);
        return all;
    }
};

} // namespace

class TestCycle : public QObject
{
    Q_OBJECT

private slots:
    void startPlace_data();
    void startPlace();
    void nextCardSearchesForward_data();
    void nextCardSearchesForward();
    void aCardIsAlwaysFoundWhileRoundRuns_data();
    void aCardIsAlwaysFoundWhileRoundRuns();
    void ringDesign_data();
    void ringDesign();
    void wrongDropsChangeNoTextOrMark_data();
    void wrongDropsChangeNoTextOrMark();
    void roundNeedsExactlyNMinusOneRightDrops_data();
    void roundNeedsExactlyNMinusOneRightDrops();
    void automaticModeStartsNextRound();
};

void TestCycle::startPlace_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("onTop");
    QTest::newRow("months, k = 0") << Names::monthsUpper() << 0.0 << 0 << "GENNAIO";
    QTest::newRow("months, k = 11") << Names::monthsUpper() << top << 11 << "FEBBRAIO";
    QTest::newRow("days, k = 0") << Names::daysCapitalised() << 0.0 << 0 << "Lunedì";
    QTest::newRow("days, k = 6") << Names::daysCapitalised() << top << 6 << "Martedì";
}

void TestCycle::startPlace()
{
    QFETCH(QStringList, names);
    QFETCH(double, r);
    QFETCH(int, k);
    QFETCH(QString, onTop);
    ScriptedRandom random({r, 0.0});
    CycleRound round(names);
    round.NuovoEsercizio(random);
    const int n = round.size();
    QCOMPARE(round.startPlace(), k);
    QCOMPARE(round.placeText(k), names[0]);
    QCOMPARE(round.cardMark(k), QStringLiteral("Fatta"));
    // Card j carries the name that belongs on place j, clockwise from the given one.
    QCOMPARE(round.cardText(0), onTop);
    QCOMPARE(round.nameOf(0), onTop);
    for (int i = 0; i < n; ++i) {
        QCOMPARE(round.cardText((k + i) % n), names[i]);
        QCOMPARE(round.nameOf((k + i) % n), names[i]);
    }
    for (int j = 0; j < n; ++j) {
        if (j != k)
            QVERIFY(round.placeText(j).isEmpty());
    }
    QCOMPARE(random.draws(), 2);
}

void TestCycle::nextCardSearchesForward_data()
{
    QTest::addColumn<double>("startDraw");
    QTest::addColumn<double>("cardDraw");
    QTest::addColumn<int>("card");
    // Seven days; the given name sits on the place the first draw picks.
    QTest::newRow("drawn card is free") << 0.0 << 0.5 << 3;
    QTest::newRow("drawn card is the given one: next") << 0.0 << 0.0 << 1;
    QTest::newRow("given card last: wraps to 0") << top << top << 0;
    QTest::newRow("given card in the middle") << 3.0 / 7 + 1e-9 << 3.0 / 7 + 1e-9 << 4;
}

void TestCycle::nextCardSearchesForward()
{
    QFETCH(double, startDraw);
    QFETCH(double, cardDraw);
    QFETCH(int, card);
    ScriptedRandom random({startDraw, cardDraw});
    CycleRound round(Names::daysCapitalised());
    round.NuovoEsercizio(random);
    QCOMPARE(round.visibleCard(), card);
    QCOMPARE(round.cardMark(card), QStringLiteral("fatta"));
    QCOMPARE(random.draws(), 2);
}

void TestCycle::aCardIsAlwaysFoundWhileRoundRuns_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::newRow("months") << Names::monthsUpper();
    QTest::newRow("days") << Names::daysCapitalised();
}

void TestCycle::aCardIsAlwaysFoundWhileRoundRuns()
{
    QFETCH(QStringList, names);
    ClockRandom random;
    random.seed(99);
    CycleRound round(names);
    for (int rounds = 0; rounds < 500; ++rounds) {
        round.NuovoEsercizio(random);
        for (int placed = 0; placed < round.roundLength(); ++placed) {
            const int card = round.visibleCard();
            QVERIFY(card >= 0);
            QCOMPARE(round.judge(card, card), Answer::Right);
            round.place(card);
            const bool complete = round.countPlaced(card);
            QCOMPARE(complete, placed == round.roundLength() - 1);
            if (!complete)
                round.PresentaParola(random);
        }
        QCOMPARE(round.visibleCard(), -1);
        for (int i = 0; i < round.size(); ++i) {
            QCOMPARE(round.placeText(i),
                     names[(i - round.startPlace() + round.size()) % round.size()]);
            QVERIFY(round.cardMark(i) != QString());
        }
    }
}

void TestCycle::ringDesign_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<QList<QRect>>("places");
    QTest::newRow("Form5") << Finestra::Form5
                           << QList<QRect>{
                                  {196, 7, 133, 25},   {329, 49, 133, 25},  {385, 84, 133, 25},
                                  {413, 126, 133, 25}, {378, 168, 133, 25}, {350, 210, 133, 25},
                                  {182, 259, 167, 25}, {56, 217, 133, 25},  {21, 175, 133, 25},
                                  {0, 133, 133, 25},   {21, 91, 133, 25},   {63, 49, 133, 25}};
    QTest::newRow("Form6") << Finestra::Form6
                           << QList<QRect>{{196, 7, 133, 25},   {371, 56, 133, 25},
                                           {406, 140, 133, 25}, {308, 217, 133, 25},
                                           {91, 217, 133, 25},  {28, 147, 133, 25},
                                           {21, 56, 167, 25}};
}

void TestCycle::ringDesign()
{
    QFETCH(Finestra, window);
    QFETCH(QList<QRect>, places);
    TestProgram program;
    Cycle c(program.open<FormCiclo>(window));
    QCOMPARE(c.n(), places.size());
    QVERIFY(!c.place(c.n()));
    for (int i = 0; i < c.n(); ++i) {
        QCOMPARE(c.place(i)->geometry(), places[i]);
        QCOMPARE(c.place(i)->font().pixelSize(), 19);
        QCOMPARE(Controls::background(c.place(i)), QColor(Qt::white));
        QCOMPARE(c.card(i)->geometry(), QRect(200, 133, 133, 25));
        QCOMPARE(Controls::background(c.card(i)), QColor(255, 255, 0));
        QVERIFY(c.card(i)->hasBorder());
        // The longest names of both languages fit the ring's narrowest boxes:
        // "SETTEMBRE", "SEPTEMBER", "WEDNESDAY", "SATURDAY".
        const QFontMetrics metrics(c.place(i)->font());
        for (const Language *language : {&Language::italian(), &Language::english()}) {
            const QStringList names =
                window == Finestra::Form6 ? language->daysCycle : language->monthsUpper;
            for (const QString &name : names)
                QVERIFY2(metrics.horizontalAdvance(name) <= places[i].width() - 4,
                         qPrintable(name));
        }
    }
    QVERIFY(c.shown() >= 0);
}

void TestCycle::wrongDropsChangeNoTextOrMark_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<QString>("target");
    for (Finestra w : {Finestra::Form5, Finestra::Form6}) {
        QTest::addRow("%s: the given name's place", windowName(w)) << w << "given";
        QTest::addRow("%s: a filled place", windowName(w)) << w << "filled";
        QTest::addRow("%s: another name's place", windowName(w)) << w << "other";
    }
}

void TestCycle::wrongDropsChangeNoTextOrMark()
{
    QFETCH(Finestra, window);
    QFETCH(QString, target);
    TestProgram program;
    // Start place 0, first card 1, then card 2.
    program.random.script({0.0, 0.0, 0.0, 0.0});
    Cycle c(program.open<FormCiclo>(window));
    QCOMPARE(c.shown(), 1);
    c.drop(1, 1);
    QCOMPARE(c.shown(), 2);
    const QStringList before = c.texts();
    const int place = target == QLatin1String("given")    ? 0
                      : target == QLatin1String("filled") ? 1
                                                          : 5;
    c.drop(2, place);
    QCOMPARE(c.texts(), before);
    QCOMPARE(c.shown(), 2);
    QCOMPARE(c.round().NumSistemati(), 1);
    QCOMPARE(Modulo1::NumErrati, qint16(1));
    QCOMPARE(c.window->backgroundColour(), QColor(Qt::black));
    // A release on a hidden card's place, or with a hidden card, does nothing.
    c.drop(3, 3);
    QCOMPARE(Modulo1::NumErrati, qint16(1));
    QCOMPARE(Modulo1::NumEsatti, qint16(1));
}

void TestCycle::roundNeedsExactlyNMinusOneRightDrops_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<int>("rightDrops");
    QTest::newRow("Form5") << Finestra::Form5 << 11;
    QTest::newRow("Form6") << Finestra::Form6 << 6;
}

void TestCycle::roundNeedsExactlyNMinusOneRightDrops()
{
    QFETCH(Finestra, window);
    QFETCH(int, rightDrops);
    TestProgram program;
    program.random.script({0.3, 0.6, 0.2});
    Cycle c(program.open<FormCiclo>(window));
    const QStringList names = c.round().NomiCiclo();
    const int k = c.round().startPlace();
    for (int made = 1; made <= rightDrops; ++made) {
        const int card = c.shown();
        QVERIFY(card >= 0);
        c.drop(card, (card + 1) % c.n());
        QCOMPARE(c.round().NumSistemati(), made - 1);
        c.drop(card, card);
        QCOMPARE(c.round().NumSistemati(), made);
        QCOMPARE(c.avanti()->isEnabled(), made == rightDrops);
    }
    QCOMPARE(c.shown(), -1);
    for (int i = 0; i < c.n(); ++i)
        QCOMPARE(c.place(i)->text(), names[(i - k + c.n()) % c.n()]);
    QVERIFY(c.window->backgroundColour() != QColor(Qt::black));

    c.avanti()->click();
    QVERIFY(!c.avanti()->isEnabled());
    QCOMPARE(c.round().NumSistemati(), 0);
    QVERIFY(c.shown() >= 0);
}

void TestCycle::automaticModeStartsNextRound()
{
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    Cycle c(program.open<FormCiclo>(Finestra::Form6));
    for (int made = 0; made < 6; ++made)
        c.drop(c.shown(), c.shown());
    QVERIFY(c.avanti()->isHidden());
    QCOMPARE(c.round().NumSistemati(), 0);
    QVERIFY(c.shown() >= 0);
    int filled = 0;
    for (int i = 0; i < 7; ++i)
        filled += c.place(i)->text().isEmpty() ? 0 : 1;
    QCOMPARE(filled, 1);
    QCOMPARE(Modulo1::NumEsatti, qint16(6));
}

QTEST_MAIN(TestCycle)
#include "tst_cycle.moc"
