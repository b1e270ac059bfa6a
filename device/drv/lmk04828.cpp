#include "lmk04828.h"

#include "drv_delay.h"
#include "drv_reg_spi_zynq.h"
#include "gos.h"

namespace {

constexpr uint32 DRV_LMK04828_ID_REG = 3;
constexpr int32 DRV_LMK04828_ID = 6;

} // namespace

lmk04828_t *lmk04828_t::get_instance()
{
    static lmk04828_t instance;
    return &instance;
}

void lmk04828_t::write_reg(uint32 reg, uint32 value)
{
    drv_reg_spi_zynq_t::get_instance()->drv_reg_spi_zynq_t::reg_write_clock_chip(reg, value);
    drv_msleep(1.0L);
}

int32 lmk04828_t::read_reg(uint32 reg)
{
    return drv_reg_spi_zynq_t::get_instance()->drv_reg_spi_zynq_t::reg_read_clock_chip(reg);
}

int32 lmk04828_t::check_chip()
{
    const int32 v = read_reg(DRV_LMK04828_ID_REG);
    if (v == DRV_LMK04828_ID)
        return 1;
    gos_printf("chip not ok! ,read_value:%d,default is:6\n", v);
    return 0;
}
