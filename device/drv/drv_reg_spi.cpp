#include "drv_reg_spi.h"

#include <vector>

namespace {

// First byte of an SPI block frame: write or read, then the address's low byte.
constexpr uint8 DRV_SPI_BLOCK_WRITE = 0xC0;
constexpr uint8 DRV_SPI_BLOCK_READ = 0x40;

} // namespace

int32 drv_reg_spi_t::reg_init_spi_driver() { return 1; }
void drv_reg_spi_t::reg_close_spi_driver() {}
int32 drv_reg_spi_t::reg_read_fpga_reg(uint32) { return 1; }
int32 drv_reg_spi_t::reg_write_fpga_reg(uint32, uint32) { return 1; }
void drv_reg_spi_t::reg_write_spi_raw(int32, const uint8 *, uint32) {}
void drv_reg_spi_t::reg_read_spi_raw(int32, uint8 *, uint32) {}
void drv_reg_spi_t::reg_write_fpga_word_list(const uint16 *, uint16) {}
int32 drv_reg_spi_t::reg_write_block(uint32, const uint16 *, uint32) { return 1; }
int32 drv_reg_spi_t::reg_read_block(uint32, uint8 *, uint32) { return 1; }

int32 drv_reg_spi_t::reg_write_fpga_data_block(int32 device, uint32 address, const uint16 *words, uint32 count)
{
    const uint8 header[2] = {DRV_SPI_BLOCK_WRITE, static_cast<uint8>(address)};
    reg_write_spi_raw(device, header, sizeof header);
    reg_write_spi_raw(device, reinterpret_cast<const uint8 *>(words), 2 * count);
    return 1;
}

int32 drv_reg_spi_t::reg_read_fpga_data_block(int32 device, uint32 address, uint8 *data, uint32 count)
{
    const uint8 header[2] = {DRV_SPI_BLOCK_READ, static_cast<uint8>(address)};
    reg_write_spi_raw(device, header, sizeof header);
    std::vector<uint8> pairs(2 * static_cast<std::size_t>(count));
    reg_read_spi_raw(device, pairs.data(), 2 * count);
    for (uint32 i = 0; data && i < count; ++i)
        data[i] = pairs[2 * static_cast<std::size_t>(i) + 1];
    return 1;
}

int32 drv_reg_spi_t::reg_write_fpga_words(uint32 address, const uint16 *words, uint32 count)
{
    return reg_write_block(address, words, count);
}

void drv_reg_spi_t::reg_init_clock_chip() {}
int32 drv_reg_spi_t::reg_write_clock_chip(uint32, uint32) { return 1; }
int32 drv_reg_spi_t::reg_read_clock_chip(uint32) { return 1; }
int32 drv_reg_spi_t::reg_write_fpga_data_by_byte(uint16, const uint8 *, uint32) { return 1; }
int32 drv_reg_spi_t::reg_read_fpga_data(uint16, uint8 *, uint32) { return 1; }
int32 drv_reg_spi_t::reg_write_fpga_data_by_byte(uint32, const uint8 *, uint32) { return 1; }
