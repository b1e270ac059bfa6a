#pragma once
// drv_wave_ram_t: the instance manager's entry for sample-rate wave loads: the wave
// into the channel's wave memory, played from the sample of the channel's phase. It
// holds no state; the work is the wave store's write_wave_with_phase.
#include "lib_types.h"

#include <vector>

class drv_fpga_t;
class drv_phase_t;

class drv_wave_ram_t
{
public:
    drv_wave_ram_t() = default;

    // The channel's arbitrary wave; 1.
    int32 write_arb_wave(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch, const std::vector<int16> &wave);
    // A data-pattern wave; 1.
    int32 write_pattern_wave(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch, const std::vector<int16> &wave);
};
