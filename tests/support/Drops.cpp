#include "Drops.h"

#include "DragLabel.h"
#include "DragPayload.h"
#include "DropLabel.h"
#include "FormEsercizio.h"
#include "PickUp.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QWidget>

#include <memory>

namespace Drops {

PickUp *pickUpOf(QWidget *window)
{
    auto *frame = qobject_cast<FormEsercizio *>(window);
    return frame ? frame->pickUp() : nullptr;
}

QMimeData *ownName(const QWidget *window, int index)
{
    return DragPayload{QCoreApplication::applicationPid(), DragPayload::tokenOf(window), index}
        .toMimeData();
}

bool deliver(QWidget *target, const QMimeData *data)
{
    const QPoint centre = target->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(centre, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDragMoveEvent move(centre, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(centre, actions, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

bool dropName(QWidget *target, int index)
{
    std::unique_ptr<QMimeData> data(ownName(target->window(), index));
    return deliver(target, data.get());
}

const char *routeName(Route route)
{
    switch (route) {
    case Route::Drag:
        return "drag";
    case Route::Tap:
        return "tap";
    case Route::Keys:
        return "keys";
    case Route::Switch:
        return "switch";
    }
    return "?";
}

namespace {

bool atOnce_ = false;

void press(QWidget *widget)
{
    auto *button = qobject_cast<QAbstractButton *>(widget);
    if (atOnce_ && button) {
        button->click();
        return;
    }
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible && accessible->actionInterface());
    // The action a screen reader is offered: Press on a place, Toggle on a card.
    const QStringList offered = accessible->actionInterface()->actionNames();
    const QString action = offered.contains(QAccessibleActionInterface::pressAction())
                               ? QAccessibleActionInterface::pressAction()
                               : QAccessibleActionInterface::toggleAction();
    QVERIFY(offered.contains(action));
    accessible->actionInterface()->doAction(action);
    // Qt shows the button pressed for a moment before it clicks, as a
    // screen reader's press should look.
    if (button)
        QTRY_VERIFY_WITH_TIMEOUT(!button->isDown(), 2000);
}

// Whether the keyboard can reach the widget at all.
bool focusable(const QWidget *widget)
{
    return widget->isVisibleTo(widget->window()) && widget->isEnabled();
}

} // namespace

void pressAtOnce(bool atOnce)
{
    atOnce_ = atOnce;
}

void pickUp(Route route, DragLabel *card)
{
    // Each of a child's actions is a turn of the event loop of its own.
    QCoreApplication::processEvents();
    switch (route) {
    case Route::Drag:
        break;
    case Route::Tap:
        QTest::mouseClick(card, Qt::LeftButton);
        break;
    case Route::Keys:
        if (focusable(card)) {
            card->setFocus(Qt::TabFocusReason);
            QTest::keyClick(card, Qt::Key_Return);
        }
        break;
    case Route::Switch:
        if (focusable(card))
            press(card);
        break;
    }
}

void move(Route route, DragLabel *card, DropLabel *place)
{
    // A card already picked up goes straight to the place: a second tap on
    // it would put it down.
    if (route != Route::Drag && pickUpOf(card->window())->picked() != card)
        pickUp(route, card);
    QCoreApplication::processEvents();
    switch (route) {
    case Route::Drag:
        dropName(place, card->index());
        return;
    case Route::Tap:
        QTest::mouseClick(place, Qt::LeftButton);
        return;
    case Route::Keys: {
        // From wherever the pick-up left the focus, down the places to this one.
        QWidget *window = place->window();
        for (int steps = 0; steps < 12 && window->focusWidget() != place; ++steps) {
            if (!qobject_cast<DropLabel *>(window->focusWidget())) {
                place->setFocus(Qt::TabFocusReason);
                break;
            }
            QTest::keyClick(window->focusWidget(), Qt::Key_Down);
        }
        QCOMPARE(window->focusWidget(), static_cast<QWidget *>(place));
        QTest::keyClick(place, Qt::Key_Return);
        return;
    }
    case Route::Switch:
        press(place);
        return;
    }
}

} // namespace Drops
