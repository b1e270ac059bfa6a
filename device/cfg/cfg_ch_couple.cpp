// cfg_ch_couple_t: the other channel's object and the same-frequency test.
#include "cfg_ch_couple.h"

#include "cfg_main.h"
#include "lib_quantity.h"

cfg_wv_main_t *cfg_ch_couple_t::get_other_wv_main(int32 ch)
{
    return cfg_get_wv_main(lib_other_ch(ch));
}

int32 cfg_ch_couple_t::is_same_freq() const
{
    if (track_en == 1)
        return 1;
    if (freq_couple_en != 1)
        return 0;
    const long double diff = freq_mode == 0 ? freq_ratio - 1.0L : freq_deviation;
    return (diff < 0 ? -diff : diff) < 1e-10L ? 1 : 0;
}
