// drv_interface_t: counter, clock source, sync output, channel state and combining,
// overload, time base and device information.
#include "drv_interface.h"

#include "cali.h"
#include "drv_combine.h"
#include "drv_counter.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"
#include "drv_output.h"
#include "drv_para.h"
#include "drv_voltage_overload.h"
#include "drv_sweep.h"
#include "drv_voltage_overload_interrupt.h"

namespace {

drv_instance_manage_t *manager()
{
    return drv_instance_manage_t::get_instance();
}

} // namespace

int32 drv_interface_t::restart_counter()
{
    drv_counter_restart();
    return 1;
}

int32 drv_interface_t::get_counter_count(long double *out)
{
    drv_counter_get_count(out);
    return 1;
}

int32 drv_interface_t::get_counter_period(long double *out)
{
    drv_counter_get_period(out);
    return 1;
}

int32 drv_interface_t::get_counter_pulse_width(long double *out, long double hz)
{
    drv_counter_get_pulse_width(out, hz);
    return 1;
}

int32 drv_interface_t::is_counter_count_valid() { return drv_counter_count_valid(); }
int32 drv_interface_t::is_counter_period_valid() { return drv_counter_period_valid(); }

int32 drv_interface_t::set_clock_source(int32 source, drv_clock_done_cb_t done)
{
    return manager()->get_clock_source()->set_clock_source(manager()->get_fpga(), source, done);
}

int32 drv_interface_t::get_clock_source()
{
    return manager()->get_clock_source()->get_clock_status();
}

int32 drv_interface_t::set_sync_output(int32 ch, int32 on)
{
    drv_set_sync_output(ch, on);
    return 1;
}

void drv_interface_t::get_overload_state(uint32 *state)
{
    manager()->get_fpga()->get_overload_state(state);
}

int32 drv_interface_t::get_overload_interrupt_state()
{
    return manager()->get_overload_interrupt()->get_interrupt_state();
}

void drv_interface_t::sys_info_begin() {}
void drv_interface_t::sys_info_end() {}
int32 drv_interface_t::get_version_item3() { return 0; }
int32 drv_interface_t::get_version_item4() { return 0; }
int32 drv_interface_t::get_version_item5() { return 0; }
int32 drv_interface_t::get_version_item6() { return 0; }
int32 drv_interface_t::fill_driver_map(cfg_drv_info_map_t *) { return 0; }

int32 drv_interface_t::set_counter_trigger_level(long double volts)
{
    drv_counter_set_trigger_level(volts);
    return 1;
}

int32 drv_interface_t::apply_channel_para(const drv_ch_para_t *para)
{
    if (para == nullptr)
        return 0;
    if (para->continuous == 1)
        drv_mod_t::set_mod_type(para->ch, 0);
    return apply_combine_para(&para->combine_para);
}

int32 drv_interface_t::apply_combine_para(const drv_combine_para_t *para)
{
    if (para == nullptr)
        return 0;
    drv_set_output_polarity(manager()->get_fpga(), para->ch, para->polarity);
    manager()->get_combine()->set_combine(para->ch, para->combine);
    return 1;
}

int32 drv_interface_t::reset_overload(int32 ch)
{
    return manager()->get_voltage_overload()->reset(ch);
}

int32 drv_interface_t::set_time_base_dac(uint32 value)
{
    drv_time_base_dac_write(value);
    return 1;
}

int32 drv_interface_t::save_time_base_cali(uint32 value)
{
    return drv_time_base_cali_save(value);
}

int32 drv_interface_t::read_time_base_cali(uint32 *value)
{
    return drv_time_base_cali_read(value);
}
