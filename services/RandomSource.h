#pragma once

#include <cmath>
#include <cstdint>

// The program's single source of uniform values in [0,1). Every random choice
// goes through one of these, so tests can script the exact values drawn.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    virtual void seed(std::uint64_t value) = 0;
    // A value in [0,1); 1.0 itself must never come out.
    virtual double next() = 0;

    // floor(r * n): a whole number from 0 to n - 1, truncated, never rounded.
    int below(int n)
    {
        const int k = static_cast<int>(std::floor(next() * n));
        // Guards against a broken source; a correct one never needs it.
        return k < 0 ? 0 : (k >= n ? n - 1 : k);
    }
};
