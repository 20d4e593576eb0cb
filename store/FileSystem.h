#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// What kind of file system a folder lies on, as the system names it.
// SQLite's write-ahead log shares memory between the processes of one
// machine, so it must not be used on a file system that other machines
// write too.
namespace FileSystem {

// "ext4", "nfs4", "cifs", "fuse.sshfs"…; "" when it cannot be told.
QByteArray typeOf(const QString &path);
// NFS, SMB and CIFS, the other network file systems, and FUSE ones (sshfs
// and the like, which may well be remote).
bool isNetwork(const QByteArray &type);

// How a writer learns the type of its folder; tests pass their own.
using TypeOf = std::function<QByteArray(const QString &path)>;

} // namespace FileSystem
