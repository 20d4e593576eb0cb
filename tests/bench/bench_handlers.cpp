// What the child waits for inside the program: opening a window, laying out
// a round, and the handling of one drop. Run by `make bench`.
#include "ClockRandom.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormCalendario.h"
#include "FormCiclo.h"
#include "FormRiordina.h"
#include "Modulo1.h"
#include "MonthCalendar.h"
#include "SqliteAnswerLog.h"
#include "TestProgram.h"
#include "WindowScale.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <cstdio>

Q_DECLARE_METATYPE(Finestra)

namespace {

// The next answer a child would give: a right one or a wrong one.
void answer(FormEsercizio *w, bool right)
{
    if (auto *ordering = qobject_cast<FormRiordina *>(w)) {
        const OrderingRound &round = ordering->round();
        for (int j = 0; j < round.size(); ++j) {
            if (round.draggable(j)) {
                Drops::dropName(
                    w->findChild<DropLabel *>(
                        QStringLiteral("Label4(%1)").arg(right ? j : (j + 1) % round.size())),
                    j);
                return;
            }
        }
    } else if (auto *cycle = qobject_cast<FormCiclo *>(w)) {
        const int card = cycle->round().visibleCard();
        if (card >= 0)
            Drops::dropName(w->findChild<DropLabel *>(
                                QStringLiteral("Label3(%1)")
                                    .arg(right ? card : (card + 1) % cycle->round().size())),
                            card);
    } else if (auto *calendar = qobject_cast<FormCalendario *>(w)) {
        const auto asked = calendar->question().DataCercata();
        auto *widget = w->findChild<MonthCalendar *>();
        // A wrong day next to the asked one, on the same page.
        const int day = right ? asked.day : (asked.day == 1 ? 2 : asked.day - 1);
        widget->setSelectedDate(QDate(asked.year, asked.month, day));
        emit widget->Click();
    }
}

// What the child does before answering and is not an answer: turning the
// calendar to the asked month.
void turnToQuestion(FormEsercizio *w)
{
    if (auto *calendar = qobject_cast<FormCalendario *>(w)) {
        const auto asked = calendar->question().DataCercata();
        w->findChild<MonthCalendar *>()->setCurrentPage(asked.year, asked.month);
        w->repaint();
    }
}

// Right answers still needed to complete the round: one in the calendar.
int rightAnswersLeft(FormEsercizio *w)
{
    if (auto *ordering = qobject_cast<FormRiordina *>(w))
        return ordering->round().roundLength() - ordering->round().NumSistemati();
    if (auto *cycle = qobject_cast<FormCiclo *>(w))
        return cycle->round().roundLength() - cycle->round().NumSistemati();
    return 1;
}

// The program with real random rounds, as a child sees them.
struct BenchProgram : TestProgram
{
    BenchProgram() { random.setFallback(&clock); }
    ClockRandom clock;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

class BenchHandlers : public QObject
{
    Q_OBJECT

private slots:
    void openWindow_data();
    void openWindow();
    void layOutAt4K_data();
    void layOutAt4K();
    void paintAt4K_data() { openWindow_data(); }
    void paintAt4K();
    void newRound_data();
    void newRound();
    void wrongDrop_data();
    void wrongDrop();
    void handlersOneByOne_data();
    void handlersOneByOne();

private:
    void exerciseRows();
};

void BenchHandlers::exerciseRows()
{
    QTest::addColumn<Finestra>("window");
    for (Finestra w : exerciseWindows)
        QTest::addRow("%s", windowName(w)) << w;
}

void BenchHandlers::openWindow_data()
{
    QTest::addColumn<Finestra>("window");
    for (Finestra w : allWindows)
        QTest::addRow("%s", windowName(w)) << w;
}

// Created, opened, first round laid out and painted (offscreen), then closed.
void BenchHandlers::openWindow()
{
    QFETCH(Finestra, window);
    BenchProgram program;
    QBENCHMARK
    {
        QWidget *shown = program.windows.show(window);
        QCoreApplication::processEvents();
        shown->repaint();
        program.windows.close(window);
        TestProgram::settle();
    }
}

void BenchHandlers::layOutAt4K_data()
{
    openWindow_data();
}

// A window laid out anew at 3840 x 2160: every control placed, sized and
// given its font at the scale, as on a 4K whiteboard. The height changes by
// one pixel each time, so that every pass lays everything out; painting is
// held back here and timed on its own below.
void BenchHandlers::layOutAt4K()
{
    QFETCH(Finestra, window);
    BenchProgram program;
    QWidget *shown = program.windows.show(window);
    TestProgram::settle();
    shown->setUpdatesEnabled(false);
    int height = 2160;
    QBENCHMARK
    {
        height = height == 2160 ? 2159 : 2160;
        shown->resize(3840, height);
        QCoreApplication::processEvents();
    }
    QCOMPARE(shown->height(), height);
    // The design followed the last size, not only the window.
    QVERIFY(WindowScale::of(shown) > 3);
    shown->setUpdatesEnabled(true);
}

// The whole window painted at 3840 x 2160.
void BenchHandlers::paintAt4K()
{
    QFETCH(Finestra, window);
    BenchProgram program;
    QWidget *shown = program.windows.show(window);
    shown->resize(3840, 2160);
    TestProgram::settle();
    QBENCHMARK
    {
        shown->repaint();
    }
}

void BenchHandlers::newRound_data()
{
    exerciseRows();
}

void BenchHandlers::newRound()
{
    QFETCH(Finestra, window);
    BenchProgram program;
    Modulo1::AttendiAvanti = false;
    auto *w = program.open<FormEsercizio>(window);
    // With "avanti" hidden, ending a round lays out the next one at once;
    // the new round is painted too.
    QBENCHMARK
    {
        w->ConcludiEsercizio();
        w->repaint();
    }
}

void BenchHandlers::wrongDrop_data()
{
    exerciseRows();
}

void BenchHandlers::wrongDrop()
{
    QFETCH(Finestra, window);
    BenchProgram program;
    auto *w = program.open<FormEsercizio>(window);
    QBENCHMARK
    {
        answer(w, false);
        w->repaint();
        program.sound.played.clear();
    }
}

void BenchHandlers::handlersOneByOne_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<bool>("kept");
    for (Finestra w : exerciseWindows) {
        QTest::addRow("%s", windowName(w)) << w << false;
        QTest::addRow("%s, a child's answers kept", windowName(w)) << w << true;
    }
}

// Right drops, wrong drops and round-completing drops change the round, so
// each is timed by itself, many times over, in automatic mode.
void BenchHandlers::handlersOneByOne()
{
    QFETCH(Finestra, window);
    QFETCH(bool, kept);
    BenchProgram program;
    if (kept) {
        // A child of a class plays: every answer goes to the SQLite file.
        program.openLog = [&program] {
            return std::make_unique<SqliteAnswerLog>(program.data.path(), QStringLiteral("bench"));
        };
        program.playAs({QStringLiteral("Niccolò")});
    }
    Modulo1::AttendiAvanti = false;
    auto *w = program.open<FormEsercizio>(window);
    std::vector<double> right, wrong, completing;
    QElapsedTimer timer;
    for (int i = 0; i < 600; ++i) {
        const bool last = rightAnswersLeft(w) <= 1;
        turnToQuestion(w);
        // Each answer is timed with the repaint it causes.
        timer.start();
        answer(w, false);
        w->repaint();
        wrong.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        answer(w, true);
        w->repaint();
        (last ? completing : right).push_back(timer.nsecsElapsed() / 1e6);
        program.sound.played.clear();
    }
    const auto report = [&](const char *what, const std::vector<double> &times) {
        if (times.empty())
            return;
        std::printf("handler %s %s%s: median %.3f ms, max %.3f ms over %zu\n", windowName(window),
                    what, kept ? "-kept" : "", median(times),
                    *std::max_element(times.begin(), times.end()), times.size());
        QVERIFY2(median(times) < 2.0, what);
    };
    report("right-drop", right);
    report("wrong-drop", wrong);
    report("completing-drop", completing);
    std::fflush(stdout);
}

QTEST_MAIN(BenchHandlers)
#include "bench_handlers.moc"
