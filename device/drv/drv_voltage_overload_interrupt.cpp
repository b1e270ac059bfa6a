#include "drv_voltage_overload_interrupt.h"

int32 drv_voltage_overload_interrupt_t::get_interrupt_state()
{
    return 1;
}

void drv_voltage_overload_interrupt_t::handle_interrupt() {}

bool drv_voltage_overload_interrupt_t::replaces_get_interrupt_state() const
{
    return false;
}

void drv_voltage_overload_interrupt_t::enable()
{
    enabled = 1;
}

int32 drv_voltage_overload_interrupt_t::is_enabled() const
{
    return enabled;
}
