#pragma once

#include <QColor>

// The colours of the results, on screen and on paper. Each step is darker
// than the one before, so that the shades keep their order printed in grey
// and for readers who do not tell red from green; right and wrong are told
// apart by a pattern as well, and every shaded cell carries its number.
namespace ResultsColours {

// A cell's background for a share of right answers (0 to 1): the fewer
// right, the darker, from near white to dark brown.
QColor forShare(double share);
// A confusion map's cell for a count of wrong answers, 1 to `most`, from
// pale yellow to dark brown; white for none.
QColor forCount(int count, int most);
// Black or white, whichever reads better on `background`.
QColor textOn(const QColor &background);

// The bars of right answers: solid dark blue.
QColor right();
// The bars of wrong answers: orange, under dark hatching.
QColor wrong();
QColor wrongHatching();
// An item of a child's review: white while never missed, pale orange while
// it is to be reviewed, pale green once secure (its word says it too).
QColor forReview(int state);
// The diagonal of a confusion map, the right answers: pale grey, hatched.
QColor diagonal();
QColor diagonalHatching();
// Rules, grid lines, secondary text.
QColor ink();
QColor grid();
QColor muted();

} // namespace ResultsColours
