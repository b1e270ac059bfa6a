#pragma once
// drv_reg_spi_arm_t: the SPI transport of products 0 and 1. It opens nothing, its
// register accesses do nothing, and its blocks go through the base class's SPI block
// framing, whose raw SPI entries move no data. Product 4 never creates it.
#include "drv_reg_spi.h"

class drv_reg_spi_arm_t : public drv_reg_spi_t
{
public:
    // Its device selector for the block operations.
    static constexpr int32 DEVICE = -1;

    int32 reg_init_spi_driver() override;
    void reg_close_spi_driver() override;
    int32 reg_read_fpga_reg(uint32 address) override;
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override;
    void reg_write_fpga_word_list(const uint16 *words, uint16 count) override;
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override;
    int32 reg_read_block(uint32 address, uint8 *data, uint32 count) override;

    bool replaces_reg_init_spi_driver() const override { return true; }
    bool replaces_reg_close_spi_driver() const override { return true; }
    bool replaces_reg_read_fpga_reg() const override { return true; }
};
