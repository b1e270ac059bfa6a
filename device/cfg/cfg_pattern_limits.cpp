// cfg_pattern_limits_t: the data patterns' clamps.
#include "cfg_pattern_limits.h"

#include "lib_arith.h"

int32 cfg_pattern_limits_t::clamp_bit_rate(int32 &rate) const { return lib_clamp_status(rate, bit_rate_min, bit_rate_max); }

int32 cfg_pattern_limits_t::clamp_amplitude(long double &value) const
{
    return lib_clamp_status(value, amplitude_min, amplitude_max);
}
