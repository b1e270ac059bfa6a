// Stand-ins of operations owned by classes not built yet; see cfg_standin_i31.h.
#include "cfg_standin_i31.h"

#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_drv_port.h"
#include "cfg_main.h"
#include "lib_quantity.h"


int32 cfg_pending_couple_freq(int32, lib_unit_data_t *)
{
    return 0;
}

int32 cfg_pending_couple_ampl(int32, lib_unit_data_t *)
{
    return 0;
}

int32 cfg_pending_couple_phase(int32, lib_unit_data_t *)
{
    return 0;
}

int32 cfg_pending_is_tracking_source(int32 ch)
{
    const cfg_ch_couple_t *couple = cfg_get_couple();
    return couple && couple->get_tracking() == 1 && couple->get_source_ch() == ch ? 1 : 0;
}

// The other channel takes the same phase through its own setter.
int32 cfg_pending_set_tracked_phase(int32 ch, lib_unit_data_t *value)
{
    if (cfg_pending_is_tracking_source(ch) != 1)
        return -12;
    return cfg_get_bswv_main(lib_other_ch(ch))->set_phase(value);
}

void cfg_pending_sweep_recenter(int32) {}

long double cfg_pending_sweep_stop_freq(int32)
{
    return 0.0L;
}

void cfg_pending_burst_recheck(int32) {}
void cfg_pending_sync_recheck(int32) {}

int32 cfg_pending_combine_recheck_ampl(int32)
{
    return 1;
}

int32 cfg_pending_combine_recheck_offset(int32)
{
    return 1;
}

void cfg_pending_combine_update_ratio(int32) {}
void cfg_pending_mod_revalidate(int32, int32) {}
void cfg_pending_mod_recheck_after_ampl(int32) {}

int32 cfg_pending_mod_set_current_deviation(int32 ch, lib_unit_data_t deviation)
{
    cfg_get_mod_main(ch)->store_current_deviation(deviation);
    return 1;
}
