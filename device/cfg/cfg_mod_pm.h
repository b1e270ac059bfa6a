#pragma once
// cfg_mod_pm_t: phase modulation, deviation 0 to 360 degrees. The base apply sends it
// and clears the PSK polarity bit, which shares the phase path.
#include "cfg_mod.h"

class cfg_mod_pm_t : public cfg_mod_t
{
public:
    static constexpr long double MAX_PHASE_DEVIATION = 360.0L;

    long double get_max_mod_freq() override;
    long double get_min_deviation() override;
    long double get_max_deviation() override;
};
