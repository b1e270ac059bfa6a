#pragma once
// drv_mod_t: the modulation driver. The instance manager never creates one; its state
// queries need no object and are called on the class.
#include "lib_types.h"

class drv_mod_t
{
public:
    // The channel's modulation type (0 none, 1 AM, 2 FM, 3 PM, 4 ASK, 5 FSK, 6 PSK,
    // 7 DSB-AM, 8 PWM) as the FPGA driver decodes it; a running sweep reads as FM.
    static int32 get_mod_type(int32 ch);
    // 1 when the mode field of the channel's modulation register is not 0 or its ASK
    // gate is on; else 0.
    static int32 is_mod_on(int32 ch);
    // Both channels' phases as burst start phases (channel 0 first), through the phase
    // driver; the second placement's result.
    static int32 set_phase_both(long double phase0, long double phase1);
};
