// cfg_ch_couple_t: the other channel's object.
#include "cfg_ch_couple.h"

#include "cfg_main.h"
#include "lib_quantity.h"

cfg_wv_main_t *cfg_ch_couple_t::get_other_wv_main(int32 ch)
{
    return cfg_get_wv_main(lib_other_ch(ch));
}
