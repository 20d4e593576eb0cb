#pragma once

#include "AnswerRows.h"

#include <QSqlError>
#include <QString>
#include <QVariantMap>

class QSqlDatabase;

// The questions the program asks of kept answers, in SQL that SQLite and
// PostgreSQL both run, over tables `answers` and `children` of the same
// shape. `scope` narrows the children ("" for all, or a condition on `c`
// with named values in `binds`, such as a server's class).
class AnswerQueries
{
public:
    explicit AnswerQueries(QSqlDatabase &db, QString scope = QString(), QVariantMap binds = {});

    // The counts of the answers given in `range` (the last days played of all).
    bool summary(const DayRange &range, AnswerSummary *summary);
    // For their review, in two steps: the day each item was last missed
    // up to `today` by a child (all children when `child` is ""), then the
    // days it was answered right since those misses (of any file), given
    // one child's misses at a time.
    bool lastMisses(const QString &child, QDate today, QList<AnswerDay> *misses);
    bool rightDaysAfter(const QList<AnswerDay> &misses, QDate today, QList<AnswerDay> *days);
    // Every answer, oldest first as written.
    bool answers(QList<KeptAnswer> *answers);
    // How many answers the child has.
    bool count(const QString &child, qint64 *count);

    QSqlError lastError() const { return error_; }

private:
    bool tallies(const DayRange &range, QList<TallyRow> *rows);
    bool pairs(const DayRange &range, QList<PairRow> *rows);
    bool dateMisses(const DayRange &range, QList<DateMissRow> *rows);
    bool lastPlayed(QHash<QString, QDate> *days);

    QSqlDatabase &db_;
    QString scope_;
    QVariantMap binds_;
    QSqlError error_;
};
