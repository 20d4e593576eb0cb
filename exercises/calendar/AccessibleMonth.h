#pragma once

// What a screen reader finds in the month grid of the calendar exercise:
// a table of six weeks whose column headers are the weekdays ("lunedì")
// and whose cells read as dates ("martedì 24 gennaio 2001"), saying so of
// the days of the months before and after. Qt's own table would read the
// grid's inner numbers instead ("6", "12"). The cells follow Qt's own
// numbering of a table's children, so that the view's focus and selection
// events land on them.
class QTableView;

namespace AccessibleMonth {

// Gives the calendar's grid its interface, in place of any Qt made for it
// while the calendar was being built.
void install(QTableView *grid);

// The number of the child that shows the model's row and column.
int childIndex(int modelRow, int column);

} // namespace AccessibleMonth
