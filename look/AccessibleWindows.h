#pragma once

class QAccessibleInterface;
class QWidget;

// What screen readers and switch scanning see of the program's windows and
// of the coloured areas the controls lie on: each window is a frame named
// by what the child sees, and the controls of an area are listed in the
// order a child reads the screen, top to bottom, then left to right, never
// in the order they were made (which is the order of the answers). What is
// not on show is left out: hidden controls, nameless ones (a card already
// placed; nameless containers stay), a picture covered by another at the
// same place, and captions
// whose text is already part of another control's name.
namespace AccessibleWindows {

// The interface of a window or of a coloured area.
QAccessibleInterface *screenOrder(QWidget *widget);

// Leaves `widget` out of the list its area gives, for a caption whose text
// another control already says.
void leaveOut(QWidget *widget);

} // namespace AccessibleWindows
