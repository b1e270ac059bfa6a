#include "cfg_mod_fsk.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "drv_interface.h"

namespace
{
// A hop frequency for this channel only, without the two-channel update hold.
constexpr int32 SINGLE_CHANNEL = 0;
} // namespace

cfg_mod_fsk_t::cfg_mod_fsk_t()
{
    reset_rate();
    reset_hop_freq();
}

void cfg_mod_fsk_t::save_config(const char *)
{
}

void cfg_mod_fsk_t::load_config(const char *)
{
}

void cfg_mod_fsk_t::reset_rate()
{
    key_rate.data = 100.0L;
    key_rate.unit = LIB_UNIT_BASE;
}

void cfg_mod_fsk_t::reset_hop_freq()
{
    hop_freq.data = DEFAULT_HOP_FREQ;
    hop_freq.unit = LIB_UNIT_BASE;
}

int32 cfg_mod_fsk_t::set_rate(lib_unit_data_t &rate)
{
    const int32 result = clamp(rate.data, get_min_rate(), get_max_freq_limit());
    key_rate = rate;
    return result;
}

int32 cfg_mod_fsk_t::set_hop_freq(lib_unit_data_t &hop)
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    const long double max = bswv->get_max_freq_for_ampl();
    const long double min = bswv->get_min_freq();
    const int32 result = clamp(hop.data, min, max);
    hop_freq = hop;
    return result;
}

lib_unit_data_t cfg_mod_fsk_t::get_hop_freq()
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    const long double max = bswv->get_max_freq();
    const long double min = bswv->get_min_freq();
    clamp(hop_freq.data, min, max);
    return hop_freq;
}

void cfg_mod_fsk_t::recheck()
{
    lib_unit_data_t rate = key_rate;
    set_rate(rate);
    lib_unit_data_t hop = get_hop_freq();
    set_hop_freq(hop);
}

void cfg_mod_fsk_t::apply(int32 type, bool flag)
{
    if (!is_active())
        return;
    const int32 src = source;
    const long double rate = key_rate.data;
    const long double hop = get_hop_freq().data;
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_mod_type(channel, type);
    drv->set_mod_source(channel, type, src);
    drv->set_mod_wave(channel, KEY_WAVE);
    drv->set_mod_freq(channel, type, rate);
    drv->set_fsk_hop_freq(SINGLE_CHANNEL, channel, hop);
    apply_carrier(flag);
}

long double cfg_mod_fsk_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_fsk_t::get_max_deviation()
{
    return 0.0L;
}
