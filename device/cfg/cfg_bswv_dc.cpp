// cfg_bswv_dc_t: DC level limits by load.
#include "cfg_bswv_dc.h"

namespace
{
// At or above this load the output counts as open; note the base amplitude table
// switches one ohm lower.
constexpr int32 DC_HIGH_Z = 1000000;
} // namespace

void cfg_bswv_dc_t::init(int32 ch)
{
    cfg_bswv_wave_t::init(ch);
    max_offset = 5.0L;
    min_offset = -5.0L;
}

long double cfg_bswv_dc_t::scale_to_load(long double open_circuit, int32 load)
{
    if (load >= DC_HIGH_Z)
        return open_circuit;
    return open_circuit * load / (load + get_output_impedance());
}

long double cfg_bswv_dc_t::get_max_offset(long double, long double, int32 load)
{
    return scale_to_load(max_offset, load);
}

long double cfg_bswv_dc_t::get_min_offset(long double, long double, int32 load)
{
    return scale_to_load(min_offset, load);
}
