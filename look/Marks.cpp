#include "Marks.h"

#include <QPainter>
#include <QPen>
#include <QRect>

namespace Marks {

void drawFocusRing(QPainter &painter, const QRect &rect)
{
    painter.save();
    const QRectF edge = QRectF(rect).adjusted(1, 1, -1, -1);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRect(edge);
    QPen dashes(Qt::black, 2, Qt::CustomDashLine);
    dashes.setDashPattern({2, 2});
    painter.setPen(dashes);
    painter.drawRect(edge);
    painter.restore();
}

void drawPickedUp(QPainter &painter, const QRect &rect)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(QRectF(rect).adjusted(1.5, 1.5, -1.5, -1.5));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(QRectF(rect).adjusted(3.5, 3.5, -3.5, -3.5));
    painter.restore();
}

} // namespace Marks
