#include "FittedFont.h"

#include <QFontMetricsF>

QFont fittedFont(const QFont &font, QPaintDevice *device, qreal height)
{
    const qreal now = QFontMetricsF(font, device).height();
    if (height <= 0 || now <= height)
        return font;
    QFont smaller = font;
    const qreal factor = height / now;
    if (font.pointSizeF() > 0)
        smaller.setPointSizeF(std::max(1.0, font.pointSizeF() * factor));
    else
        smaller.setPixelSize(std::max(1, int(font.pixelSize() * factor)));
    return smaller;
}
