#pragma once

#include "RandomSource.h"

#include <random>

// The real generator: a 64-bit Mersenne Twister whose values are built from
// 53 random bits, so r is exactly representable and always below 1.
class ClockRandom : public RandomSource
{
public:
    ClockRandom();

    void seed(std::uint64_t value) override;
    double next() override;

    static std::uint64_t clockSeed();

private:
    std::mt19937_64 engine_;
};
