#pragma once

#include "KeptAnswer.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

class QSqlDatabase;

// The answers as a CSV file that opens right in LibreOffice Calc and Excel
// under an Italian locale: UTF-8 with a byte order mark (without it Excel
// reads "Niccolò" as Latin-1), ';' between fields (',' is the decimal
// separator there), ISO dates, seconds with a decimal comma, one answer a
// row, with the names and the exercise in the words the child saw.
namespace ResultsCsv {

// The header and the rows. `names`: the children's names by their id; an
// id that is not there stands for itself.
QByteArray write(const QList<KeptAnswer> &answers, const QHash<QString, QString> &names);

// Writes every answer that can be read in the folder's files to `csvPath`,
// the computers' and those set aside as damaged, whole or not at all.
// `skipped` names, in Italian, the files read only in part or not at all.
// false with an Italian `error` when nothing could be read or the file
// cannot be written.
bool exportFolder(const QString &folder, const QString &csvPath,
                  const QHash<QString, QString> &names, QString *error,
                  QStringList *skipped = nullptr);

// Writes `answers` to `csvPath`, whole or not at all, for the owner's eyes.
bool writeFile(const QString &csvPath, const QList<KeptAnswer> &answers,
               const QHash<QString, QString> &names, QString *error);

// Every answer the school's server holds, of every class, with each
// answer's computer, in the same columns.
bool exportServer(QSqlDatabase &db, const QString &csvPath, QString *error);

} // namespace ResultsCsv
