#include "cfg_mod_fm.h"

#include "cfg_bswv_main.h"
#include "cfg_main.h"

long double cfg_mod_fm_t::get_min_deviation()
{
    return 0.0L;
}

long double cfg_mod_fm_t::get_max_deviation()
{
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(channel);
    lib_unit_data_t carrier{};
    bswv->get_freq(&carrier);
    const long double top = bswv->get_max_freq_for_ampl();
    if (carrier.data <= top / 2)
        return carrier.data;
    const long double room = top - carrier.data;
    const long double min = get_min_deviation();
    return room < min ? min : room;
}
