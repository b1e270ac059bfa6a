#pragma once
// drv_wave_manage_vextral_t: the USB module's wave manager: none of the capability
// flags, a square limit of 12.5 MHz and the square duty correction.
#include "drv_wave_manage.h"

class drv_wave_manage_vextral_t : public drv_wave_manage_t
{
public:
    drv_wave_manage_vextral_t() = default;

    // The wave-type relay, then the base apply.
    int32 set_sine_wave(int32 hold, int32 ch, const drv_wave_para_t *para) override;
    int32 set_ramp_wave(int32 hold, int32 ch, const drv_wave_para_t *para) override;
    // Unmuted; the relay comes after the run mode is read.
    int32 set_square_wave(int32 hold, int32 ch, const drv_wave_para_t *para) override;
    int32 set_pulse_wave(int32 hold, int32 ch, const drv_wave_para_t *para) override;
    // The noise table at 2 MHz and 0 degrees; not muted, not held.
    int32 set_noise_wave(int32 ch, const drv_noise_para_t *para) override;
    int32 set_dc_wave(int32 ch, const drv_dc_para_t *para) override;
    int32 set_arb_wave(int32 hold, int32 ch, const drv_wave_para_t *para) override;
    // Nothing: the module has no data pattern.
    int32 set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para) override;

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
