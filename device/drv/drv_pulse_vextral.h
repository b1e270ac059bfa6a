#pragma once
// drv_pulse_vextral_t: the USB module's pulse driver: 125 MHz clock, 5 ns intrinsic
// edge, scale factor 1.
#include "drv_pulse.h"

class drv_pulse_vextral_t : public drv_pulse_t
{
public:
    drv_pulse_vextral_t() = default;

    // 8e-9 s.
    long double get_min_width() override;
    // 5e-9 s.
    long double get_min_edge() override;
    // 1.
    int32 get_scale_factor() override;
    // 0.
    int32 get_edge_mode(const long double *value) override;
};
