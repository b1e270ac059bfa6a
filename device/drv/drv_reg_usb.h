#pragma once
// drv_reg_usb_t: the register transport of the USB module. Each access is one
// complete USB-TMC exchange through the library's USB-TMC device (usbtmc_driver.h);
// every frame is the payload of one DEV_DEP_MSG_OUT:
//
//   register write       addr[7:0]   0x80|addr[14:8]  value[7:0]  value[15:8]
//   register read        addr[7:0]   addr[14:8]                   (reply: x x lo hi)
//   data write, 16-bit   0x00        0x80             addr[7:0]   addr[15:8]  data...
//   data write, 24-bit   addr[23:16] 0x80             addr[7:0]   addr[15:8]  data...
//   data read            0x00        0x00             addr[7:0]   addr[15:8]  (reply: 4 bytes, data...)
//   wave block           16384 words as they lie in memory (32768 bytes, no address)
//
// The transport's state is process-wide: the open state (1 after a successful
// reg_init_spi_driver, 0 at load and after reg_close_spi_driver) and the USB-TMC
// device. Nothing is sent while the open state is 0: writes are dropped and reads
// return 0. When the open state is 1 but the USB-TMC device was marked closed
// (usbtmc_setinit), the next access opens the device again first.
#include "drv_reg_spi.h"

class drv_reg_usb_t : public drv_reg_spi_t
{
public:
    // Words of the one block size the module takes.
    static constexpr uint32 WAVE_BLOCK_WORDS = 16384;
    // The device selector of its block operations.
    static constexpr int32 DEVICE = -1;
    // The register that carries the serial chip bus.
    static constexpr uint32 SERIAL_WORD_REGISTER = 0xF0;

    // Prints "int drv_reg_usb_t::reg_init_spi_driver(void) ", creates and opens the
    // USB-TMC device: 0 and open state 1 when it opened, -1 (state unchanged) when not.
    int32 reg_init_spi_driver() override;
    // Open state 0, then closes the USB-TMC device.
    void reg_close_spi_driver() override;
    // The register value, or 0 when closed or when no full reply came.
    int32 reg_read_fpga_reg(uint32 address) override;
    // Sends the register write frame when open; 0 in every case.
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override;
    // Each word as its own write of register 240.
    void reg_write_fpga_word_list(const uint16 *words, uint16 count) override;
    // reg_write_fpga_data_block with device -1.
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override;
    // Reads nothing; 1.
    int32 reg_read_block(uint32 address, uint8 *data, uint32 count) override;
    // Sends a 16384-word wave block when open; any other count prints
    // "[ERROR]0 = reg_write_fpga_data_block data_size error  size = <count>;" and sends
    // nothing. 1 in every case.
    int32 reg_write_fpga_data_block(int32 device, uint32 address, const uint16 *words, uint32 count) override;
    // Data write frames ("[ERROR]0 = reg_write_fpga_data_by_byte g_usb error;" for null
    // data); 0 in every case.
    int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length) override;
    int32 reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length) override;
    // Sends the data read request and copies length reply bytes after the first 4 into
    // data; bytes that did not arrive read as 0. Closed: data is left untouched. Null
    // data prints "[ERROR]0 = reg_read_fpga_data g_usb error;". 0 in every case.
    int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length) override;

    bool replaces_reg_init_spi_driver() const override { return true; }
    bool replaces_reg_close_spi_driver() const override { return true; }
    bool replaces_reg_read_fpga_reg() const override { return true; }

private:
    int32 write_data(uint8 first_byte, uint16 address, const uint8 *data, uint32 length);
};
