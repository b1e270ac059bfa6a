#pragma once
// drv_clock_source_t: selection and status of the module's reference clock. On the
// USB module the reference cannot be switched: the selection answers 1 and touches no
// register, and the status is the FPGA's clock-status bit.
#include "lib_types.h"

class drv_fpga_t;

// Called by the configuration layer's code after a reference switch with a status
// (negative for a failure); it re-applies both channels. No clock source calls it.
typedef void (*drv_clock_done_cb_t)(int32 status);

class drv_clock_source_t
{
public:
    drv_clock_source_t() = default;
    // Virtual because the instance manager owns the object through this class.
    virtual ~drv_clock_source_t() = default;

    // 0: source 0 internal, 1 external reference. 1, nothing written, the callback
    // never called.
    virtual int32 set_clock_source(drv_fpga_t *fpga, int32 source, drv_clock_done_cb_t done);
    // 1: bit 4 of register 4, read through the instance manager's FPGA driver.
    virtual int32 get_clock_status();
};

// The FPGA's clock reset pulse (register 4 bit 0 set, cleared, 2 ms, set); 1.
int32 drv_pulse_clock_reset();
