#include "Names.h"

namespace Names {

QStringList monthsUpper()
{
    return {QStringLiteral("GENNAIO"), QStringLiteral("FEBBRAIO"), QStringLiteral("MARZO"),
            QStringLiteral("APRILE"),  QStringLiteral("MAGGIO"),   QStringLiteral("GIUGNO"),
            QStringLiteral("LUGLIO"),  QStringLiteral("AGOSTO"),   QStringLiteral("SETTEMBRE"),
            QStringLiteral("OTTOBRE"), QStringLiteral("NOVEMBRE"), QStringLiteral("DICEMBRE")};
}

QStringList monthsCapitalised()
{
    return {QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
            QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
            QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
            QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre")};
}

QStringList daysLower()
{
    return {QStringLiteral("lunedì"),  QStringLiteral("martedì"), QStringLiteral("mercoledì"),
            QStringLiteral("giovedì"), QStringLiteral("venerdì"), QStringLiteral("sabato"),
            QStringLiteral("domenica")};
}

QStringList daysCapitalised()
{
    return {QStringLiteral("Lunedì"),  QStringLiteral("Martedì"), QStringLiteral("Mercoledì"),
            QStringLiteral("Giovedì"), QStringLiteral("Venerdì"), QStringLiteral("Sabato"),
            QStringLiteral("Domenica")};
}

} // namespace Names
