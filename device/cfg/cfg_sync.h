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
    // Stand-ins until the sync output lands: the switch and its source channel, stored;
    // switching on tells the mode exclusion (cfg_mode_excl_standin_i32.cpp).
    int32 get_enable() const { return enable; }
    int32 get_source_ch() const { return source_ch; }
    int32 set_enable(int32 on);
    void set_enable_raw(int32 on) { enable = on; }
    void set_source_ch_raw(int32 ch) { source_ch = ch; }

private:
    int32 enable = 0;
    int32 source_ch = 0;
};
