#include "ScriptedRandom.h"

#include <cmath>

double ScriptedRandom::next()
{
    ++draws_;
    if (!values_.isEmpty())
        last_ = values_.takeFirst();
    else if (fallback_)
        last_ = fallback_->next();
    return last_;
}

void ScriptedRandom::script(QList<double> values)
{
    values_ = std::move(values);
}

double ScriptedRandom::justBelowOne()
{
    return std::nextafter(1.0, 0.0);
}
