#pragma once
// cfg_burst_t: a channel's burst settings. For now the burst stays off and acts on
// nothing.
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_burst_t
{
public:
    void bind_channel(int32 ch) { channel = ch; }
    void init(int32 ch) { bind_channel(ch); }
    void save_config(const char *) {}
    int32 get_channel() const { return channel; }
    int32 get_switch() const { return 0; }
    int32 set_switch(int32) { return 1; }
    void on_wave_type_changed_if_on() {}
    // The burst period, s.
    lib_unit_data_t get_period() const { return lib_unit_data_t{0.0L, LIB_UNIT_BASE, false}; }
    // Stand-ins until the burst lands: trigger source (1 external) and trigger output
    // (2 off), stored; the setters tell the mode exclusion (cfg_mode_excl_standin_i32.cpp).
    int32 get_trig_src() const { return trig_src; }
    int32 get_trig_out() const { return trig_out; }
    int32 set_trig_src(int32 src);
    int32 set_trig_out(int32 v);
    void set_trig_src_raw(int32 v) { trig_src = v; }
    void set_trig_out_raw(int32 v) { trig_out = v; }
    int32 store_trig_out(int32 v)
    {
        trig_out = v;
        return 1;
    }

private:
    int32 channel = 0;
    int32 trig_src = 0;
    int32 trig_out = 2;
};
