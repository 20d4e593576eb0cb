#pragma once

#include "ChildResults.h"
#include "KeptAnswer.h"
#include "ResultsPeriod.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A class's kept answers as the teacher reads them: for the chosen period,
// each child's right answers out of all in each exercise and on each day,
// the names each child confuses, and how the calendar's days were missed.
// Answers are read in one pass; anything it does not recognise (a name of
// another program, a damaged date) is left out of the maps, never a fault.
class ResultsAnalysis
{
public:
    // `answers`: every answer kept, of any period, as ResultsFolder::readAll()
    // gives them; each child's last day of play is taken from all of them.
    ResultsAnalysis(const QList<KeptAnswer> &answers, const ResultsPeriod &period);

    const ResultsPeriod &period() const { return period_; }
    // The ids of the children with an answer at any time.
    QStringList children() const { return children_.keys(); }
    // A child with no answer gets empty results.
    const ChildResults &child(const QString &id) const;
    // The exercises answered in the period, in the menu's order, then any
    // other name alphabetically.
    QStringList exercises() const { return exercises_; }
    // The whole class in the period.
    Tally total() const { return total_; }

    // The exercises as the menu lists them.
    static QStringList menuExercises();
    // "Usa il calendario": its answers are dates, not names.
    static QString calendarExercise();

private:
    ResultsPeriod period_;
    QHash<QString, ChildResults> children_;
    QStringList exercises_;
    Tally total_;
};
