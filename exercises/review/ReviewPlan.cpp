#include "ReviewPlan.h"

#include <algorithm>

namespace ReviewPlan {

namespace {

using Kind = ReviewSchedule::Kind;

// The columns of one kind of names, `due` 0-based and sorted, of `n`.
QList<Round> columns(Kind kind, const QList<int> &due, int n)
{
    if (due.isEmpty())
        return {};
    // The names are a ring: it is cut where the widest gap between due
    // names lies, so that no close ones fall in two columns.
    qsizetype start = 0;
    int widest = -1;
    for (qsizetype i = 0; i < due.size(); ++i) {
        const int before = due[(i + due.size() - 1) % due.size()];
        const int gap = (due[i] - before + n) % n == 0 ? n : (due[i] - before + n) % n;
        if (gap > widest) {
            widest = gap;
            start = i;
        }
    }
    QList<int> ring;
    for (qsizetype i = 0; i < due.size(); ++i) {
        int at = due[(start + i) % due.size()];
        while (!ring.isEmpty() && at < ring.last())
            at += n;
        ring.append(at);
    }
    QList<Round> rounds;
    for (qsizetype first = 0; first < ring.size();) {
        qsizetype last = first;
        // The due names with one neighbour on each side, at most mostPlaces.
        while (last + 1 < ring.size() && ring[last + 1] - ring[first] + 3 <= mostPlaces)
            ++last;
        Round round{kind, {}};
        for (int at = ring[first] - 1; at <= ring[last] + 1; ++at)
            round.numbers.append((at % n + n) % n + 1);
        rounds.append(round);
        first = last + 1;
    }
    // In calendar order of their first name to place.
    std::stable_sort(rounds.begin(), rounds.end(), [](const Round &a, const Round &b) {
        return a.numbers.at(1) < b.numbers.at(1);
    });
    return rounds;
}

} // namespace

QList<Round> of(const QList<ReviewSchedule::Item> &due)
{
    QList<int> months;
    QList<int> days;
    QList<Round> calendar;
    for (const ReviewSchedule::Item &item : due) {
        switch (item.kind) {
        case Kind::Months:
            months.append(item.number - 1);
            break;
        case Kind::Days:
            days.append(item.number - 1);
            break;
        case Kind::CalendarMonths:
            calendar.append({Kind::CalendarMonths, {item.number}});
            break;
        }
    }
    std::sort(months.begin(), months.end());
    std::sort(days.begin(), days.end());
    return columns(Kind::Months, months, 12) + columns(Kind::Days, days, 7) + calendar;
}

} // namespace ReviewPlan
