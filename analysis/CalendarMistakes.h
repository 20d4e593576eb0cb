#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// How the wrong days of "Usa il calendario" were wrong, counted by kind, so
// the teacher sees whether a child misreads the month, the day or the year.
class CalendarMistakes
{
public:
    // In the order they are shown.
    enum Kind { OtherMonth, OtherDay, NextDay, OtherYear, Other };
    static constexpr int kinds = 5;

    // The kind of a wrong day, checked in this order: a day next to the
    // right one (across the end of a month or a year too); the right day
    // number in another month of the year; another day of the right month;
    // the right day and month of another year; anything else. Nothing when
    // either date is invalid or the day is the right one.
    static std::optional<Kind> kindOf(QDate asked, QDate given);

    // "giorno giusto, mese sbagliato", …
    static QString label(Kind kind);
    static QList<Kind> all() { return {OtherMonth, OtherDay, NextDay, OtherYear, Other}; }

    void add(Kind kind, int times = 1) { counts_[std::size_t(kind)] += times; }
    int count(Kind kind) const { return counts_[std::size_t(kind)]; }
    int total() const;
    bool isEmpty() const { return total() == 0; }

private:
    std::array<int, kinds> counts_{};
};
