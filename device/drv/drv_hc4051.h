#pragma once
// drv_hc4051_t: the select lines of the analog multiplexer in front of the measurement
// input. Every base operation does nothing; the USB module's class drives bits of FPGA
// register 96.
#include "lib_types.h"

class drv_hc4051_t
{
public:
    drv_hc4051_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_hc4051_t() = default;

    virtual void init();
    virtual void set_channel_select_1(int32 ch);
    virtual void set_channel_select_2(int32 ch);
    virtual void select_input(int32 sel);

    // Whether the class has its own select_input: the calibration code skips the call
    // on an object that keeps the base body. The base answers false.
    virtual bool replaces_select_input() const;
};
