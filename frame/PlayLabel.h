#pragma once

#include "LabelButton.h"
#include "Route.h"

#include <QPoint>

// What a name card and a place share in play without dragging. They only
// report what the child did to them: a click that does not become a drag,
// Space, Enter, or a screen reader's or switch's press is a tap; the arrow
// keys, Home and End ask to move on to a neighbour. Whoever plays them
// decides what follows.
class PlayLabel : public LabelButton
{
    Q_OBJECT

public:
    enum class Step { Previous, Next, First, Last };
    Q_ENUM(Step)

    explicit PlayLabel(int index, QWidget *parent = nullptr);

    int index() const { return index_; }

signals:
    // A tap, by mouse or finger (Route::Tap), Space or Enter (Route::Keys),
    // or a screen reader's or switch's press (Route::Switch).
    void activated(Route route);
    // The keyboard asks for the neighbouring card or place.
    void stepped(PlayLabel::Step step);

protected:
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
};
