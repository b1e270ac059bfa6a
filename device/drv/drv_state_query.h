#pragma once
// Whether a channel is sweeping or bursting, asked of the FPGA's own registers at the
// moment of the call (the modulation queries are drv_mod_t's). No state, no writes.
#include "lib_types.h"

// 1 when the channel's modulation mode field is 4, which frequency modulation uses
// too; else 0.
int32 drv_sweep_is_on(int32 ch);
// True when the channel's burst field (control register bits 6-7) is not 0 and its
// ASK gate, which runs through the burst engine, is off.
bool drv_burst_is_on(int32 ch);
