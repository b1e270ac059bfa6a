#pragma once
// cfg_sweep_t: a channel's frequency sweep. The module sweeps through its frequency
// modulation path around the channel's own frequency, so the centre is the channel
// frequency and half the span the deviation: moving start or stop moves the channel
// frequency to their midpoint, and moving the channel frequency moves start and stop
// around it with the span kept. Out-of-range values are clamped (-10 above, -11 below)
// and written back into the caller's record; nothing is refused.
#include "cfg_int_holder.h"
#include "lib_types.h"
#include "lib_unit_data.h"

class cfg_sweep_t
{
public:
    // --- Life cycle ---
    void init(int32 ch);
    void bind_channel(int32 ch) { this->ch = ch; }
    void save_config(const char *) {}
    void load_config(const char *) {}

    // --- Setters that store and re-apply the whole sweep: 1 ---
    int32 set_switch(int32 on);
    int32 set_trig_src(int32 src);
    int32 set_trig_edge(int32 e);
    int32 set_sweep_type(int32 t);
    int32 set_direction(int32 d);
    // Stores, then applies only the trigger output.
    int32 set_trig_out(int32 v);

    // --- Values: 1, -10 or -11 ---
    int32 store_time(lib_unit_data_t *value);
    int32 set_time(lib_unit_data_t *value);
    int32 set_start_freq(lib_unit_data_t *value);
    int32 set_stop_freq(lib_unit_data_t *value);
    int32 set_span(lib_unit_data_t *value);
    int32 set_center(lib_unit_data_t *value);
    int32 update_start_freq(lib_unit_data_t *value);
    int32 update_stop_freq(lib_unit_data_t *value);
    int32 update_span(lib_unit_data_t *value);
    int32 update_center(lib_unit_data_t *value);
    int32 store_start_freq(lib_unit_data_t *value);
    int32 store_stop_freq(lib_unit_data_t *value);
    int32 store_span(lib_unit_data_t *value);
    // Clamps the record in place; stores nothing.
    int32 clamp_center(lib_unit_data_t *value);
    // Span from start and stop, and their midpoint stored as the channel frequency; the
    // frequency store's result.
    int32 apply_start_stop(const lib_unit_data_t *start, const lib_unit_data_t *stop);
    void derive_start_stop(const lib_unit_data_t *centre, const lib_unit_data_t *span_value);

    // --- Limits ---
    long double get_min_freq();
    long double get_max_freq();
    long double get_max_span();
    long double get_min_span() const { return 0.0L; }
    long double get_max_center();
    long double get_min_center();
    long double get_max_time() const { return max_time; }
    long double get_min_time() const { return min_time; }

    // --- Apply steps ---
    int32 apply_trig_edge();
    int32 apply_trig_src();
    int32 apply_trig_out();
    int32 apply_time();
    int32 apply_center_span();
    int32 apply_wave();
    int32 apply_switch();
    int32 apply_all();
    int32 apply();
    // Start and stop re-derived around the channel frequency while the sweep is on; a
    // PRBS wave switches the sweep off.
    void refresh();
    int32 trigger();
    int32 trigger_both();

    // --- Getters ---
    int32 get_switch() const { return sweep_on; }
    int32 get_center(lib_unit_data_t *out) const;
    lib_unit_data_t *get_time_ptr() { return &sweep_time; }
    lib_unit_data_t *get_start_ptr() { return &start_freq; }
    lib_unit_data_t *get_stop_ptr() { return &stop_freq; }
    lib_unit_data_t *get_span_ptr() { return &span; }
    long double get_start_value() const { return start_freq.data; }
    long double get_stop_value() const { return stop_freq.data; }
    long double get_time_value() const { return sweep_time.data; }
    long double get_span_value() const { return span.data; }
    int32 get_trig_src() const { return trig_src.get(); }
    int32 get_trig_out() const { return trig_out.get(); }
    int32 get_sweep_type() const { return sweep_type; }
    int32 get_direction() const { return direction; }
    int32 get_trig_edge() const { return trig_edge; }
    int32 get_channel() const { return ch; }

    // --- Raw setters: store, nothing else ---
    void set_sweep_on_raw(int32 v) { sweep_on = v; }
    void set_sweep_time_raw(lib_unit_data_t v) { sweep_time = v; }
    void set_start_freq_raw(lib_unit_data_t v) { start_freq = v; }
    void set_stop_freq_raw(lib_unit_data_t v) { stop_freq = v; }
    void set_span_raw(lib_unit_data_t v) { span = v; }
    void set_trig_src_raw(int32 v) { trig_src.set(v); }
    void set_trig_edge_raw(int32 v) { trig_edge = v; }
    void set_trig_out_raw(int32 v) { trig_out.set(v); }
    void set_sweep_type_raw(int32 v) { sweep_type = v; }
    void set_direction_raw(int32 v) { direction = v; }
    void set_max_time_raw(long double v) { max_time = v; }
    void set_min_time_raw(long double v) { min_time = v; }
    void clear_trig_out_if(int32 v)
    {
        if (v != 0)
            trig_out.set(0);
    }

private:
    long double channel_freq() const;

    int32 ch = 0;
    int32 sweep_on = 0;
    lib_unit_data_t sweep_time{};
    lib_unit_data_t start_freq{};
    lib_unit_data_t stop_freq{};
    lib_unit_data_t span{};
    cfg_int_holder_t trig_src;
    int32 trig_edge = 0;
    cfg_sweep_trig_out_t trig_out;
    int32 sweep_type = 0;
    int32 direction = 0;
    long double max_time = 0.0L;
    long double min_time = 0.0L;
};
