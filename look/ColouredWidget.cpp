#include "ColouredWidget.h"

#include <QPainter>
#include <QPaintEvent>

ColouredWidget::ColouredWidget(QWidget *parent) : QWidget(parent) {}

void ColouredWidget::setColour(const QColor &colour)
{
    if (colour_ != colour) {
        colour_ = colour;
        update();
    }
}

void ColouredWidget::paintEvent(QPaintEvent *event)
{
    QPainter(this).fillRect(event->rect(), colour_);
}
