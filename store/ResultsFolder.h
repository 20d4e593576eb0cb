#pragma once

#include "AnswerRows.h"
#include "KeptAnswer.h"

#include <QList>
#include <QString>
#include <QStringList>

// A class's results folder as a whole: every computer's file read together,
// and a child's answers taken out of every file. Each file is opened
// read-only and asked for what is needed, so a program writing it meanwhile
// waits a moment at most. A file that cannot be read is left out and named
// in `problems`, in Italian; the others are read all the same.
namespace ResultsFolder {

// The counts of the answers given in `range`, every file's added together.
AnswerSummary summarise(const QString &folder, const DayRange &range,
                        QStringList *problems = nullptr);
// Every child's days up to `today`, for their review.
QList<AnswerDay> daysOfAll(const QString &folder, QDate today, QStringList *problems = nullptr);
// One child's days up to `today`, for their review.
QList<AnswerDay> daysOf(const QString &folder, const QString &child, QDate today,
                        QStringList *problems = nullptr);
// Every answer, oldest first.
QList<KeptAnswer> readAll(const QString &folder, QStringList *problems = nullptr);
// One file's answers, in the order they were written, appended to `answers`;
// false with `problem` when it cannot be read (then nothing is appended).
bool readFile(const QString &path, QList<KeptAnswer> *answers, QString *problem);
// How many answers of the child the folder's files hold, as far as they can be read.
qint64 countOf(const QString &folder, const QString &child);

// Deletes every answer of the child from every file of the folder, the
// set-aside ones included, so that no byte of them is left in any file:
// deleted content overwritten, the file rewritten without free pages, and
// the write-ahead log emptied. false with an Italian `error` naming the
// files that may still hold some (damaged ones that do not open, a newer
// build's, a file busy too long); the others are cleaned anyway.
bool removeChild(const QString &folder, const QString &childId, QString *error);

} // namespace ResultsFolder
