#include "Language.h"

#include "Names.h"

namespace {

QStringList upper(QStringList names)
{
    for (QString &name : names)
        name = name.toUpper();
    return names;
}

// 1st, 2nd, 3rd, 4th … 11th, 12th, 13th … 21st, 22nd, 23rd … 31st.
QStringList englishSuffixes()
{
    QStringList suffixes;
    for (int day = 1; day <= 31; ++day) {
        const int last = day % 10;
        const bool teen = day / 10 == 1;
        suffixes << QLatin1String(teen || last == 0 || last > 3 ? "th"
                                  : last == 1                   ? "st"
                                  : last == 2                   ? "nd"
                                                                : "rd");
    }
    return suffixes;
}

} // namespace

const Language &Language::italian()
{
    static const Language language{
        QStringLiteral("it"),
        Names::monthsUpper(),
        Names::monthsCapitalised(),
        Names::daysLower(),
        Names::daysCapitalised(),
        QLocale(QLocale::Italian, QLocale::Italy),
        QStringLiteral("trova il "),
        true,
        {},
        QStringLiteral("trova-%1"),
        {QStringLiteral("duemila"), QStringLiteral("duemilauno"), QStringLiteral("duemiladue")}};
    return language;
}

const Language &Language::english()
{
    static const QStringList months{
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    // The week starts on Monday, as British English teaches it.
    static const QStringList days{QStringLiteral("MONDAY"),    QStringLiteral("TUESDAY"),
                                  QStringLiteral("WEDNESDAY"), QStringLiteral("THURSDAY"),
                                  QStringLiteral("FRIDAY"),    QStringLiteral("SATURDAY"),
                                  QStringLiteral("SUNDAY")};
    static const Language language{
        QStringLiteral("en"),
        upper(months),
        months,
        days,
        days,
        QLocale(QLocale::English, QLocale::UnitedKingdom),
        QStringLiteral("find "),
        false,
        englishSuffixes(),
        QStringLiteral("find-%1"),
        {QStringLiteral("2000"), QStringLiteral("2001"), QStringLiteral("2002")}};
    return language;
}

const Language &Language::of(const QString &code)
{
    return code == english().code ? english() : italian();
}
