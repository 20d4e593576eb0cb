#pragma once

#include <QString>

// The names the exercises teach, as the teacher reads them: month 0 is
// "GENNAIO" or "JANUARY", day 0 "lunedì" or "MONDAY".
namespace KnownNames {

enum class Set { Months, Days };

int count(Set set); // 12 or 7

// As the ordering cards write it in `language` ("it", "en"): "LUGLIO",
// "JULY", "martedì", "TUESDAY".
QString written(Set set, int index, const QString &language);
// The Italian name for a header where space is short: "LUG", "mar".
QString abbreviation(Set set, int index);

} // namespace KnownNames
