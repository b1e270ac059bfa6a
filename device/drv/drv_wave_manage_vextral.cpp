#include "drv_wave_manage_vextral.h"

#include <cmath>

long double drv_wave_manage_vextral_t::get_square_limit_freq()
{
    return 12500000.0L;
}

long double drv_wave_manage_vextral_t::get_square_duty_factor(long double duty)
{
    const long double pi = 3.141592654L;
    return 0.3785L * static_cast<long double>(std::sin(static_cast<double>((duty - 50.0L) * pi / 100.0L)));
}

bool drv_wave_manage_vextral_t::is_arb_ext_freq_supported() { return false; }
bool drv_wave_manage_vextral_t::is_noise_ext_supported() { return false; }
bool drv_wave_manage_vextral_t::is_aux_supported() { return false; }
bool drv_wave_manage_vextral_t::is_square_combine_supported() { return false; }
bool drv_wave_manage_vextral_t::is_square_ext_supported() { return false; }
bool drv_wave_manage_vextral_t::is_data_pattern_supported() { return false; }

int32 drv_wave_manage_vextral_t::set_sine_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    set_wave_type_relay(ch, 0);
    return drv_wave_manage_t::set_sine_wave(hold, ch, para);
}

int32 drv_wave_manage_vextral_t::set_square_wave(int32, int32 ch, const drv_wave_para_t *para)
{
    return apply_square(ch, para);
}

int32 drv_wave_manage_vextral_t::set_ramp_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    set_wave_type_relay(ch, 2);
    return drv_wave_manage_t::set_ramp_wave(hold, ch, para);
}

int32 drv_wave_manage_vextral_t::set_pulse_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    set_wave_type_relay(ch, 3);
    return drv_wave_manage_t::set_pulse_wave(hold, ch, para);
}

int32 drv_wave_manage_vextral_t::set_noise_wave(int32 ch, const drv_noise_para_t *para)
{
    return apply_noise(ch, para);
}

int32 drv_wave_manage_vextral_t::set_dc_wave(int32 ch, const drv_dc_para_t *para)
{
    if (para == nullptr)
        return 0;
    set_wave_type_relay(ch, 5);
    return drv_wave_manage_t::set_dc_wave(ch, para);
}

int32 drv_wave_manage_vextral_t::set_arb_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    set_wave_type_relay(ch, 6);
    return drv_wave_manage_t::set_arb_wave(hold, ch, para);
}

int32 drv_wave_manage_vextral_t::set_data_pattern_wave(int32, const drv_data_pattern_para_t *)
{
    return 1;
}
