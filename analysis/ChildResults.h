#pragma once

#include "CalendarMistakes.h"
#include "ConfusionMap.h"
#include "ReviewSchedule.h"
#include "Tally.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// What one child's answers of a period say: how many were right in each
// exercise and on each day, which names were put on which places, and how
// the calendar's wrong days were wrong.
struct ChildResults
{
    QString child; // the id in the class list
    // The last day the child played, whatever the period; null if never.
    QDate lastPlayed;
    Tally total;
    QMap<QString, Tally> exercises; // by the exercise's key
    QMap<QDate, Tally> days;        // every exercise together
    QMap<QString, QMap<QDate, Tally>> exerciseDays;
    ConfusionMap months{KnownNames::Set::Months};
    ConfusionMap weekdays{KnownNames::Set::Days};
    CalendarMistakes calendar;
    // What the child should practise again, as of the period's today.
    ReviewSchedule review{{}, QDate()};

    Tally exercise(const QString &key) const { return exercises.value(key); }
    // The maps that hold an answer, months first.
    QList<const ConfusionMap *> confusionMaps() const;
    // Both sets' pairs together, the most frequent first; at equal counts
    // the months before the days, each in calendar order.
    QList<ConfusedPair> confusedPairs() const;
};
