#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

// What kind of file system a folder lies on, as statfs(2) tells it. SQLite's
// write-ahead log shares memory between the processes of one machine, so it
// must not be used on a file system that other machines write too.
namespace FileSystem {

// The file system's magic number (<linux/magic.h>); 0 when it cannot be told.
quint32 typeOf(const QString &path);
// NFS, SMB, CIFS, SMB2 and FUSE (sshfs and the like, which may be remote).
bool isNetwork(quint32 type);

// How a writer learns the type of its folder; tests pass their own.
using TypeOf = std::function<quint32(const QString &path)>;

} // namespace FileSystem
