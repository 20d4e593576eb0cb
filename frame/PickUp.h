#pragma once

#include "Route.h"

#include <QList>
#include <QObject>
#include <QPointer>

class DragLabel;
class DropLabel;
class QAbstractButton;

// Plays a window's cards and places, by every route: at most one card is
// picked up (and checked), and a tap on a place drops it there. Every route
// (drag, tap, key, switch) ends in one signal, moved. It also keeps the
// keyboard's way through the cards, the places and "avanti".
class PickUp : public QObject
{
    Q_OBJECT

public:
    explicit PickUp(QObject *parent = nullptr);

    // The window's cards and places, and the button that ends a round.
    void play(const QList<DragLabel *> &cards, const QList<DropLabel *> &places,
              QAbstractButton *avanti);

    // The picked-up card, or null; a card that can no longer be played is
    // never picked up.
    DragLabel *picked() const;
    // Puts the picked-up card down with nothing counted. `byChild`: the
    // child let it go (Esc, a tap on it or on the background), which is
    // told; a drop or a new round puts it down without a word.
    void putDown(bool byChild = false);

    // The cards that can be played, top to bottom, and the places in order.
    QList<DragLabel *> playableCards() const;
    QList<DropLabel *> places() const;

    // Tab goes through the cards, then the places, then "avanti".
    void orderTabs();

signals:
    // The child picked `card` up, or let it go.
    void held(DragLabel *card, bool up);
    // A drag of `card` began.
    void lifted(DragLabel *card);
    // The child moved `card` onto `place`, by any route.
    void moved(DragLabel *card, DropLabel *place, Route route);
    // A place was tapped with nothing in hand, or reached by the keyboard.
    void placeReached(DropLabel *place, bool tapped);

private:
    void setPicked(DragLabel *card);
    void tapCard(DragLabel *card, Route route);
    void tapPlace(DropLabel *place, Route route);
    // Where the keyboard goes once an answer has been judged.
    void focusAfterDrop(DragLabel *dropped);
    void cardToggled(DragLabel *card, bool on);

    QList<DragLabel *> cards_;
    QList<DropLabel *> places_;
    QAbstractButton *avanti_ = nullptr;
    QPointer<DragLabel> picked_;
};
