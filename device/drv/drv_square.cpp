#include "drv_square.h"

#include "drv_combine.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "drv_pulse.h"
#include "drv_wave_data.h"

#include <vector>

namespace {

bool is_channel(int32 ch)
{
    return ch == 0 || ch == 1;
}

drv_instance_manage_t *manager()
{
    return drv_instance_manage_t::get_instance();
}

} // namespace

void drv_square_t::set_duty_both(const drv_square_para_t *ch0, const drv_square_para_t *ch1)
{
    apply(0, ch0);
    apply(1, ch1);
    manager()->get_fpga()->update();
}

void drv_square_t::set_duty(int32 ch, const drv_square_para_t *para)
{
    if (!is_channel(ch) || !para)
        return;
    apply(ch, para);
    manager()->get_fpga()->update();
}

void drv_square_t::apply(int32 ch, const drv_square_para_t *para)
{
    if (!is_channel(ch) || !para)
        return;
    int32 combined = 0;
    manager()->get_combine()->get_combine(ch, &combined);
    if (combined == 1)
        set_table_square(ch, &para->duty);
    if (static_cast<uint32>(para->run_mode) <= 1)
        set_table_square(ch, &para->duty);
    else
        set_pulse_square(ch, para->duty, para->rise_edge, para->fall_edge, para->freq);
}

void drv_square_t::set_table_square(int32 ch, const long double *duty)
{
    if (!is_channel(ch) || !duty)
        return;
    select_path(ch, 0);
    drv_wave_data_t *wave_data = manager()->get_wave_data();
    std::vector<int16> samples;
    wave_data->make_square_wave(*duty, samples);
    wave_data->write_wave(ch, samples);
}

void drv_square_t::set_pulse_square(int32 ch, long double duty, long double rise, long double fall, long double hz)
{
    if (!is_channel(ch))
        return;
    select_path(ch, 1);
    const long double width = (1.0L / hz) * (duty / 100.0L);
    drv_pulse_t *pulse = manager()->get_pulse();
    pulse->set_timing(ch, hz, width, fall, rise);
    pulse->set_rise_edge(ch, rise, hz);
    pulse->set_fall_edge(ch, fall, hz);
}

void drv_square_t::select_path(int32 ch, int32 pulse)
{
    drv_fpga_t *fpga = manager()->get_fpga();
    fpga->set_pulse_mode(ch, pulse);
    fpga->set_noise_mode(ch, 0);
    fpga->set_sample_rate_mode(ch, 0);
}
