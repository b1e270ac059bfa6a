#pragma once
// The driver calls of the device-wide settings (counter, clock source, time base, sync
// output, data patterns, version and option hooks), kept apart from cfg_drv_port so
// that those objects reach the driver layer through one small file of their own.
#include "lib_types.h"

struct drv_data_pattern_para_t;

// Counter: restart (register 112 written 0, then 1), the ready bits of register 118,
// the count, period and positive width, the trigger-level DAC.
void cfg_drv_restart_counter();
bool cfg_drv_is_counter_count_ready();
bool cfg_drv_is_counter_period_ready();
void cfg_drv_get_counter_count(long double *out);
int32 cfg_drv_get_counter_period(long double *out);
void cfg_drv_get_counter_width(long double *out, long double hz);
int32 cfg_drv_set_counter_trigger_level(long double volts);
// The counter's two relay settings: empty on every product.
void cfg_drv_set_counter_range_mode(int32 mode);
void cfg_drv_set_counter_input_mode(int32 mode);

// Clock: the source request with its completion callback, the reference-present bit and
// the clock output (register 4 bit 8 cleared for 1, set for 0, written only on change).
int32 cfg_drv_set_clock_source(int32 source, void (*done)(int32));
int32 cfg_drv_get_clock_source();
void cfg_drv_set_clock_out_enable(int32 on);
// The sample-rate reload flag of a channel's arbitrary wave.
void cfg_drv_mark_arb_reload(int32 ch, bool on);

// Time base: the DAC (empty on the module) and the calibration record's trim code.
void cfg_drv_set_time_base_dac(int32 code);
int32 cfg_drv_save_time_base_cali(int32 code);
int32 cfg_drv_read_time_base_cali(int32 *code);

// Sync output of a channel (register 82).
void cfg_drv_set_sync_output(int32 ch, int32 on);

// Data patterns: unsupported on the module, and the send does nothing there.
bool cfg_drv_is_data_pattern_supported();
void cfg_drv_set_data_pattern_wave(int32 ch, const drv_data_pattern_para_t *para);

// Option switch and version hooks: empty on every product.
void cfg_drv_set_sys_option(int32 value);
void cfg_drv_sys_option_on();
void cfg_drv_sys_option_off();
void cfg_drv_sys_info_begin();
void cfg_drv_sys_info_end();
int32 cfg_drv_get_version_item(int32 kind);
