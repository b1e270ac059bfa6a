#pragma once
// cfg_mode_excl_t: features of the two channels that share one resource of the module
// (external modulation source, sync output, external sweep and burst triggers, sweep
// and burst trigger outputs) switch each other off. The owning objects tell it of each
// change; it keeps no state and decides from the current settings.
#include "lib_types.h"

// Feature codes.
enum cfg_excl_feature_t : int32
{
    CFG_EXCL_MOD_SOURCE = 5,
    CFG_EXCL_SYNC = 6,
    CFG_EXCL_SWEEP_TRIG_SRC = 7,
    CFG_EXCL_SWEEP_TRIG_OUT = 8,
    CFG_EXCL_BURST_TRIG_SRC = 9,
    CFG_EXCL_BURST_TRIG_OUT = 10,
    CFG_EXCL_NONE = 11
};

class cfg_mode_excl_t
{
public:
    // After channel ch stored a new run mode: what the other channel uses and ch now
    // needs is switched off; no notice. 1.
    int32 on_run_mode(int32 ch);
    int32 on_mod_source(int32 ch, int32 source);
    int32 on_sync(int32 ch, int32 on);
    int32 on_sweep_trigger_source(int32 ch, int32 source);
    int32 on_sweep_trig_out(int32 ch, int32 on);
    int32 on_burst_trigger_source(int32 ch, int32 source);
    int32 on_burst_trig_out(int32 ch, int32 value);
    // Each channel's conflicting feature switched off; the first one posted as a
    // notice (its code, the channel, 0).
    void claim(int32 ch, int32 feature);
    // The feature in use on channel k that conflicts with feature on ch, or 11.
    int32 find_conflict(int32 ch, int32 k, int32 feature);
    void release(int32 k, int32 feature);
};
