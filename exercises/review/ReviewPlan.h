#pragma once

#include "ReviewSchedule.h"

#include <QList>

// The rounds of a review, made of what is due. Months and days come as
// short columns of consecutive names, as in "Riordina … (2)": the name
// before the first due one already written in the top place, the due ones
// and their neighbours to place, so that each confused pair must be told
// apart (MAGGIO written; GIUGNO, LUGLIO and AGOSTO to place). A column has
// 3 to 6 places and wraps from DICEMBRE to GENNAIO and from domenica to
// lunedì; due names in other parts of the year make the next rounds. Each
// due month of the calendar is a question in that month.
namespace ReviewPlan {

inline constexpr int fewestPlaces = 3;
inline constexpr int mostPlaces = 6;

struct Round
{
    ReviewSchedule::Kind kind = ReviewSchedule::Kind::Months;
    // A column's names top first, the first written (1 for January or
    // Monday); a calendar round's one month.
    QList<int> numbers;
    bool operator==(const Round &) const = default;
};

// Months first, then days, then the calendar.
QList<Round> of(const QList<ReviewSchedule::Item> &due);

} // namespace ReviewPlan
