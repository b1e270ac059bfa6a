#pragma once
// Operations that the setters and the message interface call but whose owners are not
// built yet. The apply functions carry their final names and signatures (they move to
// cfg_apply.h); every cfg_pending_ function stands for one member operation of another
// class, named after it, and becomes a one-line forward once that member exists.
#include "cfg_apply.h"
#include "lib_types.h"
#include "lib_unit_data.h"

#include <map>
#include <string>
#include <vector>

class cfg_bswv_main_t;

// cfg_ch_couple_t: couple_freq, couple_ampl, couple_phase (0: coupling does not
// apply), is_tracking_source, set_tracked_phase (-12 unless ch is the tracking source).
int32 cfg_pending_couple_freq(int32 ch, lib_unit_data_t *value);
int32 cfg_pending_couple_ampl(int32 ch, lib_unit_data_t *value);
int32 cfg_pending_couple_phase(int32 ch, lib_unit_data_t *value);
int32 cfg_pending_is_tracking_source(int32 ch);
int32 cfg_pending_set_tracked_phase(int32 ch, lib_unit_data_t *value);

// cfg_sweep_t::recenter, get_stop_freq; cfg_burst_t::recheck; cfg_sync_t::recheck.
void cfg_pending_sweep_recenter(int32 ch);
long double cfg_pending_sweep_stop_freq(int32 ch);
void cfg_pending_burst_recheck(int32 ch);
void cfg_pending_sync_recheck(int32 ch);

// cfg_ch_combine_t::recheck_ampl, recheck_offset (negative when clamped), update_ratio.
int32 cfg_pending_combine_recheck_ampl(int32 ch);
int32 cfg_pending_combine_recheck_offset(int32 ch);
void cfg_pending_combine_update_ratio(int32 ch);

// cfg_mod_main_t::revalidate, recheck_after_ampl, set_current_deviation.
void cfg_pending_mod_revalidate(int32 ch, int32 flag);
void cfg_pending_mod_recheck_after_ampl(int32 ch);
int32 cfg_pending_mod_set_current_deviation(int32 ch, lib_unit_data_t deviation);
