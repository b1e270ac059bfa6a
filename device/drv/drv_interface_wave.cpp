// drv_interface_t: feature queries, output switching, square duty check and pulse
// timing.
#include "drv_interface.h"

#include "drv_instance_manage.h"
#include "drv_pulse.h"
#include "drv_valid_check.h"
#include "drv_wave_manage.h"

namespace {

drv_instance_manage_t *manager()
{
    return drv_instance_manage_t::get_instance();
}

drv_wave_manage_t *wave_manage()
{
    return manager()->get_wave_manage();
}

drv_pulse_t *pulse()
{
    return manager()->get_pulse();
}

} // namespace

bool drv_interface_t::is_arb_ext_freq_supported() { return wave_manage()->is_arb_ext_freq_supported(); }
bool drv_interface_t::is_noise_ext_supported() { return wave_manage()->is_noise_ext_supported(); }
bool drv_interface_t::is_couple_supported() { return wave_manage()->is_couple_supported(); }
bool drv_interface_t::is_aux_supported() { return wave_manage()->is_aux_supported(); }
bool drv_interface_t::is_square_combine_supported() { return wave_manage()->is_square_combine_supported(); }
bool drv_interface_t::is_square_ext_supported() { return wave_manage()->is_square_ext_supported(); }
bool drv_interface_t::is_data_pattern_supported() { return wave_manage()->is_data_pattern_supported(); }

void drv_interface_t::check_square_duty(long double *min_duty, long double *max_duty, long double hz)
{
    manager()->get_valid_check()->check_square_duty(min_duty, max_duty, hz);
}

int32 drv_interface_t::set_output_enable(int32 ch, int32 on)
{
    manager()->get_fpga()->set_output_enable(ch, on);
    return 1;
}

int32 drv_interface_t::get_output_enable(int32 ch)
{
    return manager()->get_fpga()->get_output_enable(ch);
}

void drv_interface_t::set_pulse_param(int32 ch, long double width, long double fall, long double rise, long double hz)
{
    pulse()->set_pulse(ch, width, fall, rise, hz);
}

void drv_interface_t::set_pulse_param_both(long double hz0, long double width0, long double rise0, long double fall0,
                                           long double hz1, long double width1, long double rise1, long double fall1)
{
    pulse()->set_pulse_both(hz0, width0, rise0, fall0, hz1, width1, rise1, fall1);
}

long double drv_interface_t::set_pwm_param(long double width, long double fall, long double rise)
{
    return pulse()->calc_high_count(width, fall, rise);
}

long double drv_interface_t::convert_pulse_edge(long double t)
{
    return pulse()->convert_edge(t);
}

long double drv_interface_t::get_pulse_min_width()
{
    return pulse()->get_min_width();
}

long double drv_interface_t::get_pulse_min_edge()
{
    return pulse()->min_edge();
}
