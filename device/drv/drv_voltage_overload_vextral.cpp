#include "drv_voltage_overload_vextral.h"

int32 drv_voltage_overload_vextral_t::set_amp_range(int32, uint32)
{
    return 1;
}

void drv_voltage_overload_vextral_t::get_narrow_thresholds(int32 *first, int32 *second)
{
    *first = 39883;
    *second = 6928;
}

void drv_voltage_overload_vextral_t::get_wide_thresholds(int32 *first, int32 *second)
{
    *first = 29397;
    *second = 17414;
}
