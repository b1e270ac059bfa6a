// cfg_wv_main_t: binding, run modes, output hold, output, polarity and wave type.
#include "cfg_wv_main.h"

#include "cfg_apply.h"
#include "cfg_ch_couple.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "cfg_mode_excl.h"
#include "cfg_sync.h"
#include "gos.h"

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_BASE = 7;
constexpr int32 WAVE_PRBS = 8;
constexpr int32 WAVE_MAX = 16;

bool is_pattern_type(int32 t)
{
    return t >= 12 && t <= 16;
}
} // namespace

void cfg_wv_main_t::bind_channel(int32 ch)
{
    channel = ch;
    bswv.bind_channel(ch);
    mod.bind_channel(ch);
    sweep.bind_channel(ch);
    burst.bind_channel(ch);
    combine.bind_channel(ch);
}

void cfg_wv_main_t::init(int32 ch)
{
    bind_channel(ch);
    run_mode = RUN_MODE_CONTINUOUS;
    wave_type = WAVE_SINE;
    polarity = 1;
    bswv.init(ch);
    mod.init(ch);
    sweep.init(ch);
    burst.init(ch);
    combine.init(ch);
    pattern.init(ch);
}

void cfg_wv_main_t::save_config(const char *path)
{
    bswv.save_config(path);
    mod.save_config(path);
    sweep.save_config(path);
    burst.save_config(path);
    combine.save_config(path);
}

void cfg_wv_main_t::load_config(const char *)
{
}

void cfg_wv_main_t::begin_hold()
{
    ++hold_depth;
    if (hold_depth != 1)
        return;
    saved_output_enable = cfg_drv_get_output_enable(channel);
    cfg_drv_set_output_enable(channel, 0);
}

void cfg_wv_main_t::end_hold()
{
    if (hold_depth > 0)
    {
        --hold_depth;
        if (hold_depth != 0)
            return;
    }
    else
    {
        hold_depth = 0;
    }
    cfg_drv_set_output_enable(channel, saved_output_enable);
}

bool cfg_wv_main_t::hold(bool up)
{
    if (up)
        return ++hold_depth == 1;
    if (hold_depth > 0)
        return --hold_depth == 0;
    hold_depth = 0;
    return true;
}

bool cfg_wv_main_t::harmonics_on()
{
    int32 on = 0;
    bswv.get_harmonic_switch(&on);
    return on == 1;
}

int32 cfg_wv_main_t::can_modulate(int32 t)
{
    if (t == WAVE_NOISE || t == WAVE_DC || t == WAVE_PRBS)
        return 0;
    if (t == WAVE_SINE && harmonics_on())
        return 0;
    return 1;
}

int32 cfg_wv_main_t::can_sweep(int32 t)
{
    if (t == WAVE_PULSE || t == WAVE_NOISE || t == WAVE_DC || t == WAVE_PRBS)
        return 0;
    if (t == WAVE_SINE && harmonics_on())
        return 0;
    if (t == WAVE_ARB && bswv.get_sample_rate_mode() == 1)
        return 0;
    return 1;
}

int32 cfg_wv_main_t::can_burst(int32 t)
{
    if (t == WAVE_DC || t == WAVE_PRBS)
        return 0;
    if (t == WAVE_SINE && harmonics_on())
        return 0;
    if (t == WAVE_ARB && bswv.get_sample_rate_mode() == 1)
        return 0;
    return 1;
}

int32 cfg_wv_main_t::enter_modulation()
{
    if (!can_modulate(bswv.get_wave_type()))
        return -12;
    mod.set_state(1);
    return 1;
}

int32 cfg_wv_main_t::enter_sweep()
{
    if (!can_sweep(bswv.get_wave_type()))
        return -12;
    sweep.set_switch(1);
    return 1;
}

int32 cfg_wv_main_t::enter_burst()
{
    if (!can_burst(bswv.get_wave_type()))
        return -12;
    burst.set_switch(1);
    return 1;
}

int32 cfg_wv_main_t::apply_run_mode(int32 mode)
{
    cfg_drv_set_run_mode(channel, mode);
    begin_hold();
    int32 result = 0;
    switch (mode)
    {
    case RUN_MODE_MOD:
        sweep.set_switch(0);
        burst.set_switch(0);
        result = enter_modulation();
        break;
    case RUN_MODE_SWEEP:
        mod.set_state(0);
        burst.set_switch(0);
        result = enter_sweep();
        break;
    case RUN_MODE_BURST:
        mod.set_state(0);
        sweep.set_switch(0);
        result = enter_burst();
        break;
    case RUN_MODE_CONTINUOUS:
        mod.set_state(0);
        sweep.set_switch(0);
        burst.set_switch(0);
        bswv.apply_current_wave(false);
        result = 1;
        break;
    default:
        result = 0;
        break;
    }
    bswv.restore_freq_or_sample_rate();
    end_hold();
    return result;
}

int32 cfg_wv_main_t::set_run_mode(int32 mode)
{
    run_mode = mode;
    // The device-wide members exist only after the root's init.
    if (cfg_mode_excl_t *excl = cfg_get_mode_excl())
        excl->on_run_mode(channel);
    return apply_run_mode(mode);
}

int32 cfg_wv_main_t::change_run_mode(int32 mode)
{
    const int32 result = set_run_mode(mode);
    bswv.apply_current_wave(false);
    return result;
}

int32 cfg_wv_main_t::set_polarity(int32 p)
{
    polarity = p;
    bswv.restore_offset();
    cfg_drv_set_output_polarity(channel, p);
    if (output == 1)
        apply_ampl(channel);
    return 1;
}

int32 cfg_wv_main_t::apply_polarity()
{
    return set_polarity(polarity);
}

int32 cfg_wv_main_t::set_current_basic_wave(int32 type)
{
    if (static_cast<uint32>(type) > WAVE_MAX)
    {
        gos_printf("cfg_wv_main_t::set_current_basic_wave error!!!! wave_type = %d\n", type);
        return 0;
    }
    if (is_pattern_type(type))
    {
        bswv.set_wave_type(type);
        pattern.set_wave_type(type);
        pattern.update();
        return 1;
    }
    if (type == WAVE_SQUARE && combine.is_any_enabled() == 1 && cfg_drv_is_square_combine_supported() == 0)
        return 0;
    const bool refused = (run_mode == RUN_MODE_MOD && !can_modulate(type)) ||
                         (run_mode == RUN_MODE_SWEEP && !can_sweep(type)) ||
                         (run_mode == RUN_MODE_BURST && !can_burst(type));
    if (refused)
        set_run_mode(RUN_MODE_CONTINUOUS);
    if (cfg_sync_t *sync = cfg_get_sync())
        sync->on_wave_type(channel, type);
    bswv.set_wave_type(type);
    mod.on_carrier_changed(false);
    sweep.refresh();
    burst.on_wave_type_changed_if_on();
    return 1;
}

int32 cfg_wv_main_t::set_wave_type(int32 type)
{
    wave_type = type;
    if (type == WAVE_BASE)
    {
        pending = 1;
        return 1;
    }
    if (is_pattern_type(type))
    {
        pattern.set_wave_type(type);
        pattern.update();
    }
    const int32 result = set_current_basic_wave(type);
    if (pending == 1)
        refresh_other_channel();
    return result;
}

void cfg_wv_main_t::refresh()
{
    const int32 type = bswv.get_wave_type();
    begin_hold();
    combine.push();
    if (!is_pattern_type(type))
    {
        set_run_mode(run_mode);
        set_polarity(polarity);
    }
    end_hold();
}

void cfg_wv_main_t::refresh_other_channel()
{
    pending = 0;
    cfg_ch_couple_t::get_other_wv_main(channel)->refresh();
    cfg_restore_outputs();
}

void cfg_wv_main_t::flush_pending()
{
    if (pending == 1)
        refresh_other_channel();
}

int32 cfg_wv_main_t::set_output(int32 on)
{
    output = on;
    return apply_output_switch(on);
}

int32 cfg_wv_main_t::apply_output_switch(int32 on)
{
    if (on == 1)
    {
        cfg_apply_output(channel, 0);
        set_run_mode(run_mode);
        set_polarity(polarity);
    }
    if (cfg_sync_t *sync = cfg_get_sync())
        sync->apply();
    return cfg_apply_output(channel, on);
}

int32 cfg_wv_main_t::apply_output()
{
    return cfg_apply_output(channel, output);
}

int32 cfg_wv_main_t::is_output_or_combine_on()
{
    return output == 1 || combine.is_any_enabled() == 1 ? 1 : 0;
}

void cfg_wv_main_t::resend_channel_records()
{
    bswv.apply_ch_para_both();
    cfg_get_couple()->update_and_resync();
}

int32 cfg_wv_main_t::apply_wave_of(cfg_wv_main_t *other)
{
    other->get_bswv_main()->apply_current_wave(false);
    return 1;
}
