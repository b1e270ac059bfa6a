#pragma once
// drv_voltage_overload_t: the voltage-overload driver. Each channel's overload detector
// has two 16-bit threshold codes, which this driver sets for the amplitude range in
// use, and a reset. It keeps no state; the thresholds live in the FPGA.
//
// The 3 virtual operations keep this order.
#include "lib_types.h"

class drv_voltage_overload_t
{
public:
    drv_voltage_overload_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_voltage_overload_t() = default;

    // 0: the narrow pair when the range word shares a bit with the amplitude driver's
    // overload range mask, else the wide pair, to registers 128, 130 (channel 1: 136,
    // 138; another channel writes nothing). 1.
    virtual int32 set_amp_range(int32 ch, uint32 word);
    // 1, 2: the threshold pairs (first, second).
    virtual void get_narrow_thresholds(int32 *first, int32 *second);
    virtual void get_wide_thresholds(int32 *first, int32 *second);

    // Register 158 bit 4: set for channel 0, cleared for channel 1; 0 without a write
    // for another channel, else 1.
    int32 reset(int32 ch);
    // The given pair to the channel's threshold registers. 1.
    int32 set_thresholds(int32 ch, int32 first, int32 second);
};
