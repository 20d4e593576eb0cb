#include "Marks.h"

#include "WindowScale.h"

#include <QPainter>
#include <QPen>
#include <QWidget>

namespace Marks {

void drawFocusRing(QPainter &painter, const QWidget *control)
{
    const QRect rect = control->rect();
    const double scale = WindowScale::of(control);
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

void drawPickedUp(QPainter &painter, const QWidget *control)
{
    const QRect rect = control->rect();
    const double scale = WindowScale::of(control);
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

void drawDropTarget(QPainter &painter, const QWidget *control)
{
    const qreal line = 3 * WindowScale::of(control);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(30, 90, 200), line));
    painter.drawRect(QRectF(control->rect()).adjusted(line / 2, line / 2, -line / 2, -line / 2));
    painter.restore();
}

} // namespace Marks
