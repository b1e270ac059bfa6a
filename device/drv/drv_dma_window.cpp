#include "drv_dma_window.h"

#include "drv_instance_manage.h"
#include "drv_reg_spi.h"

namespace {

constexpr uint32 DRV_MEM_REG_CONTROL = 0xB1;
constexpr uint32 DRV_MEM_REG_ADDR_HI = 0xB3;
constexpr uint32 DRV_MEM_REG_ADDR_LO = 0xB5;
constexpr uint32 DRV_MEM_REG_VALUE_HI = 0xB7;
constexpr uint32 DRV_MEM_REG_VALUE_LO = 0xB9;
constexpr uint32 DRV_MEM_LOAD_ADDRESS = 0x2000;
constexpr uint32 DRV_MEM_LOAD_VALUE = 0x1000;

const drv_dma_window_source_t *s_source = nullptr;
uint32 *s_reg_window = nullptr;
uint32 *s_dma_window[2] = {nullptr, nullptr};
int32 s_descriptor[3] = {-1, -1, -1};

uint32 *dma_window(int32 selector)
{
    return s_dma_window[selector != 0 ? 1 : 0];
}

drv_reg_spi_t *transport()
{
    return drv_instance_manage_t::get_instance()->get_reg_transport();
}

void mem_pulse(drv_reg_spi_t *t, uint32 bit)
{
    const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(DRV_MEM_REG_CONTROL));
    t->reg_write_fpga_reg(DRV_MEM_REG_CONTROL, v & ~bit);
    t->reg_write_fpga_reg(DRV_MEM_REG_CONTROL, v | bit);
    t->reg_write_fpga_reg(DRV_MEM_REG_CONTROL, v & ~bit);
}

} // namespace

void drv_dma_set_window_source(const drv_dma_window_source_t *source)
{
    s_source = source;
    drv_dma_reset_windows();
}

const drv_dma_window_source_t *drv_dma_get_window_source()
{
    return s_source;
}

void drv_dma_reset_windows()
{
    s_reg_window = s_source ? s_source->reg_window : nullptr;
    s_dma_window[0] = s_source ? s_source->dma_window[0] : nullptr;
    s_dma_window[1] = s_source ? s_source->dma_window[1] : nullptr;
    for (int32 &d : s_descriptor)
        d = -1;
}

int32 drv_dma_window_descriptor(int32 which)
{
    return which >= 0 && which < 3 ? s_descriptor[which] : -1;
}

int32 drv_reg_window_write(int32 reg, uint32 value)
{
    if (!s_reg_window || reg < 0)
        return 1;
    s_reg_window[reg] = value;
    if (s_source && s_source->reg_write_hook)
        s_source->reg_write_hook(s_source->hook_context, reg, value);
    return 1;
}

uint32 drv_reg_window_read(int32 reg)
{
    if (!s_reg_window || reg < 0)
        return 0;
    const uint32 stored = s_reg_window[reg];
    if (s_source && s_source->reg_read_hook)
        return s_source->reg_read_hook(s_source->hook_context, reg, stored);
    return stored;
}

int32 drv_dma_write(int32 selector, uint32 offset, uint32 value)
{
    if (uint32 *window = dma_window(selector))
        window[offset / 4] = value;
    return 1;
}

uint32 drv_dma_read(int32 selector, uint32 offset)
{
    const uint32 *window = dma_window(selector);
    return window ? window[offset / 4] : 0;
}

int32 drv_mem_set_address(int32 control, int32, uint32 address)
{
    drv_reg_spi_t *t = transport();
    t->reg_write_fpga_reg(DRV_MEM_REG_CONTROL, static_cast<uint32>(control));
    t->reg_write_fpga_reg(DRV_MEM_REG_ADDR_HI, address >> 16);
    t->reg_write_fpga_reg(DRV_MEM_REG_ADDR_LO, address & 0xFFFF);
    mem_pulse(t, DRV_MEM_LOAD_ADDRESS);
    return 1;
}

uint32 drv_mem_read_value(int32 control)
{
    drv_reg_spi_t *t = transport();
    t->reg_write_fpga_reg(DRV_MEM_REG_CONTROL, static_cast<uint32>(control));
    mem_pulse(t, DRV_MEM_LOAD_VALUE);
    const uint32 high = static_cast<uint32>(t->reg_read_fpga_reg(DRV_MEM_REG_VALUE_HI));
    const uint32 low = static_cast<uint32>(t->reg_read_fpga_reg(DRV_MEM_REG_VALUE_LO));
    return (high << 16) | low;
}

int32 drv_dma_length_remainder(int32 x)
{
    // In 64 bits: 8x overflows 32 bits for the larger sample-rate waves.
    const int64 bits = 8 * static_cast<int64>(x);
    if (bits <= 0xFFFFFD || (bits <= 0x1FFFFFB && x % 4 == 0))
        return 0;
    return x % 8;
}

uint16 drv_swap16(uint16 v)
{
    return static_cast<uint16>((v >> 8) | (v << 8));
}

uint32 drv_swap24(uint32 v)
{
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

uint32 drv_swap32(uint32 v)
{
    return (v >> 24) | ((v >> 8) & 0xFF00) | ((v << 8) & 0xFF0000) | (v << 24);
}

uint64 drv_swap64(uint64 v)
{
    return (static_cast<uint64>(drv_swap32(static_cast<uint32>(v))) << 32) | drv_swap32(static_cast<uint32>(v >> 32));
}
