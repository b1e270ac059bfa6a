// A channel's frequency sweep around the channel frequency.
#include "cfg_sweep.h"

#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "cfg_mode_excl.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"

namespace
{
constexpr int32 WAVE_PRBS = 8;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

lib_unit_data_t base_record(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

// The upper bound is tested first; a value that compares with neither bound (NaN)
// passes with 1.
int32 clamp(long double *v, long double min, long double max)
{
    if (*v > max)
    {
        *v = max;
        return -10;
    }
    if (*v < min)
    {
        *v = min;
        return -11;
    }
    return 1;
}
} // namespace

void cfg_sweep_t::init(int32 channel)
{
    ch = channel;
    sweep_on = 0;
    sweep_time = base_record(1.0L);
    start_freq = base_record(500.0L);
    stop_freq = base_record(1500.0L);
    span = base_record(1000.0L);
    trig_src.set(0);
    trig_edge = 0;
    trig_out.set(0);
    sweep_type = 0;
    direction = 0;
    max_time = 500.0L;
    min_time = 0.001L;
}

long double cfg_sweep_t::channel_freq() const
{
    lib_unit_data_t f{};
    cfg_get_bswv_main(ch)->get_freq(&f);
    return f.data;
}

// --- Setters ---

int32 cfg_sweep_t::set_switch(int32 on)
{
    sweep_on = on;
    apply();
    return 1;
}

int32 cfg_sweep_t::set_trig_src(int32 src)
{
    trig_src.set(src);
    cfg_get_mode_excl()->on_sweep_trigger_source(ch, src);
    apply();
    return 1;
}

int32 cfg_sweep_t::set_trig_edge(int32 e)
{
    trig_edge = e;
    apply();
    return 1;
}

int32 cfg_sweep_t::set_sweep_type(int32 t)
{
    sweep_type = t;
    apply();
    return 1;
}

int32 cfg_sweep_t::set_direction(int32 d)
{
    direction = d;
    apply();
    return 1;
}

int32 cfg_sweep_t::set_trig_out(int32 v)
{
    trig_out.set(v);
    cfg_get_mode_excl()->on_sweep_trig_out(ch, v);
    apply_trig_out();
    return 1;
}

int32 cfg_sweep_t::store_time(lib_unit_data_t *value)
{
    const int32 r = clamp(&value->data, min_time, max_time);
    sweep_time = *value;
    return r;
}

int32 cfg_sweep_t::set_time(lib_unit_data_t *value)
{
    const int32 r = store_time(value);
    cfg_apply_sweep_time(ch);
    return r;
}

int32 cfg_sweep_t::set_start_freq(lib_unit_data_t *value)
{
    const int32 r = update_start_freq(value);
    cfg_apply_sweep_center_span(ch);
    return r;
}

int32 cfg_sweep_t::set_stop_freq(lib_unit_data_t *value)
{
    const int32 r = update_stop_freq(value);
    cfg_apply_sweep_center_span(ch);
    return r;
}

int32 cfg_sweep_t::set_span(lib_unit_data_t *value)
{
    const int32 r = update_span(value);
    cfg_apply_sweep_center_span(ch);
    return r;
}

int32 cfg_sweep_t::set_center(lib_unit_data_t *value)
{
    const int32 r = update_center(value);
    cfg_apply_sweep_center_span(ch);
    return r;
}

int32 cfg_sweep_t::update_start_freq(lib_unit_data_t *value)
{
    const int32 r = store_start_freq(value);
    const lib_unit_data_t stop = stop_freq;
    apply_start_stop(value, &stop);
    return r;
}

int32 cfg_sweep_t::update_stop_freq(lib_unit_data_t *value)
{
    const int32 r = store_stop_freq(value);
    const lib_unit_data_t start = start_freq;
    apply_start_stop(&start, value);
    return r;
}

int32 cfg_sweep_t::update_span(lib_unit_data_t *value)
{
    const int32 r = store_span(value);
    const lib_unit_data_t centre = base_record(channel_freq());
    derive_start_stop(&centre, value);
    cfg_get_bswv_main(ch)->store_freq(centre);
    return r;
}

int32 cfg_sweep_t::update_center(lib_unit_data_t *value)
{
    const int32 r = clamp_center(value);
    const lib_unit_data_t s = span;
    derive_start_stop(value, &s);
    cfg_get_bswv_main(ch)->store_freq(*value);
    return r;
}

int32 cfg_sweep_t::store_start_freq(lib_unit_data_t *value)
{
    const int32 r = clamp(&value->data, get_min_freq(), stop_freq.data);
    start_freq = *value;
    return r;
}

int32 cfg_sweep_t::store_stop_freq(lib_unit_data_t *value)
{
    const int32 r = clamp(&value->data, start_freq.data, get_max_freq());
    stop_freq = *value;
    return r;
}

int32 cfg_sweep_t::store_span(lib_unit_data_t *value)
{
    const int32 r = clamp(&value->data, 0.0L, get_max_span());
    span = *value;
    return r;
}

int32 cfg_sweep_t::clamp_center(lib_unit_data_t *value)
{
    const long double h = span.data / 2.0L;
    return clamp(&value->data, get_min_freq() + h, get_max_freq() - h);
}

int32 cfg_sweep_t::apply_start_stop(const lib_unit_data_t *start, const lib_unit_data_t *stop)
{
    span = base_record(stop->data - start->data);
    return cfg_get_bswv_main(ch)->store_freq(base_record((start->data + stop->data) / 2.0L));
}

void cfg_sweep_t::derive_start_stop(const lib_unit_data_t *centre, const lib_unit_data_t *span_value)
{
    lib_unit_data_t start = base_record(centre->data - span_value->data / 2.0L);
    store_start_freq(&start);
    lib_unit_data_t stop = base_record(centre->data + span_value->data / 2.0L);
    store_stop_freq(&stop);
}

// --- Limits ---

long double cfg_sweep_t::get_min_freq()
{
    return cfg_get_bswv_main(ch)->get_min_freq();
}

long double cfg_sweep_t::get_max_freq()
{
    return cfg_get_bswv_main(ch)->get_max_freq();
}

long double cfg_sweep_t::get_max_span()
{
    const long double c = channel_freq();
    const long double m = get_max_freq();
    const long double s = c > m / 2.0L ? 2.0L * (m - c) : 2.0L * c;
    return get_min_freq() < c ? s : 0.0L;
}

long double cfg_sweep_t::get_max_center()
{
    return get_max_freq() - span.data / 2.0L;
}

long double cfg_sweep_t::get_min_center()
{
    return get_min_freq() + span.data / 2.0L;
}

// --- Apply steps ---

int32 cfg_sweep_t::apply_trig_edge()
{
    return drv()->set_sweep_trigger_edge(ch, trig_edge);
}

int32 cfg_sweep_t::apply_trig_src()
{
    return drv()->set_sweep_trigger_source(ch, trig_src.get());
}

int32 cfg_sweep_t::apply_trig_out()
{
    const int32 on = cfg_get_wv_main(ch)->get_output() == 1 ? trig_out.get() : 0;
    return drv()->set_sweep_trig_out(ch, on);
}

int32 cfg_sweep_t::apply_time()
{
    cfg_apply_sweep_time(ch);
    return 1;
}

int32 cfg_sweep_t::apply_center_span()
{
    return drv()->set_sweep_center_span(ch, channel_freq(), span.data);
}

int32 cfg_sweep_t::apply_wave()
{
    return drv()->set_sweep_wave(ch, sweep_type, direction, start_freq.data, stop_freq.data, sweep_time.data);
}

int32 cfg_sweep_t::apply_switch()
{
    return drv()->set_sweep_switch(ch, sweep_on);
}

int32 cfg_sweep_t::apply_all()
{
    apply_trig_edge();
    apply_trig_src();
    apply_trig_out();
    cfg_apply_sweep_time(ch);
    apply_center_span();
    apply_wave();
    return apply_switch();
}

int32 cfg_sweep_t::apply()
{
    if (sweep_on == 0)
        return apply_switch();
    refresh();
    apply_all();
    cfg_get_bswv_main(ch)->apply_current_wave(false);
    return 1;
}

void cfg_sweep_t::refresh()
{
    if (sweep_on == 0)
        return;
    if (cfg_get_bswv_main(ch)->get_wave_type() == WAVE_PRBS)
    {
        sweep_on = 0;
        apply();
        return;
    }
    const long double c = channel_freq();
    lib_unit_data_t s = span;
    store_span(&s);
    const long double half = s.data / 2.0L;
    start_freq.unit = LIB_UNIT_BASE;
    start_freq.changed = false;
    start_freq.data = c - half;
    stop_freq.unit = LIB_UNIT_BASE;
    stop_freq.changed = false;
    stop_freq.data = c + half;
    lib_unit_data_t start = base_record(c - half);
    store_start_freq(&start);
    lib_unit_data_t stop = base_record(c + half);
    store_stop_freq(&stop);
    cfg_apply_sweep_center_span(ch);
}

int32 cfg_sweep_t::trigger()
{
    drv()->trigger_sweep(ch);
    return 1;
}

int32 cfg_sweep_t::trigger_both()
{
    return drv()->trigger_sweep_both();
}

int32 cfg_sweep_t::get_center(lib_unit_data_t *out) const
{
    return cfg_get_bswv_main(ch)->get_freq(out);
}
