// drv_interface_t: the object and its start-up.
#include "drv_interface.h"

#include "drv_instance_manage.h"

drv_interface_t *drv_interface_t::get_instance()
{
    static drv_interface_t instance;
    return &instance;
}

bool drv_interface_t::init()
{
    return drv_instance_manage_t::get_instance()->init();
}
