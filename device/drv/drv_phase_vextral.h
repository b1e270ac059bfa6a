#pragma once
// drv_phase_vextral_t: a phase driver whose sample-rate phase write does nothing. No
// product creates it; the module uses drv_phase_t.
#include "drv_phase.h"

class drv_phase_vextral_t : public drv_phase_t
{
public:
    int32 _set_sample_rate_phase(drv_fpga_t *, int32, long double) override { return 1; }
};
