#pragma once

#include <QString>

#include <optional>

// The names the exercises teach, known whatever their written form and
// language: "GENNAIO", "Gennaio" and "JANUARY" are all month 0, "lunedì",
// "Lunedì" and "MONDAY" all day 0.
namespace KnownNames {

enum class Set { Months, Days };

struct Name
{
    Set set;
    int index; // 0 for January or Monday
};

// The name's set and place in it; nothing for any other text.
std::optional<Name> of(const QString &text);

int count(Set set); // 12 or 7

// As the ordering cards write it in `language` ("it", "en"): "LUGLIO",
// "JULY", "martedì", "TUESDAY".
QString written(Set set, int index, const QString &language);
// The Italian name for a header where space is short: "LUG", "mar".
QString abbreviation(Set set, int index);

} // namespace KnownNames
