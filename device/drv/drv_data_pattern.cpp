#include "drv_data_pattern.h"

#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "drv_phase.h"
#include "drv_wave_ram.h"

int32 drv_data_pattern_t::set_sample_mode(int32 ch, const drv_data_pattern_para_t *pattern, int32 flag)
{
    if (!is_channel(ch))
        return 0;
    _sample_mode[ch] = flag;
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    fpga->set_sample_rate_mode(ch, flag);
    fpga->set_pulse_mode(ch, 0);
    fpga->set_noise_mode(ch, 0);
    load_wave(ch, pattern);
    return 1;
}

int32 drv_data_pattern_t::load_wave(int32 ch, const drv_data_pattern_para_t *pattern)
{
    if (!is_channel(ch) || !pattern || !pattern->samples)
        return 0;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    return manager->get_wave_ram()->write_pattern_wave(manager->get_fpga(), manager->get_phase(), ch,
                                                       *pattern->samples);
}

int32 drv_data_pattern_t::set_freq_phase(drv_fpga_t *fpga, drv_phase_t *phase, int32 ch, long double hz,
                                         long double deg)
{
    if (!is_channel(ch) || !phase)
        return 0;
    drv_instance_manage_t::get_instance()->get_freq()->set_dds_freq(ch, hz);
    phase->set_phase(fpga, ch, deg);
    return 1;
}

void drv_data_pattern_t::store_sample_mode(int32 ch, int32 flag)
{
    if (is_channel(ch))
        _sample_mode[ch] = flag;
}
