#include "ResultsAnalysis.h"

#include "Finestra.h"
#include "KnownNames.h"

#include <QSet>

#include <algorithm>
#include <optional>

namespace {

// The texts of a class's answers are a few dozen, repeated a million
// times: each is looked up once.
class NameCache
{
public:
    std::optional<KnownNames::Name> of(const QString &text)
    {
        const auto found = known_.constFind(text);
        if (found != known_.cend())
            return found.value();
        const auto name = KnownNames::of(text);
        known_.insert(text, name);
        return name;
    }

private:
    QHash<QString, std::optional<KnownNames::Name>> known_;
};

} // namespace

ResultsAnalysis::ResultsAnalysis(const QList<KeptAnswer> &answers, const ResultsPeriod &period)
    : period_(period)
{
    const QString calendar = calendarExercise();
    NameCache names;
    QSet<QString> answered;
    ChildResults *last = nullptr;
    for (const KeptAnswer &answer : answers) {
        // Several answers of a child in a row are the common case.
        if (!last || last->child != answer.child) {
            last = &children_[answer.child];
            last->child = answer.child;
        }
        ChildResults &results = *last;
        const QDate day = answer.when.date();
        if (day > results.lastPlayed || !results.lastPlayed.isValid())
            results.lastPlayed = day;
        if (!period_.contains(day))
            continue;
        total_.add(answer.right);
        results.total.add(answer.right);
        results.exercises[answer.exercise].add(answer.right);
        results.days[day].add(answer.right);
        results.exerciseDays[answer.exercise][day].add(answer.right);
        answered.insert(answer.exercise);

        if (answer.exercise != calendar) {
            const auto asked = names.of(answer.asked);
            const auto given = names.of(answer.given);
            if (asked && given && asked->set == given->set) {
                ConfusionMap &map =
                    asked->set == KnownNames::Set::Months ? results.months : results.weekdays;
                map.add(asked->index, given->index, answer.language);
                continue;
            }
            if (asked || given)
                continue;
        }
        if (!answer.right) {
            if (const auto kind = CalendarMistakes::kindOf(answer.asked, answer.given))
                results.calendar.add(*kind);
        }
    }

    for (const QString &name : menuExercises()) {
        if (answered.remove(name))
            exercises_.append(name);
    }
    QStringList others(answered.cbegin(), answered.cend());
    std::sort(others.begin(), others.end());
    exercises_ += others;
}

const ChildResults &ResultsAnalysis::child(const QString &id) const
{
    static const ChildResults none;
    const auto found = children_.constFind(id);
    return found == children_.cend() ? none : found.value();
}

QStringList ResultsAnalysis::menuExercises()
{
    QStringList names;
    for (const Finestra window : exerciseWindows)
        names.append(QString::fromUtf8(shownName(window)));
    return names;
}

QString ResultsAnalysis::calendarExercise()
{
    return QString::fromUtf8(shownName(Finestra::Form7));
}
