#pragma once
// Small arithmetic helpers of the lib_ family.
#include "lib_types.h"

// Absolute value of an int; the most negative int has none and comes back unchanged.
int lib_abs(int value);

// Clamps value into [min, max] in place: 1 inside, -10 set to max, -11 set to min.
template <typename T> int32 lib_clamp_status(T &value, T min, T max)
{
    if (value > max)
    {
        value = max;
        return -10;
    }
    if (value < min)
    {
        value = min;
        return -11;
    }
    return 1;
}
