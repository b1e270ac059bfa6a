#pragma once
// The frequency counter of the module: restart, readings and validity bits. No state;
// each function fetches the FPGA driver at the call. A reading taken while the FPGA
// reports zero cycles or ticks is the division's infinity or NaN: the configuration
// layer reads only after the validity bits say a value is ready.
#include "lib_types.h"

// Register 112 written 0, then 1. 1.
int32 drv_counter_restart();
// The signed 32-bit count of registers 116 (high) and 114 (low). 1.
int32 drv_counter_get_count(long double *out);
// The period in seconds. 1.
int32 drv_counter_get_period(long double *out);
// The pulse width in seconds: below 10 Hz from the cycle and high-tick counts, else
// the high-tick ratio over hz. 1.
int32 drv_counter_get_pulse_width(long double *out, long double hz);
// Register 118 bit 0 (count), bit 1 (period).
int32 drv_counter_count_valid();
int32 drv_counter_period_valid();
// The calibrated code of a trigger level in volts, truncated to 16 bits.
int16 drv_counter_level_to_dac(long double code);
// The level's code, sign-extended, to register 140. 1.
int32 drv_counter_set_trigger_level(long double volts);
// The trigger-level code of register 140, written and read back. 1.
int32 drv_counter_set_level_dac(int32 code);
int32 drv_counter_get_level_dac(uint32 *out);
