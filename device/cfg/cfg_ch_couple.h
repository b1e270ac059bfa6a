#pragma once
// cfg_ch_couple_t: two-channel coupling and tracking. For now every coupling and the
// tracking stay off and applying writes nothing.
#include "lib_types.h"

class cfg_wv_main_t;

class cfg_ch_couple_t
{
public:
    void apply() {}
    void save_config(const char *) {}
    void load_config(const char *) {}
    // Coupling kind 0 frequency, 1 amplitude, 2 phase.
    int32 get_couple_en(int32) const { return 0; }
    int32 is_any_couple_en() const { return 0; }
    int32 get_track_en() const { return 0; }
    // The other channel's object (channel 1 for 0, 0 for any other).
    static cfg_wv_main_t *get_other_wv_main(int32 ch);
};
