#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class DragLabel;
class DropLabel;
class QWidget;

// Play without dragging in one window: at most one name card is picked up,
// and a tap on a place drops it there through the same route as a drag.
// Each window has its own; it also keeps the keyboard's order of the cards,
// the places and "avanti".
class PickUp : public QObject
{
    Q_OBJECT

public:
    // The window's own, made on first use.
    static PickUp *of(QWidget *window);

    // The picked-up card, or null; a card that can no longer be played is
    // never picked up.
    DragLabel *picked() const;

    // A tap on a card picks it up, or puts it down when it was picked up.
    void tapCard(DragLabel *card, bool byKey);
    // A tap on a place drops the picked-up card there.
    void tapPlace(DropLabel *place, bool byKey);
    // Puts the picked-up card down with nothing counted.
    void putDown();

    // The cards that can be played, top to bottom, and the places in order.
    QList<DragLabel *> playableCards() const;
    QList<DropLabel *> places() const;

    // Tab goes through the cards, then the places, then "avanti".
    void orderTabs();

private:
    explicit PickUp(QWidget *window);
    void setPicked(DragLabel *card);
    // Where the keyboard goes once a drop has been judged.
    void focusAfterDrop(DragLabel *dropped);

    QWidget *window_;
    QPointer<DragLabel> picked_;
};
