#pragma once
// ad9122_t: the second platform's 16-bit DAC on the FPGA's serial bus (16-bit frames
// (register << 8) | value, base word 0xFFD8), with the FIFO tuning of its start-up.
// One instance, built on the first get_instance.
#include "drv_chip.h"
#include "lib_types.h"

class ad9122_t : public drv_chip_t
{
public:
    static ad9122_t *get_instance();

    // 0 with "reset fifo" after a FIFO tuning that gave up; otherwise 1 when register 31
    // (chip id) reads 8, else 0 with "chip id".
    int32 check_chip() override;

    void write_reg(uint32 reg, uint32 value);
    // The low byte of the serial read.
    int32 read_reg(uint32 reg);
    // Reset, set-up writes and the FIFO tuning: 0 when the FIFO came in line, else the
    // last FIFO state after 100 attempts (the FIFO then counts as failed).
    int32 init();
    // The failure mark cleared, then init.
    int32 restart();
    int32 get_fifo_fail() const { return _fifo_fail; }
    void set_fifo_fail(int32 fail) { _fifo_fail = fail; }
    // Register 23 = value; 1.
    int32 set_fifo_phase(int32 value);
    // Register 24 pulsed 2 then 0, each waiting for the level bit (bit 2); a bit that
    // does not follow is reported and the write repeated.
    void reset_fifo_level();
    // Register 25 as the next phase value: 0 when the FIFO is in line (7 or 15), 6 for
    // 3, 5 for other values below 32, else 4.
    int32 read_fifo_state();

private:
    ad9122_t() = default;

    int32 _fifo_fail = 0;
};
