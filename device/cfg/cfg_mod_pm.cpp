#include "cfg_mod_pm.h"

long double cfg_mod_pm_t::get_max_mod_freq()
{
    return get_max_freq_limit();
}

long double cfg_mod_pm_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_pm_t::get_max_deviation()
{
    return MAX_PHASE_DEVIATION;
}
