#pragma once

#include "AnswerRows.h"

#include <QDate>
#include <QList>

#include <array>

// What a child should practise again, worked out from their kept answers
// alone, every time, so that every computer and La classe agree.
//
// The items are each month's place (12) and each day's place (7), in any
// exercise and either language, and finding a date in each month of the
// calendar (12). Putting card X on Y's place misses both X and Y; a wrong
// day of the calendar misses the asked month. A missed item goes into box
// 1; boxes 1 to 5 wait 1, 2, 4, 8 and 16 days, counted on the child's own
// computer's calendar. An item is due once the days since it last moved
// reach its box's wait. On a day it is due, its first answer decides:
// right moves it up a box (5 stays 5), wrong sends it back to box 1. On
// other days a right answer changes nothing, so cramming does not count,
// and a wrong one still sends it back.
class ReviewSchedule
{
public:
    // The kinds of items: calendar months are apart from the months' places.
    enum class Kind { Months, Days, CalendarMonths };
    struct Item
    {
        Kind kind = Kind::Months;
        int number = 1; // 1 for January or Monday
        bool operator==(const Item &) const = default;
    };
    enum class State { New, ToReview, Secure };

    static constexpr int boxes = 5;
    static constexpr std::array<int, boxes> waits = {1, 2, 4, 8, 16};

    // `days`: one child's answers, as the store counts them, from any
    // number of files and in any order; `today`: the child's local date.
    ReviewSchedule(const QList<AnswerDay> &days, QDate today);

    static int count(Kind kind) { return kind == Kind::Days ? 7 : 12; }
    // Every item, months first, then days, then the calendar's months.
    static QList<Item> all();

    // 0 for an item never missed.
    int box(const Item &item) const;
    // The day it last moved; null for an item never missed.
    QDate lastMoved(const Item &item) const;
    bool isDue(const Item &item) const;
    State state(const Item &item) const;
    // The items due today, in the order of all().
    QList<Item> due() const;
    // The first day something is due: today or before when something is
    // due now, null when nothing was ever missed.
    QDate nextDue() const;
    // Of the items ever missed, how many are secure.
    int secure() const;
    int everMissed() const;

    QDate today() const { return today_; }

private:
    struct Progress
    {
        int box = 0;
        QDate moved;
    };
    const Progress &progressOf(const Item &item) const;

    QDate today_;
    std::array<Progress, 12 + 7 + 12> progress_{};
};
