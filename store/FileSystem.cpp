#include "FileSystem.h"

#include <QFile>

#include <sys/vfs.h>

namespace FileSystem {

quint32 typeOf(const QString &path)
{
    struct statfs info = {};
    if (statfs(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return quint32(info.f_type);
}

bool isNetwork(quint32 type)
{
    switch (type) {
    case 0x6969:     // NFS
    case 0x517B:     // SMB
    case 0xFF534D42: // CIFS
    case 0xFE534D42: // SMB2
    case 0x65735546: // FUSE
        return true;
    default:
        return false;
    }
}

} // namespace FileSystem
