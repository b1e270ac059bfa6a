#include "cfg_mod_dsb_am.h"

void cfg_mod_dsb_am_t::save_config(const char *)
{
}

void cfg_mod_dsb_am_t::load_config(const char *)
{
}

long double cfg_mod_dsb_am_t::get_max_mod_freq()
{
    return get_max_freq_limit();
}

long double cfg_mod_dsb_am_t::get_min_deviation()
{
    return DEPTH;
}

long double cfg_mod_dsb_am_t::get_max_deviation()
{
    return DEPTH;
}
