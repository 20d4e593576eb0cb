#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A class list as teachers export it from a spreadsheet or the school's
// register: one child a line, perhaps in several fields ("Rossi;Anna"),
// in UTF-8 or in the Windows code page of older Excel.
namespace NameListFile {

constexpr qint64 maxBytes = 1024 * 1024;

struct Names
{
    QStringList names; // tidied, in the file's order, repeats kept
    QString problem;   // an Italian sentence when the file cannot be a list of names
};

Names read(const QString &path);
// The same, from the bytes of a file; fileName only goes into the sentences.
Names parse(const QByteArray &bytes, const QString &fileName);

} // namespace NameListFile
