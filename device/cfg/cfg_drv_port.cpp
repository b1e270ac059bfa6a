// The driver calls of the configuration layer: each one is the driver interface's
// method of the same meaning.
#include "cfg_drv_port.h"

#include "drv_arb_wave.h"
#include "drv_fpga.h"
#include "drv_hc595.h"
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

// The device-wide settings reach the relay driver, the FPGA and the arbitrary-wave
// object through the instance manager, which owns them.
namespace
{
drv_instance_manage_t *manager()
{
    return drv_instance_manage_t::get_instance();
}
} // namespace

void cfg_drv_restart_counter()
{
    drv()->restart_counter();
}

bool cfg_drv_is_counter_count_ready()
{
    return drv()->is_counter_count_valid() != 0;
}

bool cfg_drv_is_counter_period_ready()
{
    return drv()->is_counter_period_valid() != 0;
}

void cfg_drv_get_counter_count(long double *out)
{
    drv()->get_counter_count(out);
}

int32 cfg_drv_get_counter_period(long double *out)
{
    return drv()->get_counter_period(out);
}

void cfg_drv_get_counter_width(long double *out, long double hz)
{
    drv()->get_counter_pulse_width(out, hz);
}

int32 cfg_drv_set_counter_trigger_level(long double volts)
{
    return drv()->set_counter_trigger_level(volts);
}

void cfg_drv_set_counter_range_mode(int32 mode)
{
    manager()->get_hc595()->set_counter_relay_b(mode);
}

void cfg_drv_set_counter_input_mode(int32 mode)
{
    manager()->get_hc595()->set_counter_relay_a(mode);
}

int32 cfg_drv_set_clock_source(int32 source, void (*done)(int32))
{
    return drv()->set_clock_source(source, done);
}

int32 cfg_drv_get_clock_source()
{
    return drv()->get_clock_source();
}

void cfg_drv_set_clock_out_enable(int32 on)
{
    manager()->get_fpga()->set_clock_source(on);
}

void cfg_drv_mark_arb_reload(int32 ch, bool on)
{
    manager()->get_arb_wave()->set_sr_reload(ch, on);
}

void cfg_drv_set_time_base_dac(int32 code)
{
    drv()->set_time_base_dac(static_cast<uint32>(code));
}

int32 cfg_drv_save_time_base_cali(int32 code)
{
    return drv()->save_time_base_cali(static_cast<uint32>(code));
}

int32 cfg_drv_read_time_base_cali(int32 *code)
{
    uint32 value = static_cast<uint32>(*code);
    const int32 r = drv()->read_time_base_cali(&value);
    *code = static_cast<int32>(value);
    return r;
}

void cfg_drv_set_sync_output(int32 ch, int32 on)
{
    drv()->set_sync_output(ch, on);
}

bool cfg_drv_is_data_pattern_supported()
{
    return drv()->is_data_pattern_supported();
}

void cfg_drv_set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para)
{
    drv()->set_data_pattern_wave(ch, para);
}

void cfg_drv_set_sys_option(int32 value)
{
    drv()->set_sys_option(value);
}

void cfg_drv_sys_option_on()
{
    drv_interface_t::sys_option_on();
}

void cfg_drv_sys_option_off()
{
    drv_interface_t::sys_option_off();
}

void cfg_drv_sys_info_begin()
{
    drv()->sys_info_begin();
}

void cfg_drv_sys_info_end()
{
    drv()->sys_info_end();
}

int32 cfg_drv_get_version_item(int32 kind)
{
    switch (kind)
    {
    case 3:
        return drv()->get_version_item3();
    case 4:
        return drv()->get_version_item4();
    case 5:
        return drv()->get_version_item5();
    case 6:
        return drv()->get_version_item6();
    default:
        return 0;
    }
}
