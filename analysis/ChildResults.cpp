#include "ChildResults.h"

#include <algorithm>

QList<const ConfusionMap *> ChildResults::confusionMaps() const
{
    QList<const ConfusionMap *> maps;
    for (const ConfusionMap *map : {&months, &weekdays}) {
        if (!map->isEmpty())
            maps.append(map);
    }
    return maps;
}

QList<ConfusedPair> ChildResults::confusedPairs() const
{
    QList<ConfusedPair> pairs = months.pairs() + weekdays.pairs();
    std::stable_sort(pairs.begin(), pairs.end(), [](const ConfusedPair &a, const ConfusedPair &b) {
        return a.times > b.times;
    });
    return pairs;
}
