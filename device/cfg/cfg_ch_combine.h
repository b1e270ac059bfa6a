#pragma once
// cfg_ch_combine_t: a channel's two-channel combining. For now combining stays off
// and acts on nothing.
#include "lib_types.h"

class cfg_ch_combine_t
{
public:
    void bind_channel(int32 ch) { channel = ch; }
    void init(int32 ch) { bind_channel(ch); }
    void save_config(const char *) {}
    int32 get_channel() const { return channel; }
    int32 get_switch() const { return 0; }
    // 1 when combining is on for either channel.
    int32 is_any_enabled() const { return 0; }
    // Writes the combining enable to the driver.
    void push() {}
    long double get_sum_ampl() const { return 0.0L; }
    long double get_sum_offset() const { return 0.0L; }

private:
    int32 channel = 0;
};
