#include "drv_wave_load.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_wave_data.h"

#include <vector>

void drv_load_dc_wave(int32 ch, int16 value, bool scale)
{
    if (ch != 0 && ch != 1)
        return;
    drv_wave_data_t *store = drv_instance_manage_t::get_instance()->get_wave_data();
    std::vector<int16> wave;
    store->make_dc_wave(wave, value);
    store->write_channel_wave(ch, wave, scale);
}

void drv_load_zero_wave(int32 ch)
{
    drv_load_dc_wave(ch, 0, true);
}

void drv_clear_wave(int32 ch)
{
    if (ch != 0 && ch != 1)
        return;
    drv_load_dc_wave(ch, 0, true);
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    fpga->set_pulse_mode(ch, 0);
    fpga->set_noise_mode(ch, 0);
}

int32 drv_clear_wave_ok(int32 ch)
{
    drv_clear_wave(ch);
    return 1;
}
