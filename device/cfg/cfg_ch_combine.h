#pragma once
// cfg_ch_combine_t: a channel's two-channel combining switch (the output carries the
// sum of both channels). While either channel's switch is on both channels use one
// load, their amplitudes and offsets are fitted so that the sums stay inside what both
// channels allow, square waves are refused where the driver cannot combine them, and
// the driver gets the mixing weight A0 / (A0 + A1).
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_ch_combine_t
{
public:
    // --- Set-up and plain access ---
    void init(int32 ch);
    void bind_channel(int32 ch) { this->ch = ch; }
    void save_config(const char *) {}
    void load_config(const char *) {}
    int32 get_enable() const { return enable; }
    int32 get_ch() const { return ch; }
    void set_enable_raw(int32 on) { enable = on; }

    // --- Queries ---
    // Whether combining is possible: the driver allows square waves with combining, or
    // neither channel plays one.
    bool check() const;
    // 1 when either channel's switch is on.
    int32 is_any_enabled() const;
    bool is_output_combined() const;
    // A0 + A1 (a DC channel counts 0) and the sum of both signed offsets.
    long double sum_ampl() const;
    long double sum_offset() const;

    // --- Actions ---
    // 0 (switch cleared) when check fails; else the switch stored, the loads matched,
    // applied, 1.
    int32 set_enable(int32 on);
    int32 apply();
    void push();
    // The weight to the driver while either switch is on (its result), else 1.
    int32 push_weight();
    int32 validate();
    void follow_load();
    void sync_load();
    // 1, -10 or -11.
    int32 fit_ampl();
    int32 fit_offset();
    // The coupled pair a (this channel) and b (the other) squeezed into the amplitude
    // maximum: 1 when it fits, else -10 with a stored.
    int32 split_ampl_by_ratio(long double r, lib_unit_data_t *a, lib_unit_data_t *b);
    int32 split_ampl_by_dev(long double d, lib_unit_data_t *a, lib_unit_data_t *b);
    void set_combine(int32 channel, int32 on);

    // The weight the driver gets: 0 when channel 0 is DC, 1 when only channel 1 is,
    // A0 / (A0 + A1) otherwise, and 0.5 when both amplitudes are 0.
    static long double weight();

private:
    int32 other_ch() const { return ch == 0 ? 1 : 0; }
    int32 split(bool by_ratio, long double k, lib_unit_data_t *a, lib_unit_data_t *b);

    int32 ch = 0;
    int32 enable = 0;
};
