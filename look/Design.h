#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Window layouts are drawn in units of 1/1440 inch, 15 to a logical pixel;
// Qt's own high-DPI scaling takes care of denser screens.
namespace Design {

inline constexpr int unitsPerPixel = 15;

constexpr int px(int units)
{
    return (units + unitsPerPixel / 2) / unitsPerPixel;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

constexpr QSize size(int width, int height)
{
    return QSize(px(width), px(height));
}

// Arial bold at a size in points, fixed in pixels so that texts fit their
// designed boxes whatever the screen's reported resolution.
QFont arialBold(double points);

} // namespace Design
