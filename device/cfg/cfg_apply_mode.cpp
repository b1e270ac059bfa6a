// The burst, sweep and output applies. Timing values go to the driver for both
// channels at once where the driver offers it, so that the channels stay aligned.
#include "cfg_apply.h"
#include "cfg_apply_hold.h"
#include "cfg_bswv_main.h"
#include "cfg_burst.h"
#include "cfg_main.h"
#include "cfg_sweep.h"
#include "drv_interface.h"
#include "drv_para.h"

#include <cmath>

namespace
{
constexpr int32 SWEEP_LOG = 1;

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

long double freq_of(int32 ch)
{
    lib_unit_data_t f{};
    cfg_get_bswv_main(ch)->get_freq(&f);
    return f.data;
}

// |delay - offset| in double precision.
long double delay_from(long double delay, long double offset)
{
    return static_cast<long double>(std::fabs(static_cast<double>(delay) - static_cast<double>(offset)));
}

bool both_sweeps_on()
{
    return cfg_get_sweep(0)->get_switch() == 1 && cfg_get_sweep(1)->get_switch() == 1;
}
} // namespace

drv_burst_para_t cfg_build_burst_para()
{
    drv_burst_para_t para{};
    para.hold = cfg_get_burst_hold();
    para.ch0_freq = freq_of(0);
    para.ch1_freq = freq_of(1);
    // Channel 0's minimum delay is the offset of both channels.
    const long double offset = cfg_get_burst(0)->get_min_delay();
    lib_unit_data_t delay0{};
    lib_unit_data_t delay1{};
    cfg_get_burst(0)->get_delay(&delay0);
    cfg_get_burst(1)->get_delay(&delay1);
    para.ch0_delay = delay_from(delay0.data, offset);
    para.ch1_delay = delay_from(delay1.data, offset);
    lib_unit_data_t period0{};
    lib_unit_data_t period1{};
    cfg_get_burst(0)->get_period(&period0);
    cfg_get_burst(1)->get_period(&period1);
    para.ch0_period = period0.data;
    para.ch1_period = period1.data;
    return para;
}

void cfg_apply_burst_both()
{
    const drv_burst_para_t para = cfg_build_burst_para();
    drv()->set_burst_both(para.hold, para.ch0_freq, para.ch1_freq, para.ch0_delay, para.ch1_delay, para.ch0_period,
                          para.ch1_period);
}

void cfg_apply_burst_phase()
{
    lib_unit_data_t phase0{};
    lib_unit_data_t phase1{};
    cfg_get_burst(0)->get_phase(&phase0);
    cfg_get_burst(1)->get_phase(&phase1);
    drv()->set_burst_phase(phase0.data, phase1.data);
}

void cfg_apply_burst_delay()
{
    lib_unit_data_t delay0{};
    lib_unit_data_t delay1{};
    cfg_get_burst(0)->get_delay(&delay0);
    cfg_get_burst(1)->get_delay(&delay1);
    drv()->set_burst_delay(0, delay0.data);
    drv()->set_burst_delay(1, delay1.data);
}

void cfg_apply_sweep_wave(int32 ch)
{
    const int32 other = ch == 0 ? 1 : 0;
    for (int32 k : {other, ch})
    {
        cfg_sweep_t *sweep = cfg_get_sweep(k);
        if (sweep->get_sweep_type() != SWEEP_LOG || sweep->get_switch() != 1)
            continue;
        drv()->set_sweep_wave(k, SWEEP_LOG, sweep->get_direction(), sweep->get_start_value(), sweep->get_stop_value(),
                              sweep->get_time_value());
    }
}

void cfg_apply_sweep_time(int32 ch)
{
    const int32 hold = cfg_get_phase_mode();
    if (both_sweeps_on())
        drv()->set_sweep_time_both(hold, cfg_get_sweep(0)->get_time_value(), cfg_get_sweep(1)->get_time_value());
    else
        drv()->set_sweep_time(ch, cfg_get_sweep(ch)->get_time_value(), hold);
}

void cfg_apply_sweep_center_span(int32 ch)
{
    const long double centre0 = freq_of(0);
    const long double centre1 = freq_of(1);
    const long double span0 = cfg_get_sweep(0)->get_span_value();
    const long double span1 = cfg_get_sweep(1)->get_span_value();
    cfg_apply_sweep_wave(ch);
    if (both_sweeps_on())
    {
        drv()->set_sweep_center_span_both(cfg_get_phase_mode(), centre0, span0, centre1, span1);
        cfg_apply_ampl_offset(0);
        cfg_apply_ampl_offset(1);
        return;
    }
    drv()->set_sweep_center_span(ch, ch == 0 ? centre0 : centre1, ch == 0 ? span0 : span1);
    cfg_apply_ampl_offset(ch);
}

int32 cfg_apply_output(int32 ch, int32 on)
{
    return drv()->set_output(cfg_get_output_hold(), ch, on);
}

void cfg_restore_outputs()
{
    drv()->restore_outputs(1);
}
