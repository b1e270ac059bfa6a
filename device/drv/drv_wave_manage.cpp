#include "drv_wave_manage.h"

#include "drv_amp.h"
#include "drv_arb_wave.h"
#include "drv_combine.h"
#include "drv_data_pattern.h"
#include "drv_filter.h"
#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "drv_phase.h"
#include "drv_pulse.h"
#include "drv_square.h"
#include "drv_state_query.h"
#include "drv_wave_data.h"
#include "drv_wave_load.h"
#include "lib_quantity.h"
#include "lib_trunc.h"

#include <cmath>

namespace {

drv_fpga_t *fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

} // namespace

long double drv_wave_manage_t::get_square_limit_freq()
{
    return 0.0L;
}

long double drv_wave_manage_t::get_square_duty_factor(long double)
{
    return 0.0L;
}

bool drv_wave_manage_t::is_square_wave(int32 ch)
{
    return get_wave_type(ch) == 1;
}

bool drv_wave_manage_t::is_pulse_wave(int32 ch)
{
    return get_wave_type(ch) == 3;
}

bool drv_wave_manage_t::is_arb_ext_freq_supported() { return true; }
bool drv_wave_manage_t::is_noise_ext_supported() { return true; }
bool drv_wave_manage_t::is_couple_supported() { return false; }
bool drv_wave_manage_t::is_aux_supported() { return true; }
bool drv_wave_manage_t::is_square_combine_supported() { return true; }
bool drv_wave_manage_t::is_square_ext_supported() { return true; }
bool drv_wave_manage_t::is_data_pattern_supported() { return true; }

void drv_wave_manage_t::set_wave_type(int32 ch, int32 type)
{
    if (ch == 0 || ch == 1)
        _wave_type[ch] = type;
}

int32 drv_wave_manage_t::get_wave_type(int32 ch) const
{
    return ch == 0 || ch == 1 ? _wave_type[ch] : -1;
}

void drv_wave_manage_t::select_paths(int32 ch, int32 pulse, int32 noise, int32 sample_rate)
{
    drv_fpga_t *f = fpga();
    f->set_pulse_mode(ch, pulse);
    f->set_noise_mode(ch, noise);
    f->set_sample_rate_mode(ch, sample_rate);
}

void drv_wave_manage_t::select_dds_path(int32 ch) { select_paths(ch, 0, 0, 0); }
void drv_wave_manage_t::select_pulse_path(int32 ch) { select_paths(ch, 1, 0, 0); }
void drv_wave_manage_t::select_noise_path(int32 ch) { select_paths(ch, 0, 1, 0); }
void drv_wave_manage_t::select_sample_rate_path(int32 ch) { select_paths(ch, 0, 0, 1); }

void drv_wave_manage_t::set_prbs_edge(int32 ch, const drv_wave_para_t *para)
{
    if (para != nullptr)
        apply_prbs_edge(ch, para->prbs_edge, para->prbs_link, para->tracking);
}

void drv_wave_manage_t::set_prbs_edge(int32 ch, const drv_couple_para_t *para)
{
    if (para != nullptr)
        apply_prbs_edge(ch, para->prbs_edge, para->prbs_link, para->tracking);
}

void drv_wave_manage_t::apply_prbs_edge(int32 ch, long double edge, int32 link, int32 tracking)
{
    // The edge in clocks of 3.3333 ns, after taking the output's own 0.7 ns edge off in
    // quadrature and turning a 10-90 % time into a whole ramp. An edge at or below
    // 0.7 ns has no real root; the step is then not a number, which no register sees.
    const long double ns = edge * 1e9L;
    const long double clocks = std::sqrt(ns * ns - 0.49L) / 0.8L / 3.3333L;
    const long double step = 4194303.0L / (3e8L / (3e8L / clocks));
    drv_fpga_t *f = fpga();
    f->set_sample_rate(ch, step);
    if (link == 1 || tracking == 1)
        f->set_sample_rate(lib_other_ch(ch), step);
    f->update();
}

// --- Applies ---

void drv_wave_manage_t::set_wave_type_relay(int32 ch, int32 type)
{
    drv_instance_manage_t::get_instance()->get_hc595()->set_wave_type_relay(ch, type);
}

template <typename Steps>
void drv_wave_manage_t::muted_apply(int32 hold, int32 ch, int32 type, Steps &&steps)
{
    drv_fpga_t *f = fpga();
    set_wave_type(ch, type);
    // The sine turns PRBS off before the output is switched; the others after.
    if (type == 0)
        f->set_prbs_mode(ch, 0);
    const int32 enabled = f->get_output_enable(ch);
    f->set_output_enable(ch, 0);
    if (hold == 1)
        f->begin_hold();
    if (type != 0)
        f->set_prbs_mode(ch, type == 8 ? 1 : 0);
    steps();
    f->update();
    if (hold == 1)
        f->end_hold();
    f->set_output_enable(ch, enabled);
}

void drv_wave_manage_t::set_both_freqs(const drv_wave_para_t *para)
{
    drv_freq_t *freq = drv_instance_manage_t::get_instance()->get_freq();
    freq->set_freq(0, para->ch0_freq);
    freq->set_freq(1, para->ch1_freq);
}

int32 drv_wave_manage_t::set_sine_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    muted_apply(hold, ch, 0, [&] {
        drv_filter_set_default(ch);
        select_dds_path(ch);
        set_both_freqs(para);
        drv_ampl_para_t ampl{para->ampl, para->offset, para->load, para->freq};
        set_ampl_offset(ch, &ampl);
        set_phase(ch, para->phase);
        if (para->harmonic_switch != 0 && para->wave_data != nullptr)
            load_wave_data(ch, *para->wave_data);
        else
            load_sine_table(ch);
    });
    return 1;
}

int32 drv_wave_manage_t::set_square_wave(int32, int32, const drv_wave_para_t *)
{
    return 1;
}

int32 drv_wave_manage_t::set_ramp_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    muted_apply(hold, ch, 2, [&] {
        drv_filter_set_default(ch);
        select_dds_path(ch);
        set_both_freqs(para);
        drv_ampl_para_t ampl{para->ampl, para->offset, para->load, para->freq};
        set_ampl_offset(ch, &ampl);
        set_phase(ch, para->phase);
        set_ramp_symmetry(ch, &para->symmetry);
    });
    return 1;
}

int32 drv_wave_manage_t::set_pulse_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    muted_apply(hold, ch, 3, [&] {
        drv_filter_set_default(ch);
        drv_ampl_para_t ampl{para->ampl, para->offset, para->load, para->freq};
        set_ampl_offset(ch, &ampl);
        set_phase(ch, para->phase);
        set_pulse_timing(ch, para->pulse_width, para->fall_edge, para->rise_edge, para->freq);
        set_both_freqs(para);
    });
    return 1;
}

int32 drv_wave_manage_t::set_noise_wave(int32, const drv_noise_para_t *)
{
    return 1;
}

int32 drv_wave_manage_t::set_dc_wave(int32 ch, const drv_dc_para_t *para)
{
    if (para == nullptr)
        return 0;
    set_wave_type(ch, 5);
    fpga()->set_prbs_mode(ch, 0);
    drv_filter_set_default(ch);
    select_dds_path(ch);
    load_zero_wave(ch);
    int32 combined = 0;
    drv_instance_manage_t::get_instance()->get_combine()->get_combine(ch, &combined);
    if (combined == 1 && para->ampl != 0.0L) {
        drv_ampl_para_t ampl{para->ampl, para->offset, para->load, 0.0L};
        set_ampl_offset(ch, &ampl);
    } else {
        set_dc_level(ch, para);
    }
    return 1;
}

int32 drv_wave_manage_t::set_arb_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_arb_wave_t *arb = drv_instance_manage_t::get_instance()->get_arb_wave();
    muted_apply(hold, ch, 6, [&] {
        arb->set_sample_rate_mode(ch, para->sample_rate_mode);
        drv_filter_set_default(ch);
        if (para->sample_rate_mode == 1) {
            select_sample_rate_path(ch);
            arb->set_sample_rate(ch, para->srate_word);
        } else if (para->sample_rate_mode == 0) {
            select_dds_path(ch);
        }
        set_both_freqs(para);
        drv_ampl_para_t ampl{para->ampl, para->offset, para->load, para->freq};
        set_ampl_offset(ch, &ampl);
        set_phase(ch, para->phase);
        arb->reload_wave(ch);
    });
    return 1;
}

int32 drv_wave_manage_t::set_prbs_wave(int32 hold, int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_fpga_t *f = fpga();
    muted_apply(hold, ch, 8, [&] {
        select_sample_rate_path(ch);
        set_both_freqs(para);
        // One record for this channel and the other: the amplitude driver may scale it.
        drv_ampl_para_t ampl{para->ampl, para->offset, para->load, para->freq};
        set_ampl_offset(ch, &ampl);
        drv_instance_manage_t::get_instance()->get_phase()->_set_phase_as_start(ch, 0.0L);
        const int32 length = lib_trunc_i32(para->prbs_length);
        f->set_prbs_length(ch, length);
        set_prbs_edge(ch, para);
        f->set_prbs_rate(ch);
        const int32 other = lib_other_ch(ch);
        if (para->prbs_link == 1) {
            f->set_output_polarity(1, f->get_output_polarity(0) == 0 ? 1 : 0);
            set_ampl_offset(other, &ampl);
            f->set_prbs_length(other, length);
            f->set_prbs_rate(other);
        }
        if (para->tracking == 1) {
            set_ampl_offset(other, &ampl);
            f->set_prbs_length(other, length);
            f->set_prbs_rate(other);
        }
    });
    return 1;
}

int32 drv_wave_manage_t::set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_instance_manage_t *m = drv_instance_manage_t::get_instance();
    set_wave_type(ch, 12);
    m->get_data_pattern()->set_sample_mode(ch, para, 1);
    drv_filter_set_default(ch);
    select_sample_rate_path(ch);
    m->get_data_pattern()->set_freq_phase(m->get_fpga(), m->get_phase(), ch, para->sample_rate, 0.0L);
    return 1;
}

int32 drv_wave_manage_t::apply_noise(int32 ch, const drv_noise_para_t *para)
{
    if (para == nullptr)
        return 0;
    // The noise table always plays at 2 MHz.
    constexpr long double noise_hz = 2000000.0L;
    set_wave_type(ch, 4);
    set_wave_type_relay(ch, 4);
    select_noise_path(ch);
    std::vector<int16> samples;
    drv_instance_manage_t::get_instance()->get_wave_data()->get_builtin_wave(1, samples, 0.0f);
    drv_instance_manage_t::get_instance()->get_wave_data()->write_wave(ch, samples);
    drv_ampl_para_t ampl{para->ampl, para->offset, para->load, noise_hz};
    set_ampl_offset(ch, &ampl);
    set_freq_phase(ch, noise_hz, 0.0L);
    return 1;
}

int32 drv_wave_manage_t::apply_square(int32 ch, const drv_wave_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_instance_manage_t *m = drv_instance_manage_t::get_instance();
    set_wave_type(ch, 1);
    const int32 run_mode = m->get_fpga()->get_run_mode(ch);
    set_wave_type_relay(ch, 1);
    const drv_square_para_t square{run_mode, para->rise_edge, para->fall_edge, para->freq, para->duty};
    m->get_square()->set_duty(ch, &square);
    // A burst starts at the square's falling edge.
    const long double degrees = drv_burst_is_on(ch) ? 270.0L : para->phase;
    drv_ampl_para_t ampl{para->ampl, para->offset, para->load, para->freq};
    set_ampl_offset(ch, &ampl);
    set_freq_phase(ch, para->freq, degrees);
    return 1;
}

// --- Steps shared by the applies ---

int32 drv_wave_manage_t::load_wave_data(int32 ch, const std::vector<int16> &samples)
{
    std::vector<int16> copy(samples);
    return drv_instance_manage_t::get_instance()->get_wave_data()->write_wave(ch, copy);
}

void drv_wave_manage_t::set_ramp_symmetry(int32 ch, const long double *symmetry)
{
    if (symmetry == nullptr)
        return;
    drv_wave_data_t *data = drv_instance_manage_t::get_instance()->get_wave_data();
    const int32 n = data->get_dds_wave_len();
    if (_ramp_len == 0 || _ramp_len != n || !(*symmetry == _ramp_symmetry)) {
        _ramp_samples.clear();
        data->make_ramp_wave(*symmetry, n, _ramp_samples);
        _ramp_symmetry = *symmetry;
        _ramp_len = n;
    }
    // The store scales the samples it writes in place.
    std::vector<int16> samples(_ramp_samples);
    data->write_wave(ch, samples);
}

void drv_wave_manage_t::load_sine_table(int32 ch)
{
    drv_wave_data_t *data = drv_instance_manage_t::get_instance()->get_wave_data();
    std::vector<int16> samples;
    data->get_builtin_wave(0, samples, 0.0f);
    data->write_wave(ch, samples);
}

void drv_wave_manage_t::load_zero_wave(int32 ch)
{
    drv_load_zero_wave(ch);
}

void drv_wave_manage_t::set_ampl_offset(int32 ch, drv_ampl_para_t *para)
{
    drv_instance_manage_t *m = drv_instance_manage_t::get_instance();
    m->get_amp()->set_ampl_offset(m->get_fpga(), ch, para);
}

void drv_wave_manage_t::set_dc_level(int32 ch, const drv_dc_para_t *para)
{
    drv_instance_manage_t *m = drv_instance_manage_t::get_instance();
    long double level = para->offset;
    m->get_amp()->convert_ampl_for_load(para->load, para->offset, &level);
    m->get_amp()->set_dc_level(m->get_fpga(), ch, level);
}

void drv_wave_manage_t::set_freq_phase(int32 ch, long double hz, long double degrees)
{
    drv_instance_manage_t::get_instance()->get_freq()->set_freq_phase(ch, hz, degrees);
}

void drv_wave_manage_t::set_phase(int32 ch, long double degrees)
{
    drv_instance_manage_t *m = drv_instance_manage_t::get_instance();
    m->get_phase()->set_phase(m->get_fpga(), ch, degrees);
}

void drv_wave_manage_t::set_pulse_timing(int32 ch, long double width, long double fall, long double rise,
                                         long double hz)
{
    drv_pulse_t *pulse = drv_instance_manage_t::get_instance()->get_pulse();
    select_pulse_path(ch);
    pulse->set_timing(ch, hz, width, fall, rise);
    pulse->set_fall_edge(ch, fall, hz);
    pulse->set_rise_edge(ch, rise, hz);
}
