#pragma once

#include "KeptAnswer.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// What the results tests share: answers made to order, files filled in bulk,
// and the raw bytes of a folder.
namespace ResultsTesting {

// File systems as the system names them.
inline const QByteArray ext4 = QByteArrayLiteral("ext4");
inline const QByteArray nfs = QByteArrayLiteral("nfs4");

// An answer of `child` in "Riordina i mesi (1)": LUGLIO's card put on
// month `given`'s place, at `when` (now when invalid), with every other
// field filled and an identity of its own.
KeptAnswer answer(const QString &child, int given, const QDateTime &when = {});

// The folder of the version-1 files a build of that version wrote, and
// what it exported of them.
QString version1Folder();

// A results file for `host` in `folder` holding `answers`, made as the
// program makes one and then filled in one transaction, faster than the
// program's one commit an answer. `journal`: "wal" or "delete".
void fill(const QString &folder, const QString &host, const QList<KeptAnswer> &answers,
          const QString &journal = QStringLiteral("wal"));

// A file's bytes, or none; a file made of `bytes`.
QByteArray readAll(const QString &path);
void writeAll(const QString &path, const QByteArray &bytes);

// Every file in the folder, by name, as bytes.
QMap<QString, QByteArray> bytesOf(const QString &folder);
// The names of the files in which `text` is found as UTF-8 or UTF-16.
QStringList filesHolding(const QString &folder, const QString &text);

// Every field as text, the time with its offset, to compare answers whole.
// Without the identity: a copy keeps it, a version-1 file is given one.
QStringList fieldsOf(const KeptAnswer &answer);

} // namespace ResultsTesting
