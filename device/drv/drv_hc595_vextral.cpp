#include "drv_hc595_vextral.h"

#include "drv_fpga.h"
#include "drv_fpga_reg.h"
#include "drv_instance_manage.h"
#include "drv_reg_spi.h"
#include "gos.h"

namespace {

constexpr u16 DRV_HC595_PATH_LINE = 0x0001;
constexpr u16 DRV_HC595_RANGE_BITS = 0x0006;
constexpr int DRV_HC595_PATH_SETTLE_US = 3000;

} // namespace

void drv_hc595_vextral_t::set_wave_type_relay(int32 ch, int32 wave_type)
{
    const int32 state = wave_type == 0 ? 1 : 0;
    if (state == _path_state)
        return;
    _path_state = state;
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    if (fpga->get_output_relay(ch) == 1) {
        fpga->set_output_relay(ch, 0);
        set_path_relay(ch, state);
        gos_usleep(DRV_HC595_PATH_SETTLE_US);
        fpga->set_output_relay(ch, 1);
        return;
    }
    set_path_relay(ch, state);
}

void drv_hc595_vextral_t::set_path_relay(int32, int32 state)
{
    write_word(state == 0 ? static_cast<u16>(_relay_word | DRV_HC595_PATH_LINE)
                          : static_cast<u16>(_relay_word & ~DRV_HC595_PATH_LINE));
}

void drv_hc595_vextral_t::set_spare_relay_b(int32, int32) {}

int32 drv_hc595_vextral_t::set_range_bit(int32 ch, int32 on, int32 mask)
{
    if (ch != 0)
        return 1;
    write_word(on == 1 ? static_cast<u16>(_relay_word | mask) : static_cast<u16>(_relay_word & ~mask));
    return 1;
}

int32 drv_hc595_vextral_t::set_range_word(int32 ch, int32 bits)
{
    if (ch != 0)
        return 1;
    write_word(static_cast<u16>((_relay_word & ~DRV_HC595_RANGE_BITS) | bits));
    return 1;
}

void drv_hc595_vextral_t::write_word(u16 word)
{
    _relay_word = word;
    drv_instance_manage_t::get_instance()->get_reg_transport()->reg_write_fpga_reg(DRV_FPGA_REG_RELAY_WORD, word);
}

int32 drv_hc595_vextral_t::check_coarse_word(int32 ch, int32 word)
{
    if (ch != 0)
        return 0;
    if (word == 2 || word == 4)
        return word;
    gos_printf("Not support such coarse_word!\n");
    return 0;
}
