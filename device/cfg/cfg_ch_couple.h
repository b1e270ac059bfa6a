#pragma once
// cfg_ch_couple_t: two-channel coupling and tracking. For now it keeps its switches,
// all off at creation, and couples nothing: storing a switch applies nothing.
#include "lib_types.h"

class cfg_wv_main_t;

class cfg_ch_couple_t
{
public:
    void apply() {}
    void save_config(const char *) {}
    void load_config(const char *) {}
    // Coupling kind 0 frequency, 1 amplitude, 2 phase; 0 for any other kind.
    int32 get_couple_en(int32 idx) const
    {
        switch (idx)
        {
        case 0:
            return freq_couple_en;
        case 1:
            return ampl_couple_en;
        case 2:
            return phase_couple_en;
        default:
            return 0;
        }
    }
    int32 set_couple_en(int32 idx, int32 on)
    {
        if (idx == 0)
            freq_couple_en = on;
        else if (idx == 1)
            ampl_couple_en = on;
        else if (idx == 2)
            phase_couple_en = on;
        return 1;
    }
    int32 is_any_couple_en() const
    {
        return freq_couple_en == 1 || ampl_couple_en == 1 || phase_couple_en == 1 ? 1 : 0;
    }
    int32 get_track_en() const { return track_en; }
    int32 get_source_ch() const { return src_ch; }
    int32 get_tracking() const { return track_en; }
    bool is_tracking() const { return track_en == 1; }
    int32 get_phase_mode() const { return phase_mode; }
    // 1 when the two channels run at one frequency by coupling: tracking on, or
    // frequency coupling on with ratio 1 (mode 0) or deviation 0 (mode 1), within 1e-10.
    int32 is_same_freq() const;
    // Stores without applying, for the owners of these settings.
    void store_source_ch(int32 ch) { src_ch = ch; }
    void store_phase_mode(int32 mode) { phase_mode = mode; }
    void store_freq_couple(int32 mode, long double ratio, long double deviation)
    {
        freq_mode = mode;
        freq_ratio = ratio;
        freq_deviation = deviation;
    }
    int32 set_track_en(int32 on)
    {
        track_en = on;
        return 1;
    }
    // The other channel's object (channel 1 for 0, 0 for any other).
    static cfg_wv_main_t *get_other_wv_main(int32 ch);
    // The FPGA update strobe and, when the channels do not track and their frequencies
    // differ, a phase re-synchronisation.
    static void update_and_resync() {}

    // Tracking on with ch as its reference channel: 1, else 0.
    int32 is_track_src(int32 ch) const;
    // The phase offset that channel 1 keeps from channel 0 while phases are coupled.
    long double get_phase_deviation() const;

private:
    int32 src_ch = 0;
    int32 freq_couple_en = 0;
    int32 ampl_couple_en = 0;
    int32 phase_couple_en = 0;
    int32 track_en = 0;
    int32 freq_mode = 0;
    long double freq_ratio = 1.0L;
    long double freq_deviation = 0.0L;
    int32 phase_mode = 1;
};
