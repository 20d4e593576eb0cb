#pragma once

#include "KeptAnswer.h"

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
};
