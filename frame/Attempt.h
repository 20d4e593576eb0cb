#pragma once

#include "KeptAnswer.h"
#include "Route.h"

#include <QString>

// What the child did in one answer, as it is told and kept.
struct Attempt
{
    Items items = Items::Months;
    // The card's month (1–12) or day (1–7) and the one whose place it went
    // on; in the calendar the asked and the clicked date (dateNumber()).
    int asked = 0;
    int given = 0;
    QString told; // as screen readers hear it: "posto 10: OTTOBRE"
    Route route = Route::Tap;
};
