#include "drv_sweep.h"

#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_trig_common.h"
#include "drv_wave_data.h"

#include <vector>

using namespace drv_trig;

int32 drv_sweep_set_switch(int32 ch, int32 on)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    if (on == 1) {
        // Sweep runs on the FM path: mode field 4, the other bits as they were.
        f->write_mod_reg(ch, static_cast<uint16>((f->read_mod_reg(ch) & ~0x3F) | 4));
    } else if (on == 0) {
        drv_mod_t::set_mod_type(ch, 0);
        f->set_ctrl_bit10(ch, 0);
        drv_sweep_set_trig_out(ch, 0);
        if (drv_sweep_get_trigger_source(ch) != 0)
            drv_sweep_set_trigger_source(ch, 0);
    }
    return 1;
}

int32 drv_sweep_set_wave(int32 ch, int32 type, int32 dir, long double start, long double stop, long double)
{
    if (!is_channel(ch) || (type != 0 && type != 1))
        return 1;
    drv_wave_data_t *data = drv_instance_manage_t::get_instance()->get_wave_data();
    const int32 n = data->get_sweep_wave_len();
    std::vector<int16> profile;
    if (type == 0)
        data->make_sawtooth_wave(dir, n, profile);
    else
        data->make_log_sweep_wave(dir, static_cast<long double>(n), start, stop, profile);
    data->write_mod_wave(ch, profile);
    return 1;
}

int32 drv_sweep_set_center_span(int32 ch, long double centre, long double span)
{
    if (!is_channel(ch))
        return 1;
    drv_mod_t::set_fm_deviation(ch, span * 0.5L);
    drv_instance_manage_t::get_instance()->get_freq()->set_freq(ch, centre);
    fpga()->update();
    return 1;
}

int32 drv_sweep_set_center_span_both(int32 hold, long double c0, long double s0, long double c1, long double s1)
{
    drv_fpga_t *f = fpga();
    drv_freq_t *freq = drv_instance_manage_t::get_instance()->get_freq();
    if (hold == 1)
        f->begin_hold();
    drv_mod_t::set_fm_deviation(0, s0 * 0.5L);
    drv_mod_t::set_fm_deviation(1, s1 * 0.5L);
    freq->set_freq(0, c0);
    freq->set_freq(1, c1);
    f->update();
    if (hold == 1)
        f->end_hold();
    return 1;
}

void drv_sweep_write_time(int32 ch, long double t)
{
    fpga()->set_mod_freq(1, ch, 1.0L / t);
}

int32 drv_sweep_set_time(int32 ch, long double t, int32 hold)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    if (hold != 1) {
        drv_sweep_write_time(ch, t);
        f->update();
        return 1;
    }
    if (f->get_output_relay(ch) == 1)
        f->begin_hold();
    drv_sweep_write_time(ch, t);
    f->update();
    if (f->get_output_relay(ch) == 1)
        f->end_hold();
    return 1;
}

int32 drv_sweep_set_time_both(int32 hold, long double t0, long double t1)
{
    drv_fpga_t *f = fpga();
    if (hold == 1)
        f->begin_hold();
    drv_sweep_write_time(0, t0);
    drv_sweep_write_time(1, t1);
    f->update();
    if (hold == 1)
        f->end_hold();
    return 1;
}

int32 drv_sweep_set_trigger_source(int32 ch, int32 src)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    switch (src) {
    case 0:
        f->set_ctrl_bit10(ch, 0);
        f->set_sweep_trig_source(ch, 2);
        break;
    case 1:
        f->set_ctrl_bit10(ch, 1);
        f->set_trig_out(ch, ROUTE_TRIG_OUT, 0);
        ext_relay_off();
        f->set_trig_out(ch, ROUTE_EXT_IN, 1);
        f->set_sweep_trig_source(ch, 0);
        break;
    case 2:
        f->set_ctrl_bit10(ch, 1);
        f->set_sweep_trig_source(ch, 1);
        break;
    default:
        break;
    }
    f->set_ext_source(ch, 0);
    return 1;
}

int32 drv_sweep_get_trigger_source(int32 ch)
{
    switch (fpga()->get_trig_source(ch)) {
    case 0: return 1;
    case 1: return 2;
    default: return 0;
    }
}

int32 drv_sweep_set_trigger_edge(int32 ch, int32 edge)
{
    fpga()->set_trig_edge(ch, edge);
    return 1;
}

int32 drv_sweep_set_trig_out(int32 ch, int32 on)
{
    if (!is_channel(ch))
        return 1;
    if (on == 1) {
        fpga()->set_trig_out(ch, ROUTE_TRIG_OUT, 1);
        ext_relay_off();
    } else if (on == 0) {
        fpga()->set_trig_out(ch, ROUTE_TRIG_OUT, 0);
    }
    return 1;
}

int32 drv_sweep_trigger(int32 ch)
{
    if (is_channel(ch))
        fpga()->trigger_ch(ch);
    return 1;
}

int32 drv_sweep_trigger_both()
{
    fpga()->trigger_both();
    return 1;
}

int32 drv_set_sync_output(int32 ch, int32 on)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    f->set_sync_out(ch, on);
    if (on == 1) {
        f->set_ext_source(ch, 0);
        ext_relay_off();
    }
    return 1;
}
