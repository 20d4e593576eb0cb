#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class DragLabel;
class DropLabel;
class QWidget;

// Play without dragging in one window: at most one name card is picked up
// (and checked), and a tap on a place drops it there through the same route
// as a drag. Each window's frame owns one and hands it to its cards and
// places; it also keeps the keyboard's order of the cards, the places and
// "avanti".
class PickUp : public QObject
{
    Q_OBJECT

public:
    explicit PickUp(QWidget *window);

    // The picked-up card, or null; a card that can no longer be played is
    // never picked up.
    DragLabel *picked() const;

    // A tap on a card picks it up, or puts it down when it was picked up.
    void tapCard(DragLabel *card, bool byKey);
    // A tap on a place drops the picked-up card there.
    void tapPlace(DropLabel *place, bool byKey);
    // Puts the picked-up card down with nothing counted. `byChild`: the
    // child let it go (Esc, a tap on it or on the background), which is
    // told; a drop or a new round puts it down without a word.
    void putDown(bool byChild = false);
    // Every route's way of handing a card to a place: drag, tap, key, press.
    void deliver(DropLabel *place, DragLabel *card);

    // The cards that can be played, top to bottom, and the places in order.
    QList<DragLabel *> playableCards() const;
    QList<DropLabel *> places() const;

    // Tab goes through the cards, then the places, then "avanti".
    void orderTabs();

signals:
    // The child picked `card` up, or let it go.
    void held(DragLabel *card, bool up);
    // A card named `name` was handed to `place` and judged.
    void delivered(DropLabel *place, const QString &name);

private:
    void setPicked(DragLabel *card);
    // Where the keyboard goes once a drop has been judged.
    void focusAfterDrop(DragLabel *dropped);

    QWidget *window_;
    QPointer<DragLabel> picked_;
};
