#include "fpga_ram.h"

#include "drv_fpga_reg.h"
#include "drv_reg_access.h"
#include "gos.h"

#include <string>

namespace {

constexpr uint32 FPGA_RAM_READY = 0x0800;
constexpr int FPGA_RAM_TEST_SECONDS = 5;

struct fpga_ram_check_t
{
    uint32 bit;
    uint32 required;
    const char *text;
};

constexpr fpga_ram_check_t FPGA_RAM_CHECKS[] = {
    {10, 1, "b10-m2 rdy;"}, {9, 1, "b9-m1 rdy;"},  {8, 0, "b8-m2 cal;"},  {7, 0, "b7-m1 cal;"},
    {6, 1, "b6-m2 cal;"},   {5, 1, "b5-m1 cal;"},  {4, 0, "b4-m2 test;"}, {3, 0, "b3-m1 test;"},
    {2, 1, "b2-m2 test;"},  {1, 1, "b1-m1 test;"},
};

} // namespace

fpga_ram_t *fpga_ram_t::get_instance()
{
    static fpga_ram_t instance;
    return &instance;
}

void fpga_ram_t::init() {}

int32 fpga_ram_t::is_ready()
{
    return (drv_fpga_read_reg(DRV_FPGA_REG_RAM_TEST) & FPGA_RAM_READY) ? 1 : 0;
}

int32 fpga_ram_t::check_chip()
{
    drv_fpga_write_reg(DRV_FPGA_REG_RAM_TEST, 0);
    drv_fpga_write_reg(DRV_FPGA_REG_RAM_TEST, 1);
    gos_sleep(FPGA_RAM_TEST_SECONDS);
    const uint32 status = static_cast<uint32>(drv_fpga_read_reg(DRV_FPGA_REG_RAM_TEST)) & 0xFFFF;
    return decode_status(&status) != 0 ? 1 : 0;
}

int32 fpga_ram_t::decode_status(const uint32 *status)
{
    if (!status)
        return 0;
    std::string text;
    int32 result = 1;
    for (const fpga_ram_check_t &check : FPGA_RAM_CHECKS) {
        if (((*status >> check.bit) & 1u) != check.required) {
            text = check.text;
            result = 0;
            break;
        }
    }
    set_chip_info(text);
    return result;
}
