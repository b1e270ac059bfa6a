#pragma once
// cfg_ch_couple_t: ties the two channels together. Frequency, amplitude and phase can
// each be coupled: the other channel's value follows the reference channel's (src_ch)
// by a ratio or by a deviation, and a value stored on the current channel is first
// fitted into the range both channels can reach together. The same object carries the
// channel tracking (every setting of the reference channel repeated on the other) and
// the phase synchronisation of the two channels (cfg_ch_track.cpp).
//
// Results: 1 done, -10 / -11 a value replaced by its maximum / minimum, -12 refused
// while tracking, -13 a coupling mode other than ratio or deviation.
#include "lib_types.h"

class cfg_wv_main_t;
class cfg_bswv_main_t;
class cfg_mod_main_t;
class cfg_sweep_t;
class cfg_burst_t;

// Indices of the coupled parameters.
enum cfg_couple_param_t : int32
{
    CFG_COUPLE_FREQ = 0,
    CFG_COUPLE_AMPL = 1,
    CFG_COUPLE_PHASE = 2
};

enum cfg_couple_mode_t : int32
{
    CFG_COUPLE_BY_RATIO = 0,
    CFG_COUPLE_BY_DEVIATION = 1
};

class cfg_ch_couple_t
{
public:
    cfg_ch_couple_t();
    void init();

    // --- Accessors ---
    int32 get_src_ch() const { return src_ch; }
    // By parameter index; 0 (or 0.0) for any other index.
    int32 get_couple_en(int32 idx) const;
    int32 get_couple_mode(int32 idx) const;
    long double get_ratio(int32 idx) const;
    long double get_deviation(int32 idx) const;
    long double get_phase_deviation() const { return phase_dev; }
    int32 is_any_couple_en() const;
    int32 is_current_ch(int32 ch) const;
    // The entry points act only for the current channel, and (frequency, amplitude)
    // only while tracking is off.
    int32 is_freq_couple_active(int32 ch) const;
    int32 is_ampl_couple_active(int32 ch) const;
    int32 is_phase_couple_active(int32 ch) const;
    // 1 when the channels run at one frequency: tracking, or frequency coupling with
    // ratio 1 or deviation 0 (within 1e-10).
    int32 is_freq_same() const;

    // --- Limits ---
    long double get_ratio_max(int32 idx) const;
    long double get_ratio_min(int32 idx) const;
    long double get_deviation_max(int32 idx) const;
    long double get_deviation_min(int32 idx) const;
    long double get_freq_max_by_ratio(int32 ch, long double r) const;
    long double get_freq_min_by_ratio(int32 ch, long double r) const;
    long double get_ampl_max_by_ratio(int32 ch, long double r) const;
    long double get_ampl_min_by_ratio(int32 ch, long double r) const;
    long double get_freq_max_by_dev(int32 ch, long double d) const;
    long double get_freq_min_by_dev(int32 ch, long double d) const;
    long double get_ampl_max_by_dev(int32 ch, long double d) const;
    long double get_ampl_min_by_dev(int32 ch, long double d) const;
    long double get_phase_max_by_ratio(int32 ch, long double r) const;
    long double get_phase_min_by_ratio(int32 ch, long double r) const;
    long double get_phase_max_by_dev(int32 ch, long double d) const;
    long double get_phase_min_by_dev(int32 ch, long double d) const;
    long double calc_ratio_max(int32 ch, long double s_limit, long double o_limit, long double r) const;
    long double calc_ratio_min(int32 ch, long double s_limit, long double o_limit, long double r) const;
    long double calc_dev_max(int32 ch, long double s_limit, long double o_limit, long double d) const;
    long double calc_dev_min(int32 ch, long double s_limit, long double o_limit, long double d) const;

    // --- Coupling entry points: value is what the caller is about to store on ch; it
    // may be fitted in place ---
    int32 couple_freq_if_on(int32 ch, long double *value);
    int32 couple_ampl_if_on(int32 ch, long double *value);
    int32 couple_phase_if_on(int32 ch, long double *value);
    // -12 unless tracking is on and ch is the reference channel.
    int32 couple_phase_track(int32 ch, long double *value);
    int32 couple_freq(int32 ch, long double *value);
    int32 couple_ampl(int32 ch, long double *value);
    int32 couple_phase(int32 ch, long double *value);
    int32 couple_by_ratio(long double r, int32 ch, long double *value, const long double *max,
                          const long double *min, long double *out);
    int32 couple_by_deviation(long double d, int32 ch, long double *value, const long double *max,
                              const long double *min, long double *out);
    int32 recouple(int32 idx);
    int32 recouple_all();

    // --- Configuration setters ---
    int32 set_couple_en(int32 idx, int32 en);
    int32 set_couple_mode(int32 idx, int32 mode);
    int32 set_freq_ratio(long double r);
    int32 set_ampl_ratio(long double r);
    int32 set_phase_ratio(long double r);
    int32 set_ratio(int32 idx, long double r);
    int32 set_freq_deviation(long double d);
    int32 set_ampl_deviation(long double d);
    int32 set_phase_deviation(long double d);
    int32 set_deviation(int32 idx, long double d);
    int32 set_src_ch(int32 ch);

    // --- Tracking (cfg_ch_track.cpp) ---
    int32 get_track_en() const { return track_en; }
    bool is_tracking() const { return track_en == 1; }
    int32 is_track_off() const { return track_en == 0 ? 1 : 0; }
    int32 is_track_src(int32 ch) const { return track_en == 1 && ch == src_ch ? 1 : 0; }
    // 0 (nothing changed) while the reference channel plays a data pattern; else 1.
    int32 set_track_en(int32 on);
    static int32 get_other_ch(int32 ch) { return ch == 0 ? 1 : 0; }
    static cfg_wv_main_t *get_other_wv_main(int32 ch);
    static cfg_bswv_main_t *get_other_bswv_main(int32 ch);
    static cfg_mod_main_t *get_other_mod_main(int32 ch);
    static cfg_sweep_t *get_other_sweep(int32 ch);
    static cfg_burst_t *get_other_burst(int32 ch);

    // --- Phase synchronisation (cfg_ch_track.cpp) ---
    int32 sync_phase();
    int32 update_and_sync();
    int32 update_and_sync_always();
    int32 resync_if_freq_differs();
    // The FPGA update, then a re-synchronisation when the frequencies differ and the
    // channels do not track.
    int32 update_and_resync();
    int32 sync_phase_once();
    int32 write_phases();
    void update_sync_enable();
    void clear_couple_sync();
    void apply_sync();
    void apply();
    int32 set_phase_sync_mode(int32 mode);
    int32 get_phase_sync_mode() const { return phase_sync_mode; }
    int32 is_phase_sync_off() const { return phase_sync_mode == 0 ? 1 : 0; }
    int32 needs_phase_sync(int32 ch) const;
    bool save_sync_state();
    void restore_sync_state();
    int32 set_drv_sync_enable(u8 en);
    int32 update_fpga();
    bool is_couple_supported();
    void apply_other_output();
    void save_config(const char *path);
    void load_config(const char *path);
    int32 ignore_setting(int32 value);

    // --- Raw access: stores or returns, nothing else ---
    int32 get_src_ch_raw() const { return src_ch; }
    int32 get_freq_couple_en_raw() const { return freq_couple_en; }
    int32 get_ampl_couple_en_raw() const { return ampl_couple_en; }
    int32 get_phase_couple_en_raw() const { return phase_couple_en; }
    int32 get_track_en_raw() const { return track_en; }
    int32 get_freq_couple_mode_raw() const { return freq_couple_mode; }
    int32 get_ampl_couple_mode_raw() const { return ampl_couple_mode; }
    int32 get_phase_couple_mode_raw() const { return phase_couple_mode; }
    long double get_freq_ratio_raw() const { return freq_ratio; }
    long double get_ampl_ratio_raw() const { return ampl_ratio; }
    long double get_phase_ratio_raw() const { return phase_ratio; }
    long double get_freq_dev_raw() const { return freq_dev; }
    long double get_ampl_dev_raw() const { return ampl_dev; }
    long double get_phase_dev_raw() const { return phase_dev; }
    int32 get_phase_sync_mode_raw() const { return phase_sync_mode; }
    bool get_drv_sync_state_raw() const { return drv_sync_state; }
    static bool get_sync_done_raw() { return sync_done; }
    void set_src_ch_raw(int32 v) { src_ch = v; }
    void set_freq_couple_en_raw(int32 v) { freq_couple_en = v; }
    void set_ampl_couple_en_raw(int32 v) { ampl_couple_en = v; }
    void set_phase_couple_en_raw(int32 v) { phase_couple_en = v; }
    void set_track_en_raw(int32 v) { track_en = v; }
    void set_freq_couple_mode_raw(int32 v) { freq_couple_mode = v; }
    void set_ampl_couple_mode_raw(int32 v) { ampl_couple_mode = v; }
    void set_phase_couple_mode_raw(int32 v) { phase_couple_mode = v; }
    void set_freq_ratio_raw(long double v) { freq_ratio = v; }
    void set_ampl_ratio_raw(long double v) { ampl_ratio = v; }
    void set_phase_ratio_raw(long double v) { phase_ratio = v; }
    void set_freq_dev_raw(long double v) { freq_dev = v; }
    void set_ampl_dev_raw(long double v) { ampl_dev = v; }
    void set_phase_dev_raw(long double v) { phase_dev = v; }
    void set_phase_sync_mode_raw(int32 v) { phase_sync_mode = v; }
    void set_drv_sync_state_raw(bool v) { drv_sync_state = v; }
    static void set_sync_done_raw(bool v) { sync_done = v; }

private:
    using limit_fn_t = long double (cfg_ch_couple_t::*)(int32, long double) const;
    // One coupled quantity: its mode, ratio, deviation and joint limits.
    struct couple_rule_t
    {
        int32 mode;
        long double ratio;
        long double deviation;
        limit_fn_t max_by_ratio;
        limit_fn_t min_by_ratio;
        limit_fn_t max_by_dev;
        limit_fn_t min_by_dev;
    };
    // The value fitted into the joint limits of the rule's mode and the other channel's
    // value derived into out: the clamp status, or 0 for a mode that is neither.
    int32 couple_by_mode(const couple_rule_t &rule, int32 ch, long double *value, long double *out);

    // The clamp of a configuration setter: 1, -10 or -11, the value corrected.
    static int32 clamp(long double *value, long double min, long double max);

    int32 src_ch = 0;
    int32 freq_couple_en = 0;
    int32 ampl_couple_en = 0;
    int32 phase_couple_en = 0;
    int32 track_en = 0;
    int32 freq_couple_mode = CFG_COUPLE_BY_DEVIATION;
    int32 ampl_couple_mode = CFG_COUPLE_BY_DEVIATION;
    int32 phase_couple_mode = CFG_COUPLE_BY_DEVIATION;
    long double freq_ratio = 1.0L;
    long double ampl_ratio = 1.0L;
    long double phase_ratio = 1.0L;
    long double freq_dev = 0.0L;
    long double ampl_dev = 0.0L;
    long double phase_dev = 0.0L;
    int32 phase_sync_mode = 1;
    // The driver's synchronisation state as last read; false before the first read.
    bool drv_sync_state = false;
    // Set by the one-time synchronisation, cleared by every whole re-apply.
    static bool sync_done;
};
