#pragma once
// drv_combine_t: two-channel combining, the two channels summed onto one output with
// a mixing weight: each channel's combining bit and the one weight of both. It holds
// no state; the FPGA driver is the instance manager's.
#include "lib_types.h"

class drv_combine_t
{
public:
    drv_combine_t() = default;

    // The channel's combining bit (channel 0 bit 0, any other channel bit 1) set for
    // on 1, cleared for any other value.
    void set_combine(int32 ch, int32 on);
    // *on := 1 when the channel's combining bit is set, else 0; 1.
    int32 get_combine(int32 ch, int32 *on);
    // trunc(weight x 65535), for both channels (ch is not used).
    void set_combine_ratio(int32 ch, long double weight);
};
