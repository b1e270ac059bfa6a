#pragma once
// drv_voltage_overload_interrupt_vextral_t: the USB module's overload-interrupt object:
// enabled from construction, its state query answers 0, its handler does nothing.
#include "drv_voltage_overload_interrupt.h"

class drv_voltage_overload_interrupt_vextral_t : public drv_voltage_overload_interrupt_t
{
public:
    drv_voltage_overload_interrupt_vextral_t();

    // A second object of this class, apart from the instance manager's, built on the
    // first call; every call prints "drv_voltage_overload_interrupt_vextral_t".
    static drv_voltage_overload_interrupt_vextral_t *get_instance();

    // 0.
    int32 get_interrupt_state() override;
    bool replaces_get_interrupt_state() const override;
};
