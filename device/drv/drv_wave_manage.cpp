#include "drv_wave_manage.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "lib_quantity.h"

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
