#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What screen readers and switches find of the program's own widgets, in
// one factory that Qt asks before its own: each window and coloured area
// lists its controls in screen order, the menus name their items, the
// calendar's grid reads as dates, and the announcer speaks. Everything
// else keeps Qt's interfaces.
namespace AccessibleFactory {

// For QAccessible::installFactory, once, as the program starts.
QAccessibleInterface *create(const QString &className, QObject *object);

} // namespace AccessibleFactory
