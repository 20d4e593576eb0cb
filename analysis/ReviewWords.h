#pragma once

#include "ReviewSchedule.h"

#include <QDate>
#include <QString>

// A child's review as the teacher reads it, in Italian.
namespace ReviewWords {

// "nuovo", "da ripassare", "sicuro"
QString state(ReviewSchedule::State state);
// "LUGLIO", "lunedì"; a calendar month as the months are: "LUGLIO".
QString item(const ReviewSchedule::Item &item);
// "Mesi", "Giorni", "Calendario"
QString kind(ReviewSchedule::Kind kind);
// A cell as a screen reader reads it: "LUGLIO: da ripassare",
// "calendario, LUGLIO: sicuro".
QString sentence(const ReviewSchedule &review, const ReviewSchedule::Item &item);
// "5 sicuri su 7", "1 sicuro su 2"; "—" when nothing was ever missed.
QString secure(const ReviewSchedule &review);
// When something is next due: "oggi", "12/12/2026"; "—" when never.
QString nextDue(const ReviewSchedule &review);

} // namespace ReviewWords
