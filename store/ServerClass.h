#pragma once

#include "AnswerRows.h"
#include "ServerChild.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// What a PC said it still has to send, and when.
struct UnsentAnswers
{
    QString computer;
    qint64 count = 0;
    QDateTime told;
};

// A class on the school's server, named by the teacher ("3B"): its
// children, kept equal to La classe's, and its answers read with the same
// queries as a results folder's.
namespace ServerClass {

// The names of the server's classes, in order.
bool classes(QSqlDatabase &db, QStringList *names, QString *error);
// Makes the class if it is not there, and its children equal to
// `children`, in one transaction: new ones added, names, pictures and
// spoken names brought up to date, and those no longer there deleted with
// every answer of theirs. La classe's role.
bool publish(QSqlDatabase &db, const QString &className, const QList<ServerChild> &children,
             QString *error);
// Gives the class `from` the name `to`, children and answers with it;
// nothing when `from` is not there. La classe's role.
bool rename(QSqlDatabase &db, const QString &from, const QString &to, QString *error);
// The children of a class, in their order; the PCs' role may read them.
bool children(QSqlDatabase &db, const QString &className, QList<ServerChild> *children,
              QString *error);

// The counts of the class's answers given in `range`.
bool summarise(QSqlDatabase &db, const QString &className, const DayRange &range,
               AnswerSummary *summary, QString *error);
// Every child's days of the class up to `today`, for their review.
bool daysOfAll(QSqlDatabase &db, const QString &className, QDate today, QList<AnswerDay> *days,
               QString *error);
// With the PCs' role: every class's name, and the children of `className`
// (of the only class, when the server has one and not that).
bool read(const QString &service, const QString &className, ServerClassList *list,
          QString *problem);
// What each PC last said it still had to send, those with something only.
bool unsent(QSqlDatabase &db, QList<UnsentAnswers> *computers, QString *error);

} // namespace ServerClass
