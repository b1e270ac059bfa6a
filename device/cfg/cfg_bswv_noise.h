#pragma once
// cfg_bswv_noise_t: the limits of the noise wave. For now it keeps every limit of the base
// class; its own limits replace them.
#include "cfg_bswv_wave.h"

class cfg_bswv_noise_t : public cfg_bswv_wave_t
{
public:
    void init(int32 ch) { cfg_bswv_wave_t::init(ch); }
};

// Noise standard deviation and amplitude of channel ch: the module's factor between
// the two is 0.05 whatever the offset.
inline long double cfg_noise_ampl_to_stdev(int32, long double ampl)
{
    return ampl * 0.05L;
}
inline long double cfg_noise_stdev_to_ampl(int32, long double stdev)
{
    return stdev / 0.05L;
}
