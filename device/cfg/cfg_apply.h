#pragma once
// Applying a channel's settings to the driver. Until the apply functions take over,
// each answers the success its callers expect and writes nothing.
#include "lib_types.h"

inline int32 cfg_apply_ampl_offset(int32) { return 1; }
inline int32 cfg_apply_output(int32, int32) { return 1; }
inline void cfg_restore_outputs() {}
inline void cfg_apply_arb_sample_rate(int32) {}

// Modulation values of both channels in one driver update, under the modulation hold:
// each channel's type with its modulating frequency (the key rate for ASK, FSK and
// PSK), its depth or deviation, or its FSK hop frequency.
void cfg_apply_mod_freq_both();
void cfg_apply_mod_deviation_both();
void cfg_apply_fsk_hop_both();
// Channel ch's PSK phase.
void cfg_apply_mod_phase(int32 ch);
