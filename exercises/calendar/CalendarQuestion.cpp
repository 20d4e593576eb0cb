#include "CalendarQuestion.h"

#include "Language.h"
#include "RandomSource.h"

CalendarQuestion::CalendarQuestion(const Language *language)
    : language_(language ? language : &Language::italian())
{
    CaricaMesi();
}

void CalendarQuestion::CaricaMesi()
{
    NomiMesi_ = QStringList{QString()} + language_->monthsCalendar;
    GiorniDelMese_ = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

void CalendarQuestion::draw(RandomSource &random)
{
    date_.year = qint16(2000 + random.below(3));
    date_.month = qint16(1 + random.below(12));
    date_.day = qint16(1 + random.below(GiorniDelMese(date_.month)));
}

void CalendarQuestion::drawIn(int month, RandomSource &random)
{
    date_.year = qint16(2000 + random.below(3));
    date_.month = qint16(qBound(1, month, 12));
    date_.day = qint16(1 + random.below(GiorniDelMese(date_.month)));
}

QString CalendarQuestion::ScriviDomanda(bool numeric) const
{
    const QString &ask = language_->ask;
    if (numeric) {
        const auto twoDigits = [](int value) {
            return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
        };
        return ask + twoDigits(date_.day) + QLatin1Char('/') + twoDigits(date_.month) +
               QLatin1Char('/') + twoDigits(date_.year);
    }
    if (!language_->blankInPlaceOfSign)
        return ask + QString::number(date_.day) + language_->daySuffixes.value(date_.day - 1) +
               QLatin1Char(' ') + NomiMesi_[date_.month] + QLatin1Char(' ') +
               QString::number(date_.year);
    // Every number is written with a blank in the place of its sign.
    return ask + QLatin1Char(' ') + QString::number(date_.day) + QLatin1Char(' ') +
           NomiMesi_[date_.month] + QLatin1Char(' ') + QLatin1Char(' ') +
           QString::number(date_.year);
}

QStringList CalendarQuestion::spokenClips() const
{
    const int year = qBound(2000, int(date_.year), 2002) - 2000;
    return {language_->dayClip.arg(date_.day), NomiMesi_[date_.month].toLower(),
            language_->yearClips.value(year)};
}

Answer CalendarQuestion::judge(int day, int month, int year) const
{
    if (day != date_.day || month != date_.month || year != date_.year)
        return Answer::Wrong;
    return Answer::Right;
}
