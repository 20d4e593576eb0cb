#include "Controls.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormRiordina.h"
#include "Modulo1.h"
#include "Names.h"
#include "TestProgram.h"

#include <QAbstractButton>
#include <QTest>

Q_DECLARE_METATYPE(Finestra)

namespace {

struct Ordering
{
    explicit Ordering(FormRiordina *window) : window(window) {}
    FormRiordina *window;

    int n() const { return window->round().size(); }
    DragLabel *name(int i) const
    {
        return window->findChild<DragLabel *>(QStringLiteral("Label3(%1)").arg(i));
    }
    DropLabel *place(int i) const
    {
        return window->findChild<DropLabel *>(QStringLiteral("Label4(%1)").arg(i));
    }
    QAbstractButton *avanti() const
    {
        return window->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"));
    }
    // Drops name j on place i through the same events a real drag delivers.
    void drop(int j, int i) const { Drops::dropName(place(i), j); }
    int first() const { return window->round().givenFirst() ? 1 : 0; }
    // Every name still to place dropped on its place, last one first.
    void completeRound() const
    {
        for (int j = n() - 1; j >= first(); --j) {
            if (window->round().draggable(j))
                drop(j, j);
        }
    }
    QStringList placeTexts() const
    {
        QStringList texts;
        for (int i = 0; i < n(); ++i)
            texts << place(i)->text();
        return texts;
    }
};

const QColor black(Qt::black);

} // namespace

class TestOrderingWindows : public QObject
{
    Q_OBJECT

private slots:
    void design_data();
    void design();
    void rowsFollowTheShuffle_data();
    void rowsFollowTheShuffle();
    void rightDropMovesTheName_data();
    void rightDropMovesTheName();
    void wrongDropsChangeOnlyTheFrame_data();
    void wrongDropsChangeOnlyTheFrame();
    void roundNeedsExactlyItsRightDrops_data();
    void roundNeedsExactlyItsRightDrops();
    void automaticModeLaysOutNextRoundAtOnce();
    void finishedRoundIsNeverBlack();
    void givenFirstNameOnTop_data();
    void givenFirstNameOnTop();
};

void TestOrderingWindows::design_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("namesLeft");
    QTest::addColumn<int>("placesLeft");
    QTest::addColumn<QList<int>>("placeTops");
    QTest::addColumn<bool>("firstHidden");
    QTest::newRow("Form1") << Finestra::Form1 << 12 << 14 << 224
                           << QList<int>{7, 42, 77, 112, 147, 184, 217, 252, 287, 322, 357, 392}
                           << false;
    QTest::newRow("Form2") << Finestra::Form2 << 12 << 14 << 224
                           << QList<int>{7, 42, 77, 112, 147, 182, 217, 252, 287, 322, 357, 392}
                           << true;
    QTest::newRow("Form3") << Finestra::Form3 << 7 << 7 << 196
                           << QList<int>{7, 56, 105, 154, 203, 252, 301} << false;
    QTest::newRow("Form4") << Finestra::Form4 << 7 << 7 << 196
                           << QList<int>{7, 56, 105, 154, 203, 252, 301} << true;
}

void TestOrderingWindows::design()
{
    QFETCH(Finestra, window);
    QFETCH(int, n);
    QFETCH(int, namesLeft);
    QFETCH(int, placesLeft);
    QFETCH(QList<int>, placeTops);
    QFETCH(bool, firstHidden);
    TestProgram program;
    Ordering o(program.open<FormRiordina>(window));
    QCOMPARE(o.n(), n);
    QVERIFY(!o.name(n) && !o.place(n));
    for (int i = 0; i < n; ++i) {
        QCOMPARE(o.place(i)->geometry(), QRect(placesLeft, placeTops[i], 167, 25));
        QCOMPARE(o.name(i)->geometry().left(), namesLeft);
        QCOMPARE(o.name(i)->size(), QSize(167, 25));
        QCOMPARE(o.name(i)->font().pixelSize(), 19);
        QCOMPARE(o.place(i)->font().pixelSize(), 21);
        QVERIFY(o.name(i)->font().bold());
        QVERIFY(o.name(i)->hasBorder());
        QCOMPARE(o.place(i)->alignment(), Qt::AlignCenter);
        QCOMPARE(Controls::background(o.name(i)), QColor(Qt::white));
        QCOMPARE(Controls::background(o.place(i)), QColor(Qt::white));
        QCOMPARE(o.name(i)->isHidden(), firstHidden && i == 0);
    }
}

void TestOrderingWindows::rowsFollowTheShuffle_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("pitch");
    for (Finestra w : {Finestra::Form1, Finestra::Form2, Finestra::Form3, Finestra::Form4}) {
        const int pitch = (w == Finestra::Form1 || w == Finestra::Form2) ? 525 : 735;
        QTest::addRow("%s, all 0", windowName(w)) << w << 0.0 << pitch;
        QTest::addRow("%s, all just below 1", windowName(w))
            << w << ScriptedRandom::justBelowOne() << pitch;
        QTest::addRow("%s, all 0.37", windowName(w)) << w << 0.37 << pitch;
    }
}

void TestOrderingWindows::rowsFollowTheShuffle()
{
    QFETCH(Finestra, window);
    QFETCH(double, r);
    QFETCH(int, pitch);
    TestProgram program;
    program.random.script({r});
    Ordering o(program.open<FormRiordina>(window));
    const int n = o.n();
    QList<int> tops;
    for (int i = 0; i < n; ++i) {
        const int row = o.window->round().nameRow(i);
        QCOMPARE(o.name(i)->y(), (105 + pitch * row + 7) / 15);
        tops << o.name(i)->y();
    }
    std::sort(tops.begin(), tops.end());
    for (int k = 0; k < n; ++k)
        QCOMPARE(tops[k], (105 + pitch * k + 7) / 15);
    if (r == 0.0) {
        // Nothing moves: name i stands in row i, level with place i.
        for (int i = 0; i < n; ++i)
            QCOMPARE(o.window->round().nameRow(i), i);
    } else if (r > 0.99) {
        QCOMPARE(o.window->round().nameRow(n - 1), 0);
        QCOMPARE(o.window->round().nameRow(0), 1);
    }
}

void TestOrderingWindows::rightDropMovesTheName_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<int>("j");
    QTest::newRow("GENNAIO on the top place") << Finestra::Form1 << 0;
    QTest::newRow("domenica") << Finestra::Form3 << 6;
    QTest::newRow("Form2 name 4") << Finestra::Form2 << 4;
    QTest::newRow("Form4 name 1") << Finestra::Form4 << 1;
}

void TestOrderingWindows::rightDropMovesTheName()
{
    QFETCH(Finestra, window);
    QFETCH(int, j);
    TestProgram program;
    Ordering o(program.open<FormRiordina>(window));
    const QString name = o.name(j)->text();
    const int row = o.name(j)->y();
    o.drop(j, j);
    QCOMPARE(o.place(j)->text(), name);
    QVERIFY(o.name(j)->text().isEmpty());
    QVERIFY(!o.name(j)->isEnabled());
    QCOMPARE(o.name(j)->y(), row);
    QCOMPARE(o.window->round().NumSistemati(), 1);
    QCOMPARE(Modulo1::NumEsatti, qint16(1));
    // A placed name cannot be dropped again.
    o.drop(j, j);
    QCOMPARE(Modulo1::NumEsatti, qint16(1));
    QCOMPARE(Modulo1::NumErrati, qint16(0));
}

void TestOrderingWindows::wrongDropsChangeOnlyTheFrame_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<int>("name");
    QTest::addColumn<int>("place");
    QTest::newRow("Form1 on an empty place") << Finestra::Form1 << 0 << 4;
    QTest::newRow("Form1 on a filled place") << Finestra::Form1 << 0 << 2;
    QTest::newRow("Form3 on a filled place") << Finestra::Form3 << 5 << 2;
    QTest::newRow("Form2 on the given place") << Finestra::Form2 << 3 << 0;
    QTest::newRow("Form2 on a filled place") << Finestra::Form2 << 3 << 2;
    QTest::newRow("Form4 on the given place") << Finestra::Form4 << 6 << 0;
}

void TestOrderingWindows::wrongDropsChangeOnlyTheFrame()
{
    QFETCH(Finestra, window);
    QFETCH(int, name);
    QFETCH(int, place);
    TestProgram program;
    program.sound.played.clear();
    Ordering o(program.open<FormRiordina>(window));
    o.drop(2, 2);
    const QStringList places = o.placeTexts();
    const QString text = o.name(name)->text();
    program.sound.played.clear();

    o.drop(name, place);
    QCOMPARE(o.placeTexts(), places);
    QCOMPARE(o.name(name)->text(), text);
    QVERIFY(o.name(name)->isEnabled());
    QCOMPARE(o.window->round().NumSistemati(), 1);
    QCOMPARE(Modulo1::NumErrati, qint16(1));
    QCOMPARE(o.window->backgroundColour(), black);
    QCOMPARE(program.sound.played.size(), 1);
    QVERIFY(program.sound.played[0].endsWith(QStringLiteral("no.wav")));
}

void TestOrderingWindows::roundNeedsExactlyItsRightDrops_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<int>("rightDrops");
    QTest::newRow("Form1") << Finestra::Form1 << 12;
    QTest::newRow("Form2") << Finestra::Form2 << 11;
    QTest::newRow("Form3") << Finestra::Form3 << 7;
    QTest::newRow("Form4") << Finestra::Form4 << 6;
}

void TestOrderingWindows::roundNeedsExactlyItsRightDrops()
{
    QFETCH(Finestra, window);
    QFETCH(int, rightDrops);
    TestProgram program;
    Ordering o(program.open<FormRiordina>(window));
    const int n = o.n();
    int made = 0;
    for (int j = o.first(); j < n; ++j) {
        o.drop(j, (j + 1) % n);
        o.drop(j, j);
        ++made;
        QCOMPARE(o.avanti()->isEnabled(), made == rightDrops);
    }
    QCOMPARE(made, rightDrops);
    QCOMPARE(Modulo1::NumEsatti, qint16(rightDrops));
    QCOMPARE(Modulo1::NumErrati, qint16(rightDrops));
    QCOMPARE(o.placeTexts(), o.window->round().Sequenza());
    for (int j = 0; j < n; ++j)
        QVERIFY(o.name(j)->isHidden() || o.name(j)->text().isEmpty());

    const int draws = program.random.draws();
    o.avanti()->click();
    QVERIFY(!o.avanti()->isEnabled());
    QCOMPARE(o.window->round().NumSistemati(), 0);
    QCOMPARE(program.random.draws() - draws, 1 + (o.first() ? 1 : 0) + n);
    for (int j = o.first(); j < n; ++j) {
        QVERIFY(o.name(j)->isEnabled());
        QVERIFY(!o.name(j)->text().isEmpty());
    }
}

void TestOrderingWindows::automaticModeLaysOutNextRoundAtOnce()
{
    TestProgram program;
    Modulo1::AttendiAvanti = false;
    Ordering o(program.open<FormRiordina>(Finestra::Form3));
    o.completeRound();
    QVERIFY(o.avanti()->isHidden());
    QCOMPARE(o.window->round().NumSistemati(), 0);
    for (int i = 0; i < o.n(); ++i) {
        QVERIFY(o.place(i)->text().isEmpty());
        QCOMPARE(o.name(i)->text(), Names::daysLower()[i]);
    }
    QCOMPARE(Modulo1::NumEsatti, qint16(7));
}

void TestOrderingWindows::finishedRoundIsNeverBlack()
{
    TestProgram program;
    Ordering o(program.open<FormRiordina>(Finestra::Form4));
    for (int j = 1; j < 7; ++j) {
        o.drop(j, 0);
        QCOMPARE(o.window->backgroundColour(), black);
        o.drop(j, j);
        QVERIFY(o.window->backgroundColour() != black);
    }
    QVERIFY(o.avanti()->isEnabled());
}

void TestOrderingWindows::givenFirstNameOnTop_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<double>("r");
    QTest::addColumn<QString>("first");
    QTest::newRow("Form2, r = 0") << Finestra::Form2 << 0.0 << "GENNAIO";
    QTest::newRow("Form2, s = 1") << Finestra::Form2 << 1.0 / 12 + 1e-12 << "DICEMBRE";
    QTest::newRow("Form2, r just below 1")
        << Finestra::Form2 << ScriptedRandom::justBelowOne() << "FEBBRAIO";
    QTest::newRow("Form4, r = 0") << Finestra::Form4 << 0.0 << "lunedì";
    QTest::newRow("Form4, r just below 1")
        << Finestra::Form4 << ScriptedRandom::justBelowOne() << "martedì";
}

void TestOrderingWindows::givenFirstNameOnTop()
{
    QFETCH(Finestra, window);
    QFETCH(double, r);
    QFETCH(QString, first);
    TestProgram program;
    // The colour draw comes first, then the start of the sequence.
    program.random.script({0.0, r, 0.0});
    Ordering o(program.open<FormRiordina>(window));
    QCOMPARE(o.place(0)->text(), first);
    const QStringList names = window == Finestra::Form2 ? Names::monthsUpper() : Names::daysLower();
    const int s = int(names.indexOf(first));
    for (int i = 1; i < o.n(); ++i) {
        QCOMPARE(o.name(i)->text(), names[(s + i) % o.n()]);
        QVERIFY(o.place(i)->text().isEmpty());
    }
}

QTEST_MAIN(TestOrderingWindows)
#include "tst_ordering_windows.moc"
