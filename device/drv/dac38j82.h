#pragma once
// dac38j82_t: the second platform's JESD DAC. Each register access builds a temporary
// drv_fpga_dravine_t and sends a 24-bit serial frame (register << 16) | value on base
// word 0xFFD8; a read sends (register << 16) | 0x800000 and takes the low 16 bits of
// FPGA register 242. A write waits 1 ms after its frame. One instance, built on the
// first get_instance.
#include "drv_chip.h"
#include "lib_types.h"

class dac38j82_t : public drv_chip_t
{
public:
    static dac38j82_t *get_instance();

    // 85 and 170 through register 28; when both read back, register 28 = 0 and 1.
    // Otherwise "chip not ok! write_value:<w>,read_value:<r>" and 0.
    int32 check_chip() override;
    void write_reg(uint32 reg, uint32 value);
    int32 read_reg(uint32 reg);
    // Nothing: the DAC is set up by the transport's clock and DAC start-up.
    void init();

private:
    dac38j82_t() = default;
};
