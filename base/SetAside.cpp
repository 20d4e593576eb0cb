#include "SetAside.h"

QString setAsideName(const QString &stem, const QDate &day, const QString &suffix,
                     const std::function<bool(const QString &name)> &taken)
{
    const QString dated = stem + day.toString(Qt::ISODate);
    QString candidate = dated + suffix;
    for (int n = 2; taken(candidate); ++n)
        candidate = dated + QStringLiteral("-%1").arg(n) + suffix;
    return candidate;
}
