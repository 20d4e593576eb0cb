#include "ConfusedPair.h"

QString ConfusedPair::words() const
{
    return QStringLiteral("%1 messo al posto di %2: %3")
        .arg(askedName(), givenName(), timesInWords(times));
}

QString timesInWords(int times)
{
    return times == 1 ? QStringLiteral("1 volta") : QStringLiteral("%1 volte").arg(times);
}
