#pragma once
// cfg_wv_main_t: one output channel: its basic-wave settings, modulation, sweep, burst,
// combining and data-pattern members, and its own switches (output, run mode, polarity,
// requested wave type). A run mode is switched on only for wave types that allow it,
// and multi-step changes run inside the output hold, which keeps the output disabled.
#include "cfg_bswv_main.h"
#include "cfg_burst.h"
#include "cfg_ch_combine.h"
#include "cfg_mod_main.h"
#include "cfg_pattern.h"
#include "cfg_sweep.h"
#include "lib_types.h"

class cfg_wv_main_t
{
public:
    // Run modes.
    static constexpr int32 RUN_MODE_MOD = 0;
    static constexpr int32 RUN_MODE_SWEEP = 1;
    static constexpr int32 RUN_MODE_BURST = 2;
    static constexpr int32 RUN_MODE_CONTINUOUS = 3;

    cfg_wv_main_t() = default;
    cfg_wv_main_t &operator=(const cfg_wv_main_t &other) = default;
    cfg_wv_main_t(const cfg_wv_main_t &) = delete;

    void init(int32 ch);
    void bind_channel(int32 ch);
    void save_config(const char *path);
    void load_config(const char *path);

    cfg_bswv_main_t *get_bswv_main() { return &bswv; }
    cfg_mod_main_t *get_mod_main() { return &mod; }
    cfg_sweep_t *get_sweep() { return &sweep; }
    cfg_burst_t *get_burst() { return &burst; }
    cfg_ch_combine_t *get_combine() { return &combine; }
    cfg_pattern_t *get_pattern() { return &pattern; }
    int32 get_channel() const { return channel; }

    int32 get_output() const { return output; }
    int32 get_run_mode() const { return run_mode; }
    int32 get_polarity() const { return polarity; }
    int32 get_wave_type() const { return wave_type; }
    int32 get_basic_wave_type() const { return bswv.get_wave_type(); }
    int32 get_pending() const { return pending; }
    int32 get_hold_depth() const { return hold_depth; }
    void store_output(int32 v) { output = v; }
    void store_run_mode(int32 v) { run_mode = v; }
    void store_polarity(int32 v) { polarity = v; }
    void set_pending(int32 v) { pending = v; }
    void reset_polarity() { polarity = 1; }

    // Output switch: stored, then applied (on: output off first, run mode and polarity
    // set again); the driver's answer.
    int32 set_output(int32 on);
    int32 apply_output_switch(int32 on);
    int32 apply_output();

    // 1, -12 (mode refused for the wave type; the other two modes are off) or 0.
    int32 set_run_mode(int32 mode);
    int32 change_run_mode(int32 mode);
    int32 apply_run_mode(int32 mode);

    int32 set_polarity(int32 p);
    int32 apply_polarity();

    // 0 for a code above 16 or negative (a line printed, nothing changed) and for a
    // square wave that combining does not allow; else 1.
    int32 set_wave_type(int32 type);
    int32 set_current_basic_wave(int32 type);

    void refresh();
    void refresh_other_channel();
    void flush_pending();
    void resend_channel_records();

    // Whether a run mode allows wave type t: 1 or 0.
    int32 can_modulate(int32 t);
    int32 can_sweep(int32 t);
    int32 can_burst(int32 t);
    // The mode switched on, or -12 when the current wave type refuses it.
    int32 enter_modulation();
    int32 enter_sweep();
    int32 enter_burst();
    int32 is_output_or_combine_on();

    // The output hold. The outermost begin saves and clears the output-enable bit; the
    // end that closes it (or any unmatched end) writes the saved bit back.
    void begin_hold();
    void end_hold();
    // The same counting without driver access: up answers whether the depth became 1,
    // down whether it became 0.
    bool hold(bool up);

    int32 apply_wave_of(cfg_wv_main_t *other);

private:
    bool harmonics_on();

    cfg_bswv_main_t bswv;
    cfg_mod_main_t mod;
    cfg_sweep_t sweep;
    cfg_burst_t burst;
    cfg_ch_combine_t combine;
    cfg_pattern_t pattern;
    int32 output = 0;
    int32 run_mode = 0;
    int32 polarity = 0;
    int32 wave_type = 0;
    int32 channel = 0;
    int32 hold_depth = 0;
    int32 pending = 0;
    int32 saved_output_enable = 0;
};
