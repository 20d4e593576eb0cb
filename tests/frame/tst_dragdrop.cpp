#include "DragLabel.h"
#include "DragPayload.h"
#include "DropLabel.h"
#include "Drops.h"
#include "Focusable.h"
#include "FormEsercizio.h"
#include "Modulo1.h"
#include "Narrator.h"
#include "PickUp.h"
#include "TestProgram.h"
#include "Voice.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

Q_DECLARE_METATYPE(Finestra)

namespace {

enum class Offer { Own, OwnDisabled, Text, Files, OtherProcess, OtherWindow, Garbage, NoSuchIndex };

QMimeData *makeOffer(Offer offer, QWidget *window, QWidget *otherWindow)
{
    const qint64 pid = QCoreApplication::applicationPid();
    const quint64 token = DragPayload::tokenOf(window);
    auto *data = new QMimeData;
    switch (offer) {
    case Offer::Own:
        delete data;
        return DragPayload{pid, token, 3}.toMimeData();
    case Offer::OwnDisabled:
        delete data;
        return DragPayload{pid, token, 0}.toMimeData();
    case Offer::Text:
        data->setText(QStringLiteral("GENNAIO"));
        break;
    case Offer::Files:
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/etc/passwd"))});
        break;
    case Offer::OtherProcess:
        delete data;
        return DragPayload{pid + 1, token, 3}.toMimeData();
    case Offer::OtherWindow:
        delete data;
        return DragPayload{pid, DragPayload::tokenOf(otherWindow), 3}.toMimeData();
    case Offer::Garbage:
        data->setData(DragPayload::mimeType(), QByteArray("\x01\x02\x03", 3));
        break;
    case Offer::NoSuchIndex:
        delete data;
        return DragPayload{pid, token, 99}.toMimeData();
    }
    return data;
}

using Drops::Route;
constexpr Route everyRoute[] = {Route::Drag, Route::Tap, Route::Keys, Route::Switch};

DropLabel *place(QWidget *window, int index)
{
    return Drops::pickUpOf(window)->places().value(index);
}

DropLabel *firstEmptyPlace(QWidget *window, int except)
{
    for (DropLabel *candidate : Drops::pickUpOf(window)->places()) {
        if (candidate->index() != except && candidate->text().trimmed().isEmpty())
            return candidate;
    }
    return nullptr;
}

// How a card looks, without the focus ring the keyboard may have left on it.
QImage look(DragLabel *card)
{
    if (QWidget *focus = card->window()->focusWidget())
        focus->clearFocus();
    return card->grab().toImage();
}

DragLabel *firstCard(QWidget *window)
{
    return Drops::pickUpOf(window)->playableCards().value(0);
}

// The sentence a screen reader was given last in the window.
QString heard(QWidget *window)
{
    return window->findChild<Narrator *>()->saying();
}

// Everything a child sees and hears of an exercise window, and the scores.
QStringList outcome(FormEsercizio *window, const TestProgram &program)
{
    QStringList seen{QString::number(Modulo1::NumEsatti), QString::number(Modulo1::NumErrati),
                     window->backgroundColour().name()};
    for (QWidget *label : window->findChildren<QWidget *>()) {
        const QVariant text = label->property("text");
        if (!text.isValid() || label->objectName() == QLatin1String("BottoneAvanti"))
            continue;
        seen << label->objectName() + QLatin1Char('=') + text.toString() +
                    (label->isVisibleTo(window) ? QLatin1String("") : QLatin1String(" hidden")) +
                    (label->isEnabled() ? QLatin1String("") : QLatin1String(" disabled"));
        // What a screen reader finds there: the name and whether it is held.
        if (auto *play = qobject_cast<PlayLabel *>(label)) {
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(play);
            seen << accessible->text(QAccessible::Name) +
                        (accessible->state().checked ? QLatin1String(" held") : QLatin1String(""));
        }
    }
    seen << QStringLiteral("heard: ") + heard(window);
    for (const char *name : {"ComandoIconaSi", "ComandoIconaNo"})
        seen << QLatin1String(name) +
                    QString::number(
                        window->findChild<QWidget *>(QLatin1String(name))->isVisibleTo(window));
    seen << QString::number(
        window->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"))->isEnabled());
    seen << program.sound.played;
    seen << QStringLiteral("picked up: %1").arg(Drops::pickUpOf(window)->picked() != nullptr);
    return seen;
}

// One answer of a kind, given by the route; the steps that set it up are drags.
void answer(FormEsercizio *window, const QString &kind, Route route)
{
    DragLabel *first = firstCard(window);
    QVERIFY(first);
    const int j = first->index();
    if (kind == QLatin1String("right")) {
        Drops::move(route, first, place(window, j));
    } else if (kind == QLatin1String("wrong")) {
        Drops::move(route, first, firstEmptyPlace(window, j));
    } else if (kind == QLatin1String("filled")) {
        Drops::move(Route::Drag, first, place(window, j));
        Drops::move(route, firstCard(window), place(window, j));
    } else if (kind == QLatin1String("given")) {
        // The place that shows the given name when the round starts.
        DropLabel *given = nullptr;
        for (DropLabel *candidate : Drops::pickUpOf(window)->places()) {
            if (!candidate->text().trimmed().isEmpty())
                given = candidate;
        }
        QVERIFY(given);
        Drops::move(route, first, given);
    } else if (kind == QLatin1String("placed or hidden")) {
        Drops::move(Route::Drag, first, place(window, j));
        // A card that is not in play, on its own place if that is still empty.
        DragLabel *out = first;
        for (DragLabel *candidate : window->findChildren<DragLabel *>()) {
            if (!candidate->playable() &&
                place(window, candidate->index())->text().trimmed().isEmpty())
                out = candidate;
        }
        DropLabel *target = place(window, out->index());
        Drops::move(route, out,
                    target->text().trimmed().isEmpty() ? target : firstEmptyPlace(window, -1));
    }
}

} // namespace

Q_DECLARE_METATYPE(Offer)
Q_DECLARE_METATYPE(Route)

class TestDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void payloadRoundTrip();
    void placeAcceptsOnlyOwnNames_data();
    void placeAcceptsOnlyOwnNames();
    void refusedDropChangesNothing();
    void namesAndFrameAcceptNoDrops_data();
    void namesAndFrameAcceptNoDrops();
    void outlineHasTheLabelsSize();
    void everyRouteGivesTheDropsOutcome_data();
    void everyRouteGivesTheDropsOutcome();
    void pickedCardIsPutDown_data();
    void pickedCardIsPutDown();
    void roundPlayedByEveryRoute_data();
    void roundPlayedByEveryRoute();
    void accessibleNamesFollowTheLabels();
    void voiceSaysWhatIsPickedOrTapped();
    void focusRingFollowsTheKeyboard_data();
    void focusRingFollowsTheKeyboard();
};

void TestDragDrop::payloadRoundTrip()
{
    const DragPayload sent{1234, 0xDEADBEEF, 7};
    std::unique_ptr<QMimeData> data(sent.toMimeData());
    DragPayload read;
    QVERIFY(DragPayload::fromMimeData(data.get(), &read));
    QCOMPARE(read.processId, sent.processId);
    QCOMPARE(read.windowToken, sent.windowToken);
    QCOMPARE(read.index, sent.index);
    QVERIFY(!DragPayload::fromMimeData(nullptr, &read));
}

void TestDragDrop::placeAcceptsOnlyOwnNames_data()
{
    QTest::addColumn<Offer>("offer");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("own name") << Offer::Own << true;
    QTest::newRow("own name, already placed") << Offer::OwnDisabled << false;
    QTest::newRow("plain text") << Offer::Text << false;
    QTest::newRow("files") << Offer::Files << false;
    QTest::newRow("another Tempiolo") << Offer::OtherProcess << false;
    QTest::newRow("another window") << Offer::OtherWindow << false;
    QTest::newRow("garbled payload") << Offer::Garbage << false;
    QTest::newRow("unknown index") << Offer::NoSuchIndex << false;
}

void TestDragDrop::placeAcceptsOnlyOwnNames()
{
    QFETCH(Offer, offer);
    QFETCH(bool, accepted);
    TestProgram program;
    auto *window = program.open<FormEsercizio>(Finestra::Form1);
    QWidget *other = program.open(Finestra::Form3);
    // Name 0 is placed already, so its label is disabled.
    window->findChild<DragLabel *>(QStringLiteral("Label3(0)"))->setEnabled(false);
    auto *place = window->findChild<DropLabel *>(QStringLiteral("Label4(3)"));
    QSignalSpy dropped(place, &DropLabel::dropped);

    std::unique_ptr<QMimeData> data(makeOffer(offer, window, other));
    const QPoint centre = place->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(place, &enter);
    QCOMPARE(enter.isAccepted(), accepted);
    QCOMPARE(place->highlighted(), accepted);
    // A drag that leaves takes the highlight with it, and may come back.
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(place, &leave);
    QVERIFY(!place->highlighted());
    QCoreApplication::sendEvent(place, &enter);
    QDragMoveEvent move(centre, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(place, &move);
    QCOMPARE(move.isAccepted(), accepted);
    // Whatever Qt does with a drop after a refused entry, nothing may reach the handler.
    QDropEvent drop(centre, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                    Qt::NoModifier);
    QCoreApplication::sendEvent(place, &drop);
    QCOMPARE(drop.isAccepted(), accepted);
    QVERIFY(!place->highlighted());
    QCOMPARE(dropped.size(), accepted ? 1 : 0);
    if (accepted) {
        QCOMPARE(dropped[0][0].toInt(), 3);
        QCOMPARE(qvariant_cast<DragLabel *>(dropped[0][1])->index(), 3);
        QCOMPARE(drop.dropAction(), Qt::MoveAction);
    }
}

void TestDragDrop::refusedDropChangesNothing()
{
    TestProgram program;
    auto *window = program.open<FormEsercizio>(Finestra::Form2);
    auto *place = window->findChild<DropLabel *>(QStringLiteral("Label4(2)"));
    const QColor colour = window->backgroundColour();
    QMimeData text;
    text.setText(QStringLiteral("MARZO"));
    QDropEvent drop(place->rect().center(), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(place, &drop);
    QCOMPARE(Modulo1::NumEsatti, qint16(0));
    QCOMPARE(Modulo1::NumErrati, qint16(0));
    QCOMPARE(window->backgroundColour(), colour);
    QVERIFY(place->text().isEmpty());
    QVERIFY(program.sound.played.isEmpty());
}

void TestDragDrop::namesAndFrameAcceptNoDrops_data()
{
    QTest::addColumn<Finestra>("window");
    for (Finestra window : exerciseWindows)
        QTest::addRow("%s", windowName(window)) << window;
}

void TestDragDrop::namesAndFrameAcceptNoDrops()
{
    QFETCH(Finestra, window);
    TestProgram program;
    QWidget *shown = program.open(window);
    // Only the places take drops: the window, its names, cards and the frame ignore them.
    const auto widgets = shown->findChildren<QWidget *>();
    int places = 0;
    for (QWidget *widget : widgets) {
        if (qobject_cast<DropLabel *>(widget))
            ++places;
        else
            QVERIFY2(!widget->acceptDrops(), qPrintable(widget->objectName()));
    }
    QVERIFY(!shown->acceptDrops());
    const int expected[] = {12, 12, 7, 7, 12, 7, 0};
    QCOMPARE(places, expected[int(window) - int(Finestra::Form1)]);
}

void TestDragDrop::outlineHasTheLabelsSize()
{
    TestProgram program;
    QWidget *window = program.open(Finestra::Form5);
    auto *card = window->findChild<DragLabel *>(QStringLiteral("Label4(0)"));
    const QPixmap outline = card->outline();
    QCOMPARE(outline.deviceIndependentSize().toSize(), card->size());
    // Drawn on an opaque light fill, which shows the same with or without a compositor.
    const QImage image = outline.toImage();
    QVERIFY(image.pixelColor(image.width() / 10, image.height() / 4).alpha() == 255);
    QVERIFY(image.pixelColor(image.width() / 10, image.height() / 4).lightness() > 200);
}

void TestDragDrop::everyRouteGivesTheDropsOutcome_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<QString>("kind");
    // What a screen reader says after the answer.
    QTest::addColumn<QString>("heard");
    const QString right = QStringLiteral("^posto \\d+: [^,]+, esatto\\. Esatti: 1$");
    const QHash<QString, QString> heard{
        {QStringLiteral("right"), right},
        {QStringLiteral("wrong"), QStringLiteral("^posto \\d+: [^,]+, sbagliato\\. Errati: 1$")},
        {QStringLiteral("filled"), QStringLiteral("^posto \\d+: [^,]+, sbagliato\\. Errati: 1$")},
        // Nothing new: the set-up's drop was the last thing said.
        {QStringLiteral("placed or hidden"), right},
        {QStringLiteral("given"), QStringLiteral("^posto \\d+: [^,]+, sbagliato\\. Errati: 1$")},
    };
    for (Finestra window : {Finestra::Form1, Finestra::Form2, Finestra::Form3, Finestra::Form4,
                            Finestra::Form5, Finestra::Form6}) {
        QStringList kinds{QStringLiteral("right"), QStringLiteral("wrong"),
                          QStringLiteral("filled"), QStringLiteral("placed or hidden")};
        if (window != Finestra::Form1 && window != Finestra::Form3)
            kinds << QStringLiteral("given");
        for (const QString &kind : kinds)
            QTest::addRow("%s %s", windowName(window), qPrintable(kind))
                << window << kind << heard[kind];
    }
}

void TestDragDrop::everyRouteGivesTheDropsOutcome()
{
    QFETCH(Finestra, window);
    QFETCH(QString, kind);
    QFETCH(QString, heard);
    QStringList byDrag;
    for (Route route : everyRoute) {
        TestProgram program;
        const QString child = program.playAs({QStringLiteral("Niccolò")}).constFirst();
        program.random.script({0.37});
        auto *shown = program.open<FormEsercizio>(window);
        answer(shown, kind, route);
        if (QTest::currentTestFailed())
            return;
        // The answer kept for the child: what the route did, named as it is;
        // a card out of play is no answer at all.
        const bool judged = kind != QLatin1String("placed or hidden");
        const bool setUp = kind == QLatin1String("filled") || !judged;
        QCOMPARE(program.kept.size(), int(setUp) + int(judged));
        const KeptAnswer &kept = program.kept.last();
        QCOMPARE(kept.child, child);
        QCOMPARE(kept.exercise, QLatin1String(exerciseKey(window)));
        QCOMPARE(kept.language, QStringLiteral("it"));
        QCOMPARE(kept.route, routeName(judged ? route : Route::Drag));
        QCOMPARE(kept.right, kind == QLatin1String("right") || !judged);
        QCOMPARE(kept.asked == kept.given, kept.right);
        // Kept as numbers of the window's names, with its round and an identity.
        const bool months =
            window == Finestra::Form1 || window == Finestra::Form2 || window == Finestra::Form5;
        QCOMPARE(kept.items, months ? Items::Months : Items::Days);
        QVERIFY(kept.asked >= 1 && kept.asked <= (months ? 12 : 7));
        QVERIFY(kept.given >= 1 && kept.given <= (months ? 12 : 7));
        QVERIFY(!kept.id.isNull() && !kept.round.isNull());
        if (program.kept.size() == 2) {
            QCOMPARE(program.kept.first().round, kept.round);
            QVERIFY(program.kept.first().id != kept.id);
        }
        const QStringList seen = outcome(shown, program);
        if (route == Route::Drag) {
            byDrag = seen;
            // The set-up's right drag counts; the answer itself counts only when right.
            const bool oneRight = kind != QLatin1String("wrong") && kind != QLatin1String("given");
            QCOMPARE(Modulo1::NumEsatti, qint16(oneRight ? 1 : 0));
            if (kind == QLatin1String("wrong"))
                QCOMPARE(Modulo1::NumErrati, qint16(1));
            const QString said = ::heard(shown);
            QVERIFY2(QRegularExpression(heard).match(said).hasMatch(), qPrintable(said));
        } else {
            QVERIFY2(seen == byDrag, qPrintable(QStringLiteral("%1 differs from a drag:\n%2\n%3")
                                                    .arg(QLatin1String(Drops::routeName(route)),
                                                         seen.join(u'|'), byDrag.join(u'|'))));
        }
    }
}

void TestDragDrop::pickedCardIsPutDown_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<Route>("route");
    QTest::addColumn<QString>("how");
    const QStringList ways{QStringLiteral("Esc"), QStringLiteral("background"),
                           QStringLiteral("same card"), QStringLiteral("other card"),
                           QStringLiteral("drag of another card")};
    for (Finestra window : {Finestra::Form1, Finestra::Form4, Finestra::Form5, Finestra::Form6}) {
        for (Route route : {Route::Tap, Route::Keys, Route::Switch}) {
            for (const QString &how : ways) {
                // The cycle shows one card at a time.
                if (how == QLatin1String("other card") && window >= Finestra::Form5)
                    continue;
                QTest::addRow("%s %s %s", windowName(window), Drops::routeName(route),
                              qPrintable(how))
                    << window << route << how;
            }
        }
    }
}

void TestDragDrop::pickedCardIsPutDown()
{
    QFETCH(Finestra, window);
    QFETCH(Route, route);
    QFETCH(QString, how);
    TestProgram program;
    auto *shown = program.open<FormEsercizio>(window);
    QList<DragLabel *> cards = Drops::pickUpOf(shown)->playableCards();
    DragLabel *other = cards.value(1);
    DragLabel *picked = cards.first();
    const QImage plain = look(picked);
    program.sound.spoken.clear();
    Drops::pickUp(route, picked);
    QCOMPARE(Drops::pickUpOf(shown)->picked(), picked);
    // The program's voice says the card, once.
    const QList<QStringList> said{{program.voice.clipPath(Voice::clipOf(picked->text()))}};
    QCOMPARE(program.sound.spoken, said);
    QVERIFY2(look(picked) != plain, "a picked-up card shows a mark");

    if (how == QLatin1String("Esc")) {
        QTest::keyClick(shown->focusWidget() ? shown->focusWidget() : shown, Qt::Key_Escape);
    } else if (how == QLatin1String("background")) {
        QTest::mouseClick(shown->findChild<QWidget *>(QStringLiteral("area")), Qt::LeftButton, {},
                          QPoint(5, 5));
    } else if (how == QLatin1String("same card")) {
        Drops::pickUp(route, picked);
    } else if (how == QLatin1String("other card")) {
        Drops::pickUp(route, other);
        QCOMPARE(Drops::pickUpOf(shown)->picked(), other);
        QCOMPARE(look(picked), plain);
        return;
    } else {
        DragLabel *dragged = other ? other : picked;
        Drops::move(Route::Drag, dragged, place(shown, dragged->index()));
        QCOMPARE(Modulo1::NumEsatti, qint16(1));
        QVERIFY(!Drops::pickUpOf(shown)->picked());
        return;
    }
    QVERIFY(!Drops::pickUpOf(shown)->picked());
    QCOMPARE(look(picked), plain);
    // With nothing picked up a tap on the right place does nothing at all.
    QTest::mouseClick(place(shown, picked->index()), Qt::LeftButton);
    QCOMPARE(Modulo1::NumEsatti, qint16(0));
    QCOMPARE(Modulo1::NumErrati, qint16(0));
    QVERIFY(program.sound.played.isEmpty());
}

void TestDragDrop::voiceSaysWhatIsPickedOrTapped()
{
    TestProgram program;
    // Riordina i giorni (2): the round begins with a day written on the first place.
    auto *shown = program.open<FormEsercizio>(Finestra::Form4);
    DropLabel *given = place(shown, 0);
    const QString givenClip = program.voice.clipPath(Voice::clipOf(given->text()));
    QCOMPARE(program.sound.spoken, QList<QStringList>{{givenClip}});
    // A tap on the written name says it; with a card in hand it would be an answer.
    QTest::mouseClick(given, Qt::LeftButton);
    QCOMPARE(program.sound.spoken.last(), QStringList{givenClip});
    // The start of a drag says the card lifted.
    DragLabel *card = firstCard(shown);
    QTest::mousePress(card, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(card, QPoint(40, 5));
    QTest::mouseRelease(card, Qt::LeftButton, {}, QPoint(40, 5));
    QCOMPARE(program.sound.spoken.last(),
             QStringList{program.voice.clipPath(Voice::clipOf(card->text()))});

    // "Voce?" no: nothing is asked of the voice, and the choice outlives the window.
    shown->findChild<QAction *>(QStringLiteral("mnuVoceNo"))->trigger();
    program.sound.spoken.clear();
    Drops::pickUp(Route::Tap, card);
    QTest::mouseClick(given, Qt::LeftButton);
    QVERIFY(program.sound.spoken.isEmpty());
    program.windows.close(Finestra::Form4);
    TestProgram::settle();
    QCOMPARE(QSettings(QStringLiteral("Tempiolo"), QStringLiteral("Tempiolo"))
                 .value(QStringLiteral("voce"))
                 .toBool(),
             false);
    auto *again = program.open<FormEsercizio>(Finestra::Form6);
    QVERIFY(again->findChild<QAction *>(QStringLiteral("mnuVoceNo"))->isChecked());
    QVERIFY(program.sound.spoken.isEmpty());
}

void TestDragDrop::roundPlayedByEveryRoute_data()
{
    QTest::addColumn<Finestra>("window");
    QTest::addColumn<bool>("waiting");
    for (Finestra window : {Finestra::Form2, Finestra::Form3, Finestra::Form5, Finestra::Form6}) {
        QTest::addRow("%s waiting", windowName(window)) << window << true;
        QTest::addRow("%s automatic", windowName(window)) << window << false;
    }
}

void TestDragDrop::roundPlayedByEveryRoute()
{
    QFETCH(Finestra, window);
    QFETCH(bool, waiting);
    QStringList byDrag;
    for (Route route : everyRoute) {
        TestProgram program;
        Modulo1::AttendiAvanti = waiting;
        program.random.script({0.61});
        auto *shown = program.open<FormEsercizio>(window);
        int toPlace = 0;
        for (DropLabel *spot : Drops::pickUpOf(shown)->places())
            toPlace += spot->text().trimmed().isEmpty() ? 1 : 0;
        // Automatic play goes on into a second round.
        const int rights = waiting ? toPlace : toPlace + 1;
        while (Modulo1::NumEsatti < rights) {
            DragLabel *next = firstCard(shown);
            QVERIFY(next);
            Drops::move(route, next, place(shown, next->index()));
        }
        QVERIFY(!Drops::pickUpOf(shown)->picked());
        auto *avanti = shown->findChild<QAbstractButton *>(QStringLiteral("BottoneAvanti"));
        QCOMPARE(avanti->isEnabled(), waiting);
        if (route == Route::Keys && waiting) {
            // The keyboard goes on to "avanti", and from there to the new round's first card.
            QCOMPARE(shown->focusWidget(), static_cast<QWidget *>(avanti));
            QTest::keyClick(avanti, Qt::Key_Return);
            QCOMPARE(shown->focusWidget(), static_cast<QWidget *>(firstCard(shown)));
            QVERIFY(!avanti->isEnabled());
            continue;
        }
        if (route == Route::Drag)
            byDrag = outcome(shown, program);
        else
            QCOMPARE(outcome(shown, program), byDrag);
    }
}

void TestDragDrop::accessibleNamesFollowTheLabels()
{
    // The events that tell a screen reader of a change need a real
    // accessibility bus: the AT-SPI script checks those.
    TestProgram program;
    auto *shown = program.open<FormEsercizio>(Finestra::Form1);
    DragLabel *first = firstCard(shown);
    DropLabel *target = place(shown, first->index());
    QAccessibleInterface *card = QAccessible::queryAccessibleInterface(first);
    QAccessibleInterface *spot = QAccessible::queryAccessibleInterface(target);
    // Qt's own button: a card is checkable, and checked while it is held.
    QCOMPARE(card->role(), QAccessible::CheckBox);
    QCOMPARE(spot->role(), QAccessible::Button);
    QVERIFY(card->state().checkable && !card->state().checked);
    QCOMPARE(card->text(QAccessible::Name), first->text());
    QCOMPARE(spot->text(QAccessible::Name),
             QStringLiteral("posto %1: vuoto").arg(first->index() + 1));
    const QString name = first->text();

    Drops::pickUp(Route::Switch, first);
    QVERIFY(card->state().checked);
    QCOMPARE(heard(shown), name + QStringLiteral(" preso"));
    QCoreApplication::processEvents();
    QTest::keyClick(shown, Qt::Key_Escape);
    QVERIFY(!card->state().checked);
    QCOMPARE(heard(shown), name + QStringLiteral(" lasciato"));
    // A screen reader's toggle picks up as a press does.
    card->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QCOMPARE(Drops::pickUpOf(shown)->picked(), first);

    Drops::move(Route::Switch, first, target);
    QCOMPARE(spot->text(QAccessible::Name),
             QStringLiteral("posto %1: %2").arg(first->index() + 1).arg(name));
    auto *rights = shown->findChild<QLabel *>(QStringLiteral("EtichettaEsatti"));
    QCOMPARE(QAccessible::queryAccessibleInterface(rights)->text(QAccessible::Name),
             QStringLiteral("Esatti: 1"));
}

void TestDragDrop::focusRingFollowsTheKeyboard_data()
{
    QTest::addColumn<QString>("then");
    QTest::addColumn<bool>("ring");
    QTest::newRow("another key") << "key" << true;
    QTest::newRow("a mouse press") << "mouse" << false;
    QTest::newRow("a touch") << "touch" << false;
}

void TestDragDrop::focusRingFollowsTheKeyboard()
{
    QFETCH(QString, then);
    QFETCH(bool, ring);
    TestProgram program;
    auto *shown = program.open<FormEsercizio>(Finestra::Form1);
    QApplication::setActiveWindow(shown);
    DragLabel *card = firstCard(shown);
    card->setFocus(Qt::MouseFocusReason);
    QVERIFY(!Focusable::ringShown(card));
    QTest::keyClick(card, Qt::Key_Down);
    QWidget *focus = shown->focusWidget();
    QVERIFY(focus != card);
    QVERIFY(Focusable::ringShown(focus));
    QWidget *area = shown->findChild<QWidget *>(QStringLiteral("area"));
    if (then == QLatin1String("key")) {
        QTest::keyClick(focus, Qt::Key_Up);
    } else if (then == QLatin1String("mouse")) {
        QTest::mouseClick(area, Qt::LeftButton, {}, QPoint(5, 5));
    } else {
        static QPointingDevice *screen = QTest::createTouchDevice();
        QTest::touchEvent(shown, screen).press(0, area->mapTo(shown, QPoint(5, 5)));
        QTest::touchEvent(shown, screen).release(0, area->mapTo(shown, QPoint(5, 5)));
    }
    QCOMPARE(Focusable::ringShown(shown->focusWidget()), ring);
}

QTEST_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
