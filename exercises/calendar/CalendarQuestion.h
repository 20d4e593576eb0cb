#pragma once

#include "Answer.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

class RandomSource;
struct Language;

// The date the child looks for on the calendar and the question that asks it.
class CalendarQuestion
{
public:
    struct Date
    {
        qint16 day = 1;
        qint16 month = 1;
        qint16 year = 2000;
        bool operator==(const Date &) const = default;
    };

    // Asked in `language`, Italian unless another is given.
    explicit CalendarQuestion(const Language *language = nullptr);

    // Fills NomiMesi and GiorniDelMese.
    void CaricaMesi();

    // Draws a date from 2000 to 2002: year, month, then a day that exists in
    // that month (February always has 28).
    void draw(RandomSource &random);
    // Draws a date in `month` (1 to 12): the year, then a day of it.
    void drawIn(int month, RandomSource &random);

    // "trova il  5 Marzo  2001" in words, "trova il 05/03/2001" in digits;
    // "find 5th March 2001", "find 05/03/2001" in English.
    QString ScriviDomanda(bool numeric) const;

    // The spoken clips that ask the date in words, whatever the format shown:
    // "trova-24", "gennaio", "duemilauno" ("trova il ventiquattro gennaio
    // duemilauno"). The first clip carries the article the day needs.
    QStringList spokenClips() const;

    // A clicked date: day, month and year compared in that order.
    Answer judge(int day, int month, int year) const;

    const Date &DataCercata() const { return date_; }
    void setDataCercata(const Date &date) { date_ = date; }
    int GiorniDelMese(int month) const { return GiorniDelMese_[std::size_t(month)]; }

private:
    const Language *language_;
    Date date_;
    QStringList NomiMesi_;                   // indexes 1 to 12
    std::array<qint16, 13> GiorniDelMese_{}; // indexes 1 to 12
};
