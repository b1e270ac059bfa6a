// cfg_drv_info_map_t: the driver map.
#include "cfg_drv_info_map.h"

#include "cfg_main.h"
#include "drv_interface.h"

int32 cfg_drv_info_map_t::refresh()
{
    result = drv_interface_t::get_instance()->fill_driver_map(this);
    return result < 0 ? 1 : 0;
}

int32 cfg_drv_info_map_t::copy_to(cfg_drv_info_map_t *other)
{
    refresh();
    if (map.empty())
        return -12;
    if (other != this)
        other->map = map;
    return result;
}

int32 cfg_check_drv_info()
{
    cfg_drv_info_map_t copy = *cfg_get_drv_map();
    return copy.refresh();
}
