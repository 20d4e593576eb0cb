#include "ConfusionMap.h"

#include <algorithm>

namespace {

const QString languageCodes[] = {QStringLiteral("it"), QStringLiteral("en")};

} // namespace

ConfusionMap::ConfusionMap(KnownNames::Set set) : set_(set) {}

QString ConfusionMap::title() const
{
    return set_ == KnownNames::Set::Months ? QStringLiteral("Mesi")
                                           : QStringLiteral("Giorni della settimana");
}

QString ConfusionMap::name(int index) const
{
    return KnownNames::written(set_, index, QStringLiteral("it"));
}

QString ConfusionMap::abbreviation(int index) const
{
    return KnownNames::abbreviation(set_, index);
}

int ConfusionMap::languageIndex(const QString &language)
{
    return language == languageCodes[1] ? 1 : 0;
}

void ConfusionMap::add(int asked, int given, const QString &language, int times)
{
    if (asked < 0 || given < 0 || asked >= size() || given >= size() || times < 1)
        return;
    counts_[std::size_t(languageIndex(language))][std::size_t(asked * largest + given)] += times;
    total_ += times;
    if (asked != given)
        wrong_ += times;
}

int ConfusionMap::count(int asked, int given) const
{
    if (asked < 0 || given < 0 || asked >= size() || given >= size())
        return 0;
    int sum = 0;
    for (const auto &counts : counts_)
        sum += counts[std::size_t(asked * largest + given)];
    return sum;
}

int ConfusionMap::maxWrong() const
{
    int most = 0;
    for (int asked = 0; asked < size(); ++asked) {
        for (int given = 0; given < size(); ++given) {
            if (asked != given)
                most = std::max(most, count(asked, given));
        }
    }
    return most;
}

QList<ConfusedPair> ConfusionMap::pairs() const
{
    QList<ConfusedPair> found;
    for (int asked = 0; asked < size(); ++asked) {
        for (int given = 0; given < size(); ++given) {
            for (int language = 0; language < languages; ++language) {
                const int times =
                    counts_[std::size_t(language)][std::size_t(asked * largest + given)];
                if (asked != given && times > 0)
                    found.append({set_, languageCodes[language], asked, given, times});
            }
        }
    }
    // Built in calendar order, so a stable sort keeps it among equals.
    std::stable_sort(found.begin(), found.end(), [](const ConfusedPair &a, const ConfusedPair &b) {
        return a.times > b.times;
    });
    return found;
}

QString ConfusionMap::cellDescription(int asked, int given) const
{
    const int times = count(asked, given);
    if (asked == given)
        return QStringLiteral("%1 al suo posto: %2").arg(name(asked), timesInWords(times));
    return QStringLiteral("%1 messo al posto di %2: %3")
        .arg(name(asked), name(given), timesInWords(times));
}
