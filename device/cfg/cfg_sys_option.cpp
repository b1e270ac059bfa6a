// cfg_sys_option_t: the device-wide option settings.
#include "cfg_sys_option.h"

#include "cfg_drv_port.h"

void cfg_sys_option_t::init()
{
    first = 1;
    second = 1;
    third = 2;
}

void cfg_sys_option_t::apply() { cfg_drv_set_sys_option(first); }

int32 cfg_sys_option_t::set_enable(int32 v)
{
    first = v;
    cfg_drv_set_sys_option(v);
    return 1;
}

void cfg_sys_option_t::switch_option(int32 on)
{
    if (first == 0)
        return;
    if (on != 0)
        cfg_drv_sys_option_on();
    else
        cfg_drv_sys_option_off();
}
