#pragma once

#include <QLabel>
#include <QPoint>

// A name that the child drags with the mouse. Pressing on it and moving past
// the system's drag distance starts the drag; an outline follows the pointer
// while the label itself stays where it is. Disabled or hidden labels get no
// mouse events, so they cannot be dragged.
class DragLabel : public QLabel
{
    Q_OBJECT

public:
    explicit DragLabel(int index, QWidget *parent = nullptr);

    int index() const { return index_; }
    // The picture that follows the pointer during a drag.
    QPixmap outline() const;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void startDrag();

    const int index_;
    QPoint pressedAt_;
    bool pressed_ = false;
};
