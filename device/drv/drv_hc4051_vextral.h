#pragma once
// drv_hc4051_vextral_t: the USB module's multiplexer lines in FPGA register 96, each
// changed by its own read-modify-write: bits 0-2 the input select, bit 3 set for
// channel 0 and cleared for channel 1, bit 4 cleared for channel 0 and set for
// channel 1. Other channel values change nothing.
#include "drv_hc4051.h"

class drv_hc4051_vextral_t : public drv_hc4051_t
{
public:
    drv_hc4051_vextral_t() = default;

    // Nothing.
    void init() override;
    // Bit 4.
    void set_channel_select_1(int32 ch) override;
    // Bit 3.
    void set_channel_select_2(int32 ch) override;
    // Bits 0-2 = sel & 7, then set_channel_select_2 (1).
    void select_input(int32 sel) override;

    bool replaces_select_input() const override;
};
