#include "ad9122.h"

#include "drv_delay.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "gos.h"

namespace {

constexpr int32 DRV_AD9122_BITS = 16;
constexpr uint16 DRV_AD9122_BASE = 0xFFD8;
constexpr uint32 DRV_AD9122_CHIP_ID_REG = 31;
constexpr int32 DRV_AD9122_CHIP_ID = 8;
constexpr uint32 DRV_AD9122_FIFO_PHASE = 23;
constexpr uint32 DRV_AD9122_FIFO_LEVEL = 24;
constexpr uint32 DRV_AD9122_FIFO_STATUS = 25;
constexpr int32 DRV_AD9122_LEVEL_BIT = 0x04;
constexpr int32 DRV_AD9122_FIRST_PHASE = 5;
constexpr int32 DRV_AD9122_ATTEMPTS = 100;
constexpr int32 DRV_AD9122_LEVEL_POLLS = 100;

drv_fpga_t *fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

} // namespace

ad9122_t *ad9122_t::get_instance()
{
    static ad9122_t instance;
    return &instance;
}

void ad9122_t::write_reg(uint32 reg, uint32 value)
{
    fpga()->serial_write_reg(DRV_AD9122_BITS, DRV_AD9122_BASE, reg, value);
}

int32 ad9122_t::read_reg(uint32 reg)
{
    return fpga()->serial_read(DRV_AD9122_BITS, DRV_AD9122_BASE, reg);
}

int32 ad9122_t::check_chip()
{
    if (_fifo_fail == 1) {
        set_chip_info("reset fifo");
        return 0;
    }
    if (read_reg(DRV_AD9122_CHIP_ID_REG) == DRV_AD9122_CHIP_ID)
        return 1;
    set_chip_info("chip id");
    return 0;
}

int32 ad9122_t::set_fifo_phase(int32 value)
{
    write_reg(DRV_AD9122_FIFO_PHASE, static_cast<uint32>(value));
    return 1;
}

int32 ad9122_t::read_fifo_state()
{
    const int32 r = read_reg(DRV_AD9122_FIFO_STATUS);
    if ((r & ~0x08) == 7)
        return 0;
    if (r == 3)
        return 6;
    if (r < 32)
        return 5;
    return 4;
}

void ad9122_t::reset_fifo_level()
{
    drv_msleep(3.0L);
    write_reg(DRV_AD9122_FIFO_LEVEL, 2);
    int32 v = 0;
    bool set = false;
    for (int32 i = 0; i < DRV_AD9122_LEVEL_POLLS && !set; ++i) {
        drv_msleep(3.0L);
        v = read_reg(DRV_AD9122_FIFO_LEVEL);
        set = (v & DRV_AD9122_LEVEL_BIT) != 0;
    }
    if (!set) {
        gos_printf("reset_fifo_level:fifo_status_reg_value_18 = 0x%x\n", static_cast<unsigned>(v));
        write_reg(DRV_AD9122_FIFO_LEVEL, 2);
    }
    write_reg(DRV_AD9122_FIFO_LEVEL, 0);
    for (int32 i = 0; i < DRV_AD9122_LEVEL_POLLS; ++i) {
        drv_msleep(3.0L);
        v = read_reg(DRV_AD9122_FIFO_LEVEL);
        if ((v & DRV_AD9122_LEVEL_BIT) == 0)
            return;
    }
    write_reg(DRV_AD9122_FIFO_LEVEL, 0);
    gos_printf("reset_fifo_level:fifo_status_reg_value_18 = 0x%x\n", static_cast<unsigned>(v));
}

int32 ad9122_t::init()
{
    write_reg(0, 32);
    drv_msleep(10.0L);
    write_reg(0, 0);
    write_reg(3, 128);
    write_reg(30, 1);
    write_reg(13, 211);
    write_reg(10, 207);
    write_reg(10, 160);

    int32 phase = DRV_AD9122_FIRST_PHASE;
    int32 state = 0;
    for (int32 attempt = 0; attempt < DRV_AD9122_ATTEMPTS; ++attempt) {
        set_fifo_phase(phase);
        reset_fifo_level();
        state = read_fifo_state();
        if (state == 0) {
            _fifo_fail = 0;
            return 0;
        }
        phase = state;
    }
    _fifo_fail = 1;
    return state;
}

int32 ad9122_t::restart()
{
    _fifo_fail = 0;
    return init();
}
