#pragma once

#include "AnswerRows.h"
#include "ChildResults.h"
#include "ResultsPeriod.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// A class's kept answers as the teacher reads them: for the chosen period,
// each child's right answers out of all in each exercise and on each day,
// the names each child confuses, and how the calendar's days were missed.
// Made from the counts the answers' SQL returns (ResultsFolder::summarise
// for the period's range); anything it does not recognise (a name of
// another program, a damaged date) is left out of the maps, never a fault.
class ResultsAnalysis
{
public:
    // `summary`: the counts of the period's range (period.range()); each
    // child's last day of play is of any day.
    ResultsAnalysis(const AnswerSummary &summary, const ResultsPeriod &period);

    const ResultsPeriod &period() const { return period_; }
    // The ids of the children with an answer at any time.
    QStringList children() const { return children_.keys(); }
    // A child with no answer gets empty results.
    const ChildResults &child(const QString &id) const;
    // The keys of the exercises answered in the period, in the menu's
    // order, then any other key alphabetically.
    QStringList exercises() const { return exercises_; }
    // The whole class in the period.
    Tally total() const { return total_; }

    // Each child's review, from all their days whatever the period
    // (ResultsFolder::daysOfAll up to the period's today).
    void setReviews(const QList<AnswerDay> &days);
    bool hasReviews() const { return reviewed_; }

private:
    ChildResults &resultsOf(const QString &id);

    ResultsPeriod period_;
    QHash<QString, ChildResults> children_;
    QStringList exercises_;
    Tally total_;
    bool reviewed_ = false;
};
