// cfg_pattern_limits_t: the data patterns' clamps.
#include "cfg_pattern_limits.h"

namespace
{
template <typename T> int32 clamp_to(T &value, T min, T max)
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
} // namespace

int32 cfg_pattern_limits_t::clamp_bit_rate(int32 &rate) const { return clamp_to(rate, bit_rate_min, bit_rate_max); }

int32 cfg_pattern_limits_t::clamp_amplitude(long double &value) const
{
    return clamp_to(value, amplitude_min, amplitude_max);
}
