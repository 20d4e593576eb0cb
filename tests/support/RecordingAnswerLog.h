#pragma once

#include "AnswerLog.h"

#include <QList>

// An answer log that keeps each answer in a list the test reads.
class RecordingAnswerLog : public AnswerLog
{
public:
    explicit RecordingAnswerLog(QList<KeptAnswer> &kept) : kept_(kept) {}
    void keep(const KeptAnswer &answer) override { kept_ << answer; }

private:
    QList<KeptAnswer> &kept_;
};
