#pragma once
// cfg_param_check_t: pulls a value into the limits that the channel's current parameter
// object gives for it. Each clamping check returns 1 (inside, untouched), -10 (set to
// the maximum) or -11 (set to the minimum); the value changes in place and the caller
// stores it. A value equal to a limit is inside; NaN is neither above nor below.
#include "lib_types.h"

class cfg_bswv_wave_t;

class cfg_param_check_t
{
public:
    // 1 for the known wave types 0 to 8 and 12 to 16, else 0.
    int32 check_wave_type(int32 type);

    int32 check_freq(int32 ch, long double *value, cfg_bswv_wave_t *wave);
    int32 check_ampl(long double *value, long double offset, long double freq, int32 load, cfg_bswv_wave_t *wave);
    int32 check_offset(long double *value, long double ampl, long double freq, int32 load, cfg_bswv_wave_t *wave);
    int32 check_dc_offset(long double *value, const int32 *load, cfg_bswv_wave_t *wave);
    int32 check_high_level(long double *value, long double low_level, long double freq, int32 load,
                           cfg_bswv_wave_t *wave);
    int32 check_low_level(long double *value, long double high_level, long double freq, int32 load,
                          cfg_bswv_wave_t *wave);
    int32 check_duty(long double *value, long double freq, cfg_bswv_wave_t *wave, cfg_bswv_wave_t *pulse);
    int32 check_symmetry(long double *value, cfg_bswv_wave_t *wave);
    int32 check_width(long double *value, long double period, long double rise, long double fall,
                      cfg_bswv_wave_t *wave);
    int32 check_pulse_duty(long double *value, long double period, long double rise, long double fall,
                           cfg_bswv_wave_t *wave);
    int32 check_rise_edge(long double *value, long double period, long double width, long double fall,
                          cfg_bswv_wave_t *wave);
    int32 check_fall_edge(long double *value, long double period, long double width, long double rise,
                          cfg_bswv_wave_t *wave);
    int32 check_delay(long double *value, long double period, cfg_bswv_wave_t *wave);
    int32 check_noise_bandwidth(long double *value, cfg_bswv_wave_t *wave);
    int32 check_harmonic_order(int32 ch, int32 *value, cfg_bswv_wave_t *wave);
    int32 check_harmonic_ampl(int32 ch, long double *value, cfg_bswv_wave_t *wave);
    int32 check_harmonic_phase(long double *value, cfg_bswv_wave_t *wave);
    int32 check_prbs_length(long double *value, cfg_bswv_wave_t *wave);
    int32 check_prbs_edge(long double *value, cfg_bswv_wave_t *wave);
};
