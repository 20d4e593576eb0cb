#include "KeptAnswer.h"

QString itemsKey(Items items)
{
    switch (items) {
    case Items::Months:
        return QStringLiteral("mesi");
    case Items::Days:
        return QStringLiteral("giorni");
    case Items::Dates:
        break;
    }
    return QStringLiteral("date");
}

std::optional<Items> itemsOfKey(const QString &key)
{
    for (Items items : {Items::Months, Items::Days, Items::Dates}) {
        if (key == itemsKey(items))
            return items;
    }
    return std::nullopt;
}
