// cfg_bswv_pulse_t: pulse width, duty, edge and delay limits.
#include "cfg_bswv_pulse.h"

#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_wv_main.h"

#include <cmath>

namespace
{
constexpr int32 RUN_MODE_CONTINUOUS = 3;
constexpr int32 MOD_PWM = 8;

// sqrt of a radicand held as a double; a negative radicand (an edge below the intrinsic
// one) counts as 0.
long double root(long double radicand)
{
    const double r = static_cast<double>(radicand);
    return static_cast<long double>(std::sqrt(r > 0.0 ? r : 0.0));
}

// min and max that keep the number when the other side is NaN.
long double min_of(long double a, long double b)
{
    if (std::isnan(a))
        return b;
    if (std::isnan(b))
        return a;
    return a < b ? a : b;
}
} // namespace

void cfg_bswv_pulse_t::init(int32 ch)
{
    cfg_bswv_wave_t::init(ch);
    set_default_limits(ch);
}

void cfg_bswv_pulse_t::set_default_limits(int32)
{
    max_freq = 1e7L;
    min_freq = 0.0L;
    edge_factor = 0.625L;
    width_margin = 5.8e-9L;
    width_floor = 1.6e-7L;
    min_edge = 1e-8L;
    max_edge = 22.4L;
}

long double cfg_bswv_pulse_t::get_max_freq(int32)
{
    return get_stored_max_freq();
}

long double cfg_bswv_pulse_t::get_min_freq(int32 ch)
{
    if (cfg_get_wv_main(ch)->get_run_mode() == RUN_MODE_CONTINUOUS)
        return min_freq;
    return get_min_freq_by_run_mode(ch);
}

long double cfg_bswv_pulse_t::get_max_pulse_duty(long double period, long double rise_edge, long double fall_edge)
{
    const long double w = get_max_width(period, rise_edge, fall_edge);
    if (w >= 0.99999L * period)
        return 99.999L;
    return 100 * w / period;
}

long double cfg_bswv_pulse_t::get_min_pulse_duty(long double period, long double rise_edge, long double fall_edge)
{
    const long double w = get_min_width(rise_edge, fall_edge);
    if (w > 1e-7L * period)
        return 100 * w / period;
    return 1e-5L;
}

long double cfg_bswv_pulse_t::get_max_width(long double period, long double rise_edge, long double fall_edge)
{
    const long double k = edge_factor;
    const long double w1 = period - k * rise_edge - k * fall_edge - width_margin;
    const long double x = period - w1 < width_floor ? period - width_floor : w1;
    return x >= width_floor ? x : width_floor;
}

long double cfg_bswv_pulse_t::get_min_width(long double rise_edge, long double fall_edge)
{
    const long double k = edge_factor;
    const long double v =
        (2 * cfg_drv_get_pulse_min_width() + cfg_drv_convert_pulse_edge(fall_edge) - cfg_drv_convert_pulse_edge(rise_edge)) *
        0.5L;
    const long double t = k * fall_edge + k * rise_edge + width_margin;
    const long double larger = v > t ? v : t;
    return larger < width_floor ? width_floor : larger;
}

long double cfg_bswv_pulse_t::fold(long double period, long double width)
{
    return width > period / 2 ? period - width : width;
}

long double cfg_bswv_pulse_t::get_pwm_base_width(long double width)
{
    cfg_mod_main_t *mod = cfg_get_mod_main(channel);
    if (mod->get_state() == 1 && mod->get_type() == MOD_PWM)
        return width - mod->get_deviation().data;
    return width;
}

long double cfg_bswv_pulse_t::get_max_rise_edge(long double period, long double width, long double fall_edge)
{
    const long double x = fold(period, get_pwm_base_width(width));
    const long double t = (x - width_margin - edge_factor * fall_edge) / edge_factor;
    if (t < min_edge)
        return min_edge;
    return t > max_edge ? max_edge : t;
}

long double cfg_bswv_pulse_t::get_min_rise_edge_by_timing(long double period, long double width, long double fall_edge)
{
    const long double ei = cfg_drv_get_pulse_min_edge();
    const long double x = fold(period, width);
    const long double q =
        root(fall_edge * fall_edge - ei * ei) + (cfg_drv_get_pulse_min_width() - (x - width_margin)) / edge_factor;
    if (q < 0)
        return min_edge;
    const long double s = root(ei * ei + q * q);
    return s > min_edge ? s + 1e-11L : min_edge;
}

long double cfg_bswv_pulse_t::get_max_fall_edge(long double period, long double width, long double rise_edge)
{
    const long double ei = cfg_drv_get_pulse_min_edge();
    const long double x = fold(period, get_pwm_base_width(width));
    const long double t1 = (x - width_margin - edge_factor * rise_edge) / edge_factor;
    const long double t2 =
        root(rise_edge * rise_edge - ei * ei) + (x - width_margin - cfg_drv_get_pulse_min_width()) / edge_factor;
    const long double s = root(ei * ei + t2 * t2);
    long double u = min_of(t1, s) - 1e-11L;
    if (u > max_edge)
        u = max_edge;
    return u < min_edge ? min_edge : u;
}

long double cfg_bswv_pulse_t::get_max_delay(long double period)
{
    return 0.999999999L * period;
}

long double cfg_bswv_pulse_t::get_min_delay(long double period)
{
    return -period;
}
