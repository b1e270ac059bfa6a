#pragma once
// sim_reg_transport_t: every drv_reg_spi_t operation over a sim_fpga_t, with the
// results the USB transport gives (register writes 0, blocks 1, byte transfers 0).
// Like the USB transport it sends nothing until reg_init_spi_driver (which answers 0
// and opens it) and after reg_close_spi_driver: writes are dropped and reads give 0.
// Unlike it, blocks of any size reach the simulator, so upper layers can check what
// they hand to the transport.
//
// It holds the simulator's handle, not the simulator: once the simulator is gone it
// behaves as closed. sim_install_reg_transport makes the instance manager create one
// over the given simulator and drops the driver layer already built (by an earlier test
// in the same process): the next accessor builds a new one over the simulator.
#include "drv_reg_spi.h"
#include "sim_fpga.h"

#include <memory>

class sim_reg_transport_t : public drv_reg_spi_t
{
public:
    explicit sim_reg_transport_t(sim_fpga_t &sim);
    // Over a simulator's handle: a simulator already gone gives a transport that drops
    // everything.
    explicit sim_reg_transport_t(std::shared_ptr<sim_fpga_t *const> sim);
    ~sim_reg_transport_t() override;
    sim_reg_transport_t(const sim_reg_transport_t &) = delete;
    sim_reg_transport_t &operator=(const sim_reg_transport_t &) = delete;

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
    // The simulator while the transport is open and the simulator lives, else null.
    sim_fpga_t *target() const { return _open ? *_sim : nullptr; }

    std::shared_ptr<sim_fpga_t *const> _sim;
    bool _open = false;
};

void sim_install_reg_transport(sim_fpga_t &sim);
