#include "drv_clock_source.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"

int32 drv_clock_source_t::set_clock_source(drv_fpga_t *, int32, drv_clock_done_cb_t)
{
    return 1;
}

int32 drv_clock_source_t::get_clock_status()
{
    return drv_instance_manage_t::get_instance()->get_fpga()->get_clock_status();
}

int32 drv_pulse_clock_reset()
{
    drv_instance_manage_t::get_instance()->get_fpga()->pulse_clock_reset();
    return 1;
}
