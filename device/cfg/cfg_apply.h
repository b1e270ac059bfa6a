#pragma once
// Applying a channel's settings to the driver. Until the apply functions take over,
// each answers the success its callers expect and writes nothing.
#include "lib_types.h"

inline int32 cfg_apply_ampl_offset(int32) { return 1; }
inline int32 cfg_apply_output(int32, int32) { return 1; }
inline void cfg_restore_outputs() {}
inline void cfg_apply_arb_sample_rate(int32) {}

// The sine apply and the whole-channel apply (stand-ins in cfg_apply_standin_i32.cpp
// until the apply functions land).
int32 cfg_apply_sine_wave(int32 ch, bool full_rule);
void cfg_apply_channel(int32 ch);
