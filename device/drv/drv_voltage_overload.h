#pragma once
// drv_voltage_overload_t: the voltage-overload driver: the detector thresholds of
// the output ranges and the overload reset.
class drv_voltage_overload_t
{
public:
    drv_voltage_overload_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_voltage_overload_t() = default;
};
