#include "drv_fpga_vextral.h"

namespace {

constexpr long double DRV_VEXTRAL_DDS_CLOCK = 1.25e14L;
constexpr long double DRV_VEXTRAL_DDS_RANGE = 281474976710656.0L;

} // namespace

long double drv_fpga_vextral_t::get_dds_clock()
{
    return DRV_VEXTRAL_DDS_CLOCK;
}

long double drv_fpga_vextral_t::get_dds_phase_range()
{
    return DRV_VEXTRAL_DDS_RANGE;
}
