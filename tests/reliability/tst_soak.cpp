#include "CalendarQuestion.h"
#include "ClockRandom.h"
#include "Controls.h"
#include "Counts.h"
#include "DragLabel.h"
#include "DropLabel.h"
#include "Drops.h"
#include "FormCalendario.h"
#include "FormCiclo.h"
#include "FormRiordina.h"
#include "Modulo1.h"
#include "MonthCalendar.h"
#include "PickUp.h"
#include "TestProgram.h"

#include <QAbstractButton>
#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <map>
#include <random>
#include <set>

namespace {

const QColor black(Qt::black);
const QColor orange(255, 128, 0);

// Drives the whole program with random events, as a class of children
// would, and checks after every event that what it shows still adds up.
class Soak
{
public:
    explicit Soak(std::uint64_t seed) : events_(seed)
    {
        fallback_.seed(seed * 7 + 1);
        program_.random.setFallback(&fallback_);
        Modulo1::AttendiAvanti = false;
        Modulo1::Main(program_.services);
        TestProgram::settle();
    }

    void run(int count)
    {
        for (int i = 0; i < count && !QTest::currentTestFailed(); ++i) {
            step();
            check();
            ++done_;
        }
    }

    int done() const { return done_; }
    const std::map<std::string, int> &tally() const { return tally_; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(events_); }
    bool chance(int percent) { return pick(100) < percent; }
    void count(const char *what) { ++tally_[what]; }

    FormEsercizio *exercise() const
    {
        for (Finestra w : exerciseWindows) {
            if (program_.windows.isOpen(w))
                return qobject_cast<FormEsercizio *>(program_.windows.window(w));
        }
        return nullptr;
    }

    template <typename T> T *child(QWidget *w, const QString &name) const
    {
        return w->findChild<T *>(name);
    }

    // ---- events -------------------------------------------------------------
    void step()
    {
        if (program_.windows.isOpen(Finestra::FormAvvio)) {
            child<QAbstractButton>(program_.windows.window(Finestra::FormAvvio),
                                   QStringLiteral("Command1"))
                ->click();
            count("avvio");
        } else if (program_.windows.isOpen(Finestra::FormMenu)) {
            menuStep();
        } else if (FormEsercizio *w = exercise()) {
            exerciseStep(w);
        } else {
            // The program was ended from the menu: a new run starts.
            Modulo1::Main(program_.services);
            count("new run");
        }
        TestProgram::settle();
    }

    void menuStep()
    {
        QWidget *menu = program_.windows.window(Finestra::FormMenu);
        const int what = pick(100);
        if (what < 80) {
            static const char *buttons[] = {"Command2", "Command3", "Command4", "Command5",
                                            "Command6", "Command7", "Command8"};
            child<QAbstractButton>(menu, QLatin1String(buttons[pick(7)]))->click();
            opened();
            count("open exercise");
        } else if (what < 92) {
            child<QRadioButton>(menu, QStringLiteral("Option1(%1)").arg(pick(2)))->click();
            count("option");
        } else {
            const bool yes = chance(30);
            program_.dialogs.setNextAnswer(yes);
            const int quits = program_.quitRequests;
            child<QAbstractButton>(menu, QStringLiteral("Command1"))->click();
            QCOMPARE(program_.quitRequests, quits + (yes ? 1 : 0));
            count(yes ? "menu exit yes" : "menu exit no");
        }
    }

    void opened()
    {
        TestProgram::settle();
        rightsLabel_ = wrongsLabel_ = Counts::zeroText();
        black_ = false;
        waitingWindow_ = Modulo1::AttendiAvanti;
    }

    void answered(bool right)
    {
        if (right) {
            rights_ = std::min(rights_ + 1, 32767);
            rightsLabel_ = Counts::text(qint16(rights_));
            black_ = false;
        } else {
            wrongs_ = std::min(wrongs_ + 1, 32767);
            wrongsLabel_ = Counts::text(qint16(wrongs_));
            black_ = true;
        }
    }

    void exerciseStep(FormEsercizio *w)
    {
        const int what = pick(1000);
        if (what < 450)
            answer(w, true);
        else if (what < 700)
            answer(w, false);
        else if (what < 740)
            dropOnNothing(w);
        else if (what < 780)
            pickUpAndMaybePutDown(w);
        else if (what < 880) {
            auto *avanti = child<QAbstractButton>(w, QStringLiteral("BottoneAvanti"));
            const bool newRound = avanti->isEnabled() && avanti->isVisibleTo(w);
            avanti->click();
            // A new round starts with every card down.
            if (newRound)
                QVERIFY(!Drops::pickUpOf(w)->picked());
            count("avanti");
        } else if (what < 900) {
            child<QAction>(w, QStringLiteral("MenuAzzera"))->trigger();
            rights_ = wrongs_ = 0;
            rightsLabel_ = wrongsLabel_ = Counts::zeroText();
            count("reset");
        } else if (what < 930) {
            child<QAction>(w,
                           chance(50) ? QStringLiteral("mnuSuonoSi") : QStringLiteral("mnuSuonoNo"))
                ->trigger();
            count("sound menu");
        } else if (what < 950 && w->id() == Finestra::Form7) {
            child<QAction>(w, chance(50) ? QStringLiteral("mnuTrue") : QStringLiteral("mnuFalse"))
                ->trigger();
            count("date style");
        } else if (what < 960) {
            child<QAction>(w, QStringLiteral("MenuInformazioni"))->trigger();
            count("about");
        } else if (what < 975) {
            QEvent deactivate(QEvent::WindowDeactivate);
            QEvent activate(QEvent::WindowActivate);
            QCoreApplication::sendEvent(w, &deactivate);
            QCoreApplication::sendEvent(w, &activate);
            count("re-activation");
        } else if (what < 990) {
            program_.dialogs.setNextAnswer(false);
            child<QAction>(w, QStringLiteral("mnuEsci"))->trigger();
            count("exit no");
        } else {
            program_.dialogs.setNextAnswer(true);
            child<QAction>(w, QStringLiteral("mnuEsci"))->trigger();
            rights_ = wrongs_ = 0;
            count("exit yes");
        }
        if (what % 97 == 0 && w->id() != Finestra::Form7 && program_.windows.isOpen(w->id())) {
            // A long morning: the counts come close to their limit.
            Modulo1::NumEsatti = qint16(rights_ = 32760);
            Modulo1::NumErrati = qint16(wrongs_ = 32765);
        }
    }

    void answer(FormEsercizio *w, bool right)
    {
        if (auto *ordering = qobject_cast<FormRiordina *>(w))
            orderingAnswer(ordering, right);
        else if (auto *cycle = qobject_cast<FormCiclo *>(w))
            cycleAnswer(cycle, right);
        else if (auto *calendar = qobject_cast<FormCalendario *>(w))
            calendarAnswer(calendar, right);
    }

    void orderingAnswer(FormRiordina *w, bool right)
    {
        const OrderingRound &round = w->round();
        std::vector<int> free;
        for (int i = 0; i < round.size(); ++i) {
            if (round.draggable(i))
                free.push_back(i);
        }
        if (free.empty()) {
            // Nothing left to drag: a finished round waits for "avanti".
            QVERIFY(!child<QAbstractButton>(w, QStringLiteral("BottoneAvanti"))->isHidden());
            dropPlaced(w);
            return;
        }
        const int name = free[std::size_t(pick(int(free.size())))];
        const int place = right ? name : (name + 1 + pick(round.size() - 1)) % round.size();
        play(w, child<DragLabel>(w, QStringLiteral("Label3(%1)").arg(name)),
             child<DropLabel>(w, QStringLiteral("Label4(%1)").arg(place)));
        answered(right);
        afterRight(w, right, round.NumSistemati() == 0);
        count(right ? "right drop" : "wrong drop");
    }

    void cycleAnswer(FormCiclo *w, bool right)
    {
        const CycleRound &round = w->round();
        const int card = round.visibleCard();
        if (card < 0) {
            QVERIFY(!child<QAbstractButton>(w, QStringLiteral("BottoneAvanti"))->isHidden());
            dropPlaced(w);
            return;
        }
        const int place = right ? card : (card + 1 + pick(round.size() - 1)) % round.size();
        play(w, child<DragLabel>(w, QStringLiteral("Label4(%1)").arg(card)),
             child<DropLabel>(w, QStringLiteral("Label3(%1)").arg(place)));
        answered(right);
        afterRight(w, right, round.NumSistemati() == 0);
        count(right ? "right drop" : "wrong drop");
    }

    // A card moved onto a place by any of the ways a child has; whichever
    // it was, nothing is left picked up.
    void play(FormEsercizio *w, DragLabel *card, DropLabel *place)
    {
        using Drops::Route;
        static constexpr Route routes[] = {Route::Drag, Route::Tap, Route::Keys, Route::Switch};
        const Route route = routes[pick(4)];
        Drops::move(route, card, place);
        QVERIFY(!Drops::pickUpOf(w)->picked());
        count(Drops::routeName(route));
    }

    // A card picked up by a tap or a key, then often put down by Esc or a
    // click on the background, or left up for whatever comes next.
    void pickUpAndMaybePutDown(FormEsercizio *w)
    {
        const QList<DragLabel *> cards = Drops::pickUpOf(w)->playableCards();
        if (cards.isEmpty())
            return;
        DragLabel *card = cards[pick(int(cards.size()))];
        const bool wasUp = Drops::pickUpOf(w)->picked() == card;
        Drops::pickUp(chance(50) ? Drops::Route::Tap : Drops::Route::Keys, card);
        // A second tap on the card that is up puts it down.
        QCOMPARE(Drops::pickUpOf(w)->picked(), wasUp ? nullptr : card);
        const int how = pick(3);
        if (how == 0) {
            QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Escape);
            QVERIFY(!Drops::pickUpOf(w)->picked());
        } else if (how == 1) {
            QTest::mouseClick(child<QWidget>(w, QStringLiteral("area")), Qt::LeftButton, {},
                              QPoint(2, 2));
            QVERIFY(!Drops::pickUpOf(w)->picked());
        }
        count(how == 2 ? "picked up and left" : "picked up and put down");
    }

    // In automatic mode a round-completing drop lays out the next one at once.
    void afterRight(FormEsercizio *w, bool right, bool newRound)
    {
        if (right && newRound) {
            QVERIFY(!waitingWindow_);
            QVERIFY(w->backgroundColour() != black);
            ++rounds_;
        }
    }

    // A drop of a name that is placed or hidden: nothing happens at all.
    void dropPlaced(FormEsercizio *w)
    {
        const auto places = w->findChildren<DropLabel *>();
        const auto names = w->findChildren<DragLabel *>();
        QVERIFY(!places.isEmpty());
        Drops::dropName(places[pick(int(places.size()))], names[pick(int(names.size()))]->index());
        count("drop of a placed name");
    }

    void calendarAnswer(FormCalendario *w, bool right)
    {
        const CalendarQuestion::Date asked = w->question().DataCercata();
        QDate date(asked.year, asked.month, asked.day);
        if (!right) {
            const int shift = pick(3);
            date = shift == 0 ? date.addDays(1 + pick(20))
                              : (shift == 1 ? date.addMonths(1 + pick(10)) : date.addYears(1));
        }
        auto *calendar = child<MonthCalendar>(w, QStringLiteral("Calendar1"));
        calendar->setSelectedDate(date);
        emit calendar->Click();
        answered(right);
        black_ = false;
        count(right ? "right day" : "wrong day");
    }

    void dropOnNothing(FormEsercizio *w)
    {
        const auto places = w->findChildren<DropLabel *>();
        QMimeData text;
        text.setText(QStringLiteral("GENNAIO"));
        if (!places.isEmpty())
            QVERIFY(!Drops::deliver(places[pick(int(places.size()))], &text));
        // Names and the frame take no drops at all.
        const auto widgets = w->findChildren<QWidget *>();
        QWidget *target = widgets[pick(int(widgets.size()))];
        if (!qobject_cast<DropLabel *>(target))
            QVERIFY(!target->acceptDrops());
        count("drop on nothing");
    }

    // ---- invariants ---------------------------------------------------------
    void check()
    {
        const auto open = program_.openWindows();
        QVERIFY2(open.size() <= 1, "more than one window open");
        QCOMPARE(int(Modulo1::NumEsatti), rights_);
        QCOMPARE(int(Modulo1::NumErrati), wrongs_);
        if (open.isEmpty())
            return;
        if (open[0] == Finestra::FormMenu) {
            QCOMPARE(rights_ + wrongs_, 0);
            QWidget *menu = program_.windows.window(Finestra::FormMenu);
            QVERIFY(child<QRadioButton>(menu, QStringLiteral("Option1(1)"))->isChecked() ==
                    Modulo1::AttendiAvanti);
            return;
        }
        FormEsercizio *w = exercise();
        if (!w)
            return;
        QCOMPARE(child<QLabel>(w, QStringLiteral("EtichettaEsatti"))->text(), rightsLabel_);
        QCOMPARE(child<QLabel>(w, QStringLiteral("EtichettaErrati"))->text(), wrongsLabel_);
        auto *avanti = child<QAbstractButton>(w, QStringLiteral("BottoneAvanti"));
        QCOMPARE(avanti->isHidden(), !waitingWindow_);
        if (w->id() == Finestra::Form7) {
            QCOMPARE(w->backgroundColour(), orange);
            return;
        }
        QCOMPARE(w->backgroundColour() == black, black_);
        if (auto *ordering = qobject_cast<FormRiordina *>(w))
            checkOrdering(ordering, avanti);
        else if (auto *cycle = qobject_cast<FormCiclo *>(w))
            checkCycle(cycle, avanti);
    }

    void checkOrdering(FormRiordina *w, QAbstractButton *avanti)
    {
        const OrderingRound &round = w->round();
        const int n = round.size();
        const int first = round.givenFirst() ? 1 : 0;
        int placed = 0;
        std::set<int> tops;
        for (int i = 0; i < n; ++i) {
            auto *name = child<DragLabel>(w, QStringLiteral("Label3(%1)").arg(i));
            auto *place = child<DropLabel>(w, QStringLiteral("Label4(%1)").arg(i));
            tops.insert(name->y());
            if (i < first) {
                QVERIFY(name->isHidden());
                QCOMPARE(place->text(), round.Sequenza()[0]);
                continue;
            }
            const bool isPlaced = !name->isEnabled();
            placed += isPlaced ? 1 : 0;
            // Each name is either still to place or in its place, never both.
            QCOMPARE(name->text().isEmpty(), isPlaced);
            QCOMPARE(place->text(), isPlaced ? round.Sequenza()[i] : QString());
        }
        QCOMPARE(int(tops.size()), n);
        QCOMPARE(round.NumSistemati(), placed);
        QCOMPARE(avanti->isEnabled(), placed == round.roundLength());
    }

    void checkCycle(FormCiclo *w, QAbstractButton *avanti)
    {
        const CycleRound &round = w->round();
        const int n = round.size();
        int visible = 0;
        int filled = 0;
        for (int i = 0; i < n; ++i) {
            visible += child<DragLabel>(w, QStringLiteral("Label4(%1)").arg(i))->isHidden() ? 0 : 1;
            filled +=
                child<DropLabel>(w, QStringLiteral("Label3(%1)").arg(i))->text().isEmpty() ? 0 : 1;
        }
        QCOMPARE(round.NumSistemati(), filled - 1);
        const bool complete = round.NumSistemati() == round.roundLength();
        QCOMPARE(visible, complete ? 0 : 1);
        QCOMPARE(avanti->isEnabled(), complete);
    }

    TestProgram program_;
    ClockRandom fallback_;
    std::mt19937_64 events_;
    int rights_ = 0;
    int wrongs_ = 0;
    QString rightsLabel_;
    QString wrongsLabel_;
    bool black_ = false;
    bool waitingWindow_ = false;
    int rounds_ = 0;
    int done_ = 0;
    std::map<std::string, int> tally_;
};

} // namespace

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void randomPlay();
};

void TestSoak::randomPlay()
{
    const int events = qEnvironmentVariableIntValue("TEMPIOLO_SOAK_EVENTS") > 0
                           ? qEnvironmentVariableIntValue("TEMPIOLO_SOAK_EVENTS")
                           : 100000;
    const std::uint64_t seed = qEnvironmentVariableIsSet("TEMPIOLO_SOAK_SEED")
                                   ? qEnvironmentVariable("TEMPIOLO_SOAK_SEED").toULongLong()
                                   : ClockRandom::clockSeed();
    // The tables of tst_dragdrop press as a screen reader does; here speed counts.
    Drops::pressAtOnce(true);
    // Printed, not logged: Qt Test stops logging after its message limit.
    std::printf("soak seed %llu (set TEMPIOLO_SOAK_SEED to repeat a run)\n",
                static_cast<unsigned long long>(seed));
    Soak soak(seed);
    QElapsedTimer timer;
    timer.start();
    soak.run(events);
    for (const auto &[what, times] : soak.tally())
        std::printf("  %-22s %d\n", what.c_str(), times);
    std::printf("soak: %d random events in %.1f s, %s\n", soak.done(), timer.elapsed() / 1000.0,
                QTest::currentTestFailed() ? "an invariant failed" : "every invariant held");
    std::fflush(stdout);
    QCOMPARE(soak.done(), events);
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
