#include "ResultsPeriod.h"

namespace {

QString shortDate(QDate day)
{
    return day.toString(QStringLiteral("d/M/yyyy"));
}

} // namespace

ResultsPeriod::ResultsPeriod(Span span, QDate today) : span_(span), today_(today) {}

QDate ResultsPeriod::firstDay() const
{
    switch (span_) {
    case LastWeek:
        return today_.addDays(-6);
    case LastMonth:
        return today_.addDays(-29);
    case Everything:
        break;
    }
    return {};
}

bool ResultsPeriod::contains(QDate day) const
{
    if (span_ == Everything)
        return true;
    return day.isValid() && day >= firstDay() && day <= today_;
}

DayRange ResultsPeriod::range() const
{
    if (span_ == Everything)
        return {};
    return {firstDay(), today_};
}

QString ResultsPeriod::dates() const
{
    if (span_ == Everything)
        return QStringLiteral("fino al %1").arg(shortDate(today_));
    return QStringLiteral("dal %1 al %2").arg(shortDate(firstDay()), shortDate(today_));
}

QString ResultsPeriod::nameOf(Span span)
{
    switch (span) {
    case LastWeek:
        return QStringLiteral("ultima settimana");
    case LastMonth:
        return QStringLiteral("ultimo mese");
    case Everything:
        break;
    }
    return QStringLiteral("tutto");
}
