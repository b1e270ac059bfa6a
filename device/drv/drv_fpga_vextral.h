#pragma once
// drv_fpga_vextral_t: the USB module's FPGA. Its image is already in the module's
// boot flash, so nothing starts it; its carrier DDS runs at 125 MHz with a 48-bit
// accumulator. It adds no fields and touches no register when constructed.
#include "drv_fpga.h"

class drv_fpga_vextral_t : public drv_fpga_t
{
public:
    drv_fpga_vextral_t() = default;

    // 1.25e14 micro-hertz and 2^48.
    long double get_dds_clock() override;
    long double get_dds_phase_range() override;
};
