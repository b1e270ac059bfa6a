// A channel's burst settings: limits, refusals and the order of the driver calls.
#include "cfg_burst.h"

#include "cfg_apply.h"
#include "cfg_apply_hold.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_mode_excl.h"
#include "cfg_wv_main.h"
#include "drv_freq.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_wave_manage.h"
#include "gos.h"

#include <cmath>
#include <limits>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;

constexpr long double MAX_PERIOD = 1000.0L;
// Fixed overhead of one burst on top of its cycles, s.
constexpr long double PERIOD_MARGIN = 9.9e-7L;
constexpr long double MIN_PERIOD = 1e-6L;
constexpr long double MAX_DELAY = 100.0L;
constexpr long double DELAY_MARGIN = 1.4e-8L;
// The initial delay, taken from a double constant.
constexpr double INITIAL_DELAY = 5.2103515625e-07;
constexpr int32 PRODUCT_ALT = 1;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

lib_unit_data_t base_record(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

bool is_track_src(int32 ch)
{
    return cfg_get_couple()->is_track_src(ch) == 1;
}
} // namespace

cfg_burst_t::cfg_burst_t()
{
    clock_period = clock_freq == 0.0L ? std::numeric_limits<long double>::infinity() : 1.0L / clock_freq;
    freq_res = clock_freq / std::pow(2.0L, static_cast<long double>(freq_res_bits));
}

void cfg_burst_t::init(int32 channel)
{
    burst_on = 0;
    period = base_record(0.01L);
    mode = MODE_NCYCLE;
    trig_src.set(SRC_INTERNAL);
    trig_out.set(TRIG_OUT_OFF);
    delay = base_record(static_cast<long double>(INITIAL_DELAY));
    infinite = 0;
    cycles = 1;
    gate_polarity = 0;
    trig_edge = 2;
    ch = channel;
}

int32 cfg_burst_t::wave_type() const
{
    return cfg_get_bswv_main(ch)->get_wave_type();
}

bool cfg_burst_t::is_dc() const
{
    return wave_type() == WAVE_DC;
}

long double cfg_burst_t::channel_freq() const
{
    lib_unit_data_t f{};
    cfg_get_bswv_main(ch)->get_freq(&f);
    return f.data;
}

// --- Predicates ---

int32 cfg_burst_t::can_set_mode()
{
    return !is_dc() && burst_on == 1 ? 1 : 0;
}

int32 cfg_burst_t::can_set_period()
{
    return trig_src.get() == SRC_INTERNAL && burst_on == 1 && !is_dc() ? 1 : 0;
}

int32 cfg_burst_t::can_set_phase()
{
    const int32 t = wave_type();
    return t != WAVE_NOISE && t != WAVE_DC && burst_on == 1 ? 1 : 0;
}

int32 cfg_burst_t::can_set_delay()
{
    return mode == MODE_NCYCLE && !is_dc() && burst_on == 1 ? 1 : 0;
}

int32 cfg_burst_t::can_set_cycles()
{
    return mode == MODE_NCYCLE && !is_dc() && burst_on == 1 && infinite == 0 ? 1 : 0;
}

int32 cfg_burst_t::can_set_gate_polarity()
{
    return !is_dc() && burst_on == 1 && mode == MODE_GATED ? 1 : 0;
}

int32 cfg_burst_t::is_trig_src_allowed(int32 src) const
{
    if (src == SRC_MANUAL && mode == MODE_GATED)
        return 0;
    if (src == SRC_INTERNAL && infinite == 1 && mode == MODE_NCYCLE)
        return 0;
    return 1;
}

int32 cfg_burst_t::needs_apply() const
{
    return is_track_src(ch) || cfg_get_wv_main(ch)->get_output() == 1 ? 1 : 0;
}

// --- Limits ---

long double cfg_burst_t::get_min_period()
{
    lib_unit_data_t wave_period{};
    cfg_get_bswv_main(ch)->get_period(&wave_period);
    const long double p = wave_period.data;
    long double m = mode == MODE_GATED ? 2.0L * p + PERIOD_MARGIN : cycles * p + PERIOD_MARGIN;
    if (wave_type() == WAVE_NOISE)
    {
        const long double f = static_cast<long double>(cfg_get_bswv_main(ch)->get_max_freq_int());
        m = cycles / f + PERIOD_MARGIN;
    }
    return m >= MIN_PERIOD ? m : MIN_PERIOD;
}

long double cfg_burst_t::get_max_delay()
{
    const int32 src = trig_src.get();
    if (src == SRC_EXTERNAL || src == SRC_MANUAL)
        return MAX_DELAY;
    if (src != SRC_INTERNAL)
        return 0.0L;
    const long double a = wave_type() == WAVE_PULSE ? base_delay_int_pulse : base_delay_int_dds;
    const long double limit = period.data + a - DELAY_MARGIN;
    return limit < MAX_DELAY ? limit : MAX_DELAY;
}

long double cfg_burst_t::get_min_delay()
{
    long double a = 0.0L;
    long double b = 0.0L;
    const int32 src = trig_src.get();
    if (src == SRC_INTERNAL || src == SRC_MANUAL)
    {
        a = base_delay_int_dds;
        b = base_delay_int_pulse;
    }
    else if (src == SRC_EXTERNAL)
    {
        a = base_delay_ext_dds;
        b = base_delay_ext_pulse;
    }
    const int32 t = wave_type();
    const long double f = channel_freq();
    // Without a clock the resolution term is 0: literally 0 / f x infinity, which is
    // not a number and would pass every clamp on its way to the driver's tick count.
    const long double clock_term = clock_freq == 0.0L ? 0.0L : (freq_res / f) * clock_period;
    switch (t)
    {
    case WAVE_SINE:
    case WAVE_RAMP:
    case WAVE_NOISE:
    case WAVE_ARB:
        return a + clock_term;
    case WAVE_SQUARE:
        if (cfg_drv_get_product_id() == PRODUCT_ALT && burst_on == 1)
        {
            const long double limit = drv_instance_manage_t::get_instance()->get_wave_manage()->get_square_limit_freq();
            if (f <= limit)
                return 0.25L / f + b;
            return 0.25L / f + a + clock_term;
        }
        return b;
    case WAVE_PULSE:
        return b;
    default:
        return 0.0L;
    }
}

// --- Setters ---

int32 cfg_burst_t::set_switch(int32 on)
{
    burst_on = on;
    drv()->set_burst_switch(ch, on);
    if (on != 0)
    {
        reapply_freq();
        if (burst_on != 0)
            on_wave_type_changed(false);
    }
    return 1;
}

int32 cfg_burst_t::set_mode(int32 m)
{
    if (can_set_mode() == 0)
        return -12;
    mode = m;
    const lib_unit_data_t p = period;
    set_period(&p);
    apply_trig_out();
    apply_mode(cfg_get_wave_hold());
    return 1;
}

int32 cfg_burst_t::set_period(const lib_unit_data_t *value)
{
    const int32 r = store_period(value);
    if (r != -12)
        cfg_apply_burst_both();
    return r;
}

int32 cfg_burst_t::store_period(const lib_unit_data_t *value)
{
    if (can_set_period() == 0)
        return -12;
    long double v = value->data;
    int32 r = 1;
    if (v > MAX_PERIOD)
    {
        v = MAX_PERIOD;
        r = -10;
    }
    else
    {
        const long double min = get_min_period();
        if (v < min)
        {
            v = min;
            r = -11;
        }
    }
    period = lib_unit_data_t{v, value->unit, value->changed};
    const long double rate = 1.0L / v;
    drv_instance_manage_t::get_instance()->get_freq()->set_burst_freq(ch, &rate);
    recheck_delay();
    return r;
}

int32 cfg_burst_t::set_cycles(int32 n)
{
    if (can_set_cycles() == 0)
        return -12;
    int32 r = 1;
    if (n > MAX_CYCLES)
    {
        n = MAX_CYCLES;
        r = -10;
    }
    else if (n < MIN_CYCLES)
    {
        n = MIN_CYCLES;
        r = -11;
    }
    cycles = n;
    const lib_unit_data_t p = period;
    store_period(&p);
    recheck_delay();
    apply_all(false);
    return r;
}

int32 cfg_burst_t::set_infinite(int32 v)
{
    infinite = v;
    apply_infinite();
    return 1;
}

int32 cfg_burst_t::set_delay(const lib_unit_data_t *value)
{
    const int32 r = store_delay(value);
    if (r != -12)
        cfg_apply_burst_both();
    return r;
}

int32 cfg_burst_t::store_delay(const lib_unit_data_t *value)
{
    if (can_set_delay() == 0)
        return -12;
    const long double max = get_max_delay();
    const long double min = get_min_delay();
    long double v = value->data;
    int32 r = 1;
    if (v > max)
    {
        v = max;
        r = -10;
    }
    else if (v < min)
    {
        v = min;
        r = -11;
    }
    delay = lib_unit_data_t{v, value->unit, value->changed};
    return r;
}

int32 cfg_burst_t::set_trig_src(int32 src)
{
    if (burst_on != 1 || is_trig_src_allowed(src) == 0)
        return -12;
    trig_src.set(src);
    if (src == SRC_INTERNAL)
        infinite = 0;
    reapply_delay();
    const lib_unit_data_t p = period;
    set_period(&p);
    cfg_get_mode_excl()->on_burst_trigger_source(ch, src);
    return 1;
}

int32 cfg_burst_t::set_trig_src_and_apply(int32 src)
{
    const int32 r = set_trig_src(src);
    apply_trig_src(cfg_get_wave_hold());
    if (burst_on == 0)
        return 1;
    if (src == SRC_INTERNAL)
        apply_wave(false);
    apply_mode(0);
    apply_infinite();
    return r;
}

int32 cfg_burst_t::set_trig_out(int32 v)
{
    if (mode != MODE_NCYCLE || burst_on != 1)
        return -12;
    trig_out.set(v);
    cfg_get_mode_excl()->on_burst_trig_out(ch, v);
    apply_trig_out();
    return 1;
}

int32 cfg_burst_t::store_trig_out(int32 v)
{
    trig_out.set(v);
    return 1;
}

int32 cfg_burst_t::set_trig_edge(int32 e)
{
    if (trig_src.get() != SRC_EXTERNAL)
        return -12;
    trig_edge = e;
    apply_trig_edge();
    return 1;
}

int32 cfg_burst_t::set_gate_polarity(int32 p)
{
    if (can_set_gate_polarity() == 0)
        return -12;
    gate_polarity = p;
    apply_gate_polarity();
    return 1;
}

int32 cfg_burst_t::set_phase(const lib_unit_data_t *value)
{
    const int32 r = store_phase(value);
    if (r != -12)
        cfg_apply_burst_phase();
    return r;
}

int32 cfg_burst_t::store_phase(const lib_unit_data_t *value)
{
    if (can_set_phase() == 0)
        return -12;
    long double v = value->data;
    cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple->is_tracking() && ch == 1)
        v += couple->get_phase_deviation();
    return cfg_get_bswv_main(ch)->store_phase(lib_unit_data_t{v, value->unit, false});
}

// --- Apply steps ---

int32 cfg_burst_t::apply_trig_src(int32 hold)
{
    return drv()->set_burst_trigger_source(hold, ch, trig_src.get());
}

int32 cfg_burst_t::apply_mode(int32 hold)
{
    if (can_set_mode() == 0)
        return 0;
    int32 r = drv()->set_burst_mode(hold, ch, mode);
    if (mode == MODE_GATED && trig_src.get() == SRC_MANUAL)
    {
        trig_src.set(SRC_INTERNAL);
        r = drv()->set_burst_trigger_source(hold, ch, SRC_INTERNAL);
    }
    return r;
}

int32 cfg_burst_t::apply_trig_out()
{
    if (mode == MODE_GATED)
        return drv()->set_burst_trig_out(ch, TRIG_OUT_OFF);
    if (mode != MODE_NCYCLE || burst_on != 1 || cfg_get_wv_main(ch)->get_output() != 1)
        return 0;
    int32 r = 0;
    if (is_track_src(ch))
        r = drv()->set_burst_trig_out(ch == 0 ? 1 : 0, trig_out.get());
    if (!(cfg_get_couple()->get_track_en() == 1 && ch == 1))
        r = drv()->set_burst_trig_out(ch, trig_out.get());
    return r;
}

int32 cfg_burst_t::apply_gate_polarity()
{
    if (can_set_gate_polarity() == 0)
        return 0;
    return drv()->set_burst_gate_polarity(ch, gate_polarity);
}

int32 cfg_burst_t::apply_infinite()
{
    if (mode == MODE_GATED || infinite != 1)
        return 0;
    return drv()->set_burst_cycles(ch, -1);
}

int32 cfg_burst_t::apply_cycles()
{
    if (can_set_cycles() == 0)
        return 0;
    int32 r = drv()->set_burst_cycles(ch, cycles);
    if (trig_src.get() == SRC_INTERNAL)
        r = drv()->toggle_burst_trigger_edge(ch);
    return r;
}

int32 cfg_burst_t::apply_trig_edge()
{
    if (trig_src.get() != SRC_EXTERNAL)
        return 0;
    return drv()->set_burst_trigger_edge(ch, trig_edge);
}

int32 cfg_burst_t::apply_phase()
{
    if (can_set_phase() == 0)
        return 0;
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    lib_unit_data_t phase{};
    bswv->get_phase(&phase);
    return bswv->store_phase(phase);
}

int32 cfg_burst_t::apply_period()
{
    if (can_set_period() == 0)
        return 0;
    return drv()->set_burst_period(ch, period.data, channel_freq());
}

int32 cfg_burst_t::apply_delay()
{
    if (can_set_delay() == 0)
        return 0;
    const double seconds = static_cast<double>(std::fabs(delay.data - get_min_delay()));
    return drv()->set_burst_delay(ch, seconds);
}

int32 cfg_burst_t::apply_wave(bool full_rule)
{
    return cfg_get_bswv_main(ch)->apply_current_wave(full_rule);
}

int32 cfg_burst_t::apply_all(bool full_rule)
{
    const int32 r = drv()->set_burst_switch(ch, burst_on);
    if (burst_on == 0)
        return r;
    apply_trig_src(0);
    apply_phase();
    apply_mode(0);
    apply_trig_out();
    apply_gate_polarity();
    apply_infinite();
    apply_cycles();
    apply_trig_edge();
    apply_wave(full_rule);
    cfg_apply_burst_both();
    return 1;
}

int32 cfg_burst_t::apply_if_needed()
{
    if (needs_apply() == 0)
        return 0;
    cfg_apply_burst_both();
    return 1;
}

int32 cfg_burst_t::trigger()
{
    return drv()->trigger_burst(ch);
}

int32 cfg_burst_t::trigger_both()
{
    return drv()->trigger_burst_both();
}

// --- Hooks ---

void cfg_burst_t::on_wave_type_changed(bool full_rule)
{
    const int32 t = wave_type();
    switch (t)
    {
    case WAVE_DC:
    case WAVE_PRBS:
        burst_on = 0;
        break;
    case WAVE_NOISE:
        mode = MODE_GATED;
        break;
    case WAVE_SINE:
    case WAVE_SQUARE:
    case WAVE_RAMP:
    case WAVE_PULSE:
    case WAVE_ARB:
        break;
    default:
        gos_printf("----basic_wave = %d\n", t);
        break;
    }
    const lib_unit_data_t p = period;
    set_period(&p);
    apply_all(full_rule);
}

void cfg_burst_t::on_wave_type_changed_if_on(bool full_rule)
{
    if (burst_on != 0)
        on_wave_type_changed(full_rule);
}

void cfg_burst_t::recheck_period_if_on()
{
    if (burst_on == 0)
        return;
    const lib_unit_data_t p = period;
    store_period(&p);
}

int32 cfg_burst_t::reapply_freq()
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    lib_unit_data_t f{};
    bswv->get_freq(&f);
    return bswv->store_freq(f);
}

int32 cfg_burst_t::reapply_freq_if(int32 v)
{
    return v != 0 ? reapply_freq() : 0;
}

int32 cfg_burst_t::reapply_period()
{
    const lib_unit_data_t p = period;
    return set_period(&p);
}

int32 cfg_burst_t::reapply_delay()
{
    const lib_unit_data_t d = delay;
    return set_delay(&d);
}

int32 cfg_burst_t::recheck_delay()
{
    if (can_set_delay() == 0)
        return -12;
    const long double max = get_max_delay();
    const long double min = get_min_delay();
    long double v = delay.data;
    if (v > max)
        v = max;
    else if (v < min)
        v = min;
    delay.data = v;
    return 1;
}

int32 cfg_burst_t::clear_infinite_if_internal()
{
    if (trig_src.get() == SRC_INTERNAL)
        infinite = 0;
    return trig_src.get();
}

// --- Getters ---

int32 cfg_burst_t::get_period(lib_unit_data_t *out) const
{
    *out = period;
    return 1;
}

int32 cfg_burst_t::get_delay(lib_unit_data_t *out) const
{
    *out = delay;
    return 1;
}

int32 cfg_burst_t::get_burst_freq(lib_unit_data_t *out) const
{
    out->data = 1.0L / period.data;
    out->unit = period.unit;
    return 1;
}

int32 cfg_burst_t::get_phase(lib_unit_data_t *out) const
{
    return cfg_get_bswv_main(ch)->get_phase(out);
}
