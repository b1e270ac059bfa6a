#pragma once
// cfg_sweep_t: a channel's sweep settings. For now the sweep stays off and acts on
// nothing.
#include "lib_types.h"

class cfg_sweep_t
{
public:
    void bind_channel(int32 ch) { channel = ch; }
    void init(int32 ch) { bind_channel(ch); }
    void save_config(const char *) {}
    int32 get_channel() const { return channel; }
    int32 get_switch() const { return 0; }
    int32 set_switch(int32) { return 1; }
    void refresh() {}
    // Stand-ins until the sweep lands: trigger source (1 external) and trigger output
    // (1 on), stored; the setters tell the mode exclusion (cfg_mode_excl_standin_i32.cpp).
    int32 get_trig_src() const { return trig_src; }
    int32 get_trig_out() const { return trig_out; }
    int32 set_trig_src(int32 src);
    int32 set_trig_out(int32 v);
    void set_trig_src_raw(int32 v) { trig_src = v; }
    void set_trig_out_raw(int32 v) { trig_out = v; }

private:
    int32 channel = 0;
    int32 trig_src = 0;
    int32 trig_out = 0;
};
