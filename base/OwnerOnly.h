#pragma once

#include <QFileDevice>
#include <QString>

// Children's names and answers are for the eyes of the account that keeps
// them: files and folders the program makes are its owner's only.
namespace OwnerOnly {

inline constexpr QFileDevice::Permissions file = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
inline constexpr QFileDevice::Permissions folder = file | QFileDevice::ExeOwner;

// Makes the folder and its parents when missing; the one it makes is the
// owner's only. True when the folder is there.
bool makeFolder(const QString &path);
// Makes `path`, if it is there, readable and writable by its owner only.
void restrict(const QString &path);

} // namespace OwnerOnly
