#include "drv_freq_vextral.h"

int32 drv_freq_vextral_t::set_freq_both(int32, long double f0, long double f1)
{
    set_freq(0, f0);
    set_freq(1, f1);
    return 1;
}

int32 drv_freq_vextral_t::set_freq(int32 ch, long double hz)
{
    return set_freq_by_mode(ch, hz);
}

int32 drv_freq_vextral_t::is_freq_multiple()
{
    return 0;
}
