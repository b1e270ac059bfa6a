// The driver calls of the configuration layer. The FPGA driver stands in for the
// interface methods that the interface does not offer yet; the module's answers stand
// in for the wave store's and the wave manager's.
#include "cfg_drv_port.h"

#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_para.h"
#include "drv_pulse.h"

namespace
{
drv_fpga_t *fpga()
{
    return drv_instance_manage_t::get_instance()->get_fpga();
}

// The module's DDS wave length; every channel plays that many samples until the wave
// store reports its own.
constexpr int32 MODULE_WAVE_LEN = 16384;
} // namespace

bool cfg_drv_init()
{
    return drv_interface_t::get_instance()->init();
}

int32 cfg_drv_get_product_id()
{
    return drv_instance_manage_t::get_instance()->get_product_id();
}

void cfg_drv_check_square_duty(long double *, long double *, long double)
{
    // The module's wave manager is not of the family whose duty range narrows.
}

int32 cfg_drv_get_output_enable(int32 ch)
{
    return fpga()->get_output_enable(ch);
}

void cfg_drv_set_output_enable(int32 ch, int32 on)
{
    fpga()->set_output_enable(ch, on);
}

void cfg_drv_set_output_polarity(int32 ch, int32 polarity)
{
    fpga()->set_output_polarity(ch, polarity);
}

void cfg_drv_set_run_mode(int32 ch, int32 mode)
{
    fpga()->set_run_mode(ch, mode);
}

void cfg_drv_set_progress_callback(drv_progress_cb_t callback)
{
    fpga()->set_progress_callback(callback);
}

int32 cfg_drv_apply_channel_para(drv_ch_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_fpga_t *driver = fpga();
    driver->set_output_polarity(para->combine_para.ch, para->combine_para.polarity);
    driver->set_combine(para->combine_para.ch, para->combine_para.combine == 1 ? 1 : 0);
    return 1;
}

int32 cfg_drv_get_ch_wave_len(int32)
{
    return MODULE_WAVE_LEN;
}

long double cfg_drv_sample_rate_to_freq(int32 ch, long double rate)
{
    return rate / cfg_drv_get_ch_wave_len(ch);
}

long double cfg_drv_freq_to_sample_rate(int32 ch, long double hz)
{
    return hz * cfg_drv_get_ch_wave_len(ch);
}

long double cfg_drv_convert_ampl_for_load(int32 load, long double value)
{
    return value * (load + 50.0L) / load;
}

long double cfg_drv_get_noise_ampl_factor(int32, long double, long double ampl)
{
    return ampl;
}

long double cfg_drv_get_noise_stdev_factor(long double)
{
    return 0.05L;
}

long double cfg_drv_get_noise_max_stdev(long double, long double limit)
{
    return limit;
}

bool cfg_drv_has_noise_bandwidth()
{
    return false;
}

long double cfg_drv_get_pulse_min_width()
{
    return drv_instance_manage_t::get_instance()->get_pulse()->get_min_width();
}

long double cfg_drv_get_pulse_min_edge()
{
    return drv_instance_manage_t::get_instance()->get_pulse()->get_min_edge();
}

long double cfg_drv_convert_pulse_edge(long double t)
{
    return drv_instance_manage_t::get_instance()->get_pulse()->convert_edge(t);
}

// The arbitrary-wave object is not on this branch yet: a selection is taken as loaded.
int32 cfg_drv_set_builtin_arb_wave(int32, int32)
{
    return 1;
}

int32 cfg_drv_load_user_arb_wave(int32, const std::string &)
{
    return 1;
}

int32 cfg_drv_get_arb_srate_flag()
{
    return 0;
}

long double cfg_drv_get_default_level()
{
    return 0.0L;
}

int32 cfg_drv_is_arb_ext_freq_supported()
{
    return 0;
}

int32 cfg_drv_is_noise_ext_supported()
{
    return 0;
}

int32 cfg_drv_is_aux_supported()
{
    return 0;
}

int32 cfg_drv_is_square_combine_supported()
{
    return 0;
}
