#pragma once

#include <QStringList>

#include <vector>

class RandomSource;

namespace OrderingRules {

// Gives each of n names one of the n rows: rows[i] is the row of name i.
// One draw per row, top row first: j = floor(r * n), then the first name at
// or after j (wrapping from n to 0) that has no row yet takes the row.
std::vector<int> ScombiccheraPosti(int n, RandomSource &random);

// The names in the order the child rebuilds them, from a random start: the
// first name of the list lands at s = floor(n * r) and the others follow,
// wrapping round, so names[m] ends up at (s + m) mod n.
QStringList CaricaMesi(const QStringList &names, RandomSource &random);

} // namespace OrderingRules
