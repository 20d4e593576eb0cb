#pragma once

#include "Route.h"

class DragLabel;
class DropLabel;
class PickUp;
class QMimeData;
class QWidget;

namespace Drops {

// The pick-up of an exercise window's frame.
PickUp *pickUpOf(QWidget *window);

// A drag's payload as the program's own names carry it, for a name of `window`.
QMimeData *ownName(const QWidget *window, int index);

// Delivers a drag over `target` and its release there, as Qt does for a real
// drag: first the entry, then the move, then the drop. Returns whether the
// target accepted the drop.
bool deliver(QWidget *target, const QMimeData *data);

// Drops name `index` of the target's own window on it.
bool dropName(QWidget *target, int index);

using ::Route;
const char *routeName(Route route);

// A screen reader's press shows the button down for a tenth of a second
// before it clicks; long runs may click at once instead.
void pressAtOnce(bool atOnce);

// Picks a card up by a route other than a drag; a card that the route cannot
// reach (hidden, disabled) is left alone, as a child would find it.
void pickUp(Route route, DragLabel *card);
// Moves a card onto a place by the route; a card already picked up is not
// picked up again.
void move(Route route, DragLabel *card, DropLabel *place);

} // namespace Drops
