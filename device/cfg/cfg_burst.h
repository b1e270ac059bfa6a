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

private:
    int32 channel = 0;
};
