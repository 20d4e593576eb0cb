#include "ReviewWords.h"

#include "KnownNames.h"

namespace ReviewWords {

QString state(ReviewSchedule::State state)
{
    switch (state) {
    case ReviewSchedule::State::New:
        return QStringLiteral("nuovo");
    case ReviewSchedule::State::ToReview:
        return QStringLiteral("da ripassare");
    case ReviewSchedule::State::Secure:
        break;
    }
    return QStringLiteral("sicuro");
}

QString item(const ReviewSchedule::Item &item)
{
    const KnownNames::Set set =
        item.kind == ReviewSchedule::Kind::Days ? KnownNames::Set::Days : KnownNames::Set::Months;
    return KnownNames::written(set, item.number - 1, QStringLiteral("it"));
}

QString kind(ReviewSchedule::Kind kind)
{
    switch (kind) {
    case ReviewSchedule::Kind::Months:
        return QStringLiteral("Mesi");
    case ReviewSchedule::Kind::Days:
        return QStringLiteral("Giorni");
    case ReviewSchedule::Kind::CalendarMonths:
        break;
    }
    return QStringLiteral("Calendario");
}

QString sentence(const ReviewSchedule &review, const ReviewSchedule::Item &item)
{
    const QString name = ReviewWords::item(item);
    const QString said = item.kind == ReviewSchedule::Kind::CalendarMonths
                             ? QStringLiteral("calendario, ") + name
                             : name;
    return said + QStringLiteral(": ") + state(review.state(item));
}

QString secure(const ReviewSchedule &review)
{
    const int missed = review.everMissed();
    if (missed == 0)
        return QStringLiteral("—");
    const int secure = review.secure();
    return (secure == 1 ? QStringLiteral("1 sicuro su %1")
                        : QStringLiteral("%1 sicuri su %2").arg(secure))
        .arg(missed);
}

QString nextDue(const ReviewSchedule &review)
{
    const QDate next = review.nextDue();
    if (!next.isValid())
        return QStringLiteral("—");
    if (next <= review.today())
        return QStringLiteral("oggi");
    return next.toString(QStringLiteral("d/M/yyyy"));
}

} // namespace ReviewWords
