#pragma once
// drv_voltage_overload_vextral_t: the USB module's voltage-overload driver. Range
// changes write nothing here: the thresholds stay as the FPGA holds them.
#include "drv_voltage_overload.h"

class drv_voltage_overload_vextral_t : public drv_voltage_overload_t
{
public:
    drv_voltage_overload_vextral_t() = default;

    // Nothing; 1.
    int32 set_amp_range(int32 ch, uint32 word) override;
    // 39883, 6928.
    void get_narrow_thresholds(int32 *first, int32 *second) override;
    // 29397, 17414.
    void get_wide_thresholds(int32 *first, int32 *second) override;
};
