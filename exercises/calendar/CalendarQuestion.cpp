#include "CalendarQuestion.h"

#include "Names.h"
#include "RandomSource.h"

CalendarQuestion::CalendarQuestion()
{
    CaricaMesi();
}

void CalendarQuestion::CaricaMesi()
{
    NomiMesi_ = QStringList{QString()} + Names::monthsCapitalised();
    GiorniDelMese_ = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

void CalendarQuestion::draw(RandomSource &random)
{
    date_.year = qint16(2000 + random.below(3));
    date_.month = qint16(1 + random.below(12));
    date_.day = qint16(1 + random.below(GiorniDelMese(date_.month)));
}

QString CalendarQuestion::ScriviDomanda(bool numeric) const
{
    const QString ask = QStringLiteral("trova il ");
    if (numeric) {
        const auto twoDigits = [](int value) {
            return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
        };
        return ask + twoDigits(date_.day) + QLatin1Char('/') + twoDigits(date_.month) +
               QLatin1Char('/') + twoDigits(date_.year);
    }
    // Every number is written with a blank in the place of its sign.
    return ask + QLatin1Char(' ') + QString::number(date_.day) + QLatin1Char(' ') +
           NomiMesi_[date_.month] + QLatin1Char(' ') + QLatin1Char(' ') +
           QString::number(date_.year);
}

QStringList CalendarQuestion::spokenClips() const
{
    static const char *const years[] = {"duemila", "duemilauno", "duemiladue"};
    const int year = qBound(2000, int(date_.year), 2002) - 2000;
    return {QStringLiteral("trova-%1").arg(date_.day), NomiMesi_[date_.month].toLower(),
            QLatin1String(years[year])};
}

bool CalendarQuestion::isRight(int day, int month, int year) const
{
    if (day != date_.day)
        return false;
    if (month != date_.month)
        return false;
    return year == date_.year;
}
