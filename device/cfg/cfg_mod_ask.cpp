#include "cfg_mod_ask.h"

#include "drv_interface.h"

cfg_mod_ask_t::cfg_mod_ask_t()
{
    reset_rate();
}

void cfg_mod_ask_t::save_config(const char *)
{
}

void cfg_mod_ask_t::load_config(const char *)
{
}

void cfg_mod_ask_t::reset_rate()
{
    key_rate.data = 100.0L;
    key_rate.unit = LIB_UNIT_BASE;
}

int32 cfg_mod_ask_t::set_rate(const lib_unit_data_t &rate)
{
    lib_unit_data_t rec = rate;
    const int32 result = clamp(rec.data, get_min_rate(), get_max_freq_limit());
    key_rate = rec;
    return result;
}

void cfg_mod_ask_t::apply(int32 type, bool flag)
{
    if (!is_active())
        return;
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_mod_type(channel, type);
    drv->set_mod_source(channel, type, source);
    drv->set_mod_wave(channel, KEY_WAVE);
    drv->set_mod_freq(channel, type, key_rate.data);
    apply_carrier(flag);
}

long double cfg_mod_ask_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_ask_t::get_max_deviation()
{
    return 0.0L;
}
