#pragma once
// lmk04828_t: the second platform's clock distributor, reached through the clock-chip
// operations of the second platform's SPI transport (drv_reg_spi_zynq_t), called on
// that class directly. Those operations carry no register value, so the chip reads 0
// and its check fails in this library. One instance, built on the first get_instance.
#include "drv_chip.h"
#include "lib_types.h"

class lmk04828_t : public drv_chip_t
{
public:
    static lmk04828_t *get_instance();

    // 1 when register 3 reads 6; otherwise "chip not ok! ,read_value:<v>,default is:6"
    // and 0.
    int32 check_chip() override;
    // The transport's clock-chip write, then 1 ms.
    void write_reg(uint32 reg, uint32 value);
    int32 read_reg(uint32 reg);

private:
    lmk04828_t() = default;
};
