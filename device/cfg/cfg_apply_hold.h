#pragma once
// The hold rules of the apply functions. A driver call with hold 1 keeps the FPGA
// parameter update back while it writes, so that both channels change at one update;
// the rules decide when the two channels must change together.
#include "lib_types.h"

// 0 with phase mode 0; 1 while the channels' frequencies differ; otherwise 1 only when
// a channel plays an arbitrary wave in sample-rate mode.
int32 cfg_get_wave_hold();
int32 cfg_get_phase_mode();
// The full rule, or the phase mode alone.
int32 cfg_select_hold(bool full_rule);
int32 cfg_get_current_ch();
int32 cfg_get_other_ch();
bool cfg_is_freq_coupled(int32 ch);
bool cfg_is_prbs_linked(int32 ch);
int32 cfg_is_same_freq_coupled();
bool cfg_both_ch_square();

// Both channels in burst, modulating with one type, or (once) both outputs on.
int32 cfg_get_burst_hold();
int32 cfg_get_mod_hold();
// The wave hold, or once per process the phase mode while both outputs are on.
int32 cfg_get_output_hold();
