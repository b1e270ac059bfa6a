#pragma once
// drv_freq_vextral_t: the module's frequency driver: two-channel writes without strobe
// or hold, no PRBS question, and no harmonic alignment.
#include "drv_freq.h"

class drv_freq_vextral_t : public drv_freq_t
{
public:
    drv_freq_vextral_t(drv_fpga_t &fpga, drv_phase_t &phase) : drv_freq_t(fpga, phase) {}

    // set_freq for channel 0, then channel 1; the hold is ignored; 1.
    int32 set_freq_both(int32 hold, long double f0, long double f1) override;
    int32 set_freq(int32 ch, long double hz) override;
    // 0.
    int32 is_freq_multiple() override;
};
