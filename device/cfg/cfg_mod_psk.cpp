#include "cfg_mod_psk.h"

#include "drv_interface.h"

cfg_mod_psk_t::cfg_mod_psk_t()
{
    reset_phase();
    reset_polarity();
    reset_rate();
}

void cfg_mod_psk_t::save_config(const char *)
{
}

void cfg_mod_psk_t::load_config(const char *)
{
}

void cfg_mod_psk_t::reset_rate()
{
    key_rate.data = 100.0L;
    key_rate.unit = LIB_UNIT_BASE;
}

void cfg_mod_psk_t::reset_phase()
{
    phase.data = DEFAULT_PHASE;
    phase.unit = LIB_UNIT_BASE;
}

int32 cfg_mod_psk_t::set_rate(const lib_unit_data_t &rate)
{
    lib_unit_data_t rec = rate;
    const int32 result = clamp(rec.data, get_min_rate(), get_max_freq_limit());
    key_rate = rec;
    return result;
}

int32 cfg_mod_psk_t::set_phase(const lib_unit_data_t &value)
{
    phase = value;
    return 1;
}

int32 cfg_mod_psk_t::set_polarity(int32 value)
{
    polarity = value;
    drv_interface_t::get_instance()->set_psk_polarity(channel, polarity);
    return 1;
}

void cfg_mod_psk_t::apply(int32 type, bool flag)
{
    if (!is_active())
        return;
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_mod_type(channel, type);
    drv->set_mod_source(channel, type, source);
    drv->set_mod_wave(channel, KEY_WAVE);
    drv->set_mod_freq(channel, type, key_rate.data);
    drv->set_mod_phase(channel, phase.data);
    drv->set_psk_polarity(channel, polarity);
    apply_carrier(flag);
}
