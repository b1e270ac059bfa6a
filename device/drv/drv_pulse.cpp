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

// The whole ramp of a 10-90 % edge t over the intrinsic edge e; the radicand is held
// as a double, and taken as 0 when negative.
inline long double drv_ramp(long double t, long double e)
{
    double radicand = static_cast<double>(t * t - e * e);
    if (radicand < 0)
        radicand = 0;
    return std::sqrt(static_cast<long double>(radicand)) / DRV_PULSE_EDGE_SPAN;
}

inline long double drv_step(long double ramp, long double clock)
{
    return DRV_PULSE_EDGE_RANGE / (ramp / clock);
}

inline long double drv_high_count(long double width, long double fall_ramp, long double rise_ramp,
                                  long double clock)
{
    return width / clock + 0.5L * rise_ramp / clock - 0.5L * fall_ramp / clock;
}

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
    if (_plan.active) {
        if (t == _plan.fall)
            return _plan.fall_ramp;
        if (t == _plan.rise)
            return _plan.rise_ramp;
    }
    return drv_ramp(t, get_min_edge());
}

long double drv_pulse_t::calc_edge_step(long double t)
{
    if (_plan.active) {
        if (t == _plan.fall)
            return _plan.fall_step;
        if (t == _plan.rise)
            return _plan.rise_step;
    }
    return drv_step(drv_ramp(t, get_min_edge()), get_min_width());
}

long double drv_pulse_t::calc_high_count(long double width, long double fall, long double rise)
{
    if (_plan.active && width == _plan.width && fall == _plan.fall && rise == _plan.rise)
        return _plan.count;
    return drv_high_count(width, convert_edge(fall), convert_edge(rise), get_min_width());
}

long double drv_pulse_t::calc_edge_scale(uint64 step, long double word)
{
    const int32 factor = get_scale_factor();
    // Without a word or a factor the scale would divide by 0: the largest scale.
    if (word == 0 || factor == 0)
        return DRV_PULSE_SCALE_MAX;
    const long double scale = static_cast<long double>(step) * DRV_PULSE_SCALE_UNIT / (word * factor);
    return scale >= DRV_PULSE_EDGE_RANGE ? DRV_PULSE_SCALE_MAX : scale;
}

int32 drv_pulse_t::split_count(long double, long double fall, long double count, long double *whole,
                               long double *frac_word)
{
    const long double i = lib_trunc_ld(count);
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

drv_pulse_t::edge_words_t drv_pulse_t::calc_edge_words(const long double &step, const long double &word,
                                                       long double *scale)
{
    edge_words_t words;
    words.step = lib_trunc_u64(step);
    *scale = calc_edge_scale(words.step, word);
    words.scale = lib_trunc_u64(*scale);
    words.step_mode = get_edge_mode(&step);
    words.scale_mode = get_edge_mode(scale);
    return words;
}

void drv_pulse_t::write_edge(drv_fpga_t *f, int32 ch, bool rise, const edge_words_t &words)
{
    if (rise) {
        f->set_pulse_ctrl_bit12(ch, words.step_mode);
        f->set_edge1_step(ch, words.step);
        f->set_pulse_ctrl_bit14(ch, words.scale_mode);
        f->set_edge1_scale(ch, words.scale);
    } else {
        f->set_pulse_ctrl_bit11(ch, words.step_mode);
        f->set_edge2_step(ch, words.step);
        f->set_pulse_ctrl_bit13(ch, words.scale_mode);
        f->set_edge2_scale(ch, words.scale);
    }
}

int32 drv_pulse_t::set_rise_edge(int32 ch, long double rise, long double hz)
{
    drv_fpga_t *f = fpga();
    const long double step = calc_edge_step(rise);
    const long double word = f->freq_to_word(hz * 1000000);
    long double scale = 0;
    write_edge(f, ch, true, calc_edge_words(step, word, &scale));
    return 1;
}

int32 drv_pulse_t::set_fall_edge(int32 ch, long double fall, long double hz)
{
    drv_fpga_t *f = fpga();
    const long double step = calc_edge_step(fall);
    const long double word = f->freq_to_word(hz * 1000000);
    long double scale = 0;
    write_edge(f, ch, false, calc_edge_words(step, word, &scale));
    return 1;
}

void drv_pulse_t::plan_edges(const long double &width, const long double &fall, const long double &rise,
                             const long double &word, edge_words_t *fall_words, edge_words_t *rise_words)
{
    const long double e = get_min_edge();
    const long double clock = get_min_width();
    const long double fall_ramp = drv_ramp(fall, e);
    const long double rise_ramp = drv_ramp(rise, e);
    _plan.width = width;
    _plan.fall = fall;
    _plan.rise = rise;
    _plan.fall_ramp = fall_ramp;
    _plan.rise_ramp = rise_ramp;
    _plan.fall_step = drv_step(fall_ramp, clock);
    _plan.rise_step = drv_step(rise_ramp, clock);
    _plan.count = drv_high_count(width, fall_ramp, rise_ramp, clock);
    *fall_words = calc_edge_words(_plan.fall_step, word, &_plan.fall_scale);
    *rise_words = calc_edge_words(_plan.rise_step, word, &_plan.rise_scale);
}

void drv_pulse_t::write_channel(int32 ch, const long double &width, const long double &fall,
                                const long double &rise, const long double &hz)
{
    drv_fpga_t *f = fpga();
    const long double word = f->freq_to_word(hz * 1000000);
    edge_words_t fall_words;
    edge_words_t rise_words;
    plan_edges(width, fall, rise, word, &fall_words, &rise_words);
    _plan.active = true;
    set_timing(ch, hz, width, fall, rise);
    _plan.active = false;
    write_edge(f, ch, false, fall_words);
    write_edge(f, ch, true, rise_words);
}

void drv_pulse_t::set_pulse(int32 ch, long double width, long double fall, long double rise, long double hz)
{
    write_channel(ch, width, fall, rise, hz);
    fpga()->update();
}

void drv_pulse_t::set_pulse_both(long double hz0, long double width0, long double rise0, long double fall0,
                                 long double hz1, long double width1, long double rise1, long double fall1)
{
    write_channel(0, width0, fall0, rise0, hz0);
    write_channel(1, width1, fall1, rise1, hz1);
    fpga()->update();
}
