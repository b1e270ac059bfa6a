#pragma once
// The configuration layer's calls into the driver layer, gathered in one place. Each
// function makes the one driver-interface call its name says (the product id comes
// from the instance manager, which the interface does not forward).
#include "drv_reg_progress.h"
#include "lib_types.h"

#include <string>

struct drv_ch_para_t;

// Driver start-up with the calibration load: false on the module.
bool cfg_drv_init();
int32 cfg_drv_get_product_id();

// Square duty limits narrowed for the frequency by the driver's check.
void cfg_drv_check_square_duty(long double *min_duty, long double *max_duty, long double hz);

// Output stage of a channel: the output-enable bit (1 enabled) and the polarity bit.
int32 cfg_drv_get_output_enable(int32 ch);
void cfg_drv_set_output_enable(int32 ch, int32 on);
void cfg_drv_set_output_polarity(int32 ch, int32 polarity);
// The run mode the FPGA driver remembers for a channel; no register.
void cfg_drv_set_run_mode(int32 ch, int32 mode);
void cfg_drv_set_progress_callback(drv_progress_cb_t callback);
// The channel snapshot: polarity and combining bit of its channel; 0 for a null record.
int32 cfg_drv_apply_channel_para(drv_ch_para_t *para);

// Wave length and the conversions between sample rate and frequency.
int32 cfg_drv_get_ch_wave_len(int32 ch);
long double cfg_drv_sample_rate_to_freq(int32 ch, long double rate);
long double cfg_drv_freq_to_sample_rate(int32 ch, long double hz);

// value x (load + 50) / load: an amplitude at the load as its open-circuit value.
long double cfg_drv_convert_ampl_for_load(int32 load, long double value);
// The output's source impedance in ohms (50 on the module).
long double cfg_drv_get_output_impedance();
// The noise amplitude for a bandwidth setting: ampl itself while the switch is 0.
long double cfg_drv_get_noise_ampl_factor(int32 bw_switch, long double bandwidth, long double ampl);
// The default noise bandwidth (0 on the module).
long double cfg_drv_get_default_level();
// Factor between a noise amplitude and its standard deviation at an open-circuit
// offset (0.05 on the module, whatever the offset).
long double cfg_drv_get_noise_stdev_factor(long double open_circuit_offset);
// The largest deviation allowed at a bandwidth: limit itself on the module.
long double cfg_drv_get_noise_max_stdev(long double bandwidth, long double limit);
// Whether the device has a noise bandwidth setting: false on the module.
bool cfg_drv_has_noise_bandwidth();

// The pulse driver's minimum width and intrinsic edge (8e-9 s and 5e-9 s on the
// module), and the whole ramp of a 10-90 % edge time.
long double cfg_drv_get_pulse_min_width();
long double cfg_drv_get_pulse_min_edge();
long double cfg_drv_convert_pulse_edge(long double t);

// The arbitrary-wave object: select and load a built-in wave, or read and load a user
// wave file; the driver's result.
int32 cfg_drv_set_builtin_arb_wave(int32 ch, int32 index);
int32 cfg_drv_load_user_arb_wave(int32 ch, const std::string &path);
// Whether the arbitrary wave has its own sample-rate setting: 0 on the module.
int32 cfg_drv_get_arb_srate_flag();

// Capability flags of the wave manager, all 0 on the module.
int32 cfg_drv_is_arb_ext_freq_supported();
int32 cfg_drv_is_noise_ext_supported();
int32 cfg_drv_is_aux_supported();
int32 cfg_drv_is_square_combine_supported();

// Device-wide settings: counter, clock source, time base, sync output, data patterns,
// option switch and version hooks.
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
