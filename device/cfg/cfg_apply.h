#pragma once
// Applying a channel's settings to the driver. Until the apply functions take over,
// each answers the success its callers expect and writes nothing.
#include "lib_types.h"

inline int32 cfg_apply_ampl_offset(int32) { return 1; }
inline void cfg_apply_arb_sample_rate(int32) {}

// --- Burst, sweep and output ---
struct drv_burst_para_t;

// Both channels' burst timing: frequencies, delays less channel 0's minimum delay, and
// periods, under the burst hold.
drv_burst_para_t cfg_build_burst_para();
void cfg_apply_burst_both();
// Both channels' burst start phases.
void cfg_apply_burst_phase();
// Both channels' burst delays, each on its own (no caller in the library).
void cfg_apply_burst_delay();
// The logarithmic sweep profile of the other channel, then of ch, for each that sweeps.
void cfg_apply_sweep_wave(int32 ch);
void cfg_apply_sweep_time(int32 ch);
// Centre and span (of both channels while both sweep), then the amplitudes again.
void cfg_apply_sweep_center_span(int32 ch);
// The output switch under the output hold; the driver's result.
int32 cfg_apply_output(int32 ch, int32 on);
void cfg_restore_outputs();
