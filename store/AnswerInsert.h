#pragma once

#include "KeptAnswer.h"

#include <QSqlError>
#include <QSqlQuery>

class QSqlDatabase;

// The statements that add one answer to an open, up-to-date results file,
// prepared once. The caller holds the transaction.
class AnswerInsert
{
public:
    explicit AnswerInsert(QSqlDatabase &db);

    bool prepared() const { return prepared_; }
    bool insert(const KeptAnswer &answer);
    QSqlError lastError() const { return error_; }

private:
    QSqlQuery child_;
    QSqlQuery answer_;
    QSqlError error_;
    bool prepared_ = false;
};
