#pragma once

#include "PlayLabel.h"

// A name that the child moves onto a place. Pressing on it and moving past
// the system's drag distance starts a drag; an outline follows the pointer
// while the card itself stays where it is. A click without a drag, Space
// or Enter picks it up instead, for a later tap on a place: the card is
// then checked. Disabled or hidden cards get no mouse or key events, so
// they cannot be played.
class DragLabel : public PlayLabel
{
    Q_OBJECT

public:
    DragLabel(int index, PickUp *pickUp, QWidget *parent = nullptr);

    // The picture that follows the pointer during a drag.
    QPixmap outline() const;

    // Shown and enabled, with a name on it.
    bool playable() const;

    void activate(bool byKey) override;

protected:
    QList<PlayLabel *> neighbours() const override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startDrag();
};
