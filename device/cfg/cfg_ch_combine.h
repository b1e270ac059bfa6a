#pragma once
// cfg_ch_combine_t: a channel's two-channel combining. For now combining stays off
// and acts on nothing.
#include "lib_types.h"
#include "lib_unit_data.h"

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
    // The amplitude coupling's fit of the pair into the combined output: 1 while
    // combining is off (nothing changed), -10 when it had to rescale.
    int32 split_ampl_by_ratio(long double, lib_unit_data_t *, lib_unit_data_t *) { return 1; }
    int32 split_ampl_by_dev(long double, lib_unit_data_t *, lib_unit_data_t *) { return 1; }

private:
    int32 channel = 0;
};
