#include "drv_wave_ram.h"

#include "drv_instance_manage.h"
#include "drv_wave_data.h"

int32 drv_wave_ram_t::write_arb_wave(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch, const std::vector<int16> &wave)
{
    drv_instance_manage_t::get_instance()->get_wave_data()->write_wave_with_phase(fpga, phase, ch, wave);
    return 1;
}

int32 drv_wave_ram_t::write_pattern_wave(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch,
                                         const std::vector<int16> &wave)
{
    drv_instance_manage_t::get_instance()->get_wave_data()->write_wave_with_phase(fpga, phase, ch, wave);
    return 1;
}
