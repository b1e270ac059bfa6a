#pragma once
// cfg_counter_t: the frequency counter's settings and measurements. It pushes the
// switch, trigger level and the two relay settings to the driver, and turns the
// counter hardware's results into frequency, period, both widths, duty and deviation
// from a reference frequency in ppm, each with running statistics. The root's poll
// step (cfg_counter_poll) drives the measurement: start once, then one step per poll.
//
// Setters return 1, -10 (clamped to the maximum) or -11 (clamped to the minimum).
// A result the hardware has not finished, and a period that is zero, negative or not
// finite, counts as not ready: nothing is computed from it.
#include "cfg_counter_stat.h"
#include "cfg_counter_stat_calc.h"
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_counter_t
{
public:
    cfg_counter_t();

    // Defaults (off, reference 1e7 Hz, level 0 V, both modes 0, limits, results 0),
    // then apply.
    void init();
    // Range mode, input mode, trigger level to the driver: 0 as soon as a mode is
    // neither 0 nor 1, else the trigger level's result.
    int32 apply();
    int32 apply_range_mode();
    int32 apply_input_mode();
    int32 apply_trig_level();
    // The same value: 1 at once. Off clears the results first; then apply's result.
    int32 set_enable(int32 on);
    int32 set_ref_freq(lib_unit_data_t value);
    int32 set_trig_level(lib_unit_data_t value);
    int32 set_input_mode(int32 mode);
    // Also re-clamps the reference into the new range.
    int32 set_range_mode(int32 mode);
    void reapply();
    void reset_modes();
    void clear_results();
    void reset_stats();
    void reset_limits();
    void reset_enable() { enable = 0; }
    void reset_ref_freq() { ref_freq = {1e7L, 14, false}; }
    void reset_trig_level() { trig_level = {0.0L, 14, false}; }
    void reset_input_mode() { input_mode = 0; }
    void reset_range_mode() { range_mode = 0; }
    void reset_deviation() { deviation = {0.0L, 14, false}; }
    int32 calc_deviation(lib_unit_data_t f);
    void save_config(const char *) {}
    void load_config(const char *) {}

    lib_unit_data_t get_freq() const { return freq; }
    lib_unit_data_t get_prev_freq() const { return prev_freq; }
    // 1 / frequency; 0 while the frequency is 0.
    lib_unit_data_t get_period() const;
    lib_unit_data_t get_pos_width() const { return pos_width; }
    lib_unit_data_t get_neg_width() const { return neg_width; }
    lib_unit_data_t get_duty() const { return duty; }
    lib_unit_data_t get_deviation() const { return deviation; }
    lib_unit_data_t get_ref_freq() const { return ref_freq; }
    lib_unit_data_t get_trig_level() const { return trig_level; }
    int32 get_input_mode() const { return input_mode; }
    int32 get_range_mode() const { return range_mode; }
    int32 get_enable() const { return enable; }
    cfg_counter_stat_t get_pos_width_stat() const { return pos_width_stat.snapshot(); }
    cfg_counter_stat_t get_neg_width_stat() const { return neg_width_stat.snapshot(); }
    cfg_counter_stat_t get_freq_stat() const { return freq_stat.snapshot(); }
    cfg_counter_stat_t get_period_stat() const { return period_stat.snapshot(); }
    cfg_counter_stat_t get_duty_stat() const { return duty_stat.snapshot(); }
    cfg_counter_stat_t get_deviation_stat() const { return deviation_stat.snapshot(); }
    int32 query_flag() const { return 0; }

    // Plain stores without checks.
    void store_freq(const lib_unit_data_t &v) { freq = v; }
    void store_prev_freq(const lib_unit_data_t &v) { prev_freq = v; }
    void store_pos_width(const lib_unit_data_t &v) { pos_width = v; }
    void store_neg_width(const lib_unit_data_t &v) { neg_width = v; }
    void store_duty(const lib_unit_data_t &v) { duty = v; }
    void store_deviation(const lib_unit_data_t &v) { deviation = v; }
    void store_ref_freq(const lib_unit_data_t &v) { ref_freq = v; }
    void store_trig_level(const lib_unit_data_t &v) { trig_level = v; }
    void store_input_mode(int32 v) { input_mode = v; }
    void store_range_mode(int32 v) { range_mode = v; }
    void store_enable(int32 v) { enable = v; }

    // Measurement.
    // Restarts the counter hardware; the next step chooses the method again.
    void start();
    // One step of the cycle; 1.
    int32 step();
    bool is_count_ready();
    bool is_period_ready();
    // 1 with the count (the frequency in hertz) when one is ready, else 0.
    int32 read_count(long double *f);
    // 1 with 1 / period when a usable period is ready, else 0.
    int32 read_reciprocal(long double *f);
    bool is_above_direct_limit();
    // Takes one measured frequency, then restarts the counter.
    void process(long double f);
    int32 set_state(int32 s)
    {
        state = s;
        return 1;
    }
    int32 get_state(int32 *out) const
    {
        *out = state;
        return 1;
    }
    int32 get_state() const { return state; }
    void restart();

private:
    int32 clamp_ref(lib_unit_data_t &value) const;

    int32 state = 0;
    cfg_counter_stat_calc_t pos_width_stat;
    cfg_counter_stat_calc_t neg_width_stat;
    cfg_counter_stat_calc_t freq_stat;
    cfg_counter_stat_calc_t period_stat;
    cfg_counter_stat_calc_t duty_stat;
    cfg_counter_stat_calc_t deviation_stat;
    lib_unit_data_t freq{0.0L, 14, false};
    lib_unit_data_t prev_freq{0.0L, 14, false};
    lib_unit_data_t pos_width{0.0L, 14, false};
    lib_unit_data_t neg_width{0.0L, 14, false};
    lib_unit_data_t duty{0.0L, 14, false};
    lib_unit_data_t deviation{0.0L, 14, false};
    lib_unit_data_t ref_freq{1e7L, 14, false};
    lib_unit_data_t trig_level{0.0L, 14, false};
    int32 input_mode = 0;
    int32 enable = 0;
    int32 range_mode = 0;
    long double ref_min_mode1 = 0.1L;
    long double ref_max_mode1 = 2e8L;
    long double ref_min_mode0 = 10.0L;
    long double ref_max_mode0 = 2e8L;
    long double level_min = -3.0L;
    long double level_max = 1.5L;
};
