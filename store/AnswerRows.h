#pragma once

#include "KeptAnswer.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>

// What the readers of the kept answers ask SQL for: counts, grouped where
// the answers lie, so that only a few rows come back however many there are.

// The days answers are counted on, each the child's own local day; a null
// end is open.
struct DayRange
{
    QDate first;
    QDate last;
};

// Right answers out of all, of a child in an exercise on one day.
struct TallyRow
{
    QString child;
    QString exercise;
    QDate day;
    int right = 0;
    int answers = 0;

    bool operator==(const TallyRow &) const = default;
};

// How often a child put a month's or a day's card on a place: on its own
// (asked == given) or on another name's.
struct PairRow
{
    QString child;
    Items items = Items::Months;
    QString language;
    int asked = 0;
    int given = 0;
    int times = 0;

    bool operator==(const PairRow &) const = default;
};

// How often a child clicked a wrong day for an asked date (dateNumber()s).
struct DateMissRow
{
    QString child;
    int asked = 0;
    int given = 0;
    int times = 0;

    bool operator==(const DateMissRow &) const = default;
};

// A child's answers about items on one day: whether they were all right.
// What the review schedule is worked out from. The store gives a row an
// item (asked == given; a calendar month as its first day, yyyymm00); a
// pair confused may come as one row too (asked != given, never all right).
struct AnswerDay
{
    QString child;
    Items items = Items::Months;
    int asked = 0;
    int given = 0;
    QDate day;
    bool allRight = true;

    bool operator==(const AnswerDay &) const = default;
};

// A folder's or a server's answers, counted for the teacher.
struct AnswerSummary
{
    QList<TallyRow> tallies;
    QList<PairRow> pairs;
    QList<DateMissRow> dateMisses;
    // The last day each child played, whatever the days asked for.
    QHash<QString, QDate> lastPlayed;

    void append(const AnswerSummary &other);
};
