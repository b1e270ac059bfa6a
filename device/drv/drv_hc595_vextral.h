#pragma once
// drv_hc595_vextral_t: the USB module's relay word, FPGA register 24 (written straight
// to the register transport, not traced). Bit 0 is the wave-path line (0 while a sine
// plays), bits 1 and 2 the amplitude driver's range bits, bit 5 its relay 4. One word
// serves the module: the range operations act for channel 0 only.
#include "drv_hc595.h"

class drv_hc595_vextral_t : public drv_hc595_t
{
public:
    drv_hc595_vextral_t() = default;

    // Writes only when the line changes between sine and any other wave. With the
    // channel's output relay closed: opened, line written, 3 ms, closed again.
    void set_wave_type_relay(int32 ch, int32 wave_type) override;
    void set_path_relay(int32 ch, int32 state) override;
    void set_spare_relay_b(int32 ch, int32 on) override;
    int32 set_range_bit(int32 ch, int32 on, int32 mask) override;
    int32 set_range_word(int32 ch, int32 bits) override;
    void write_word(u16 word) override;
    // Channel 0: 2 and 4 are answered as they are, anything else prints "Not support
    // such coarse_word!" and gives 0; other channels 0 without a message.
    int32 check_coarse_word(int32 ch, int32 word) override;
};
