#include "drv_pulse_vextral.h"

long double drv_pulse_vextral_t::get_min_width()
{
    return 8e-9;
}

long double drv_pulse_vextral_t::get_min_edge()
{
    return 5e-9;
}

int32 drv_pulse_vextral_t::get_scale_factor()
{
    return 1;
}

int32 drv_pulse_vextral_t::get_edge_mode(const long double *)
{
    return 0;
}
