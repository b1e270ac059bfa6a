#include "dac38j82.h"

#include "drv_delay.h"
#include "drv_fpga_dravine.h"
#include "gos.h"

namespace {

constexpr int32 DRV_DAC38J82_BITS = 24;
constexpr uint16 DRV_DAC38J82_BASE = 0xFFD8;
constexpr uint32 DRV_DAC38J82_CHECK_REG = 28;
constexpr uint32 DRV_DAC38J82_PATTERN[2] = {85, 170};

} // namespace

dac38j82_t *dac38j82_t::get_instance()
{
    static dac38j82_t instance;
    return &instance;
}

void dac38j82_t::write_reg(uint32 reg, uint32 value)
{
    {
        drv_fpga_dravine_t fpga;
        fpga.serial_frame_write(DRV_DAC38J82_BITS, DRV_DAC38J82_BASE, reg, value & 0xFFFF);
    }
    drv_msleep(1.0L);
}

int32 dac38j82_t::read_reg(uint32 reg)
{
    drv_fpga_dravine_t fpga;
    return fpga.serial_frame_read(DRV_DAC38J82_BITS, DRV_DAC38J82_BASE, reg);
}

int32 dac38j82_t::check_chip()
{
    for (uint32 pattern : DRV_DAC38J82_PATTERN) {
        write_reg(DRV_DAC38J82_CHECK_REG, pattern);
        const int32 read = read_reg(DRV_DAC38J82_CHECK_REG);
        if (static_cast<uint32>(read) != pattern) {
            gos_printf("chip not ok! write_value:%u,read_value:%d\n", pattern, read);
            return 0;
        }
    }
    write_reg(DRV_DAC38J82_CHECK_REG, 0);
    return 1;
}

void dac38j82_t::init() {}
