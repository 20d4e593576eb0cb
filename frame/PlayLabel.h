#pragma once

#include "LabelButton.h"

#include <QPoint>

class PickUp;

// What a name card and a place share in play without dragging: a click
// that does not become a drag is a tap, Space and Enter do what a tap does,
// the arrow keys move the focus to the neighbouring card or place (Home and
// End to the first and the last), and the focus ring shows where the
// keyboard is. A screen reader's press action is a tap too.
class PlayLabel : public LabelButton
{
    Q_OBJECT

public:
    PlayLabel(int index, PickUp *pickUp, QWidget *parent = nullptr);

    int index() const { return index_; }

    // What a tap does: a card is picked up or put down, the picked card is
    // dropped on a place. `byKey`: the keyboard asked, so the focus follows.
    virtual void activate(bool byKey) = 0;

protected:
    PickUp *pickUp() const { return pickUp_; }
    // The buttons of the same kind the arrow keys move between, in order.
    virtual QList<PlayLabel *> neighbours() const = 0;
    // Tells screen readers the new name, once it is set.
    void setAccessibleText(const QString &name);

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

    // Set from a left press until its release, unless a drag began.
    bool pressed_ = false;
    QPoint pressedAt_;

private:
    const int index_;
    PickUp *const pickUp_;
};
