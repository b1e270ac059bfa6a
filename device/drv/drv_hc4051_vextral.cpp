#include "drv_hc4051_vextral.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"

namespace {

constexpr int32 DRV_MUX_SELECT = 0x0007;
constexpr int32 DRV_MUX_LINE_3 = 0x0008;
constexpr int32 DRV_MUX_LINE_4 = 0x0010;

drv_fpga_t *drv_mux_fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

void drv_mux_write_bit(int32 mask, bool on)
{
    drv_fpga_t *fpga = drv_mux_fpga();
    const int32 v = fpga->read_mux_reg();
    fpga->write_mux_reg(on ? (v | mask) : (v & ~mask));
}

} // namespace

void drv_hc4051_vextral_t::init() {}

void drv_hc4051_vextral_t::set_channel_select_1(int32 ch)
{
    if (ch == 0 || ch == 1)
        drv_mux_write_bit(DRV_MUX_LINE_4, ch == 1);
}

void drv_hc4051_vextral_t::set_channel_select_2(int32 ch)
{
    if (ch == 0 || ch == 1)
        drv_mux_write_bit(DRV_MUX_LINE_3, ch == 0);
}

void drv_hc4051_vextral_t::select_input(int32 sel)
{
    drv_fpga_t *fpga = drv_mux_fpga();
    const int32 v = fpga->read_mux_reg();
    fpga->write_mux_reg((v & ~DRV_MUX_SELECT) | (sel & DRV_MUX_SELECT));
    set_channel_select_2(1);
}

bool drv_hc4051_vextral_t::replaces_select_input() const
{
    return true;
}
