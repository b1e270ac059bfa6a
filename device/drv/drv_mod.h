#pragma once
// drv_mod_t: the modulation driver. It turns one channel's modulation settings into FPGA
// writes: type, source, modulating frequency, FSK hop frequency, depth or deviation as
// a 37-bit modulation word, PSK polarity, the noise-modulation flag and the modulating
// wave. No object of the class exists (the instance manager's entry stays null), so
// every operation is static and fetches the drivers it needs at the call.
//
// Types: 0 none, 1 AM, 2 FM, 3 PM, 4 ASK, 5 FSK, 6 PSK, 7 DSB-AM, 8 PWM. Sources: 0
// internal, 1 external. A hold argument of 1 brackets the writes in the FPGA driver's
// nested update hold (begin before, end after the strobe); any other value does not.
// A channel other than 0 or 1 writes nothing. Operations answer 1 unless stated.
#include "lib_types.h"

#include <string>
#include <vector>

class drv_fpga_t;
class drv_hc4051_t;

class drv_mod_t
{
public:
    // 1.5e-8 s: the smallest width a PWM-modulated pulse, and the gap after it, keeps.
    static long double get_pwm_width_margin();
    // 2^37 - 1: full scale of the modulation word.
    static long double get_mod_word_max();
    // The instance manager's analog multiplexer.
    static drv_hc4051_t *get_hc4051();

    // Type 0 clears the noise-modulation flag first.
    static int32 set_mod_type(int32 ch, int32 type);
    // The channel's modulation type as the FPGA driver decodes it; a running sweep
    // reads as FM.
    static int32 get_mod_type(int32 ch);
    // 1 when the mode field of the channel's modulation register is not 0 or its ASK
    // gate is on; else 0.
    static int32 is_mod_on(int32 ch);
    // The external-source bit, then the trigger routing external ASK and FSK need.
    static int32 set_mod_source(int32 ch, int32 type, int32 source);
    // The modulating frequency (FM's own conversion for type 2), then the update strobe.
    static int32 set_mod_freq(int32 ch, int32 type, long double hz);
    static int32 set_mod_freq_no_update(int32 ch, int32 type, long double hz);
    static int32 set_mod_freq_both(int32 hold, int32 type0, int32 type1, long double hz0, long double hz1);
    static int32 set_fsk_hop_freq(int32 hold, int32 ch, long double hz);
    static int32 set_fsk_hop_freq_both(int32 hold, long double hz0, long double hz1);
    // The modulation word of the type (AM, FM, PM, DSB-AM, PWM); other types write
    // nothing. No strobe.
    static int32 set_deviation(int32 ch, int32 type, long double value);
    // set_deviation, then the update strobe.
    static int32 set_mod_deviation(int32 ch, int32 type, long double value);
    static int32 set_mod_deviation_both(int32 hold, int32 type0, int32 type1, long double value0,
                                        long double value1);
    // M x ((depth x 0.01) x 5/11), M = 2^37 - 1.
    static int32 set_am_depth(int32 ch, long double depth);
    // M x (deviation / (DDS clock in MHz x 0.5)).
    static int32 set_fm_deviation(int32 ch, long double deviation);
    // (degrees / 360) x M.
    static int32 set_pm_deviation(int32 ch, long double degrees);
    // M.
    static int32 set_dsb_am_depth(int32 ch);
    // deviation / the pulse driver's minimum width.
    static int32 set_pwm_deviation(int32 ch, long double deviation);
    // Polarity 0 or 1; other values write nothing.
    static int32 set_psk_polarity(int32 ch, int32 polarity);
    static int32 set_mod_ctrl_bit8(int32 ch, int32 value);
    // For "1_noise_ram.bin": the noise-modulation flag set for the analog types (AM,
    // FM, PM, DSB-AM, PWM) and cleared for the others; 1. Any other name clears it; 0.
    static int32 update_noise_mod(int32 ch, const std::string &name);
    static int32 set_noise_mod(int32 ch, int32 on);
    static bool is_noise_wave(const std::string &name);
    // The pulse driver's minimum width.
    static long double get_pwm_min_width();
    // The modulating frequency 1 / period of the given FPGA driver, general conversion,
    // no strobe.
    static int32 set_mod_period(drv_fpga_t *fpga, int32 ch, long double period);
    // Negates every sample (-32768 stays -32768).
    static void invert_wave(std::vector<int16> &wave);
    // The named wave resampled to the modulating-wave length, negated when invert is
    // set, the noise-modulation flag for it, then into the channel's modulating-wave
    // memory. A wave that cannot be loaded is sent as it comes (empty). 1.
    static int32 set_mod_wave(int32 ch, const std::string &name, bool invert);
    // The carrier frequency written by the product's own frequency driver (its record
    // of the channel updated; no harmonic alignment on the module). The FPGA driver
    // argument is not used. 1.
    static int32 set_carrier_freq(drv_fpga_t *fpga, int32 ch, long double hz);
    // Both channels' phases as burst start phases (channel 0 first), through the phase
    // driver; the second placement's result.
    static int32 set_phase_both(long double phase0, long double phase1);
};
