#pragma once
// cfg_mode_excl_t: keeps modulation, sweep, burst and the sync output from conflicting.
// For now it finds no conflict.
#include "lib_types.h"

class cfg_mode_excl_t
{
public:
    void resolve_run_mode(int32) {}
    // Told by the sweep and burst objects when their trigger source or output changes; 1.
    int32 on_sweep_trigger_source(int32 ch, int32 source);
    int32 on_sweep_trig_out(int32 ch, int32 on);
    int32 on_burst_trigger_source(int32 ch, int32 source);
    int32 on_burst_trig_out(int32 ch, int32 value);
};
