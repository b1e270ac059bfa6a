#include "drv_chip24.h"

#include "drv_delay.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"

namespace {

constexpr int32 DRV_CHIP24_BITS = 24;
constexpr uint16 DRV_CHIP24_BASE = 0xFFB0;

} // namespace

drv_fpga_t *drv_chip24_get_instance()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

void drv_chip24_write_reg(uint32 reg, uint32 value)
{
    drv_chip24_get_instance()->serial_write_reg(DRV_CHIP24_BITS, DRV_CHIP24_BASE, 0, value | reg);
}

int32 drv_chip24_read_reg(uint32 reg)
{
    return drv_chip24_get_instance()->serial_read(DRV_CHIP24_BITS, DRV_CHIP24_BASE, reg);
}

void drv_chip24_init()
{
    drv_chip24_write_reg(1, 200);
    drv_chip24_write_reg(0, 4206976);
    drv_msleep(20.0L);
    drv_chip24_write_reg(2, 96000);
    drv_msleep(5.0L);
}
