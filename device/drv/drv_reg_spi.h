#pragma once
// drv_reg_spi_t: the register transport, the one way from the drivers to the
// hardware. Every register, word list, block and flash byte ends in one of these 18
// operations (declared in this order). Each has a default body; the transports
// replace what they carry: drv_reg_usb_t on the USB module, drv_reg_spi_arm_t for
// products 0 and 1, and test transports.
//
// Operations 15 and 17 are overloads of one name: pass an explicitly typed uint16 or
// uint32 address, since an int matches both.
#include "lib_types.h"

class drv_reg_spi_t
{
public:
    virtual ~drv_reg_spi_t() = default;

    // 0: opens the transport; the default returns 1.
    virtual int32 reg_init_spi_driver();
    // 1: closes it; the default does nothing.
    virtual void reg_close_spi_driver();
    // 2: a 16-bit register read; the default returns 1.
    virtual int32 reg_read_fpga_reg(uint32 address);
    // 3: a 16-bit register write; the default returns 1.
    virtual int32 reg_write_fpga_reg(uint32 address, uint32 value);
    // 4, 5: raw SPI bytes to or from a bus device; the defaults move nothing.
    virtual void reg_write_spi_raw(int32 device, const uint8 *data, uint32 length);
    virtual void reg_read_spi_raw(int32 device, uint8 *data, uint32 length);
    // 6: words written to FPGA register 240 in turn (the serial chip bus); default
    // does nothing.
    virtual void reg_write_fpga_word_list(const uint16 *words, uint16 count);
    // 7, 8: small chip data blocks; the defaults return 1.
    virtual int32 reg_write_block(uint32 address, const uint16 *words, uint32 count);
    virtual int32 reg_read_block(uint32 address, uint8 *data, uint32 count);
    // 9, 10: SPI block transfers; the defaults frame them for reg_write_spi_raw and
    // reg_read_spi_raw and return 1.
    virtual int32 reg_write_fpga_data_block(int32 device, uint32 address, const uint16 *words, uint32 count);
    virtual int32 reg_read_fpga_data_block(int32 device, uint32 address, uint8 *data, uint32 count);
    // 11: channel wave and table data; the default is reg_write_block.
    virtual int32 reg_write_fpga_words(uint32 address, const uint16 *words, uint32 count);
    // 12, 13, 14: clock-chip set-up; the defaults do nothing and return 1.
    virtual void reg_init_clock_chip();
    virtual int32 reg_write_clock_chip(uint32 reg, uint32 value);
    virtual int32 reg_read_clock_chip(uint32 reg);
    // 15: data bytes to a 16-bit FPGA address; the default returns 1.
    virtual int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length);
    // 16: data bytes from a 16-bit FPGA address; the default returns 1.
    virtual int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length);
    // 17: data bytes to a 24-bit FPGA address; the default returns 1.
    virtual int32 reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length);

    // Whether the transport replaces the default of operations 0, 1 and 2. Callers that
    // skip an operation left at its default ask these; the base answers false.
    virtual bool replaces_reg_init_spi_driver() const { return false; }
    virtual bool replaces_reg_close_spi_driver() const { return false; }
    virtual bool replaces_reg_read_fpga_reg() const { return false; }
    // The same for operations 12 and 13 (the second platform's FPGA start-up).
    virtual bool replaces_reg_init_clock_chip() const { return false; }
    virtual bool replaces_reg_write_clock_chip() const { return false; }
};
