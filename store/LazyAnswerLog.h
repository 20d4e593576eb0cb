#pragma once

#include "AnswerLog.h"
#include "ResultsLibrary.h"

#include <memory>

// Stands for the SQLite log until the first answer (or load()), then loads
// it from the results module. The program makes one only once a class
// exists, so a school without one never loads Qt SQL.
class LazyAnswerLog : public AnswerLog
{
public:
    // `modulePath`: the results module; by default the one beside the executable.
    LazyAnswerLog(const QString &folder, const QString &host,
                  const QString &modulePath = QString());

    void keep(const KeptAnswer &answer) override;
    QString problem() const override;
    QList<AnswerDay> daysOf(const QString &child, QDate today) const override;

    // Loads the module and opens the file now, so that the first answer
    // costs no more than the others: call it when a child is chosen.
    bool load();
    bool loaded() const { return real_ != nullptr; }

private:
    ResultsLibrary library_;
    QString folder_;
    QString host_;
    // After the library, so it goes first: its code is in the module.
    std::unique_ptr<AnswerLog> real_;
    bool tried_ = false;
};
