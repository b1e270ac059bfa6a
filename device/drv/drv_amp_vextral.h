#pragma once
// drv_amp_vextral_t: the USB module's amplitude and offset driver. Its range word uses
// bit 1 (the attenuator path, range relay 1) and bit 2 (the high range, range relay 2),
// its digital attenuation steps are 10, 20 and 30 dB, and the wave DAC's amplitude is
// set by a reference voltage taken from the calibrated DAC line.
#include "drv_amp.h"

class drv_amp_vextral_t : public drv_amp_t
{
public:
    drv_amp_vextral_t();

    // Rows 10 dB apart from 6.324555 V down, the column by abs(offset) < 0.7; above the
    // top row (and for NaN) word 0 without attenuation. The amplitude is not changed.
    int32 select_amp_range(long double *ampl, long double *offset, drv_fpga_atten_t *info) override;
    int32 classify_amp_step(long double ampl, long double offset, u8 *high_offset, u8 *step) override;
    // 6 above 0.7 V, else 2.
    int32 select_dc_range(int32 ch, long double level) override;
    // Relay-word masks 2 and 4; relays 3 and 4 do not exist here.
    int32 set_range_relay_1(int32 ch, int32 on) override;
    int32 set_range_relay_2(int32 ch, int32 on) override;
    int32 set_range_relay_3(int32 ch, int32 on) override;
    int32 clear_range_relays(int32 ch) override;
    int32 set_range_relays(int32 ch) override;
    // The wave DAC's reference for level 0.0 first, then the base DC procedure.
    int32 set_dc_level(drv_fpga_t *fpga, int32 ch, long double level) override;
    // Prints "drv_amp_vextral_t::set_dac_fsc not need !". 1.
    int32 set_dac_fsc(int32 ch, u16 code) override;
    // The high set when bit 2 of the word is set.
    int32 set_offset_dac(int32 ch, int32 word, long double offset) override;
    long double get_noise_max_stdev(long double bandwidth, long double value) override;
    // 0.05.
    long double get_noise_stdev_factor(long double value) override;
    // The DAC line's reference voltage for the level, to register 41 / 43. 1.
    int32 set_amplitude_dac(int32 ch, long double level) override;
    long double calc_amplitude_level(int32 ch, long double ampl, int32 word, drv_fpga_atten_t *info,
                                     long double corr_db) override;
    // The lookup alone: the module's amplitude flag is left alone.
    long double get_ampl_correction_db(int32 ch, int32 word, long double freq, long double ampl,
                                       long double offset) override;
    // first_coarse_gain for bit 1, second_coarse_gain for bit 2, less the attenuation.
    long double get_range_gain_db(int32 ch, int32 word, drv_fpga_atten_t *info) override;
    // 0.
    int32 is_freq_varying(int32 ch) override;
};
