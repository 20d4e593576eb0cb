#pragma once

#include "RandomSource.h"

#include <QList>

// Gives back the values it was handed, in order; once they run out it
// repeats the last one (0 if none was given), or asks the fallback source
// when one is set. Counts the draws it served.
class ScriptedRandom : public RandomSource
{
public:
    ScriptedRandom() = default;
    explicit ScriptedRandom(QList<double> values) : values_(std::move(values)) {}

    void seed(std::uint64_t) override { ++seeds_; }
    double next() override;

    void script(QList<double> values);
    void append(QList<double> values) { values_ += values; }
    int draws() const { return draws_; }
    int remaining() const { return int(values_.size()); }
    int seeds() const { return seeds_; }
    void setFallback(RandomSource *fallback) { fallback_ = fallback; }

    // The largest double below 1.
    static double justBelowOne();

private:
    QList<double> values_;
    double last_ = 0.0;
    int draws_ = 0;
    int seeds_ = 0;
    RandomSource *fallback_ = nullptr;
};
