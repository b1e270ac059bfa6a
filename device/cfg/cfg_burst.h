#pragma once
// cfg_burst_t: a channel's burst settings (N-cycle or gated, internal, external or
// manual trigger), their limits, which depend on the wave type, frequency and trigger
// source, the refusals that make no sense in the current state, and the fixed order in
// which everything reaches the driver. Timing that concerns both channels at once goes
// through the burst apply functions (cfg_apply.h).
#include "cfg_int_holder.h"
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_burst_t
{
public:
    static constexpr int32 MODE_NCYCLE = 0;
    static constexpr int32 MODE_GATED = 1;
    static constexpr int32 SRC_INTERNAL = 0;
    static constexpr int32 SRC_EXTERNAL = 1;
    static constexpr int32 SRC_MANUAL = 2;
    static constexpr int32 TRIG_OUT_OFF = 2;
    static constexpr int32 MAX_CYCLES = 1000000;
    static constexpr int32 MIN_CYCLES = 1;

    cfg_burst_t();

    // --- Life cycle ---
    void init(int32 ch);
    void bind_channel(int32 ch) { this->ch = ch; }
    void save_config(const char *) {}
    void load_config(const char *) {}

    // --- Checking setters: 1, -10 or -11 (limit stored), -12 (refused, nothing stored) ---
    int32 set_switch(int32 on);
    int32 set_mode(int32 mode);
    int32 set_period(const lib_unit_data_t *value);
    int32 store_period(const lib_unit_data_t *value);
    int32 set_cycles(int32 n);
    int32 set_infinite(int32 v);
    int32 set_delay(const lib_unit_data_t *value);
    int32 store_delay(const lib_unit_data_t *value);
    int32 set_trig_src(int32 src);
    int32 set_trig_src_and_apply(int32 src);
    int32 set_trig_out(int32 v);
    int32 store_trig_out(int32 v);
    int32 set_trig_edge(int32 e);
    int32 set_gate_polarity(int32 p);
    int32 set_phase(const lib_unit_data_t *value);
    // 0, or a negative coupling status.
    int32 store_phase(const lib_unit_data_t *value);

    // --- Predicates: 1 or 0 ---
    int32 is_on() const { return burst_on == 1 ? 1 : 0; }
    int32 can_set_mode();
    int32 can_set_period();
    int32 can_set_phase();
    int32 can_set_delay();
    int32 can_set_cycles();
    int32 can_set_gate_polarity();
    int32 is_trig_src_allowed(int32 src) const;
    int32 needs_apply() const;

    // --- Limits ---
    long double get_max_period() const { return 1000.0L; }
    long double get_min_period();
    long double get_max_delay();
    long double get_min_delay();
    int32 get_max_cycles() const { return MAX_CYCLES; }
    int32 get_min_cycles() const { return MIN_CYCLES; }

    // --- Apply steps: the last call's result, 0 when the step's condition fails ---
    int32 apply_trig_src(int32 hold);
    int32 apply_mode(int32 hold);
    int32 apply_trig_out();
    int32 apply_gate_polarity();
    int32 apply_infinite();
    int32 apply_cycles();
    int32 apply_trig_edge();
    int32 apply_phase();
    int32 apply_period();
    int32 apply_delay();
    int32 apply_wave(bool full_rule);
    int32 apply_all(bool full_rule);
    int32 apply_if_needed();
    int32 trigger();
    int32 trigger_both();

    // --- Hooks ---
    void on_wave_type_changed(bool full_rule);
    void on_wave_type_changed_if_on(bool full_rule = true);
    void recheck_period_if_on();
    int32 reapply_freq();
    int32 reapply_freq_if(int32 v);
    int32 reapply_period();
    int32 reapply_delay();
    int32 recheck_delay();
    int32 clear_infinite_if_internal();

    // --- Getters ---
    int32 get_period(lib_unit_data_t *out) const;
    lib_unit_data_t get_period() const { return period; }
    int32 get_delay(lib_unit_data_t *out) const;
    // 1 / period with the period's unit; the caller's flag is left alone.
    int32 get_burst_freq(lib_unit_data_t *out) const;
    // The channel's phase record.
    int32 get_phase(lib_unit_data_t *out) const;
    lib_unit_data_t *get_period_ptr() { return &period; }
    lib_unit_data_t *get_delay_ptr() { return &delay; }
    int32 get_channel() const { return ch; }
    int32 get_switch() const { return burst_on; }
    int32 get_mode() const { return mode; }
    int32 get_trig_src() const { return trig_src.get(); }
    int32 get_trig_out() const { return trig_out.get(); }
    int32 get_infinite() const { return infinite; }
    int32 get_cycles() const { return cycles; }
    int32 get_gate_polarity() const { return gate_polarity; }
    int32 get_trig_edge() const { return trig_edge; }
    long double get_clock_freq() const { return clock_freq; }
    long double get_clock_period() const { return clock_period; }
    long double get_freq_res() const { return freq_res; }
    int32 get_freq_res_bits() const { return freq_res_bits; }

    // --- Raw setters: store, nothing else ---
    void set_burst_on_raw(int32 v) { burst_on = v; }
    void set_period_raw(lib_unit_data_t v) { period = v; }
    void set_mode_raw(int32 v) { mode = v; }
    void set_trig_src_raw(int32 v) { trig_src.set(v); }
    void set_trig_out_raw(int32 v) { trig_out.set(v); }
    void set_delay_raw(lib_unit_data_t v) { delay = v; }
    void set_infinite_raw(int32 v) { infinite = v; }
    void set_cycles_raw(int32 v) { cycles = v; }
    void set_gate_polarity_raw(int32 v) { gate_polarity = v; }
    void set_trig_edge_raw(int32 v) { trig_edge = v; }

private:
    int32 wave_type() const;
    bool is_dc() const;
    long double channel_freq() const;

    int32 burst_on = 0;
    lib_unit_data_t period{};
    int32 mode = 0;
    cfg_int_holder_t trig_src;
    cfg_burst_trig_out_t trig_out;
    lib_unit_data_t delay{};
    int32 infinite = 0;
    int32 cycles = 0;
    int32 gate_polarity = 0;
    int32 trig_edge = 0;
    int32 ch = 0;
    // Fixed trigger delays (internal or external trigger, DDS or pulse-type waves) and
    // the clock of the minimum-delay term; nothing sets them on the module.
    long double base_delay_int_dds = 0.0L;
    long double base_delay_int_pulse = 0.0L;
    long double base_delay_ext_dds = 0.0L;
    long double base_delay_ext_pulse = 0.0L;
    long double clock_freq = 0.0L;
    long double freq_res = 0.0L;
    long double clock_period = 0.0L;
    int32 freq_res_bits = 0;
};
