#include "CalendarMistakes.h"

#include <numeric>

std::optional<CalendarMistakes::Kind> CalendarMistakes::kindOf(QDate asked, QDate given)
{
    if (!asked.isValid() || !given.isValid() || asked == given)
        return std::nullopt;
    if (qAbs(asked.daysTo(given)) == 1)
        return NextDay;
    const bool sameDay = asked.day() == given.day();
    const bool sameMonth = asked.month() == given.month();
    const bool sameYear = asked.year() == given.year();
    if (sameDay && sameYear)
        return OtherMonth;
    if (sameMonth && sameYear)
        return OtherDay;
    if (sameDay && sameMonth)
        return OtherYear;
    return Other;
}

QString CalendarMistakes::label(Kind kind)
{
    switch (kind) {
    case OtherMonth:
        return QStringLiteral("giorno giusto, mese sbagliato");
    case OtherDay:
        return QStringLiteral("mese giusto, giorno sbagliato");
    case NextDay:
        return QStringLiteral("giorno vicino a quello giusto");
    case OtherYear:
        return QStringLiteral("anno sbagliato");
    case Other:
        break;
    }
    return QStringLiteral("altro");
}

int CalendarMistakes::total() const
{
    return std::accumulate(counts_.begin(), counts_.end(), 0);
}
