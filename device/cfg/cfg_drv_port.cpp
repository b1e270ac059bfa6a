// The driver calls of the configuration layer: each one is the driver interface's
// method of the same meaning.
#include "cfg_drv_port.h"

#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_para.h"

namespace
{
drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}
} // namespace

bool cfg_drv_init()
{
    return drv()->init();
}

// The interface has no product query; the instance manager answers it.
int32 cfg_drv_get_product_id()
{
    return drv_instance_manage_t::get_instance()->get_product_id();
}

void cfg_drv_check_square_duty(long double *min_duty, long double *max_duty, long double hz)
{
    drv()->check_square_duty(min_duty, max_duty, hz);
}

int32 cfg_drv_get_output_enable(int32 ch)
{
    return drv()->get_output_enable(ch);
}

void cfg_drv_set_output_enable(int32 ch, int32 on)
{
    drv()->set_output_enable(ch, on);
}

void cfg_drv_set_output_polarity(int32 ch, int32 polarity)
{
    drv()->set_output_polarity(ch, polarity);
}

void cfg_drv_set_run_mode(int32 ch, int32 mode)
{
    drv()->set_run_mode(ch, mode);
}

void cfg_drv_set_progress_callback(drv_progress_cb_t callback)
{
    drv()->set_progress_callback(callback);
}

int32 cfg_drv_apply_channel_para(drv_ch_para_t *para)
{
    return drv()->apply_channel_para(para);
}

int32 cfg_drv_get_ch_wave_len(int32 ch)
{
    return drv()->get_ch_wave_len(ch);
}

long double cfg_drv_sample_rate_to_freq(int32 ch, long double rate)
{
    return drv()->sample_rate_to_freq(ch, rate);
}

long double cfg_drv_freq_to_sample_rate(int32 ch, long double hz)
{
    return drv()->freq_to_sample_rate(ch, hz);
}

// A load of 0 ohms has no conversion: the value is answered unchanged.
long double cfg_drv_convert_ampl_for_load(int32 load, long double value)
{
    long double out = value;
    drv()->convert_ampl_for_load(load, value, &out);
    return out;
}

long double cfg_drv_get_output_impedance()
{
    return drv()->get_output_impedance();
}

long double cfg_drv_get_noise_ampl_factor(int32 bw_switch, long double bandwidth, long double ampl)
{
    return drv()->get_noise_ampl_factor(bw_switch, bandwidth, ampl);
}

long double cfg_drv_get_default_level()
{
    return drv()->get_default_level();
}

long double cfg_drv_get_noise_stdev_factor(long double open_circuit_offset)
{
    return drv()->get_noise_stdev_factor(open_circuit_offset);
}

long double cfg_drv_get_noise_max_stdev(long double bandwidth, long double limit)
{
    return drv()->get_noise_max_stdev(bandwidth, limit);
}

bool cfg_drv_has_noise_bandwidth()
{
    return drv()->is_noise_ext_supported();
}

long double cfg_drv_get_pulse_min_width()
{
    return drv()->get_pulse_min_width();
}

long double cfg_drv_get_pulse_min_edge()
{
    return drv()->get_pulse_min_edge();
}

long double cfg_drv_convert_pulse_edge(long double t)
{
    return drv()->convert_pulse_edge(t);
}

int32 cfg_drv_set_builtin_arb_wave(int32 ch, int32 index)
{
    return drv()->set_builtin_arb_wave(ch, index);
}

int32 cfg_drv_load_user_arb_wave(int32 ch, const std::string &path)
{
    return drv()->load_user_arb_wave(ch, path);
}

int32 cfg_drv_get_arb_srate_flag()
{
    return drv()->is_arb_ext_freq_supported() ? 1 : 0;
}

int32 cfg_drv_is_arb_ext_freq_supported()
{
    return drv()->is_arb_ext_freq_supported() ? 1 : 0;
}

int32 cfg_drv_is_noise_ext_supported()
{
    return drv()->is_noise_ext_supported() ? 1 : 0;
}

int32 cfg_drv_is_aux_supported()
{
    return drv()->is_aux_supported() ? 1 : 0;
}

int32 cfg_drv_is_square_combine_supported()
{
    return drv()->is_square_combine_supported() ? 1 : 0;
}
