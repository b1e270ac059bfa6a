// The hold rules and the small predicates of the apply functions.
#include "cfg_apply_hold.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_wv_main.h"

namespace
{
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_PRBS = 8;
constexpr int32 RUN_MODE_MOD = 0;
constexpr int32 RUN_MODE_BURST = 2;

// Only the first output apply that finds both outputs on takes the phase mode.
bool output_hold_once = true;
} // namespace

int32 cfg_get_phase_mode()
{
    return cfg_get_couple()->get_phase_sync_mode();
}

int32 cfg_get_wave_hold()
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple->get_phase_sync_mode() == 0)
        return 0;
    if (couple->is_freq_same() != 1)
        return 1;
    return cfg_get_bswv_main(0)->is_arb_sample_rate_mode() == 1 || cfg_get_bswv_main(1)->is_arb_sample_rate_mode() == 1
               ? 1
               : 0;
}

int32 cfg_select_hold(bool full_rule)
{
    return full_rule ? cfg_get_wave_hold() : cfg_get_phase_mode();
}

int32 cfg_get_current_ch()
{
    return cfg_main_t::get_instance()->get_current_channel();
}

int32 cfg_get_other_ch()
{
    return cfg_get_current_ch() == 0 ? 1 : 0;
}

bool cfg_is_freq_coupled(int32 ch)
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    return (couple->is_tracking() && couple->get_src_ch() == ch) || couple->get_couple_en(0) == 1;
}

bool cfg_is_prbs_linked(int32 ch)
{
    const cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
    return bswv->get_wave_type_raw() == WAVE_PRBS && bswv->get_prbs_link_raw() == 1;
}

int32 cfg_is_same_freq_coupled()
{
    return cfg_get_couple()->is_freq_same();
}

bool cfg_both_ch_square()
{
    return cfg_get_bswv_main(0)->get_wave_type_raw() == WAVE_SQUARE &&
           cfg_get_bswv_main(1)->get_wave_type_raw() == WAVE_SQUARE;
}

int32 cfg_get_burst_hold()
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple->get_phase_sync_mode() != 1)
        return couple->get_phase_sync_mode();
    if (couple->is_tracking())
        return 0;
    return cfg_get_wv_main(0)->get_run_mode() == RUN_MODE_BURST && cfg_get_wv_main(1)->get_run_mode() == RUN_MODE_BURST
               ? 1
               : 0;
}

int32 cfg_get_mod_hold()
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple->get_phase_sync_mode() != 1)
        return couple->get_phase_sync_mode();
    if (couple->is_tracking())
        return 0;
    return cfg_get_wv_main(0)->get_run_mode() == RUN_MODE_MOD && cfg_get_wv_main(1)->get_run_mode() == RUN_MODE_MOD &&
                   cfg_get_mod_main(0)->get_type() == cfg_get_mod_main(1)->get_type()
               ? 1
               : 0;
}

int32 cfg_get_output_hold()
{
    int32 hold = cfg_get_wave_hold();
    if (cfg_get_wv_main(0)->get_output() == 1 && cfg_get_wv_main(1)->get_output() == 1 && output_hold_once)
    {
        hold = cfg_get_phase_mode();
        output_hold_once = false;
    }
    return hold;
}
