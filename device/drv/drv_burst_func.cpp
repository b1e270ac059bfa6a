#include "drv_burst_func.h"

#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_phase.h"
#include "drv_state_query.h"
#include "drv_trig_common.h"

using namespace drv_trig;

int32 drv_burst_set_phase(long double p0, long double p1)
{
    drv_phase_t *phase = drv_instance_manage_t::get_instance()->get_phase();
    if (drv_burst_is_on(0))
        phase->_set_burst_phase(0, p0);
    if (drv_burst_is_on(1))
        phase->_set_burst_phase(1, p1);
    return 1;
}

int32 drv_burst_set_both(int32 hold, const long double *carrier0, const long double *carrier1,
                         const long double *delay0, const long double *delay1, const long double *period0,
                         const long double *period1)
{
    drv_fpga_t *f = fpga();
    drv_freq_t *freq = drv_instance_manage_t::get_instance()->get_freq();
    if (hold == 1)
        f->begin_hold();
    if (carrier0 != nullptr)
        freq->set_freq(0, *carrier0);
    if (carrier1 != nullptr)
        freq->set_freq(1, *carrier1);
    if (delay0 != nullptr)
        f->set_burst_delay(0, *delay0);
    if (delay1 != nullptr)
        f->set_burst_delay(1, *delay1);
    const long double *periods[2] = {period0, period1};
    for (int32 ch : {0, 1}) {
        // A zero period is an infinite rate, which converts to the word 0.
        if (periods[ch] != nullptr && drv_burst_is_on(ch))
            f->set_mod_freq(0, ch, 1.0L / *periods[ch]);
    }
    f->update();
    if (hold == 1)
        f->end_hold();
    return 1;
}

int32 drv_burst_set_switch(int32 ch, int32 on)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    if (on == 0) {
        f->set_burst_field(ch, 0);
    } else if (on == 1) {
        f->set_ctrl_bit10(ch, 0);
        f->set_mod_type(ch, 0);
        drv_mod_t::set_mod_wave(ch, "50_square_ram.bin", true);
    }
    return 1;
}

int32 drv_burst_set_mode(int32 hold, int32 ch, int32 mode)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    if (hold == 1)
        f->begin_hold();
    f->set_burst_field(ch, mode == 0 ? 1 : 2);
    if (hold == 1)
        f->end_hold();
    return 1;
}

int32 drv_burst_set_cycles(int32 ch, int32 n)
{
    if (n == -1)
        fpga()->set_burst_field(ch, 3);
    else
        fpga()->set_burst_cycles(ch, static_cast<uint32>(n));
    return 1;
}

int32 drv_burst_set_delay(int32 ch, long double seconds)
{
    fpga()->set_burst_delay(ch, seconds);
    return 1;
}

int32 drv_burst_set_trigger_source(int32 hold, int32 ch, int32 src)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    if (hold == 1)
        f->begin_hold();
    switch (src) {
    case 0:
        f->set_trig_out(ch, ROUTE_EXT_IN, 1);
        if (f->get_trig_out_mode(ch) != 2)
            ext_relay_off();
        f->set_trig_source(ch, 2);
        break;
    case 1:
        f->set_trig_out(ch, ROUTE_EXT_IN, 1);
        ext_relay_off();
        f->set_trig_source(ch, 0);
        break;
    case 2:
        f->set_trig_source(ch, 1);
        break;
    default:
        f->set_trig_source(ch, 0);
        break;
    }
    f->set_ext_source(ch, 0);
    if (hold == 1)
        f->end_hold();
    return 1;
}

int32 drv_burst_get_trigger_source(int32 ch)
{
    switch (fpga()->get_trig_source(ch)) {
    case 0: return 1;
    case 1: return 2;
    default: return 0;
    }
}

int32 drv_burst_set_trig_out(int32 ch, int32 mode)
{
    if (!is_channel(ch))
        return 1;
    drv_fpga_t *f = fpga();
    f->set_trig_out_mode(ch, mode);
    switch (mode) {
    case 0:
        f->set_trig_out(ch, ROUTE_TRIG_OUT, 1);
        f->set_gate_polarity(ch, 1);
        ext_relay_off();
        break;
    case 1:
        f->set_trig_out(ch, ROUTE_TRIG_OUT, 1);
        f->set_gate_polarity(ch, 0);
        ext_relay_off();
        break;
    case 2:
        f->set_trig_out(ch, ROUTE_TRIG_OUT, 0);
        f->set_gate_polarity(ch, 1);
        break;
    default:
        break;
    }
    return 1;
}

int32 drv_burst_set_gate_polarity(int32 ch, int32 pol)
{
    if (pol == 0 || pol == 1)
        fpga()->set_gate_polarity(ch, static_cast<uint16>(pol));
    return 1;
}

int32 drv_burst_set_trigger_edge(int32 ch, int32 edge)
{
    if (edge == 0 || edge == 1)
        fpga()->set_gate_polarity(ch, edge == 0 ? 1 : 0);
    return 1;
}

int32 drv_burst_toggle_trigger_edge(int32 ch)
{
    fpga()->toggle_trig_edge(ch);
    return 1;
}

int32 drv_burst_trigger(int32 ch)
{
    if (is_channel(ch))
        fpga()->trigger_ch(ch);
    return 1;
}

int32 drv_burst_trigger_both()
{
    fpga()->trigger_both();
    return 1;
}
