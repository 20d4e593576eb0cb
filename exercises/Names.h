#pragma once

#include <QStringList>

// The names the exercises work on, each written form spelled out in full:
// no window derives one form from another.
namespace Names {

QStringList monthsUpper();       // "GENNAIO" … "DICEMBRE"
QStringList monthsCapitalised(); // "Gennaio" … "Dicembre"
QStringList daysLower();         // "lunedì" … "domenica"
QStringList daysCapitalised();   // "Lunedì" … "Domenica"

} // namespace Names
