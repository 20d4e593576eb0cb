#include "ClockRandom.h"

#include <chrono>

ClockRandom::ClockRandom() : engine_(clockSeed()) {}

void ClockRandom::seed(std::uint64_t value)
{
    engine_.seed(value);
}

double ClockRandom::next()
{
    // The top 53 bits scaled by 2^-53: the largest result is 1 - 2^-53.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

std::uint64_t ClockRandom::clockSeed()
{
    return static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}
