#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

// What the names of an answer are: months, weekdays, or calendar dates.
enum class Items { Months, Days, Dates };

// One judged answer of a child, as it is kept: who, where, when, in which
// exercise, what was asked and what was given, as numbers. The words a
// child saw ("LUGLIO", "JULY") follow from the numbers and the language
// wherever the answer is shown, and are never stored.
struct KeptAnswer
{
    QUuid id;         // made when the answer is given: the same answer wherever it is copied
    QDateTime when;   // local time of the answer
    QString child;    // the child's id in the class list (a UUID string)
    QString computer; // the host name
    QString exercise; // the exercise's key, which no caption change touches: "riordina-mesi-1"
    QString language; // the language of the names: "it" or "en"
    Items items = Items::Months;
    // The card's month (1–12) or day (1–7) and the one whose place it was
    // put on; in the calendar the asked and the clicked date (dateNumber()).
    int asked = 0;
    int given = 0;
    QUuid round; // the round it was given in; null for answers kept before rounds were
    bool right = false;
    QString route;      // "trascinamento", "tocco", "tastiera", "comando"
    double seconds = 0; // since the previous answer or the round's start
    // Only for an answer an older build kept in words this build does not
    // know: those words, with asked and given 0.
    QString askedText;
    QString givenText;
};

// A date as the answers keep it: 20010305 for 5 March 2001, 0 for none.
inline int dateNumber(QDate date)
{
    return date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0;
}
inline QDate dateOfNumber(int number)
{
    return QDate(number / 10000, number / 100 % 100, number % 100);
}

// The stored names of the item kinds: "mesi", "giorni", "date".
QString itemsKey(Items items);
// The kind of a stored name; nothing for any other text.
std::optional<Items> itemsOfKey(const QString &key);
