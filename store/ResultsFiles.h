#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The names of the files in a results folder. Each computer writes a file of
// its own, named after its host, so that PCs sharing one home folder on the
// network never write the same file; a damaged file is set aside under a
// name with its date, and is never read as a computer's file again.
namespace ResultsFiles {

// The host name as it may stand in a file name: lower case letters, digits,
// '-' and '_'. A name that had to be changed gets a short hash of the
// original, so that "pc.1" and "pc-1" still get files of their own.
QString safeHostName(const QString &host);
// "risultati-<host>.sqlite"
QString fileNameFor(const QString &host);

// The computers' files in the folder, full paths, sorted by name.
QStringList computerFiles(const QString &folder);
// The files set aside as damaged, full paths, sorted by name (oldest day first).
QStringList setAsideFiles(const QString &folder);

// The name a damaged computer's file is set aside under on `day`, in its
// folder: "risultati-pc1.danneggiato-2026-12-09.sqlite", then "...-2.sqlite"
// and on, never the name of a file that is already there (nor of its
// journal, log or shared memory).
QString setAsideNameFor(const QString &path, const QDate &day);

// The files SQLite may keep beside a database, which go wherever it goes.
QStringList companionSuffixes();

} // namespace ResultsFiles
