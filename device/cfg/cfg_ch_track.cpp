// cfg_ch_couple_t: channel tracking, the other channel's objects, and the phase
// synchronisation of the two channels through the driver.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"

namespace
{
constexpr int32 WAVE_ARB = 6;
// Wave types above this one are the data patterns, which tracking does not copy.
constexpr int32 LAST_BASIC_WAVE = 11;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}
} // namespace

// --- Tracking ---

int32 cfg_ch_couple_t::set_track_en(int32 on)
{
    if (cfg_get_wv_main(src_ch)->get_basic_wave_type() > LAST_BASIC_WAVE)
        return 0;
    const int32 old = track_en;
    freq_couple_en = 0;
    ampl_couple_en = 0;
    phase_couple_en = 0;
    track_en = on;
    if (on == 1)
    {
        cfg_main_t *root = cfg_main_t::get_instance();
        root->copy_channel(get_other_ch(src_ch), src_ch);
        root->set_current_channel(src_ch);
        // The other channel's phase keeps the stored offset to the reference.
        phase_couple_en = 1;
        phase_couple_mode = CFG_COUPLE_BY_DEVIATION;
        set_phase_deviation(phase_dev);
    }
    if (on != old)
        apply_sync();
    return 1;
}

cfg_wv_main_t *cfg_ch_couple_t::get_other_wv_main(int32 ch)
{
    return cfg_get_wv_main(get_other_ch(ch));
}

cfg_bswv_main_t *cfg_ch_couple_t::get_other_bswv_main(int32 ch)
{
    return cfg_get_bswv_main(get_other_ch(ch));
}

cfg_mod_main_t *cfg_ch_couple_t::get_other_mod_main(int32 ch)
{
    return cfg_get_mod_main(get_other_ch(ch));
}

cfg_sweep_t *cfg_ch_couple_t::get_other_sweep(int32 ch)
{
    return cfg_get_sweep(get_other_ch(ch));
}

cfg_burst_t *cfg_ch_couple_t::get_other_burst(int32 ch)
{
    return cfg_get_burst(get_other_ch(ch));
}

// --- Phase synchronisation ---

int32 cfg_ch_couple_t::sync_phase()
{
    drv_sync_state = drv()->get_phase_lock();
    drv_interface_t::set_phase_lock(true);
    if (drv()->get_phase_lock())
        drv()->sync_phase(src_ch);
    drv_interface_t::set_phase_lock(drv_sync_state);
    return 1;
}

int32 cfg_ch_couple_t::update_and_sync()
{
    drv()->update_fpga();
    if (phase_sync_mode == 1)
        sync_phase();
    return 1;
}

int32 cfg_ch_couple_t::update_and_sync_always()
{
    update_and_sync();
    if (phase_sync_mode == 0)
        sync_phase();
    return 1;
}

int32 cfg_ch_couple_t::resync_if_freq_differs()
{
    if (track_en == 1)
        return 0;
    if (is_freq_same() == 0)
        drv()->sync_phase(src_ch);
    return 0;
}

int32 cfg_ch_couple_t::update_and_resync()
{
    drv()->update_fpga();
    resync_if_freq_differs();
    return 1;
}

int32 cfg_ch_couple_t::sync_phase_once()
{
    if (phase_sync_mode != 1)
        return 0;
    if (is_freq_same() == 0)
    {
        sync_done = false;
        return 0;
    }
    int32 r = 0;
    if (!sync_done)
    {
        sync_phase();
        r = 1;
    }
    sync_done = true;
    return r;
}

int32 cfg_ch_couple_t::write_phases()
{
    if (is_freq_same() != 1)
        return 1;
    for (int32 ch = 0; ch <= 1; ++ch)
    {
        lib_unit_data_t phase{};
        cfg_get_bswv_main(ch)->get_phase(&phase);
        drv()->set_phase(ch, phase.data);
    }
    return 1;
}

void cfg_ch_couple_t::update_sync_enable()
{
    // Only channels running at different frequencies need the driver's synchronisation.
    bool enable = false;
    if (phase_sync_mode == 1 && track_en != 1)
        enable = is_freq_same() == 0;
    drv_interface_t::set_phase_lock(enable);
    drv_sync_state = drv()->get_phase_lock();
}

void cfg_ch_couple_t::clear_couple_sync()
{
    drv()->set_phase_option(0);
}

void cfg_ch_couple_t::apply_sync()
{
    drv()->set_phase_option(0);
    update_sync_enable();
    drv()->update_fpga();
}

void cfg_ch_couple_t::apply()
{
    sync_done = false;
    apply_sync();
}

int32 cfg_ch_couple_t::set_phase_sync_mode(int32 mode)
{
    if (mode == 0)
        drv_interface_t::set_phase_lock(false);
    else if (mode == 1)
        drv_interface_t::set_phase_lock(true);
    phase_sync_mode = mode;
    drv()->set_phase_mode(mode);
    cfg_bswv_main_t *s = cfg_get_bswv_main(src_ch);
    // An arbitrary wave at its sample rate is re-selected, which re-applies it.
    if (s->get_sample_rate_mode() == 1 && s->get_wave_type() == WAVE_ARB)
        s->set_wave_type(WAVE_ARB);
    else
        update_and_sync();
    return 1;
}

int32 cfg_ch_couple_t::needs_phase_sync(int32) const
{
    return is_freq_same() == 0 ? 1 : 0;
}

bool cfg_ch_couple_t::save_sync_state()
{
    drv_sync_state = drv()->get_phase_lock();
    return drv_sync_state;
}

void cfg_ch_couple_t::restore_sync_state()
{
    drv_interface_t::set_phase_lock(drv_sync_state);
}

int32 cfg_ch_couple_t::set_drv_sync_enable(u8 en)
{
    drv_interface_t::set_phase_lock(en != 0);
    return 1;
}

int32 cfg_ch_couple_t::update_fpga()
{
    drv()->update_fpga();
    return 1;
}

bool cfg_ch_couple_t::is_couple_supported()
{
    return drv()->is_couple_supported();
}

void cfg_ch_couple_t::apply_other_output()
{
    const int32 other = get_other_ch(src_ch);
    if (cfg_get_wv_main(other)->get_output() != 1)
        return;
    if (is_freq_same() == 1)
        cfg_get_bswv_main(other)->apply_current_wave(false);
    else
        cfg_apply_channel(other);
}

void cfg_ch_couple_t::save_config(const char *)
{
}

void cfg_ch_couple_t::load_config(const char *)
{
}

int32 cfg_ch_couple_t::ignore_setting(int32)
{
    return 1;
}
