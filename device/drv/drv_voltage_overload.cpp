#include "drv_voltage_overload.h"

#include "drv_amp.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"

int32 drv_voltage_overload_t::set_amp_range(int32 ch, uint32 word)
{
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    const uint32 mask = static_cast<uint32>(manager->get_amp()->get_overload_range_mask());
    int32 first = 0;
    int32 second = 0;
    if (mask & word)
        get_narrow_thresholds(&first, &second);
    else
        get_wide_thresholds(&first, &second);
    manager->get_fpga()->set_overload_dac(ch, first, second);
    return 1;
}

void drv_voltage_overload_t::get_narrow_thresholds(int32 *first, int32 *second)
{
    *first = 24029;
    *second = 41506;
}

void drv_voltage_overload_t::get_wide_thresholds(int32 *first, int32 *second)
{
    *first = 8738;
    *second = 56797;
}

int32 drv_voltage_overload_t::reset(int32 ch)
{
    return drv_instance_manage_t::get_instance()->get_fpga()->set_overload_select(ch);
}

int32 drv_voltage_overload_t::set_thresholds(int32 ch, int32 first, int32 second)
{
    drv_instance_manage_t::get_instance()->get_fpga()->set_overload_dac(ch, first, second);
    return 1;
}
