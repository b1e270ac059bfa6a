// drv_interface_t: basic waves, feature queries, output switching, frequency and
// phase, amplitude, square duty check and pulse timing, arbitrary waves and the wave
// store.
#include "drv_interface.h"

#include "drv_amp.h"
#include "drv_arb_wave.h"
#include "drv_freq.h"
#include "drv_instance_manage.h"
#include "drv_output.h"
#include "drv_para.h"
#include "drv_phase.h"
#include "drv_pulse.h"
#include "drv_square.h"
#include "drv_valid_check.h"
#include "drv_voltage_overload.h"
#include "drv_wave_data.h"
#include "drv_wave_manage.h"
#include "lib_unit_data.h"

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

drv_amp_t *amp()
{
    return manager()->get_amp();
}

drv_arb_wave_t *arb()
{
    return manager()->get_arb_wave();
}

drv_wave_data_t *wave_data()
{
    return manager()->get_wave_data();
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

void drv_interface_t::set_square_duty(int32 ch, const drv_square_para_t *para)
{
    manager()->get_square()->set_duty(ch, para);
}

void drv_interface_t::set_square_duty_both(const drv_square_para_t *ch0, const drv_square_para_t *ch1)
{
    manager()->get_square()->set_duty_both(ch0, ch1);
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

// --- Basic waves ---

int32 drv_interface_t::set_sine_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    return wave_manage()->set_sine_wave(hold, ch, para);
}

int32 drv_interface_t::set_square_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    return wave_manage()->set_square_wave(hold, ch, para);
}

int32 drv_interface_t::set_ramp_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    return wave_manage()->set_ramp_wave(hold, ch, para);
}

int32 drv_interface_t::set_pulse_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    return wave_manage()->set_pulse_wave(hold, ch, para);
}

int32 drv_interface_t::set_noise_wave(int32 ch, const drv_noise_para_t *para)
{
    return wave_manage()->set_noise_wave(ch, para);
}

int32 drv_interface_t::set_dc_wave(int32 ch, const drv_dc_para_t *para)
{
    return wave_manage()->set_dc_wave(ch, para);
}

int32 drv_interface_t::set_arb_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    return wave_manage()->set_arb_wave(hold, ch, para);
}

int32 drv_interface_t::set_prbs_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    return wave_manage()->set_prbs_wave(hold, ch, para);
}

int32 drv_interface_t::set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para)
{
    return wave_manage()->set_data_pattern_wave(ch, para);
}

void drv_interface_t::set_ramp_symmetry(int32 ch, const lib_unit_data_t *symmetry)
{
    if (symmetry != nullptr)
        wave_manage()->set_ramp_symmetry(ch, &symmetry->data);
}

// --- Output ---

int32 drv_interface_t::set_output(int32 hold, int32 ch, int32 on)
{
    drv_set_output(manager()->get_fpga(), hold, ch, on);
    return 1;
}

int32 drv_interface_t::restore_outputs(int32 hold)
{
    drv_restore_outputs(manager()->get_fpga(), hold);
    return 1;
}

int32 drv_interface_t::set_output_polarity(int32 ch, int32 normal)
{
    drv_set_output_polarity(manager()->get_fpga(), ch, normal);
    return 1;
}

int32 drv_interface_t::get_output_polarity(int32 ch)
{
    return drv_get_output_polarity(manager()->get_fpga(), ch);
}

int32 drv_interface_t::get_output_relay(int32 ch)
{
    return drv_get_output_relay(manager()->get_fpga(), ch);
}

// --- Frequency and phase ---

int32 drv_interface_t::set_freq_both(int32 hold, long double f0, long double f1)
{
    return manager()->get_freq()->set_freq_both(hold, f0, f1);
}

int32 drv_interface_t::set_freq_phase(int32 ch, long double hz, long double degrees)
{
    manager()->get_freq()->set_freq_phase(ch, hz, degrees);
    return 1;
}

int32 drv_interface_t::set_phase_by_run_mode(int32 ch, long double degrees)
{
    return manager()->get_phase()->set_phase_by_run_mode(ch, degrees);
}

// --- Amplitude and offset ---

int32 drv_interface_t::set_ampl_offset(int32 ch, const drv_ampl_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_ampl_para_t copy = *para;
    return amp()->set_ampl_offset(manager()->get_fpga(), ch, &copy);
}

int32 drv_interface_t::select_amp_range(long double ampl, long double offset, drv_fpga_atten_t *info)
{
    select_amp_range_word(ampl, offset, info);
    return 1;
}

int32 drv_interface_t::select_amp_range_word(long double ampl, long double offset, drv_fpga_atten_t *info)
{
    return amp()->select_amp_range(&ampl, &offset, info);
}

int32 drv_interface_t::select_dc_range(int32 ch, long double level)
{
    select_dc_range_word(ch, level);
    return 1;
}

int32 drv_interface_t::select_dc_range_word(int32 ch, long double level)
{
    return amp()->select_dc_range(ch, level);
}

int32 drv_interface_t::set_amp_range(int32 ch, int32 word)
{
    manager()->get_voltage_overload()->set_amp_range(ch, static_cast<uint32>(word));
    amp()->set_applied_range(ch, word);
    amp()->write_range_relays(ch, word);
    return amp()->set_range_state(ch, word);
}

long double drv_interface_t::get_output_impedance() { return amp()->get_output_impedance(); }

long double drv_interface_t::get_noise_max_stdev(long double bandwidth, long double value)
{
    return amp()->get_noise_max_stdev(bandwidth, value);
}

long double drv_interface_t::get_noise_stdev_factor(long double value) { return amp()->get_noise_stdev_factor(value); }
long double drv_interface_t::get_default_level() { return amp()->get_default_level(); }

long double drv_interface_t::get_noise_ampl_factor(int32 mode, long double bandwidth, long double value)
{
    return amp()->get_noise_ampl_factor(mode, bandwidth, value);
}

// --- Arbitrary waves and sample rate ---

int32 drv_interface_t::set_sample_rate_mode(int32 ch, int32 mode)
{
    arb()->set_sample_rate_mode(ch, mode);
    return 1;
}

int32 drv_interface_t::get_sample_rate_mode(int32 ch) { return arb()->get_sample_rate_mode(ch); }

int32 drv_interface_t::set_sample_rate_phase(int32 ch, long double rate, long double degrees)
{
    return arb()->set_sample_rate_phase(ch, rate, degrees);
}

void drv_interface_t::set_sample_rate(int32 ch, long double rate) { arb()->set_sample_rate(ch, rate); }
int32 drv_interface_t::set_builtin_arb_wave(int32 ch, int32 id) { return arb()->set_builtin_arb_wave(ch, id); }

int32 drv_interface_t::load_user_arb_wave(int32 ch, const std::string &path)
{
    return arb()->load_user_arb_wave(ch, path);
}

long double drv_interface_t::freq_to_sample_rate(int32 ch, long double hz) { return arb()->freq_to_sample_rate(ch, hz); }

long double drv_interface_t::sample_rate_to_freq(int32 ch, long double rate)
{
    return arb()->sample_rate_to_freq(ch, rate);
}

// --- Wave store ---

int32 drv_interface_t::get_builtin_wave_data(int32 id, std::vector<int16> &out, float symmetry)
{
    wave_data()->get_builtin_wave(id, out, symmetry);
    return 1;
}

int32 drv_interface_t::get_wave_data_by_name(const std::string &name, std::vector<int16> &out)
{
    wave_data()->get_wave_data_by_name(name, out);
    return 1;
}

int32 drv_interface_t::get_resampled_wave_data(int32 ch, std::vector<int16> &out)
{
    wave_data()->get_arb_wave(ch, 0, out);
    return 1;
}

int32 drv_interface_t::get_ch_wave_len(int32 ch) { return wave_data()->get_wave_len(ch, 1); }
int32 drv_interface_t::get_dds_wave_len() { return wave_data()->get_dds_wave_len(); }
