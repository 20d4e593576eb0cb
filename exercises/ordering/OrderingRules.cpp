#include "OrderingRules.h"

#include "RandomSource.h"

namespace OrderingRules {

std::vector<int> ScombiccheraPosti(int n, RandomSource &random)
{
    std::vector<int> rows(std::size_t(n), -1);
    for (int row = 0; row < n; ++row) {
        int j = random.below(n);
        while (rows[std::size_t(j)] != -1)
            j = (j + 1) % n;
        rows[std::size_t(j)] = row;
    }
    return rows;
}

QStringList CaricaMesi(const QStringList &names, RandomSource &random)
{
    const int n = int(names.size());
    QStringList sequence(n);
    int index = random.below(n);
    for (const QString &name : names) {
        sequence[index] = name;
        index = (index + 1) % n;
    }
    return sequence;
}

} // namespace OrderingRules
