#include "KnownNames.h"

#include "Language.h"

#include <QHash>

namespace KnownNames {

namespace {

QString key(const QString &text)
{
    return text.trimmed().toLower();
}

const QHash<QString, Name> &table()
{
    static const QHash<QString, Name> names = [] {
        QHash<QString, Name> made;
        for (const Language *language : {&Language::italian(), &Language::english()}) {
            for (const QStringList &forms : {language->monthsUpper, language->monthsCalendar}) {
                for (int i = 0; i < forms.size(); ++i)
                    made.insert(key(forms.at(i)), {Set::Months, i});
            }
            for (const QStringList &forms : {language->daysOrdering, language->daysCycle}) {
                for (int i = 0; i < forms.size(); ++i)
                    made.insert(key(forms.at(i)), {Set::Days, i});
            }
        }
        return made;
    }();
    return names;
}

} // namespace

std::optional<Name> of(const QString &text)
{
    const auto found = table().constFind(key(text));
    if (found == table().cend())
        return std::nullopt;
    return found.value();
}

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
