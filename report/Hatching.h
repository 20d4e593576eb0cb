#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Diagonal lines over a rectangle, drawn as lines rather than with one of
// Qt's pattern brushes, whose pixel patterns turn to grey dust on a
// 1200 dpi page: `spacing` and `width` are in the painter's units.
void hatch(QPainter &painter, const QRectF &rect, const QColor &colour, qreal spacing, qreal width);
