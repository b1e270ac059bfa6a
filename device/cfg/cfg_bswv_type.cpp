// Wave-type selection: storing a channel's wave type and handing its current wave to
// the driver.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "drv_interface.h"

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;
constexpr int32 COUPLE_PHASE = 2;
} // namespace

int32 cfg_bswv_main_t::set_wave_type(int32 type)
{
    if (param_check.check_wave_type(type) != 1)
        return -13;
    wave_type = type;
    // The frequency again under the new wave's limits (the data patterns have none).
    if (type >= WAVE_SINE && type <= WAVE_PRBS)
        restore_freq();
    drv_interface_t::get_instance()->set_prbs_mode(ch, type == WAVE_PRBS ? 1 : 0);
    if (type == WAVE_PRBS)
    {
        cfg_ch_couple_t *couple = cfg_get_couple();
        if (couple->get_couple_en(COUPLE_PHASE) == 1)
            couple->set_couple_en(COUPLE_PHASE, 0);
    }
    else
    {
        set_prbs_link(0);
    }
    recheck_for_wave_type();
    apply_current_wave(false);
    return 1;
}

int32 cfg_bswv_main_t::apply_current_wave(bool full_rule)
{
    const int32 type = wave_type;
    // The harmonic sum follows the settings even while the channel is silent.
    if (type == WAVE_SINE && harmonic_switch == 1)
    {
        update_harmonic_wave_data();
        check_harmonic_limits();
    }
    if (is_output_active() != 1)
        return 1;
    switch (type)
    {
    case WAVE_SINE:
        cfg_apply_sine_wave(ch, full_rule);
        break;
    case WAVE_SQUARE:
        cfg_apply_square_wave(ch, full_rule);
        break;
    case WAVE_RAMP:
        cfg_apply_ramp_wave(ch, full_rule);
        break;
    case WAVE_PULSE:
        cfg_apply_pulse_wave(ch, full_rule);
        break;
    case WAVE_NOISE:
        cfg_apply_noise_wave(ch);
        break;
    case WAVE_DC:
        cfg_apply_dc_wave(ch);
        break;
    case WAVE_ARB:
        cfg_apply_arb_wave(ch, full_rule);
        break;
    case WAVE_PRBS:
        cfg_apply_prbs_wave(ch, full_rule);
        break;
    default:
        // 7 and the data patterns: nothing of this object reaches the driver.
        break;
    }
    return 1;
}

int32 cfg_bswv_main_t::set_noise_bandwidth_switch(int32 on)
{
    noise_bandwidth_switch = cfg_drv_has_noise_bandwidth() ? on : 0;
    set_noise_bandwidth(noise_bandwidth);
    set_wave_type(WAVE_NOISE);
    return 1;
}
