#include "drv_mod.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_phase.h"

int32 drv_mod_t::get_mod_type(int32 ch)
{
    return drv_instance_manage_t::get_instance()->get_fpga()->get_mod_type(ch);
}

int32 drv_mod_t::is_mod_on(int32 ch)
{
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    return ((fpga->read_mod_reg(ch) & 0x3F) != 0 || fpga->is_ask_on(ch) == 1) ? 1 : 0;
}

int32 drv_mod_t::set_phase_both(long double phase0, long double phase1)
{
    drv_phase_t *phase = drv_instance_manage_t::get_instance()->get_phase();
    phase->_set_burst_phase(0, phase0);
    return phase->_set_burst_phase(1, phase1);
}
