#pragma once
// drv_voltage_overload_vextral_t: the USB module's voltage-overload driver.
#include "drv_voltage_overload.h"

class drv_voltage_overload_vextral_t : public drv_voltage_overload_t
{
public:
    drv_voltage_overload_vextral_t() = default;
};
