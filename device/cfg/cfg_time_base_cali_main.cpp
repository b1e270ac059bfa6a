// cfg_time_base_cali_main_t: the time-base trim.
#include "cfg_time_base_cali_main.h"

#include "cfg_drv_port.h"

void cfg_time_base_cali_main_t::init()
{
    int32 code = 0;
    if (cfg_drv_read_time_base_cali(&code) == 0)
    {
        code = get_default();
        cfg_drv_save_time_base_cali(code);
    }
    else
    {
        const int32 r = check(code);
        if (r == -11)
            code = get_min();
        else if (r == -10)
            code = get_max();
    }
    set_value(code);
    saved_value = code;
}

int32 cfg_time_base_cali_main_t::check(int32 code) const
{
    if (code < get_min())
        return -11;
    if (code > get_max())
        return -10;
    return 1;
}

int32 cfg_time_base_cali_main_t::set_value(int32 code)
{
    const int32 r = check(code);
    if (r == -11)
        code = get_min();
    else if (r == -10)
        code = get_max();
    value = code;
    cfg_drv_set_time_base_dac(code);
    return r;
}

int32 cfg_time_base_cali_main_t::save()
{
    saved_value = value;
    cfg_drv_save_time_base_cali(value);
    return 1;
}

int32 cfg_time_base_cali_main_t::restore()
{
    set_value(saved_value);
    return 1;
}
