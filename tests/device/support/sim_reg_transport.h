#pragma once
// sim_reg_transport_t: every drv_reg_spi_t operation over a sim_fpga_t, with the
// results the USB transport gives (register writes 0, blocks 1, byte transfers 0).
// Like the USB transport it sends nothing until reg_init_spi_driver (which answers 0
// and opens it) and after reg_close_spi_driver: writes are dropped and reads give 0.
// Unlike it, blocks of any size reach the simulator, so upper layers can check what
// they hand to the transport.
//
// sim_install_reg_transport makes the instance manager create one over the given
// simulator; call it before the first accessor of the driver layer.
#include "drv_reg_spi.h"
#include "sim_fpga.h"

class sim_reg_transport_t : public drv_reg_spi_t
{
public:
    explicit sim_reg_transport_t(sim_fpga_t &sim) : _sim(sim) {}

    bool is_open() const { return _open; }

    int32 reg_init_spi_driver() override;
    void reg_close_spi_driver() override;
    int32 reg_read_fpga_reg(uint32 address) override;
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override;
    void reg_write_fpga_word_list(const uint16 *words, uint16 count) override;
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override;
    int32 reg_read_block(uint32 address, uint8 *data, uint32 count) override;
    int32 reg_write_fpga_data_block(int32 device, uint32 address, const uint16 *words, uint32 count) override;
    int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length) override;
    int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length) override;
    int32 reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length) override;

    bool replaces_reg_init_spi_driver() const override { return true; }
    bool replaces_reg_close_spi_driver() const override { return true; }
    bool replaces_reg_read_fpga_reg() const override { return true; }

private:
    sim_fpga_t &_sim;
    bool _open = false;
};

void sim_install_reg_transport(sim_fpga_t &sim);
