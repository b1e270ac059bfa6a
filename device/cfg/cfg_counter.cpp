// cfg_counter_t: settings, the measurement cycle and the derived results.
#include "cfg_counter.h"

#include "cfg_drv_port.h"

#include <cmath>

namespace
{
constexpr long double DIRECT_LIMIT = 1e7L;
constexpr int32 STATE_CHOOSE = 0;
constexpr int32 STATE_DIRECT = 1;
constexpr int32 STATE_RECIPROCAL = 2;

lib_unit_data_t base(long double v) { return lib_unit_data_t{v, 14, false}; }

// Clamps value.data into [lo, hi]: -10 above, -11 below, else 1.
int32 clamp(lib_unit_data_t &value, long double lo, long double hi)
{
    if (value.data > hi)
    {
        value.data = hi;
        return -10;
    }
    if (value.data < lo)
    {
        value.data = lo;
        return -11;
    }
    return 1;
}

bool is_mode(int32 m) { return m == 0 || m == 1; }
} // namespace

cfg_counter_t::cfg_counter_t() = default;

void cfg_counter_t::init()
{
    enable = 0;
    ref_freq = base(1e7L);
    trig_level = base(0.0L);
    input_mode = 0;
    range_mode = 0;
    reset_limits();
    freq = prev_freq = pos_width = neg_width = duty = deviation = base(0.0L);
    apply();
}

void cfg_counter_t::reset_limits()
{
    ref_min_mode1 = 0.1L;
    ref_max_mode1 = 2e8L;
    ref_min_mode0 = 10.0L;
    ref_max_mode0 = 2e8L;
    level_min = -3.0L;
    level_max = 1.5L;
}

int32 cfg_counter_t::apply()
{
    if (apply_range_mode() == 0)
        return 0;
    if (apply_input_mode() == 0)
        return 0;
    return apply_trig_level();
}

int32 cfg_counter_t::apply_range_mode()
{
    if (!is_mode(range_mode))
        return 0;
    cfg_drv_set_counter_range_mode(range_mode);
    return 1;
}

int32 cfg_counter_t::apply_input_mode()
{
    if (!is_mode(input_mode))
        return 0;
    cfg_drv_set_counter_input_mode(input_mode);
    return 1;
}

int32 cfg_counter_t::apply_trig_level() { return cfg_drv_set_counter_trigger_level(trig_level.data); }

int32 cfg_counter_t::set_enable(int32 on)
{
    if (on == enable)
        return 1;
    if (on == 0)
        clear_results();
    enable = on;
    return apply();
}

int32 cfg_counter_t::clamp_ref(lib_unit_data_t &value) const
{
    if (range_mode == 0)
        return clamp(value, ref_min_mode0, ref_max_mode0);
    return clamp(value, ref_min_mode1, ref_max_mode1);
}

int32 cfg_counter_t::set_ref_freq(lib_unit_data_t value)
{
    const int32 r = clamp_ref(value);
    ref_freq = value;
    apply();
    return r;
}

int32 cfg_counter_t::set_trig_level(lib_unit_data_t value)
{
    const int32 r = clamp(value, level_min, level_max);
    trig_level = value;
    apply();
    return r;
}

int32 cfg_counter_t::set_input_mode(int32 mode)
{
    input_mode = mode;
    return apply();
}

int32 cfg_counter_t::set_range_mode(int32 mode)
{
    range_mode = mode;
    set_ref_freq(ref_freq);
    return apply();
}

void cfg_counter_t::reapply()
{
    set_enable(enable);
    set_ref_freq(ref_freq);
    clamp(trig_level, level_min, level_max);
    apply();
    set_range_mode(range_mode);
}

void cfg_counter_t::reset_modes()
{
    const bool was_set = input_mode != 0 || range_mode != 0;
    input_mode = 0;
    range_mode = 0;
    apply();
    if (was_set)
        clear_results();
}

void cfg_counter_t::clear_results()
{
    freq = prev_freq = pos_width = neg_width = duty = deviation = base(0.0L);
    reset_stats();
}

void cfg_counter_t::reset_stats()
{
    pos_width_stat.reset();
    neg_width_stat.reset();
    freq_stat.reset();
    period_stat.reset();
    duty_stat.reset();
    deviation_stat.reset();
}

int32 cfg_counter_t::calc_deviation(lib_unit_data_t f)
{
    // A reference of 0 can only come from a plain store; it gives no deviation.
    deviation = base(ref_freq.data == 0.0L ? 0.0L : (f.data - ref_freq.data) / ref_freq.data * 1e6L);
    return 1;
}

lib_unit_data_t cfg_counter_t::get_period() const
{
    // Before the first measurement (or after a zero count) there is no period to give.
    if (freq.data == 0.0L || !std::isfinite(freq.data))
        return lib_unit_data_t{0.0L, freq.unit, false};
    return lib_unit_data_t{1.0L / freq.data, freq.unit, false};
}

void cfg_counter_t::start()
{
    cfg_drv_restart_counter();
    state = STATE_CHOOSE;
}

void cfg_counter_t::restart() { cfg_drv_restart_counter(); }

bool cfg_counter_t::is_count_ready() { return cfg_drv_is_counter_count_ready(); }
bool cfg_counter_t::is_period_ready() { return cfg_drv_is_counter_period_ready(); }

int32 cfg_counter_t::read_count(long double *f)
{
    if (!is_count_ready())
        return 0;
    cfg_drv_get_counter_count(f);
    return 1;
}

int32 cfg_counter_t::read_reciprocal(long double *f)
{
    if (!is_period_ready())
        return 0;
    long double p = 0.0L;
    const int32 r = cfg_drv_get_counter_period(&p);
    // Zero registers give a period of 0 (or 0/0): no measurement yet.
    if (!(p > 0.0L) || !std::isfinite(p))
        return 0;
    *f = 1.0L / p;
    return r;
}

bool cfg_counter_t::is_above_direct_limit()
{
    long double f = 0.0L;
    read_count(&f);
    return f > DIRECT_LIMIT;
}

int32 cfg_counter_t::step()
{
    long double f = 0.0L;
    switch (state)
    {
    case STATE_CHOOSE:
        if (is_count_ready())
            state = is_above_direct_limit() ? STATE_DIRECT : STATE_RECIPROCAL;
        break;
    case STATE_DIRECT:
        if (read_count(&f) == 1)
            process(f);
        break;
    case STATE_RECIPROCAL:
        if (read_reciprocal(&f) != 0)
            process(f);
        break;
    default:
        break;
    }
    return 1;
}

void cfg_counter_t::process(long double f)
{
    prev_freq = freq;
    freq = base(f);
    calc_deviation(freq);
    if (f > 0.0L && std::isfinite(f))
    {
        long double w = 0.0L;
        cfg_drv_get_counter_width(&w, f);
        const long double p = 1.0L / f;
        // Width registers that are still zero give no usable width: the statistics keep
        // only finite samples.
        if (std::isfinite(w))
        {
            pos_width = base(w);
            neg_width = base(p - w);
            duty = base(w / p * 100.0L);
            freq_stat.add_sample(freq);
            period_stat.add_sample(lib_unit_data_t{p, freq.unit, false});
            deviation_stat.add_sample(deviation);
            pos_width_stat.add_sample(pos_width);
            neg_width_stat.add_sample(neg_width);
            duty_stat.add_sample(duty);
        }
    }
    start();
}
