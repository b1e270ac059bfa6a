// The basic-wave applies: a channel's stored wave settings to the driver.
#include "cfg_apply.h"

#include "cfg_apply_hold.h"
#include "cfg_apply_record.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"
#include "drv_para.h"
#include "lib_quantity.h"

#include <vector>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

int32 wave_type_of(int32 ch)
{
    return cfg_get_bswv_main(ch)->get_wave_type_raw();
}

long double freq_of(int32 ch)
{
    lib_unit_data_t f{};
    cfg_get_bswv_main(ch)->get_freq(&f);
    return f.data;
}

long double phase_of(int32 ch)
{
    lib_unit_data_t p{};
    cfg_get_bswv_main(ch)->get_phase(&p);
    return p.data;
}

// The record of the type, then the hold, as every wave apply reads them.
drv_wave_para_t wave_record(int32 ch, int32 type, bool full_rule, int32 *hold)
{
    const drv_wave_para_t para = cfg_build_wave_para(ch, type);
    *hold = cfg_wave_call_hold(ch, type, full_rule);
    return para;
}

struct pulse_timing_t
{
    long double width;
    long double rise;
    long double fall;
    long double freq;
};

pulse_timing_t pulse_timing_of(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    pulse_timing_t t{};
    lib_unit_data_t v{};
    bswv->get_pulse_width(&v);
    t.width = v.data;
    bswv->get_rise_edge(&v);
    t.rise = v.data;
    bswv->get_fall_edge(&v);
    t.fall = v.data;
    t.freq = freq_of(ch);
    return t;
}

// Channel ch plays an arbitrary wave at its own sample rate.
bool plays_arb_at_sample_rate(int32 ch)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    return bswv->get_wave_type_raw() == WAVE_ARB && bswv->get_sample_rate_mode_raw() == 1;
}
} // namespace

void cfg_apply_sine_wave(int32 ch, bool full_rule)
{
    int32 hold = 0;
    drv_wave_para_t para = wave_record(ch, WAVE_SINE, full_rule, &hold);
    std::vector<int16> samples;
    cfg_get_bswv_main(ch)->get_wave_data(&samples);
    para.wave_data = &samples;
    drv()->set_sine_wave(hold, ch, &para);
}

void cfg_apply_square_wave(int32 ch, bool full_rule)
{
    int32 hold = 0;
    const drv_wave_para_t para = wave_record(ch, WAVE_SQUARE, full_rule, &hold);
    drv()->set_square_wave(hold, ch, &para);
}

void cfg_apply_ramp_wave(int32 ch, bool full_rule)
{
    int32 hold = 0;
    const drv_wave_para_t para = wave_record(ch, WAVE_RAMP, full_rule, &hold);
    drv()->set_ramp_wave(hold, ch, &para);
}

void cfg_apply_pulse_wave(int32 ch, bool full_rule)
{
    int32 hold = 0;
    const drv_wave_para_t para = wave_record(ch, WAVE_PULSE, full_rule, &hold);
    drv()->set_pulse_wave(hold, ch, &para);
}

void cfg_apply_noise_wave(int32 ch)
{
    const drv_noise_para_t para = cfg_build_noise_para(ch);
    drv()->set_noise_wave(ch, &para);
}

void cfg_apply_dc_wave(int32 ch)
{
    const drv_dc_para_t para = cfg_build_dc_para(ch);
    drv()->set_dc_wave(ch, &para);
}

void cfg_apply_arb_wave(int32 ch, bool full_rule)
{
    int32 hold = 0;
    const drv_wave_para_t para = wave_record(ch, WAVE_ARB, full_rule, &hold);
    drv()->set_arb_wave(hold, ch, &para);
}

void cfg_apply_prbs_wave(int32 ch, bool full_rule)
{
    int32 hold = 0;
    const drv_wave_para_t para = wave_record(ch, WAVE_PRBS, full_rule, &hold);
    drv()->set_prbs_wave(hold, ch, &para);
}

void cfg_reapply_prbs_wave(int32 ch)
{
    cfg_apply_prbs_wave(ch, false);
}

void cfg_apply_couple(int32 ch)
{
    const drv_couple_para_t para = cfg_build_couple_para(ch);
    drv()->set_ch_couple(ch, &para);
}

int32 cfg_apply_ampl_offset(int32 ch)
{
    const drv_ampl_para_t para = cfg_build_ampl_para(ch);
    if (cfg_is_prbs_linked(ch))
        cfg_apply_prbs_wave(ch, true);
    else
        drv()->set_ampl_offset(ch, &para);
    return 1;
}

void cfg_apply_freq(int32 ch)
{
    const long double f0 = freq_of(0);
    const long double f1 = freq_of(1);
    int32 hold = cfg_get_wave_hold();
    if (wave_type_of(ch) == WAVE_PRBS)
        hold = 1;
    drv()->set_freq_both(hold, f0, f1);
    // The burst timing follows the carrier: again for a tracking source or an output
    // that is on.
    const cfg_ch_couple_t *couple = cfg_get_couple();
    if ((couple->is_tracking() && couple->get_src_ch() == ch) || cfg_get_wv_main(ch)->get_output() == 1)
        cfg_apply_burst_both();
}

void cfg_apply_phase()
{
    for (int32 ch = 0; ch < 2; ++ch)
    {
        const long double phase = phase_of(ch);
        if (drv()->get_sample_rate_mode(ch) == 1)
        {
            const long double rate = cfg_get_bswv_main(ch)->get_sample_rate_raw().data;
            drv()->set_sample_rate_phase(ch, rate, lib_phase_positive(phase));
        }
        else
        {
            drv()->set_phase(ch, phase);
        }
    }
}

void cfg_apply_ramp_symmetry(int32 ch)
{
    lib_unit_data_t symmetry{};
    cfg_get_bswv_main(ch)->get_symmetry(&symmetry);
    drv()->set_ramp_symmetry(ch, &symmetry);
}

void cfg_apply_square_duty(int32 ch)
{
    const drv_square_para_t ch0 = cfg_build_square_para(0);
    const drv_square_para_t ch1 = cfg_build_square_para(1);
    if (cfg_both_ch_square())
        drv()->set_square_duty_both(&ch0, &ch1);
    else
        drv()->set_square_duty(ch, ch == 0 ? &ch0 : &ch1);
}

void cfg_apply_pulse_timing(int32)
{
    const pulse_timing_t t0 = pulse_timing_of(0);
    const pulse_timing_t t1 = pulse_timing_of(1);
    const bool pulse0 = wave_type_of(0) == WAVE_PULSE;
    const bool pulse1 = wave_type_of(1) == WAVE_PULSE;
    if (pulse0 && pulse1)
        drv()->set_pulse_param_both(t0.freq, t0.width, t0.rise, t0.fall, t1.freq, t1.width, t1.rise, t1.fall);
    else if (pulse0)
        drv()->set_pulse_param(0, t0.width, t0.fall, t0.rise, t0.freq);
    else if (pulse1)
        drv()->set_pulse_param(1, t1.width, t1.fall, t1.rise, t1.freq);
}

void cfg_apply_arb_sample_rate(int32 ch)
{
    if (plays_arb_at_sample_rate(ch))
        drv()->set_sample_rate(ch, cfg_get_bswv_main(ch)->get_arb_rate_word());
    if (cfg_is_freq_coupled(ch))
    {
        const int32 other = cfg_get_other_ch();
        if (plays_arb_at_sample_rate(other))
            drv()->set_sample_rate(other, cfg_get_bswv_main(other)->get_arb_rate_word());
    }
}

void cfg_apply_ch_after_freq(int32 ch)
{
    cfg_apply_freq(ch);
    cfg_apply_ampl_offset(ch);
    const int32 type = wave_type_of(ch);
    if (type == WAVE_SQUARE)
        cfg_apply_square_duty(ch);
    else if (type == WAVE_PULSE || cfg_is_freq_coupled(ch))
        cfg_apply_pulse_timing(ch);
    else if (type == WAVE_PRBS)
        cfg_apply_couple(ch);
    if (cfg_is_freq_coupled(ch))
        cfg_apply_ampl_offset(cfg_get_other_ch());
    if (cfg_is_freq_coupled(ch) || type == WAVE_ARB)
        cfg_apply_arb_sample_rate(ch);
}

void cfg_apply_channel(int32 ch)
{
    cfg_get_bswv_main(ch)->apply_current_wave(false);
}
