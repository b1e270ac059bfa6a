#include "drv_reg_spi_arm.h"

int32 drv_reg_spi_arm_t::reg_init_spi_driver() { return 0; }
void drv_reg_spi_arm_t::reg_close_spi_driver() {}
int32 drv_reg_spi_arm_t::reg_read_fpga_reg(uint32) { return 0; }
int32 drv_reg_spi_arm_t::reg_write_fpga_reg(uint32, uint32) { return 0; }
void drv_reg_spi_arm_t::reg_write_fpga_word_list(const uint16 *, uint16) {}

int32 drv_reg_spi_arm_t::reg_write_block(uint32 address, const uint16 *words, uint32 count)
{
    return reg_write_fpga_data_block(DEVICE, address, words, count);
}

int32 drv_reg_spi_arm_t::reg_read_block(uint32 address, uint8 *data, uint32 count)
{
    return reg_read_fpga_data_block(DEVICE, address, data, count);
}
