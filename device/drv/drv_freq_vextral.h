#pragma once
// drv_freq_vextral_t: the USB module's frequency driver.
#include "drv_freq.h"

class drv_freq_vextral_t : public drv_freq_t
{
public:
    drv_freq_vextral_t(drv_fpga_t &fpga, drv_phase_t &phase) : drv_freq_t(fpga, phase) {}
};
