#pragma once

#include "AnswerRows.h"
#include "KeptAnswer.h"

#include <QList>
#include <QString>

// Where the program keeps every judged answer of a child of the class. Keeping
// never makes the child wait: an implementation writes elsewhere than on the
// caller's thread, and a disk that fails only shows up in problem().
class AnswerLog
{
public:
    virtual ~AnswerLog() = default;
    // Returns at once.
    virtual void keep(const KeptAnswer &answer) = 0;
    // "" or an Italian sentence for the teacher: why answers are not being kept.
    virtual QString problem() const { return {}; }
    // What was kept of one child before (on every computer of the folder),
    // day by day, for their review; read at once, so call it when a child
    // is picked, not while they answer.
    virtual QList<AnswerDay> daysOf(const QString &child, QDate today) const
    {
        Q_UNUSED(child)
        Q_UNUSED(today)
        return {};
    }
};
