#pragma once

#include "KeptAnswer.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

// What the results tests share: answers made to order, files filled in bulk,
// and the raw bytes of a folder.
namespace ResultsTesting {

inline constexpr quint32 ext4 = 0xEF53;
inline constexpr quint32 nfs = 0x6969;

// An answer of `child`, given at `when` (now when invalid), with every other
// field filled.
KeptAnswer answer(const QString &child, const QString &given, const QDateTime &when = {});

// A results file for `host` in `folder` holding `answers`, made as the
// program makes one and then filled in one transaction, faster than the
// program's one commit an answer. `journal`: "wal" or "delete".
void fill(const QString &folder, const QString &host, const QList<KeptAnswer> &answers,
          const QString &journal = QStringLiteral("wal"));

// Every file in the folder, by name, as bytes.
QMap<QString, QByteArray> bytesOf(const QString &folder);
// The names of the files in which `text` is found as UTF-8 or UTF-16.
QStringList filesHolding(const QString &folder, const QString &text);

// Every field as text, the time with its offset, to compare answers whole.
QStringList fieldsOf(const KeptAnswer &answer);

} // namespace ResultsTesting
