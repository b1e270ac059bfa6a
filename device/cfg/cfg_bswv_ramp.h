#pragma once
// cfg_bswv_ramp_t: the limits of the ramp wave: one fixed frequency ceiling whatever
// the amplitude; every other limit is the base's.
#include "cfg_bswv_wave.h"

class cfg_bswv_ramp_t : public cfg_bswv_wave_t
{
public:
    void init(int32 ch)
    {
        cfg_bswv_wave_t::init(ch);
        max_freq = 500000.0L;
    }

    long double get_max_freq(int32) override { return max_freq; }
    long double get_max_freq_by_ampl(long double) override { return max_freq; }

private:
    long double max_freq = 0.0L;
};
