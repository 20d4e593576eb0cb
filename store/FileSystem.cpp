#include "FileSystem.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace FileSystem {

QByteArray typeOf(const QString &path)
{
    // A folder not made yet lies on the file system of the nearest one that is.
    QFileInfo info(path);
    while (!info.exists() && !info.isRoot() && !info.absolutePath().isEmpty() &&
           info.absolutePath() != info.absoluteFilePath())
        info = QFileInfo(info.absolutePath());
    const QStorageInfo storage(info.absoluteFilePath());
    return storage.isValid() ? storage.fileSystemType() : QByteArray();
}

bool isNetwork(const QByteArray &type)
{
    static const QByteArrayList network = {"nfs",    "nfs4", "cifs",  "smb3",  "smbfs",
                                           "ncpfs",  "afs",  "9p",    "ceph",  "glusterfs",
                                           "lustre", "gfs2", "ocfs2", "davfs", "sshfs"};
    return network.contains(type) || type.startsWith("fuse.") || type == "fuse";
}

} // namespace FileSystem
