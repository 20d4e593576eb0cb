#pragma once

#include "Route.h"

#include <QString>

// What the child did in one answer, as it is told and kept.
struct Attempt
{
    QString asked; // the card's name, or the asked date ("2001-03-05")
    QString given; // the name whose place it went on, or the clicked date
    QString told;  // as screen readers hear it: "posto 10: OTTOBRE"
    Route route = Route::Tap;
};
