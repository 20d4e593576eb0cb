#pragma once

class QMimeData;
class QWidget;

namespace Drops {

// A drag's payload as the program's own names carry it, for a name of `window`.
QMimeData *ownName(const QWidget *window, int index);

// Delivers a drag over `target` and its release there, as Qt does for a real
// drag: first the entry, then the move, then the drop. Returns whether the
// target accepted the drop.
bool deliver(QWidget *target, const QMimeData *data);

// Drops name `index` of the target's own window on it.
bool dropName(QWidget *target, int index);

} // namespace Drops
