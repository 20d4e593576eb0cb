#include "Hatching.h"

#include <QPainter>

void hatch(QPainter &painter, const QRectF &rect, const QColor &colour, qreal spacing, qreal width)
{
    if (rect.isEmpty() || spacing <= 0)
        return;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap));
    // Lines rising to the right at 45°, one every `spacing` along the bottom
    // edge, starting far enough to the left to reach the top left corner.
    for (qreal x = spacing / 2 - rect.height(); x < rect.width(); x += spacing) {
        painter.drawLine(QPointF(rect.left() + x, rect.bottom()),
                         QPointF(rect.left() + x + rect.height(), rect.top()));
    }
    painter.restore();
}
