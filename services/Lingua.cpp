#include "Lingua.h"

#include <QSettings>

namespace Lingua {

QString corrente()
{
    return QSettings(QStringLiteral("Tempiolo"), QStringLiteral("Tempiolo"))
        .value(QStringLiteral("lingua"), QStringLiteral("it"))
        .toString();
}

void setCorrente(const QString &code)
{
    QSettings(QStringLiteral("Tempiolo"), QStringLiteral("Tempiolo"))
        .setValue(QStringLiteral("lingua"), code);
}

} // namespace Lingua
