#include "cfg_mod_am.h"

#include "drv_interface.h"

void cfg_mod_am_t::apply(int32 type, bool flag)
{
    if (!is_active())
        return;
    const int32 src = source;
    const std::string name = wave_name;
    const long double hz = mod_freq.data;
    const long double depth = get_deviation().data;
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv->set_mod_type(channel, type);
    drv->set_mod_source(channel, type, src);
    drv->set_mod_freq(channel, type, hz);
    // The external input sets its own depth: the modulator runs at full scale.
    if (src == SOURCE_EXTERNAL)
        drv->set_mod_deviation(channel, type, EXTERNAL_DEPTH);
    else if (src == SOURCE_INTERNAL)
        drv->set_mod_deviation(channel, type, depth);
    drv->set_mod_wave(channel, name);
    apply_carrier(flag);
}

long double cfg_mod_am_t::get_max_mod_freq()
{
    return get_max_freq_limit();
}

long double cfg_mod_am_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_am_t::get_max_deviation()
{
    return MAX_DEPTH;
}
