// Stand-ins for the mode exclusion's sync-output check and the coupling object's
// update-and-sync step.
#include "cfg_peer_standin_i34.h"

#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "drv_interface.h"

int32 cfg_mode_excl_check_sync_output(int32, int32) { return 1; }

int32 cfg_couple_update_and_sync()
{
    drv_interface_t *drv = drv_interface_t::get_instance();
    cfg_ch_couple_t *couple = cfg_get_couple();
    if (couple != nullptr && couple->get_phase_mode() == 1)
        drv->update_and_sync_phase(0);
    else
        drv->update_fpga();
    return 1;
}
