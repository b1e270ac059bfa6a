#pragma once
// drv_reg_spi_zynq_t: the register transport of the second platform. Its FPGA
// registers are memory-mapped (drv_dma_window.h), so its register operations move
// nothing; its blocks go through the SPI block framing on the device it opened; and
// its clock-chip start-up sets up the clock distributor and the JESD DAC (dac38j82_t).
// The instance manager of this library never creates it.
#include "drv_reg_spi.h"

class drv_reg_spi_zynq_t : public drv_reg_spi_t
{
public:
    static drv_reg_spi_zynq_t *get_instance();

    // The process-wide device selector: -1 at load, then what the open returned.
    static int32 get_device();

    // Opens "/dev/spidev32766.1" (gos_open, flags 0, mode 2) as the device selector;
    // a negative result prints "open spi device k7 fail !!!". 1 in every case.
    int32 reg_init_spi_driver() override;
    // 0, nothing read.
    int32 reg_read_fpga_reg(uint32 address) override;
    // Nothing written; 0.
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override;
    void reg_write_fpga_word_list(const uint16 *words, uint16 count) override;
    // The SPI block operations on the device selector.
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override;
    int32 reg_read_block(uint32 address, uint8 *data, uint32 count) override;
    // The clock and DAC start-up: 118 clock-chip writes and 97 DAC writes with the FPGA
    // register steps between them (made only by a subclass that carries registers; the
    // waits between them always happen).
    void reg_init_clock_chip() override;
    // Clears bits 4 and 13 of register 16 of the register window; register and value
    // are not carried. 0.
    int32 reg_write_clock_chip(uint32 reg, uint32 value) override;
    // 0.
    int32 reg_read_clock_chip(uint32 reg) override;

    bool replaces_reg_init_spi_driver() const override { return true; }
    bool replaces_reg_read_fpga_reg() const override { return true; }
    bool replaces_reg_init_clock_chip() const override { return true; }
    bool replaces_reg_write_clock_chip() const override { return true; }
    // Whether operations 2 and 3 of the object carry FPGA registers (this class's move
    // nothing, so the start-up skips its register steps).
    virtual bool carries_fpga_registers() const { return false; }
};

// Over get_instance, skipping register operations the instance keeps from this class:
// register write (1), register read (0 when skipped), clock-chip write (1) and clock-
// chip read (0 when skipped).
int32 drv_zynq_reg_write(uint32 reg, uint32 value);
int32 drv_zynq_reg_read(uint32 reg);
int32 drv_zynq_clock_write(uint32 reg, uint32 value);
int32 drv_zynq_clock_read(uint32 reg);
