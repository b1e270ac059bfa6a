#include "drv_voltage_overload_interrupt_vextral.h"

#include "gos.h"

drv_voltage_overload_interrupt_vextral_t::drv_voltage_overload_interrupt_vextral_t()
{
    enabled = 1;
}

drv_voltage_overload_interrupt_vextral_t *drv_voltage_overload_interrupt_vextral_t::get_instance()
{
    static drv_voltage_overload_interrupt_vextral_t instance;
    gos_printf("drv_voltage_overload_interrupt_vextral_t\n");
    return &instance;
}

int32 drv_voltage_overload_interrupt_vextral_t::get_interrupt_state()
{
    return 0;
}

bool drv_voltage_overload_interrupt_vextral_t::replaces_get_interrupt_state() const
{
    return true;
}
