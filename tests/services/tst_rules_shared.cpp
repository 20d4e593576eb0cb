#include "ClockRandom.h"
#include "Counts.h"
#include "Palette.h"
#include "ScriptedRandom.h"

#include <QTest>

#include <limits>

class TestRulesShared : public QObject
{
    Q_OBJECT

private slots:
    void paletteDraw_data();
    void paletteDraw();
    void paletteNeverBlackNorEntryZero();
    void paletteMagentaComesTwiceAsOften();
    void paletteNotation_data();
    void paletteNotation();
    void countText_data();
    void countText();
    void countStopsAt32767();
    void belowNeverReachesN_data();
    void belowNeverReachesN();
    void clockRandomStaysBelowOne();
    void clockRandomSeedRepeats();
};

void TestRulesShared::paletteDraw_data()
{
    QTest::addColumn<double>("r");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("r = 0 gives entry 1") << 0.0 << 1 << QColor(0xFF, 0xC0, 0xC0);
    QTest::newRow("just below 1/18 still entry 1")
        << std::nextafter(1.0 / 18, 0.0) << 1 << QColor(0xFF, 0xC0, 0xC0);
    QTest::newRow("r = 0.5 gives entry 10") << 0.5 << 10 << QColor(0x00, 0xC0, 0x00);
    QTest::newRow("just below 1 gives entry 18")
        << ScriptedRandom::justBelowOne() << 18 << QColor(0xFF, 0x00, 0xFF);
}

void TestRulesShared::paletteDraw()
{
    QFETCH(double, r);
    QFETCH(int, entry);
    QFETCH(QColor, colour);
    ScriptedRandom random({r, r});
    QCOMPARE(Palette::drawEntry(random), entry);
    QCOMPARE(Palette::drawColour(random), colour);
}

void TestRulesShared::paletteNeverBlackNorEntryZero()
{
    ScriptedRandom random;
    for (int step = 0; step <= 1000; ++step) {
        random.script({std::min(step / 1000.0, ScriptedRandom::justBelowOne())});
        const int entry = Palette::drawEntry(random);
        QVERIFY2(entry >= 1 && entry <= 18, qPrintable(QString::number(entry)));
        QVERIFY(Palette::fromBgr(Palette::entries[std::size_t(entry)]) != QColor(Qt::black));
    }
}

void TestRulesShared::paletteMagentaComesTwiceAsOften()
{
    ClockRandom random;
    random.seed(12345);
    QMap<QRgb, int> seen;
    const int draws = 180000;
    for (int i = 0; i < draws; ++i)
        ++seen[Palette::drawColour(random).rgb()];
    QCOMPARE(seen.size(), 17);
    const int magenta = seen.value(QColor(0xFF, 0xC0, 0xFF).rgb());
    const int red = seen.value(QColor(0xFF, 0x00, 0x00).rgb());
    // Expected 20000 and 10000; a 10 % band is many standard deviations wide.
    QVERIFY2(qAbs(magenta - 20000) < 2000, qPrintable(QString::number(magenta)));
    QVERIFY2(qAbs(red - 10000) < 1000, qPrintable(QString::number(red)));
}

void TestRulesShared::paletteNotation_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("rgb");
    const char *rgb[] = {"#ffc0c0", "#ff8080", "#ff0000", "#ffc080", "#ff8000", "#ffffc0",
                         "#ffff00", "#c04000", "#80ff80", "#00c000", "#c0ffff", "#00ffff",
                         "#c0c0ff", "#ffc0ff", "#ffc0ff", "#e0e0e0", "#0000ff", "#ff00ff"};
    for (int entry = 1; entry <= 18; ++entry)
        QTest::addRow("entry %d", entry) << entry << QString::fromLatin1(rgb[entry - 1]);
}

void TestRulesShared::paletteNotation()
{
    QFETCH(int, entry);
    QFETCH(QString, rgb);
    QCOMPARE(Palette::fromBgr(Palette::entries[std::size_t(entry)]).name(), rgb);
}

void TestRulesShared::countText_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << 1 << " 1";
    QTest::newRow("three") << 3 << " 3";
    QTest::newRow("largest") << 32767 << " 32767";
    QTest::newRow("negative") << -5 << "-5";
}

void TestRulesShared::countText()
{
    QFETCH(int, count);
    QFETCH(QString, text);
    QCOMPARE(Counts::text(qint16(count)), text);
    QCOMPARE(Counts::zeroText(), QStringLiteral("0"));
}

void TestRulesShared::countStopsAt32767()
{
    QCOMPARE(Counts::raised(0), qint16(1));
    QCOMPARE(Counts::raised(32766), qint16(32767));
    QCOMPARE(Counts::raised(32767), qint16(32767));
}

void TestRulesShared::belowNeverReachesN_data()
{
    QTest::addColumn<int>("n");
    for (int n : {3, 4, 7, 12, 18, 28, 30, 31})
        QTest::addRow("n = %d", n) << n;
}

void TestRulesShared::belowNeverReachesN()
{
    QFETCH(int, n);
    ScriptedRandom random({0.0, ScriptedRandom::justBelowOne(), 1.0 / n, 1.0 - 1.0 / n});
    QCOMPARE(random.below(n), 0);
    QCOMPARE(random.below(n), n - 1);
    QCOMPARE(random.below(n), 1);
    QCOMPARE(random.below(n), n - 1);
}

void TestRulesShared::clockRandomStaysBelowOne()
{
    ClockRandom random;
    double lowest = 1.0;
    double highest = 0.0;
    for (int i = 0; i < 1000000; ++i) {
        const double r = random.next();
        QVERIFY(r >= 0.0 && r < 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    QVERIFY(lowest < 0.001);
    QVERIFY(highest > 0.999);
}

void TestRulesShared::clockRandomSeedRepeats()
{
    ClockRandom a;
    ClockRandom b;
    a.seed(42);
    b.seed(42);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(a.next(), b.next());
    b.seed(43);
    QVERIFY(a.next() != b.next());
}

QTEST_GUILESS_MAIN(TestRulesShared)
#include "tst_rules_shared.moc"
