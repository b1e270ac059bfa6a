#pragma once
// What the API reaches of the configuration layer: the channel commands (always with
// channel 0) and the overload query. See awg_ch_port_standin_i35.cpp.
#include "lib_types.h"

#include <string>

int32 lib_ch_set_switch(int ch, int on);
int32 lib_ch_set_wave_type(int ch, int type);
int32 lib_ch_get_wave_type(int ch, int *out);
int32 lib_ch_set_load(int ch, int ohms);
int32 lib_ch_get_load(int ch);
int32 lib_ch_set_freq(int ch, long double value, int unit);
int32 lib_ch_get_freq(int ch, long double *value, int *unit);
int32 lib_ch_set_period(int ch, long double value, int unit);
int32 lib_ch_get_period(int ch, long double *value, int *unit);
int32 lib_ch_set_ampl(int ch, long double value, int unit);
int32 lib_ch_get_ampl(int ch, long double *value, int *unit);
int32 lib_ch_set_offset(int ch, long double value, int unit);
int32 lib_ch_get_offset(int ch, long double *value, int *unit);
int32 lib_ch_set_high_level(int ch, long double value, int unit);
int32 lib_ch_get_high_level(int ch, long double *value, int *unit);
int32 lib_ch_set_low_level(int ch, long double value, int unit);
int32 lib_ch_get_low_level(int ch, long double *value, int *unit);
int32 lib_ch_set_duty(int ch, long double value, int unit);
int32 lib_ch_get_duty(int ch, long double *value, int *unit);
int32 lib_ch_set_symmetry(int ch, long double value, int unit);
int32 lib_ch_get_symmetry(int ch, long double *value, int *unit);
int32 lib_ch_set_width(int ch, long double value, int unit);
int32 lib_ch_get_width(int ch, long double *value, int *unit);
int32 lib_ch_set_stdev(int ch, long double value, int unit);
int32 lib_ch_get_stdev(int ch, long double *value, int *unit);
int32 lib_ch_set_mean(int ch, long double value, int unit);
int32 lib_ch_get_mean(int ch, long double *value, int *unit);
int32 lib_ch_set_arb_wave(int ch, int id);
int32 lib_ch_get_arb_wave(int ch, int *out);
int32 lib_ch_load_arb_file(int ch, const std::string &path);

// 1 when the amplitude re-apply reports an overload for v, else 0.
uint8 cfg_check_overload_status(int v);
