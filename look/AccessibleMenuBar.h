#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// The menu bar as screen readers find it: Qt's own, but for the names of
// its items, which leave out the blanks the captions are padded with
// ("Azzera conteggio", not "Azzera conteggio          ").
namespace AccessibleMenuBar {

// For QAccessible::installFactory.
QAccessibleInterface *factory(const QString &className, QObject *object);

} // namespace AccessibleMenuBar
