#pragma once

#include "KeptAnswer.h"

#include <QHash>
#include <QList>
#include <QString>

class AnswerLog;

// What is kept of a class lives in a module of its own beside the
// executable, so that Qt SQL is loaded only once a class exists. The module
// exports these C functions under these names.
extern "C" {
// A log writing this computer's file in `folder`; the caller owns it.
using TempioloCreateAnswerLog = AnswerLog *(*)(const QString &folder, const QString &host);
// Every answer of the folder's computers' files, oldest first.
using TempioloReadResults = bool (*)(const QString &folder, QList<KeptAnswer> *answers,
                                     QString *error);
// The folder's answers as a CSV file, with the children's names by their id.
using TempioloExportResults = bool (*)(const QString &folder, const QString &csvPath,
                                       const QHash<QString, QString> *names, QString *error);
// A child's answers taken out of every file of the folder.
using TempioloRemoveChild = bool (*)(const QString &folder, const QString &childId, QString *error);
}
inline constexpr const char tempioloCreateAnswerLog[] = "tempiolo_create_answer_log";
inline constexpr const char tempioloReadResults[] = "tempiolo_read_results";
inline constexpr const char tempioloExportResults[] = "tempiolo_export_results";
inline constexpr const char tempioloRemoveChild[] = "tempiolo_remove_child";
inline constexpr const char tempioloResultsModule[] = "libtempiolo-risultati.so";
