#pragma once
// umockdev_tmc_module_t: the waveform-generator module as an emulated USB-TMC device
// (real libusb reaches it through umockdev). It decodes each message's payload as the
// register transport frames it, by length:
//
//   2 bytes                  register read request  -> reply addr_lo addr_hi lo hi
//   4 bytes, byte 1 bit 7    register write
//   4 bytes, byte 1 bit 7 0  data read request      -> reply the 4 bytes, then flash data
//   32768 bytes              wave block (logged as a block at address 0)
//   any other length above 4 data write (24-bit when byte 0 is not 0)
//
// and serves them from its sim_fpga_t. A data read answers flash bytes from the
// address up to the end of the image, or set_data_read_length bytes.
//
// The simulator is served on umockdev's worker thread; read it from the test between
// transfers (each transfer has completed when the library call returns).
#include "sim_fpga.h"
#include "usbtmc_emulated_device.h"

class umockdev_tmc_module_t : public usbtmc_emulated_device_t
{
public:
    // The module's ids and a USB-TMC interface at position 0 with endpoints 0x02,
    // 0x81 and 0x83.
    static usbtmc_emulated_config_t module_config();

    explicit umockdev_tmc_module_t(usb_testbed_t &testbed, const usbtmc_emulated_config_t &config = module_config());

    sim_fpga_t &sim() { return _sim; }
    void set_data_read_length(std::size_t bytes);

protected:
    bool handle_message(const std::vector<std::uint8_t> &message, std::vector<std::uint8_t> *reply) override;

private:
    sim_fpga_t _sim;
    std::size_t _data_read_length = 0;
};
