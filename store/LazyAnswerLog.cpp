#include "LazyAnswerLog.h"

LazyAnswerLog::LazyAnswerLog(const QString &folder, const QString &host, const QString &modulePath)
    : library_(modulePath), folder_(folder), host_(host)
{
}

bool LazyAnswerLog::load()
{
    if (!tried_) {
        tried_ = true;
        real_ = library_.createLog(folder_, host_);
    }
    return loaded();
}

void LazyAnswerLog::keep(const KeptAnswer &answer)
{
    if (load())
        real_->keep(answer);
}

QString LazyAnswerLog::problem() const
{
    return real_ ? real_->problem() : library_.problem();
}

QList<AnswerDay> LazyAnswerLog::daysOf(const QString &child, QDate today) const
{
    return real_ ? real_->daysOf(child, today) : QList<AnswerDay>();
}
