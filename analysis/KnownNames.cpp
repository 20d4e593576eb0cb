#include "KnownNames.h"

#include "Language.h"

namespace KnownNames {

int count(Set set)
{
    return set == Set::Months ? 12 : 7;
}

QString written(Set set, int index, const QString &language)
{
    const Language &names = Language::of(language);
    return (set == Set::Months ? names.monthsUpper : names.daysOrdering).value(index);
}

QString abbreviation(Set set, int index)
{
    return written(set, index, QStringLiteral("it")).left(3);
}

} // namespace KnownNames
