#pragma once
// cfg_mode_excl_t: keeps modulation, sweep, burst and the sync output from conflicting.
// For now it finds no conflict.
#include "lib_types.h"

class cfg_mode_excl_t
{
public:
    void resolve_run_mode(int32) {}
    // The external modulation source claimed for a channel (source 1); 1.
    int32 on_mod_source(int32 ch, int32 source);
};
