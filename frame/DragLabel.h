#pragma once

#include "PlayLabel.h"

// A name that the child moves onto a place. Pressing on it and moving past
// the system's drag distance starts a drag; an outline follows the pointer
// while the card itself stays where it is. A tap picks it up instead, for a
// later tap on a place: the card is then checked, and shows it with a
// thick frame. Disabled or hidden cards get no mouse or key events, so they
// cannot be played.
class DragLabel : public PlayLabel
{
    Q_OBJECT

public:
    explicit DragLabel(int index, QWidget *parent = nullptr);

    // The picture that follows the pointer during a drag.
    QPixmap outline() const;

    // Shown and enabled, with a name on it.
    bool playable() const;

signals:
    // A drag of the card begins.
    void lifted();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startDrag();
};
