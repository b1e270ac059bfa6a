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

private:
    int32 channel = 0;
};
