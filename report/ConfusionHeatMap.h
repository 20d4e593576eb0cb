#pragma once

#include "ConfusionMap.h"

#include <QRectF>

class QFont;
class QPainter;

// A confusion map drawn as a table of shaded cells with their numbers: the
// names moved down the left, the places along the top. Wrong answers are
// shaded from pale yellow to dark brown by count, their numbers in black or
// white by contrast; the diagonal, the right answers, is pale grey, hatched
// and outlined, so that it never reads as a mistake. The printed report
// draws it; the screen shows the same counts in a table shaded alike.
class ConfusionHeatMap
{
public:
    explicit ConfusionHeatMap(const ConfusionMap &map);

    // Draws the map at the top left of `rect` with square cells no larger
    // than `largestCell` (none when 0), headers in `font` or smaller, and a
    // legend line under it. Returns the part of `rect` it used.
    QRectF draw(QPainter &painter, const QRectF &rect, const QFont &font,
                qreal largestCell = 0) const;

private:
    const ConfusionMap &map_;
};
