#include "Marks.h"

#include <QPainter>
#include <QPen>
#include <QRect>

namespace Marks {

void drawFocusRing(QPainter &painter, const QRect &rect, double scale)
{
    painter.save();
    const qreal width = 2 * scale;
    const QRectF edge = QRectF(rect).adjusted(width / 2, width / 2, -width / 2, -width / 2);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, width));
    painter.drawRect(edge);
    // Dash lengths are in pen widths, so they scale with the pen.
    QPen dashes(Qt::black, width, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({2.0, 2.0});
    painter.setPen(dashes);
    painter.drawRect(edge);
    painter.restore();
}

void drawPickedUp(QPainter &painter, const QRect &rect, double scale)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    const qreal frame = 3 * scale;
    const qreal line = scale;
    painter.setPen(QPen(Qt::black, frame));
    painter.drawRect(QRectF(rect).adjusted(frame / 2, frame / 2, -frame / 2, -frame / 2));
    const qreal inner = frame + line / 2;
    painter.setPen(QPen(Qt::white, line));
    painter.drawRect(QRectF(rect).adjusted(inner, inner, -inner, -inner));
    painter.restore();
}

} // namespace Marks
