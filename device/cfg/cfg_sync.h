#pragma once
// cfg_sync_t: the sync output. For now it stays off and acts on nothing.
#include "lib_types.h"

class cfg_sync_t
{
public:
    void init() {}
    void reapply() {}
    void apply() {}
    void save_config(const char *) {}
    void load_config(const char *) {}
    int32 get_switch() const { return 0; }
    void on_wave_type(int32, int32) {}
};
