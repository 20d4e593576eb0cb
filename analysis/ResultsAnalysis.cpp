#include "ResultsAnalysis.h"

#include "AnswerWords.h"

#include <QSet>

#include <algorithm>

ResultsAnalysis::ResultsAnalysis(const AnswerSummary &summary, const ResultsPeriod &period)
    : period_(period)
{
    for (auto last = summary.lastPlayed.cbegin(); last != summary.lastPlayed.cend(); ++last)
        resultsOf(last.key()).lastPlayed = last.value();

    QSet<QString> answered;
    for (const TallyRow &row : summary.tallies) {
        if (!period_.contains(row.day))
            continue;
        const Tally tally{row.right, row.answers};
        ChildResults &results = resultsOf(row.child);
        total_ += tally;
        results.total += tally;
        results.exercises[row.exercise] += tally;
        results.days[row.day] += tally;
        results.exerciseDays[row.exercise][row.day] += tally;
        answered.insert(row.exercise);
    }
    // The maps count from 0 for January and Monday; the answers from 1.
    for (const PairRow &row : summary.pairs) {
        ChildResults &results = resultsOf(row.child);
        ConfusionMap &map = row.items == Items::Months ? results.months : results.weekdays;
        map.add(row.asked - 1, row.given - 1, row.language, row.times);
    }
    for (const DateMissRow &row : summary.dateMisses) {
        if (const auto kind =
                CalendarMistakes::kindOf(dateOfNumber(row.asked), dateOfNumber(row.given)))
            resultsOf(row.child).calendar.add(*kind, row.times);
    }

    for (const QString &key : AnswerWords::menuExercises()) {
        if (answered.remove(key))
            exercises_.append(key);
    }
    QStringList others(answered.cbegin(), answered.cend());
    std::sort(others.begin(), others.end());
    exercises_ += others;
}

void ResultsAnalysis::setReviews(const QList<AnswerDay> &days)
{
    QHash<QString, QList<AnswerDay>> byChild;
    for (const AnswerDay &day : days)
        byChild[day.child].append(day);
    for (auto child = byChild.cbegin(); child != byChild.cend(); ++child)
        resultsOf(child.key()).review = ReviewSchedule(child.value(), period_.today());
    reviewed_ = true;
}

ChildResults &ResultsAnalysis::resultsOf(const QString &id)
{
    ChildResults &results = children_[id];
    results.child = id;
    return results;
}

const ChildResults &ResultsAnalysis::child(const QString &id) const
{
    static const ChildResults none;
    const auto found = children_.constFind(id);
    return found == children_.cend() ? none : found.value();
}
