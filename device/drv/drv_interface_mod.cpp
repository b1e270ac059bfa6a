// drv_interface_t: modulation (drv_mod_t's static operations), sweep and burst (one
// free function each).
#include "drv_interface.h"

#include "drv_burst_func.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_state_query.h"
#include "drv_sweep.h"

int32 drv_interface_t::is_sweep_on(int32 ch) { return drv_sweep_is_on(ch); }

int32 drv_interface_t::set_sweep_time(int32 ch, long double seconds, int32 hold)
{
    return drv_sweep_set_time(ch, seconds, hold);
}

int32 drv_interface_t::set_sweep_time_both(int32 hold, long double t0, long double t1)
{
    return drv_sweep_set_time_both(hold, t0, t1);
}

int32 drv_interface_t::set_sweep_trigger_source(int32 ch, int32 source)
{
    return drv_sweep_set_trigger_source(ch, source);
}

int32 drv_interface_t::set_sweep_trigger_edge(int32 ch, int32 edge) { return drv_sweep_set_trigger_edge(ch, edge); }
int32 drv_interface_t::set_sweep_trig_out(int32 ch, int32 on) { return drv_sweep_set_trig_out(ch, on); }
int32 drv_interface_t::trigger_sweep(int32 ch) { return drv_sweep_trigger(ch); }
int32 drv_interface_t::trigger_sweep_both() { return drv_sweep_trigger_both(); }

int32 drv_interface_t::set_burst_mode(int32 hold, int32 ch, int32 mode) { return drv_burst_set_mode(hold, ch, mode); }

int32 drv_interface_t::set_burst_trigger_source(int32 hold, int32 ch, int32 source)
{
    return drv_burst_set_trigger_source(hold, ch, source);
}

int32 drv_interface_t::set_burst_trig_out(int32 ch, int32 mode) { return drv_burst_set_trig_out(ch, mode); }
int32 drv_interface_t::set_burst_delay(int32 ch, long double seconds) { return drv_burst_set_delay(ch, seconds); }
int32 drv_interface_t::set_burst_cycles(int32 ch, int32 n) { return drv_burst_set_cycles(ch, n); }

int32 drv_interface_t::set_burst_gate_polarity(int32 ch, int32 polarity)
{
    return drv_burst_set_gate_polarity(ch, polarity);
}

int32 drv_interface_t::set_burst_trigger_edge(int32 ch, int32 edge) { return drv_burst_set_trigger_edge(ch, edge); }
int32 drv_interface_t::toggle_burst_trigger_edge(int32 ch) { return drv_burst_toggle_trigger_edge(ch); }
int32 drv_interface_t::set_burst_switch(int32 ch, int32 on) { return drv_burst_set_switch(ch, on); }

int32 drv_interface_t::set_burst_period(int32 ch, long double period, long double carrier_hz)
{
    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    drv_mod_t::set_mod_period(fpga, ch, period);
    drv_mod_t::set_carrier_freq(fpga, ch, carrier_hz);
    return 1;
}

int32 drv_interface_t::trigger_burst(int32 ch) { return drv_burst_trigger(ch); }
int32 drv_interface_t::trigger_burst_both() { return drv_burst_trigger_both(); }

// --- Modulation ---

int32 drv_interface_t::set_mod_type(int32 ch, int32 type) { return drv_mod_t::set_mod_type(ch, type); }

int32 drv_interface_t::set_mod_source(int32 ch, int32 type, int32 source)
{
    return drv_mod_t::set_mod_source(ch, type, source);
}

int32 drv_interface_t::set_mod_wave(int32 ch, const std::string &name)
{
    return drv_mod_t::set_mod_wave(ch, name, false);
}

int32 drv_interface_t::set_mod_freq(int32 ch, int32 type, long double hz) { return drv_mod_t::set_mod_freq(ch, type, hz); }

int32 drv_interface_t::set_mod_freq_both(int32 hold, int32 type0, int32 type1, long double hz0, long double hz1)
{
    return drv_mod_t::set_mod_freq_both(hold, type0, type1, hz0, hz1);
}

int32 drv_interface_t::set_mod_deviation(int32 ch, int32 type, long double value)
{
    return drv_mod_t::set_mod_deviation(ch, type, value);
}

int32 drv_interface_t::set_mod_deviation_both(int32 hold, int32 type0, int32 type1, long double value0,
                                              long double value1)
{
    return drv_mod_t::set_mod_deviation_both(hold, type0, type1, value0, value1);
}

int32 drv_interface_t::set_fsk_hop_freq(int32 hold, int32 ch, long double hz)
{
    return drv_mod_t::set_fsk_hop_freq(hold, ch, hz);
}

int32 drv_interface_t::set_fsk_hop_freq_both(int32 hold, long double hz0, long double hz1)
{
    return drv_mod_t::set_fsk_hop_freq_both(hold, hz0, hz1);
}

int32 drv_interface_t::set_mod_phase(int32 ch, long double degrees)
{
    return drv_mod_t::set_pm_deviation(ch, degrees * 0.5L);
}

int32 drv_interface_t::set_psk_polarity(int32 ch, int32 polarity) { return drv_mod_t::set_psk_polarity(ch, polarity); }
long double drv_interface_t::get_pwm_min_width() { return drv_mod_t::get_pwm_min_width(); }
long double drv_interface_t::get_pwm_width_margin() { return drv_mod_t::get_pwm_width_margin(); }
int32 drv_interface_t::set_mod_off(int32 ch) { return drv_mod_t::set_mod_type(ch, 0); }

int32 drv_interface_t::set_mod_freq_no_update(int32 ch, int32 type, long double hz)
{
    return drv_mod_t::set_mod_freq_no_update(ch, type, hz);
}

int32 drv_interface_t::set_mod_ctrl_bit8(int32 ch, int32 value) { return drv_mod_t::set_mod_ctrl_bit8(ch, value); }

// --- Sweep and burst functions that reach other drivers ---

int32 drv_interface_t::set_sweep_switch(int32 ch, int32 on) { return drv_sweep_set_switch(ch, on); }

int32 drv_interface_t::set_sweep_center_span(int32 ch, long double centre, long double span)
{
    return drv_sweep_set_center_span(ch, centre, span);
}

int32 drv_interface_t::set_sweep_center_span_both(int32 hold, long double c0, long double s0, long double c1,
                                                  long double s1)
{
    return drv_sweep_set_center_span_both(hold, c0, s0, c1, s1);
}

int32 drv_interface_t::set_sweep_wave(int32 ch, int32 type, int32 direction, long double start, long double stop,
                                      long double seconds)
{
    return drv_sweep_set_wave(ch, type, direction, start, stop, seconds);
}

int32 drv_interface_t::set_burst_both(int32 hold, long double carrier0, long double carrier1, long double delay0,
                                      long double delay1, long double period0, long double period1)
{
    return drv_burst_set_both(hold, &carrier0, &carrier1, &delay0, &delay1, &period0, &period1);
}

int32 drv_interface_t::set_burst_phase(long double deg0, long double deg1)
{
    drv_burst_set_phase(deg0, deg1);
    return 1;
}
