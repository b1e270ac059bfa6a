// drv_interface_t: counter, clock source, sync output, overload and device
// information.
#include "drv_interface.h"

#include "drv_counter.h"
#include "drv_instance_manage.h"
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
