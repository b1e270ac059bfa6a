#include "drv_pulse.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "lib_trunc.h"

#include <cmath>

namespace {

constexpr long double DRV_PULSE_EDGE_RANGE = 4294967296.0L;
constexpr long double DRV_PULSE_SCALE_MAX = 4294967295.0L;
constexpr long double DRV_PULSE_SCALE_UNIT = 1048576.0L;
// The 10-90 % part of a ramp.
constexpr long double DRV_PULSE_EDGE_SPAN = 0.8;

} // namespace

drv_fpga_t *drv_pulse_t::fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

long double drv_pulse_t::get_min_width()
{
    return 6.666666666666667e-9;
}

long double drv_pulse_t::get_min_edge()
{
    return 2e-9;
}

int32 drv_pulse_t::get_scale_factor()
{
    return 0;
}

int32 drv_pulse_t::get_edge_mode(const long double *)
{
    return 0;
}

long double drv_pulse_t::min_edge()
{
    return get_min_edge();
}

long double drv_pulse_t::convert_edge(long double t)
{
    const long double e = get_min_edge();
    double radicand = static_cast<double>(t * t - e * e);
    if (radicand < 0)
        radicand = 0;
    return std::sqrt(static_cast<long double>(radicand)) / DRV_PULSE_EDGE_SPAN;
}

long double drv_pulse_t::calc_edge_step(long double t)
{
    return DRV_PULSE_EDGE_RANGE / (convert_edge(t) / get_min_width());
}

long double drv_pulse_t::calc_high_count(long double width, long double fall, long double rise)
{
    const long double clock = get_min_width();
    return width / clock + 0.5L * convert_edge(rise) / clock - 0.5L * convert_edge(fall) / clock;
}

long double drv_pulse_t::calc_edge_scale(uint64 step, long double word)
{
    const int32 factor = get_scale_factor();
    if (word == 0 || factor == 0)
        return DRV_PULSE_SCALE_MAX;
    const long double scale = static_cast<long double>(step) * DRV_PULSE_SCALE_UNIT / (word * factor);
    return scale >= DRV_PULSE_EDGE_RANGE ? DRV_PULSE_SCALE_MAX : scale;
}

int32 drv_pulse_t::split_count(long double, long double fall, long double count, long double *whole,
                               long double *frac_word)
{
    const long double i = std::trunc(count);
    const long double f = count - i;
    const long double step = static_cast<long double>(lib_trunc_u64(calc_edge_step(fall)));
    long double w = i;
    long double frac = 0;
    if (f != 0 || count == 1.0L) {
        w = i + 1;
        frac = step * (1 - f);
    }
    if (whole)
        *whole = w;
    if (frac_word)
        *frac_word = frac;
    return 1;
}

int32 drv_pulse_t::set_timing(int32 ch, long double hz, long double width, long double fall, long double rise)
{
    const long double count = calc_high_count(width, fall, rise);
    long double whole = 0;
    long double frac_word = 0;
    split_count(hz, fall, count, &whole, &frac_word);
    drv_fpga_t *f = fpga();
    f->set_pulse_count(ch, lib_trunc_u64(whole));
    f->set_pulse_frac(ch, lib_trunc_u64(frac_word));
    return 1;
}

int32 drv_pulse_t::set_rise_edge(int32 ch, long double rise, long double hz)
{
    drv_fpga_t *f = fpga();
    const long double step = calc_edge_step(rise);
    const long double word = f->freq_to_word(hz * 1000000);
    const uint64 step_word = lib_trunc_u64(step);
    const long double scale = calc_edge_scale(step_word, word);
    f->set_pulse_ctrl_bit12(ch, get_edge_mode(&step));
    f->set_edge1_step(ch, step_word);
    f->set_pulse_ctrl_bit14(ch, get_edge_mode(&scale));
    f->set_edge1_scale(ch, lib_trunc_u64(scale));
    return 1;
}

int32 drv_pulse_t::set_fall_edge(int32 ch, long double fall, long double hz)
{
    drv_fpga_t *f = fpga();
    const long double step = calc_edge_step(fall);
    const long double word = f->freq_to_word(hz * 1000000);
    const uint64 step_word = lib_trunc_u64(step);
    const long double scale = calc_edge_scale(step_word, word);
    f->set_pulse_ctrl_bit11(ch, get_edge_mode(&step));
    f->set_edge2_step(ch, step_word);
    f->set_pulse_ctrl_bit13(ch, get_edge_mode(&scale));
    f->set_edge2_scale(ch, lib_trunc_u64(scale));
    return 1;
}

void drv_pulse_t::set_pulse(int32 ch, long double width, long double fall, long double rise, long double hz)
{
    set_timing(ch, hz, width, fall, rise);
    set_fall_edge(ch, fall, hz);
    set_rise_edge(ch, rise, hz);
    fpga()->update();
}

void drv_pulse_t::set_pulse_both(long double hz0, long double width0, long double rise0, long double fall0,
                                 long double hz1, long double width1, long double rise1, long double fall1)
{
    set_timing(0, hz0, width0, fall0, rise0);
    set_fall_edge(0, fall0, hz0);
    set_rise_edge(0, rise0, hz0);
    set_timing(1, hz1, width1, fall1, rise1);
    set_fall_edge(1, fall1, hz1);
    set_rise_edge(1, rise1, hz1);
    fpga()->update();
}
