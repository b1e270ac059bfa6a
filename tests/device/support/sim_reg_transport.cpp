#include "sim_reg_transport.h"

#include "drv_instance_manage.h"

#include <utility>

sim_reg_transport_t::sim_reg_transport_t(sim_fpga_t &sim) : sim_reg_transport_t(sim.handle()) {}

sim_reg_transport_t::sim_reg_transport_t(std::shared_ptr<sim_fpga_t *const> sim) : _sim(std::move(sim))
{
    if (*_sim)
        ++(*_sim)->_handle.transports;
}

sim_reg_transport_t::~sim_reg_transport_t()
{
    if (*_sim)
        --(*_sim)->_handle.transports;
}

int32 sim_reg_transport_t::reg_init_spi_driver()
{
    _open = true;
    return 0;
}

void sim_reg_transport_t::reg_close_spi_driver()
{
    _open = false;
}

int32 sim_reg_transport_t::reg_read_fpga_reg(uint32 address)
{
    sim_fpga_t *sim = target();
    return sim ? sim->read_reg(address) : 0;
}

int32 sim_reg_transport_t::reg_write_fpga_reg(uint32 address, uint32 value)
{
    if (sim_fpga_t *sim = target())
        sim->write_reg(address, static_cast<uint16>(value));
    return 0;
}

void sim_reg_transport_t::reg_write_fpga_word_list(const uint16 *words, uint16 count)
{
    if (sim_fpga_t *sim = target(); sim && words)
        sim->write_word_list(words, count);
}

int32 sim_reg_transport_t::reg_write_block(uint32 address, const uint16 *words, uint32 count)
{
    if (sim_fpga_t *sim = target(); sim && words)
        sim->write_block(address, words, count);
    return 1;
}

int32 sim_reg_transport_t::reg_read_block(uint32 address, uint8 *, uint32 count)
{
    if (sim_fpga_t *sim = target())
        sim->read_block(address, count);
    return 1;
}

int32 sim_reg_transport_t::reg_write_fpga_data_block(int32, uint32 address, const uint16 *words, uint32 count)
{
    return reg_write_block(address, words, count);
}

int32 sim_reg_transport_t::reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length)
{
    if (sim_fpga_t *sim = target(); sim && data)
        sim->write_bytes(address, data, length, false);
    return 0;
}

int32 sim_reg_transport_t::reg_read_fpga_data(uint16 address, uint8 *data, uint32 length)
{
    if (sim_fpga_t *sim = target(); sim && data)
        sim->read_bytes(address, data, length);
    return 0;
}

int32 sim_reg_transport_t::reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length)
{
    if (sim_fpga_t *sim = target(); sim && data)
        sim->write_bytes(address & 0xFFFFFF, data, length, true);
    return 0;
}

void sim_install_reg_transport(sim_fpga_t &sim)
{
    std::shared_ptr<sim_fpga_t *const> handle = sim.handle();
    // Built over the handle, so a manager rebuilt after the simulator is gone gets a
    // transport that drops everything rather than the USB default.
    drv_set_reg_transport_factory([handle] { return std::make_unique<sim_reg_transport_t>(handle); });
    drv_reset_driver_layer();
}
