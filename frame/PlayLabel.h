#pragma once

#include <QLabel>
#include <QPoint>

// What a name card and a place share in play without dragging: a click
// that does not become a drag is a tap, Space and Enter do what a tap does,
// the arrow keys move the focus to the neighbouring card or place (Home and
// End to the first and the last), and the focus ring shows where the
// keyboard is.
class PlayLabel : public QLabel
{
    Q_OBJECT

public:
    explicit PlayLabel(int index, QWidget *parent = nullptr);

    int index() const { return index_; }

    // Shows a new text and tells screen readers that the name changed.
    void setText(const QString &text);

    // What a tap does: a card is picked up or put down, the picked card is
    // dropped on a place. `byKey`: the keyboard asked, so the focus follows.
    virtual void activate(bool byKey) = 0;

    // The one-line text a screen reader says for this label.
    virtual QString accessibleText() const = 0;

protected:
    // The labels of the same kind the arrow keys move between, in order.
    virtual QList<PlayLabel *> neighbours() const = 0;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

    // Set from a left press until its release, unless a drag began.
    bool pressed_ = false;
    QPoint pressedAt_;

private:
    const int index_;
};
