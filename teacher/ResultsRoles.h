#pragma once

#include <Qt>

// What the teacher's tables carry beside their text, for the delegate that
// shades them and for the window that reads the child of a row.
namespace ResultsRoles {

enum Role {
    // A share of right answers, 0 to 1: shaded by it. None: white.
    Share = Qt::UserRole + 1,
    // A count of wrong answers, and the largest of its map: shaded by it.
    Count,
    MostCount,
    // A map's diagonal, the right answers: shaded apart.
    Diagonal,
    // The child of a row, in the header.
    Child,
    // An item's review state (ReviewSchedule::State): shaded by it.
    Review,
};

} // namespace ResultsRoles
