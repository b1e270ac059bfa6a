// The driver calls of the device-wide settings.
#include "cfg_drv_port_dev.h"

#include "drv_arb_wave.h"
#include "drv_fpga.h"
#include "drv_hc595.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"

namespace
{
drv_interface_t *drv() { return drv_interface_t::get_instance(); }
drv_instance_manage_t *manager() { return drv_instance_manage_t::get_instance(); }
} // namespace

void cfg_drv_restart_counter() { drv()->restart_counter(); }
bool cfg_drv_is_counter_count_ready() { return drv()->is_counter_count_valid() != 0; }
bool cfg_drv_is_counter_period_ready() { return drv()->is_counter_period_valid() != 0; }
void cfg_drv_get_counter_count(long double *out) { drv()->get_counter_count(out); }
int32 cfg_drv_get_counter_period(long double *out) { return drv()->get_counter_period(out); }
void cfg_drv_get_counter_width(long double *out, long double hz) { drv()->get_counter_pulse_width(out, hz); }
int32 cfg_drv_set_counter_trigger_level(long double volts) { return drv()->set_counter_trigger_level(volts); }
void cfg_drv_set_counter_range_mode(int32 mode) { manager()->get_hc595()->set_counter_relay_b(mode); }
void cfg_drv_set_counter_input_mode(int32 mode) { manager()->get_hc595()->set_counter_relay_a(mode); }

int32 cfg_drv_set_clock_source(int32 source, void (*done)(int32)) { return drv()->set_clock_source(source, done); }
int32 cfg_drv_get_clock_source() { return drv()->get_clock_source(); }
void cfg_drv_set_clock_out_enable(int32 on) { manager()->get_fpga()->set_clock_source(on); }
void cfg_drv_mark_arb_reload(int32 ch, bool on) { manager()->get_arb_wave()->set_sr_reload(ch, on); }

void cfg_drv_set_time_base_dac(int32 code) { drv()->set_time_base_dac(static_cast<uint32>(code)); }
int32 cfg_drv_save_time_base_cali(int32 code) { return drv()->save_time_base_cali(static_cast<uint32>(code)); }

int32 cfg_drv_read_time_base_cali(int32 *code)
{
    uint32 value = static_cast<uint32>(*code);
    const int32 r = drv()->read_time_base_cali(&value);
    *code = static_cast<int32>(value);
    return r;
}

void cfg_drv_set_sync_output(int32 ch, int32 on) { drv()->set_sync_output(ch, on); }

bool cfg_drv_is_data_pattern_supported() { return drv()->is_data_pattern_supported(); }
void cfg_drv_set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para)
{
    drv()->set_data_pattern_wave(ch, para);
}

void cfg_drv_set_sys_option(int32 value) { drv()->set_sys_option(value); }
void cfg_drv_sys_option_on() { drv_interface_t::sys_option_on(); }
void cfg_drv_sys_option_off() { drv_interface_t::sys_option_off(); }
void cfg_drv_sys_info_begin() { drv()->sys_info_begin(); }
void cfg_drv_sys_info_end() { drv()->sys_info_end(); }

int32 cfg_drv_get_version_item(int32 kind)
{
    switch (kind)
    {
    case 3:
        return drv()->get_version_item3();
    case 4:
        return drv()->get_version_item4();
    case 5:
        return drv()->get_version_item5();
    case 6:
        return drv()->get_version_item6();
    default:
        return 0;
    }
}
