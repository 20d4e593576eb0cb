#include "ReviewSchedule.h"

#include <QMap>

#include <algorithm>
#include <functional>

namespace {

using Item = ReviewSchedule::Item;
using Kind = ReviewSchedule::Kind;

int slotOf(const Item &item)
{
    switch (item.kind) {
    case Kind::Months:
        return item.number - 1;
    case Kind::Days:
        return 12 + item.number - 1;
    case Kind::CalendarMonths:
        break;
    }
    return 19 + item.number - 1;
}

bool valid(const Item &item)
{
    return item.number >= 1 && item.number <= ReviewSchedule::count(item.kind);
}

// What one row of answers says of each item it is about: right or missed.
void eachItemOf(const AnswerDay &row, const std::function<void(const Item &, bool right)> &about)
{
    if (row.items == Items::Dates) {
        // A date is about its month; a click outside it misses that month.
        about({Kind::CalendarMonths, row.asked / 100 % 100},
              row.allRight && row.asked == row.given);
        return;
    }
    const Kind kind = row.items == Items::Months ? Kind::Months : Kind::Days;
    if (row.asked == row.given) {
        about({kind, row.asked}, row.allRight);
        return;
    }
    // The pair was confused: both are missed.
    about({kind, row.asked}, false);
    about({kind, row.given}, false);
}

} // namespace

ReviewSchedule::ReviewSchedule(const QList<AnswerDay> &days, QDate today) : today_(today)
{
    // Per item, per day: whether every answer about it was right that day.
    std::array<QMap<QDate, bool>, 12 + 7 + 12> byDay;
    for (const AnswerDay &row : days) {
        if (!row.day.isValid())
            continue;
        eachItemOf(row, [&](const Item &item, bool right) {
            if (!valid(item))
                return;
            auto &day = byDay[std::size_t(slotOf(item))];
            const auto found = day.find(row.day);
            if (found == day.end())
                day.insert(row.day, right);
            else
                *found = *found && right;
        });
    }
    for (std::size_t slot = 0; slot < byDay.size(); ++slot) {
        Progress &progress = progress_[slot];
        for (auto day = byDay[slot].cbegin(); day != byDay[slot].cend(); ++day) {
            // Only what had been answered up to that day counts.
            if (day.key() > today_)
                break;
            if (!day.value()) {
                progress = {1, day.key()};
            } else if (progress.box > 0 &&
                       progress.moved.daysTo(day.key()) >= waits[std::size_t(progress.box - 1)]) {
                progress = {std::min(progress.box + 1, boxes), day.key()};
            }
        }
    }
}

QList<ReviewSchedule::Item> ReviewSchedule::all()
{
    QList<Item> items;
    for (Kind kind : {Kind::Months, Kind::Days, Kind::CalendarMonths}) {
        for (int number = 1; number <= count(kind); ++number)
            items.append({kind, number});
    }
    return items;
}

const ReviewSchedule::Progress &ReviewSchedule::progressOf(const Item &item) const
{
    static const Progress none;
    return valid(item) ? progress_[std::size_t(slotOf(item))] : none;
}

int ReviewSchedule::box(const Item &item) const
{
    return progressOf(item).box;
}

QDate ReviewSchedule::lastMoved(const Item &item) const
{
    return progressOf(item).moved;
}

bool ReviewSchedule::isDue(const Item &item) const
{
    const Progress &progress = progressOf(item);
    return progress.box > 0 &&
           progress.moved.daysTo(today_) >= waits[std::size_t(progress.box - 1)];
}

ReviewSchedule::State ReviewSchedule::state(const Item &item) const
{
    const int in = box(item);
    return in == 0 ? State::New : in <= 3 ? State::ToReview : State::Secure;
}

QList<ReviewSchedule::Item> ReviewSchedule::due() const
{
    QList<Item> items;
    for (const Item &item : all()) {
        if (isDue(item))
            items.append(item);
    }
    return items;
}

QDate ReviewSchedule::nextDue() const
{
    QDate first;
    for (const Item &item : all()) {
        const Progress &progress = progressOf(item);
        if (progress.box == 0)
            continue;
        const QDate due = progress.moved.addDays(waits[std::size_t(progress.box - 1)]);
        if (!first.isValid() || due < first)
            first = due;
    }
    return first;
}

int ReviewSchedule::secure() const
{
    const QList<Item> items = all();
    return int(std::count_if(items.begin(), items.end(),
                             [this](const Item &item) { return state(item) == State::Secure; }));
}

int ReviewSchedule::everMissed() const
{
    const QList<Item> items = all();
    return int(std::count_if(items.begin(), items.end(),
                             [this](const Item &item) { return box(item) > 0; }));
}
