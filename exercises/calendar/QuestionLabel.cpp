#include "QuestionLabel.h"

#include "Controls.h"
#include "Focusable.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

QuestionLabel::QuestionLabel(QWidget *parent) : QLabel(parent)
{
    setFocusPolicy(Qt::TabFocus);
    Focusable::install(this);
}

void QuestionLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void QuestionLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void QuestionLabel::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QPainter painter(this);
    drawFrame(&painter);
    Controls::drawText(painter, this);
}
