#pragma once
// drv_phase_t: the phase driver: each channel's phase setting and what was last
// placed in its start-phase register, and the coupling flag.
#include "lib_types.h"

class drv_phase_t
{
public:
    drv_phase_t() = default;

private:
    long double _phase[2] = {0, 0};
    long double _start_phase[2] = {0, 0};
    int32 _couple = 0;
};
