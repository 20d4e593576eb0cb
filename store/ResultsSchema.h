#pragma once

#include <QSqlError>
#include <QString>

class QSqlDatabase;

// The tables of a results file and their versions. Each version has one step
// of its own that brings a file from the version before, so a file made by
// any older build is brought up to date when it is opened, and a file made
// by a newer build is left as it is.
namespace ResultsSchema {

// The version this build writes, kept in the file as PRAGMA user_version.
inline constexpr int version = 3;

// user_version as the file's header has it, read without SQLite, so that a
// newer file is not even opened for writing: 0 for an empty or missing
// file, -1 for a file that is not a SQLite database. A file in WAL mode may
// have a newer version still in its log: the caller checks again with SQL.
int versionInHeader(const QString &path);

// Brings the open file up to `target` (this build's version unless said),
// all steps in one transaction. `found` is the version the file had; a
// file newer than this build is left untouched, and false is returned with
// no error.
bool upgrade(QSqlDatabase &db, int *found, QSqlError *error, int target = version);

// The number of values an answer's row holds in each version's table,
// oldest first: what a damaged file's rows are told apart by.
inline constexpr int answerFields[] = {12, 17, 17};
inline constexpr int childFields = 2;

} // namespace ResultsSchema
