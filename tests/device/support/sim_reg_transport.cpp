#include "sim_reg_transport.h"

#include "drv_instance_manage.h"

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
    return _open ? _sim.read_reg(address) : 0;
}

int32 sim_reg_transport_t::reg_write_fpga_reg(uint32 address, uint32 value)
{
    if (_open)
        _sim.write_reg(address, static_cast<uint16>(value));
    return 0;
}

void sim_reg_transport_t::reg_write_fpga_word_list(const uint16 *words, uint16 count)
{
    if (_open && words)
        _sim.write_word_list(words, count);
}

int32 sim_reg_transport_t::reg_write_block(uint32 address, const uint16 *words, uint32 count)
{
    if (_open && words)
        _sim.write_block(address, words, count);
    return 1;
}

int32 sim_reg_transport_t::reg_read_block(uint32 address, uint8 *, uint32 count)
{
    if (_open)
        _sim.read_block(address, count);
    return 1;
}

int32 sim_reg_transport_t::reg_write_fpga_data_block(int32, uint32 address, const uint16 *words, uint32 count)
{
    return reg_write_block(address, words, count);
}

int32 sim_reg_transport_t::reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length)
{
    if (_open && data)
        _sim.write_bytes(address, data, length, false);
    return 0;
}

int32 sim_reg_transport_t::reg_read_fpga_data(uint16 address, uint8 *data, uint32 length)
{
    if (_open && data)
        _sim.read_bytes(address, data, length);
    return 0;
}

int32 sim_reg_transport_t::reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length)
{
    if (_open && data)
        _sim.write_bytes(address & 0xFFFFFF, data, length, true);
    return 0;
}

void sim_install_reg_transport(sim_fpga_t &sim)
{
    sim_fpga_t *target = &sim;
    drv_set_reg_transport_factory([target] { return std::make_unique<sim_reg_transport_t>(*target); });
}
