#pragma once
// drv_wave_manage_vextral_t: the USB module's wave manager: none of the capability
// flags, a square limit of 12.5 MHz and the square duty correction.
#include "drv_wave_manage.h"

class drv_wave_manage_vextral_t : public drv_wave_manage_t
{
public:
    drv_wave_manage_vextral_t() = default;

    long double get_square_limit_freq() override;
    // 0.3785 x sin((duty - 50) x 3.141592654 / 100), the sine in double precision.
    long double get_square_duty_factor(long double duty) override;
    bool is_arb_ext_freq_supported() override;
    bool is_noise_ext_supported() override;
    bool is_aux_supported() override;
    bool is_square_combine_supported() override;
    bool is_square_ext_supported() override;
    bool is_data_pattern_supported() override;
};
