#pragma once

// What a screen reader finds in the month grid of the calendar exercise:
// a table of six weeks whose column headers are the weekdays ("lunedì")
// and whose cells read as dates ("martedì 24 gennaio 2001"), saying so of
// the days of the months before and after. Qt's own table would read the
// grid's inner numbers instead ("6", "12"). The cells follow Qt's own
// numbering of a table's children, so that the view's focus and selection
// events land on them.
class QAccessibleInterface;
class QObject;

namespace AccessibleMonth {

// The interface of a month calendar's grid; null for any other object.
QAccessibleInterface *grid(QObject *object);

} // namespace AccessibleMonth
