#pragma once
// cfg_pattern_limits_t: the bit-rate and amplitude limits the data patterns share (100
// to 115200 bit/s, an amplitude of 10 to 2e8) and their clamping: 1 when the value is
// inside, -10 with the maximum put in its place, -11 with the minimum.
#include "lib_types.h"

struct cfg_pattern_limits_t
{
    int32 clamp_bit_rate(int32 &rate) const;
    int32 clamp_amplitude(long double &value) const;

    int32 bit_rate_min = 100;
    int32 bit_rate_max = 115200;
    long double amplitude_min = 10.0L;
    long double amplitude_max = 2.0e8L;
};
