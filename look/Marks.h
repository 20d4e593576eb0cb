#pragma once

class QPainter;
class QWidget;

// The two marks that play without dragging draws over a control. Each pairs
// a black and a white line, so that one of them stands out on any colour
// the windows can take, black included, and they differ in shape, not only
// in colour: the focus ring is dashed, the picked-up card's frame is solid
// and thick.
namespace Marks {

// Each is drawn over the whole of `control`; its lines grow with the factor
// the window shows its design at.
void drawFocusRing(QPainter &painter, const QWidget *control);
void drawPickedUp(QPainter &painter, const QWidget *control);
// Where a dragged name would land while it hovers over a place.
void drawDropTarget(QPainter &painter, const QWidget *control);

} // namespace Marks
