#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

// A language the names are taught in, as data: its names in every written
// form the windows use, how the calendar asks for a date, and the clips the
// voice joins to say the question. Another language is one more table.
struct Language
{
    QString code;               // "it": the voice's folder, the setting's value
    QStringList monthsUpper;    // cards and places of the months
    QStringList monthsCalendar; // the calendar question's month names
    QStringList daysOrdering;   // cards and places of the ordering windows
    QStringList daysCycle;      // the cycle of the days
    QLocale calendarLocale;     // month and weekday names on the calendar
    QString ask;                // "trova il ", "find "
    bool blankInPlaceOfSign;    // Italian: "trova il  5 Marzo  2001"
    QStringList daySuffixes;    // English: "st", "nd", "rd", "th"…, one a day
    QString dayClip;            // "trova-%1": the clip that asks for day %1
    QStringList yearClips;      // the clips of 2000, 2001 and 2002

    static const Language &italian();
    static const Language &english();
    // The language of a code; Italian for any other.
    static const Language &of(const QString &code);
};
