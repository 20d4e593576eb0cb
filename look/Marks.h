#pragma once

class QPainter;
class QRect;

// The two marks that play without dragging draws over a control. Each pairs
// a black and a white line, so that one of them stands out on any colour
// the windows can take, black included, and they differ in shape, not only
// in colour: the focus ring is dashed, the picked-up card's frame is solid
// and thick.
namespace Marks {

// `scale`: the factor the window shows its design at; the lines grow with it.
void drawFocusRing(QPainter &painter, const QRect &rect, double scale = 1.0);
void drawPickedUp(QPainter &painter, const QRect &rect, double scale = 1.0);

} // namespace Marks
