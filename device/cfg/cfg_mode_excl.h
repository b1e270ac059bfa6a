#pragma once
// cfg_mode_excl_t: keeps modulation, sweep, burst and the sync output from conflicting.
// For now it finds no conflict.
#include "lib_types.h"

class cfg_mode_excl_t
{
public:
    void resolve_run_mode(int32) {}
};
