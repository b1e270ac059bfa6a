#pragma once
// The channel commands: one free function per setting and direction. Each packs its
// arguments into a cfg_msg_para_t, calls one handler of cfg_msg_if_t and unpacks the
// answer; none keeps state.
//
// Shapes: a value setter (ch, value, unit) converts the value to the base unit before
// the handler sees it and returns the handler's result; a value getter (ch, value*,
// unit*) returns LIB_CH_NULL_POINTER for a null value pointer and otherwise writes the
// stored value and (unless unit is null) its unit code; an int getter (ch) returns the
// int the handler wrote.
//
// Only lib_ch_get_max_freq, lib_ch_set_current_ch and lib_ch_set_load check their
// channel themselves (three lines on standard output and -13); the other commands leave
// the check to the handlers.
#include "lib_types.h"

#include <string>

constexpr int32 LIB_CH1 = 0;
constexpr int32 LIB_CH2 = 1;
// The result of a value getter given a null value pointer (0x80004003).
constexpr int32 LIB_CH_NULL_POINTER = static_cast<int32>(0x80004003u);

// Prints "ch = <ch>", "LIB_CH1 = 0" and "LIB_CH2 = 1"; 0.
int32 lib_ch_report_bad_channel(int ch);

// Root.
int64 lib_ch_get_max_freq(int ch);
int32 lib_ch_set_current_ch(int ch);
int32 lib_ch_get_current_ch();
int32 lib_ch_restore_clock(int ignored);

// Channel object.
int32 lib_ch_set_switch(int ch, int on);
int32 lib_ch_set_run_mode(int ch, int mode);
int32 lib_ch_set_polarity(int ch, int polarity);
int32 lib_ch_set_wave_type(int ch, int type);
int32 lib_ch_get_wave_type(int ch, int *out);

// Load in ohms.
int32 lib_ch_set_load(int ch, int ohms);
int32 lib_ch_get_load(int ch);

// Values with units.
int32 lib_ch_set_freq(int ch, long double value, int unit);
int32 lib_ch_get_freq(int ch, long double *value, int *unit);
int32 lib_ch_set_period(int ch, long double value, int unit);
int32 lib_ch_get_period(int ch, long double *value, int *unit);
int32 lib_ch_set_ampl(int ch, long double value, int unit);
int32 lib_ch_get_ampl(int ch, long double *value, int *unit);
int32 lib_ch_set_ampl_vrms(int ch, long double value, int unit);
int32 lib_ch_get_ampl_vrms(int ch, long double *value, int *unit);
int32 lib_ch_set_ampl_dbm(int ch, long double value, int unit);
int32 lib_ch_get_ampl_dbm(int ch, long double *value, int *unit);
int32 lib_ch_set_offset(int ch, long double value, int unit);
int32 lib_ch_get_offset(int ch, long double *value, int *unit);
int32 lib_ch_set_high_level(int ch, long double value, int unit);
int32 lib_ch_get_high_level(int ch, long double *value, int *unit);
int32 lib_ch_set_low_level(int ch, long double value, int unit);
int32 lib_ch_get_low_level(int ch, long double *value, int *unit);
int32 lib_ch_set_phase(int ch, long double value, int unit);
int32 lib_ch_get_phase(int ch, long double *value, int *unit);
int32 lib_ch_set_duty(int ch, long double value, int unit);
int32 lib_ch_get_duty(int ch, long double *value, int *unit);
int32 lib_ch_set_symmetry(int ch, long double value, int unit);
int32 lib_ch_get_symmetry(int ch, long double *value, int *unit);
int32 lib_ch_set_pulse_hold(int ch, int mode);
int32 lib_ch_get_pulse_hold(int ch);
int32 lib_ch_set_pulse_duty(int ch, long double value, int unit);
int32 lib_ch_get_pulse_duty(int ch, long double *value, int *unit);
int32 lib_ch_set_width(int ch, long double value, int unit);
int32 lib_ch_get_width(int ch, long double *value, int *unit);
int32 lib_ch_set_pulse_rise(int ch, long double value, int unit);
int32 lib_ch_get_pulse_rise(int ch, long double *value, int *unit);
int32 lib_ch_set_pulse_fall(int ch, long double value, int unit);
int32 lib_ch_get_pulse_fall(int ch, long double *value, int *unit);
int32 lib_ch_set_pulse_delay(int ch, long double value, int unit);
int32 lib_ch_get_pulse_delay(int ch, long double *value, int *unit);
int32 lib_ch_set_stdev(int ch, long double value, int unit);
int32 lib_ch_get_stdev(int ch, long double *value, int *unit);
int32 lib_ch_set_mean(int ch, long double value, int unit);
int32 lib_ch_get_mean(int ch, long double *value, int *unit);
int32 lib_ch_set_noise_bandwidth(int ch, long double value, int unit);
int32 lib_ch_get_noise_bandwidth(int ch, long double *value, int *unit);
int32 lib_ch_get_noise_bandwidth_switch(int ch);

// Arbitrary waves.
int32 lib_ch_set_arb_wave(int ch, int id);
int32 lib_ch_get_arb_wave(int ch, int *out);
// Reads no file: -13 for any path.
int32 lib_ch_load_arb_file(int ch, const std::string &path);
int32 lib_ch_set_arb_sample_rate(int ch, long double value, int unit);
int32 lib_ch_get_arb_sample_rate(int ch, long double *value, int *unit);
int32 lib_ch_get_wave_len(int ch);

// Driver capabilities: the handler's status (0 for the first, 1 for the others), not
// the answer, which stays in the handler's record.
int32 lib_ch_is_arb_sample_rate_supported(int ch);
int32 lib_ch_is_noise_bandwidth_supported(int ch);
int32 lib_ch_is_wave_option_supported(int ch);
int32 lib_ch_is_square_combine_allowed(int ch);

// Harmonics of the sine.
int32 lib_ch_set_harmonic_switch(int ch, int on);
int32 lib_ch_get_harmonic_switch(int ch);
int32 lib_ch_set_harmonic_type(int ch, int type);
int32 lib_ch_get_harmonic_type(int ch);
int32 lib_ch_set_harmonic_ampl(int ch, long double value, int unit);
int32 lib_ch_get_harmonic_ampl(int ch, long double *value, int *unit);
int32 lib_ch_set_harmonic_dbc(int ch, long double value, int unit);
int32 lib_ch_get_harmonic_dbc(int ch, long double *value, int *unit);
int32 lib_ch_set_harmonic_phase(int ch, long double value, int unit);
int32 lib_ch_get_harmonic_phase(int ch, long double *value, int *unit);

// The settings object's leading word; 1.
int32 lib_ch_set_bswv_word(int ch, int word);

// PRBS.
int32 lib_ch_set_prbs_length(int ch, long double value, int unit);
int32 lib_ch_get_prbs_length(int ch, long double *value, int *unit);
int32 lib_ch_set_prbs_edge(int ch, long double value, int unit);
int32 lib_ch_get_prbs_edge(int ch, long double *value, int *unit);
int32 lib_ch_set_prbs_dual(int ch, int on);
int32 lib_ch_get_prbs_dual(int ch);
// Reads the two-channel switch; the handler's status 1.
int32 lib_ch_get_prbs_dual_status(int ch);
