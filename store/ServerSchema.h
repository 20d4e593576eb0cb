#pragma once

#include <QSqlError>
#include <QString>

class QSqlDatabase;

// The school server's tables, their version, and the two roles that use
// them. The answers' table has the shape of a results file's, so the same
// questions read both; classes and children live here too, with the
// children's pictures and spoken names.
namespace ServerSchema {

// The version this build makes, kept in the table tempiolo_schema.
inline constexpr int version = 1;

// The children's PCs: they read the class lists and add answers, and can
// neither read nor change nor delete any answer.
inline const QString pcRole = QStringLiteral("tempiolo_pc");
// La classe: it manages classes and children and reads answers.
inline const QString teacherRole = QStringLiteral("tempiolo_insegnante");

enum class Outcome { Made, Upgraded, AlreadyThere, Newer, Failed };

// Creates or upgrades the tables in one transaction, and (re)creates the
// roles and their rights: running it again changes nothing. A server of a
// newer version is left untouched. `found` is the version it had (0 for
// none); `error` says why it failed.
Outcome prepare(QSqlDatabase &db, int *found, QSqlError *error);

// The version of the server's tables: 0 for none, -1 when it cannot be read.
int versionOf(QSqlDatabase &db);

} // namespace ServerSchema
