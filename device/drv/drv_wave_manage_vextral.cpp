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
