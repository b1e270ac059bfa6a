#include "drv_state_query.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"

int32 drv_sweep_is_on(int32 ch)
{
    return (drv_instance_manage_t::get_instance()->get_fpga()->read_mod_reg(ch) & 0x3F) == 4 ? 1 : 0;
}

bool drv_burst_is_on(int32 ch)
{
    return drv_instance_manage_t::get_instance()->get_fpga()->get_burst_field(ch) != 0;
}
