// cfg_param_check_t: the limits are asked in a fixed order (it decides which
// not-supported line prints first), then one clamp rule.
#include "cfg_param_check.h"

#include "cfg_bswv_wave.h"
#include "cfg_drv_port.h"
#include "lib_trunc.h"

namespace
{
// The maximum wins for values above it, so a maximum below the minimum sends every
// value between the two to the minimum.
template <typename T>
int32 clamp(T *value, T max, T min)
{
    if (*value > max)
    {
        *value = max;
        return -10;
    }
    if (*value < min)
    {
        *value = min;
        return -11;
    }
    return 1;
}
} // namespace

int32 cfg_param_check_t::check_wave_type(int32 type)
{
    return ((type >= 0 && type <= 8) || (type >= 12 && type <= 16)) ? 1 : 0;
}

int32 cfg_param_check_t::check_freq(int32 ch, long double *value, cfg_bswv_wave_t *wave)
{
    const long double min = wave->get_min_freq(ch);
    const long double max = wave->get_max_freq(ch);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_ampl(long double *value, long double offset, long double freq, int32 load,
                                    cfg_bswv_wave_t *wave)
{
    long double max = wave->get_max_ampl(offset, freq, load);
    const long double min = wave->get_min_ampl(load);
    if (max < min)
        max = min;
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_offset(long double *value, long double ampl, long double freq, int32 load,
                                      cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_offset(ampl, freq, load);
    const long double min = wave->get_min_offset(ampl, freq, load);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_dc_offset(long double *value, const int32 *load, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_offset(0.0L, 0.0L, *load);
    const long double min = wave->get_min_offset(0.0L, 0.0L, *load);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_high_level(long double *value, long double low_level, long double freq, int32 load,
                                          cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_high_level(freq, load);
    const long double min = wave->get_min_high_level(low_level, load);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_low_level(long double *value, long double high_level, long double freq, int32 load,
                                         cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_low_level(high_level, load);
    const long double min = wave->get_min_low_level(freq, load);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_duty(long double *value, long double freq, cfg_bswv_wave_t *wave,
                                    cfg_bswv_wave_t *pulse)
{
    long double max = wave->get_max_duty(freq, pulse);
    long double min = wave->get_min_duty(freq, pulse);
    cfg_drv_check_square_duty(&min, &max, freq);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_symmetry(long double *value, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_symmetry();
    const long double min = wave->get_min_symmetry();
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_width(long double *value, long double period, long double rise, long double fall,
                                     cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_width(period, rise, fall);
    const long double min = wave->get_min_width(rise, fall);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_pulse_duty(long double *value, long double period, long double rise,
                                          long double fall, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_pulse_duty(period, rise, fall);
    const long double min = wave->get_min_pulse_duty(period, rise, fall);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_rise_edge(long double *value, long double period, long double width,
                                         long double fall, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_rise_edge(period, width, fall);
    const long double min = wave->get_min_rise_edge_by_timing(period, width, fall);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_fall_edge(long double *value, long double period, long double width,
                                         long double rise, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_fall_edge(period, width, rise);
    const long double min = wave->get_min_fall_edge();
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_delay(long double *value, long double period, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_delay(period);
    const long double min = wave->get_min_delay(period);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_noise_bandwidth(long double *value, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_noise_bandwidth();
    const long double min = wave->get_min_noise_bandwidth();
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_harmonic_order(int32 ch, int32 *value, cfg_bswv_wave_t *wave)
{
    const int32 min = lib_trunc_to<int32>(wave->get_min_harmonic_order(ch));
    const int32 max = lib_trunc_to<int32>(wave->get_max_harmonic_order(ch));
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_harmonic_ampl(int32 ch, long double *value, cfg_bswv_wave_t *wave)
{
    const long double min = wave->get_min_harmonic_ampl();
    const long double max = wave->get_max_harmonic_ampl(ch);
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_harmonic_phase(long double *value, cfg_bswv_wave_t *wave)
{
    const long double min = wave->get_min_harmonic_phase();
    const long double max = wave->get_max_harmonic_phase();
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_prbs_length(long double *value, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_prbs_length();
    const long double min = wave->get_min_prbs_length();
    return clamp(value, max, min);
}

int32 cfg_param_check_t::check_prbs_edge(long double *value, cfg_bswv_wave_t *wave)
{
    const long double max = wave->get_max_prbs_edge();
    const long double min = wave->get_min_prbs_edge();
    return clamp(value, max, min);
}
