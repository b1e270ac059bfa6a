#pragma once
// drv_voltage_overload_interrupt_t: a product's overload-interrupt operations, a state
// query and a handler. The instance manager keeps one; the USB module's is a
// drv_voltage_overload_interrupt_vextral_t. The output overload itself is read and
// reset elsewhere (the FPGA's overload state), not through this object.
#include "lib_types.h"

class drv_voltage_overload_interrupt_t
{
public:
    drv_voltage_overload_interrupt_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_voltage_overload_interrupt_t() = default;

    // 0: 1 in the base.
    virtual int32 get_interrupt_state();
    // 1: does nothing.
    virtual void handle_interrupt();

    // Whether the class has its own get_interrupt_state; a caller that finds the base
    // body answers 1 without calling it.
    virtual bool replaces_get_interrupt_state() const;

    // Sets the flag to 1; nothing clears it.
    void enable();
    int32 is_enabled() const;

protected:
    // 0 until enabled (the product class enables itself when constructed).
    int32 enabled = 0;
};
