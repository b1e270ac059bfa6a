#include "drv_reg_spi_zynq.h"

#include "dac38j82.h"
#include "drv_delay.h"
#include "drv_dma_window.h"
#include "gos.h"

#include <iterator>
#include <vector>

namespace {

struct drv_spi_reg_value_t
{
    uint16 reg;
    uint16 value;
};

constexpr const char *DRV_ZYNQ_SPI_DEVICE = "/dev/spidev32766.1";
constexpr int32 DRV_ZYNQ_OPEN_MODE = 2;
constexpr int32 DRV_ZYNQ_CLOCK_CTRL = 16;
constexpr uint32 DRV_ZYNQ_CLOCK_CTRL_CLEAR = (1u << 4) | (1u << 13);

constexpr uint32 DRV_ZYNQ_FPGA_LINK = 0xDD;
constexpr uint32 DRV_ZYNQ_FPGA_SERIAL = 0xF0;
constexpr uint32 DRV_ZYNQ_FPGA_MEM = 0xB1;

// Register values of the clock and DAC set-up that are not known here stay at this.
constexpr uint16 DRV_ZYNQ_UNKNOWN_VALUE = 0x0000;

// The clock distributor's registers 0x100 to 0x165 written in the main pass: all but
// the ones written elsewhere or left alone.
constexpr uint16 DRV_LMK_MAIN_SKIP[] = {0x102, 0x10A, 0x112, 0x11A, 0x122, 0x12A, 0x132, 0x149};

std::vector<drv_spi_reg_value_t> clock_chip_head()
{
    std::vector<drv_spi_reg_value_t> list = {{0x000, 0x80}, {0x149, 0x02}, {0x002, 0x00}};
    for (uint16 reg = 0x100; reg <= 0x165; ++reg) {
        bool skip = false;
        for (uint16 s : DRV_LMK_MAIN_SKIP)
            skip = skip || s == reg;
        if (!skip)
            list.push_back({reg, DRV_ZYNQ_UNKNOWN_VALUE});
    }
    for (uint16 reg : {0x171, 0x172, 0x17C, 0x17D})
        list.push_back({reg, DRV_ZYNQ_UNKNOWN_VALUE});
    for (uint16 reg = 0x166; reg <= 0x16E; ++reg)
        list.push_back({reg, DRV_ZYNQ_UNKNOWN_VALUE});
    for (drv_spi_reg_value_t rv : {drv_spi_reg_value_t{0x144, 0x78}, {0x143, 0x91}, {0x143, 0xB1}, {0x143, 0x91},
                                   {0x144, 0xFF}, {0x143, 0x11}})
        list.push_back(rv);
    return list;
}

constexpr drv_spi_reg_value_t DRV_LMK_SYNC[] = {{0x143, 0x31}, {0x143, 0x11}};
constexpr drv_spi_reg_value_t DRV_DAC_PRE_LINK[] = {{0x24, 0x0000}, {0x5C, 0x0000}};
constexpr drv_spi_reg_value_t DRV_DAC_LINK_UP[] = {{0x24, 0x0020}, {0x5C, 0x0002}, {0x4A, 0xFF1F}};
constexpr drv_spi_reg_value_t DRV_DAC_LINK_ENABLE = {0x4A, 0xFF01};

// The DAC's main set-up: three known writes, registers 0x03 to 0x4B (but 0x1A and
// 0x31) at the unknown value, registers 0x6E to 0x7D, and 0x6C last.
std::vector<drv_spi_reg_value_t> dac_setup()
{
    std::vector<drv_spi_reg_value_t> list = {{0x02, 0x2080}, {0x1A, 0x0020}, {0x31, 0x1000}};
    for (uint16 reg = 0x03; reg <= 0x4B; ++reg)
        if (reg != 0x1A && reg != 0x31)
            list.push_back({reg, DRV_ZYNQ_UNKNOWN_VALUE});
    for (uint16 reg = 0x6E; reg <= 0x7D; ++reg)
        list.push_back({reg, static_cast<uint16>(reg == 0x75 ? 0x0007 : 0x0000)});
    list.push_back({0x6C, 0x0000});
    return list;
}

int32 s_device = -1;

} // namespace

drv_reg_spi_zynq_t *drv_reg_spi_zynq_t::get_instance()
{
    static drv_reg_spi_zynq_t instance;
    return &instance;
}

int32 drv_reg_spi_zynq_t::get_device()
{
    return s_device;
}

int32 drv_reg_spi_zynq_t::reg_init_spi_driver()
{
    s_device = gos_open(DRV_ZYNQ_SPI_DEVICE, 0, DRV_ZYNQ_OPEN_MODE);
    if (s_device < 0)
        gos_printf("open spi device k7 fail !!!\n");
    return 1;
}

int32 drv_reg_spi_zynq_t::reg_read_fpga_reg(uint32) { return 0; }
int32 drv_reg_spi_zynq_t::reg_write_fpga_reg(uint32, uint32) { return 0; }
void drv_reg_spi_zynq_t::reg_write_fpga_word_list(const uint16 *, uint16) {}

int32 drv_reg_spi_zynq_t::reg_write_block(uint32 address, const uint16 *words, uint32 count)
{
    return reg_write_fpga_data_block(s_device, address, words, count);
}

int32 drv_reg_spi_zynq_t::reg_read_block(uint32 address, uint8 *data, uint32 count)
{
    return reg_read_fpga_data_block(s_device, address, data, count);
}

int32 drv_reg_spi_zynq_t::reg_write_clock_chip(uint32, uint32)
{
    drv_reg_window_write(DRV_ZYNQ_CLOCK_CTRL, drv_reg_window_read(DRV_ZYNQ_CLOCK_CTRL) & ~DRV_ZYNQ_CLOCK_CTRL_CLEAR);
    return 0;
}

int32 drv_reg_spi_zynq_t::reg_read_clock_chip(uint32) { return 0; }

void drv_reg_spi_zynq_t::reg_init_clock_chip()
{
    const bool registers = carries_fpga_registers();
    auto read = [&](uint32 reg) { return registers ? static_cast<uint32>(reg_read_fpga_reg(reg)) : 0u; };
    auto write = [&](uint32 reg, uint32 value) {
        if (registers)
            reg_write_fpga_reg(reg, value);
    };
    auto clock = [&](drv_spi_reg_value_t rv) { reg_write_clock_chip(rv.reg, rv.value); };
    dac38j82_t *dac = dac38j82_t::get_instance();
    auto dac_write = [&](drv_spi_reg_value_t rv) { dac->write_reg(rv.reg, rv.value); };

    drv_msleep(1.0L);
    if (registers)
        write(DRV_ZYNQ_FPGA_LINK, read(DRV_ZYNQ_FPGA_LINK) & 0x9F);
    for (drv_spi_reg_value_t rv : clock_chip_head())
        clock(rv);

    uint32 v = read(DRV_ZYNQ_FPGA_SERIAL);
    write(DRV_ZYNQ_FPGA_SERIAL, v & 0xBF);
    drv_msleep(100.0L);
    write(DRV_ZYNQ_FPGA_SERIAL, (v & 0xBF) | 0x40);

    for (drv_spi_reg_value_t rv : DRV_DAC_PRE_LINK)
        dac_write(rv);

    v = read(DRV_ZYNQ_FPGA_MEM);
    write(DRV_ZYNQ_FPGA_MEM, v | 0x4000);
    drv_msleep(100.0L);
    write(DRV_ZYNQ_FPGA_MEM, v & 0xBFFF);

    for (drv_spi_reg_value_t rv : DRV_LMK_SYNC)
        clock(rv);
    for (drv_spi_reg_value_t rv : dac_setup())
        dac_write(rv);
    drv_msleep(100.0L);

    for (drv_spi_reg_value_t rv : DRV_DAC_LINK_UP)
        dac_write(rv);
    drv_msleep(100.0L);
    dac_write(DRV_DAC_LINK_ENABLE);
    drv_msleep(100.0L);

    if (registers)
        write(DRV_ZYNQ_FPGA_LINK, read(DRV_ZYNQ_FPGA_LINK) | 0x20);
}

int32 drv_zynq_reg_write(uint32 reg, uint32 value)
{
    drv_reg_spi_zynq_t *t = drv_reg_spi_zynq_t::get_instance();
    if (t->carries_fpga_registers())
        t->reg_write_fpga_reg(reg, value);
    return 1;
}

int32 drv_zynq_reg_read(uint32 reg)
{
    drv_reg_spi_zynq_t *t = drv_reg_spi_zynq_t::get_instance();
    return t->carries_fpga_registers() ? t->reg_read_fpga_reg(reg) : 0;
}

int32 drv_zynq_clock_write(uint32 reg, uint32 value)
{
    drv_reg_spi_zynq_t::get_instance()->reg_write_clock_chip(reg, value);
    return 1;
}

int32 drv_zynq_clock_read(uint32 reg)
{
    // The instance is this class itself, whose clock-chip read carries nothing.
    drv_reg_spi_zynq_t *t = drv_reg_spi_zynq_t::get_instance();
    return t->carries_fpga_registers() ? t->reg_read_clock_chip(reg) : 0;
}
