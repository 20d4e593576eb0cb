#include "OwnerOnly.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace OwnerOnly {

bool makeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists())
        return info.isDir();
    return QDir().mkpath(path) && QFile::setPermissions(path, folder);
}

void restrict(const QString &path)
{
    if (QFileInfo(path).isFile())
        QFile::setPermissions(path, file);
}

} // namespace OwnerOnly
