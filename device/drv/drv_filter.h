#pragma once
// The interpolation filter of each channel: a 20-tap windowed-sinc low-pass (Hamming
// window) whose 10 distinct coefficients the FPGA takes, or the FPGA's default
// coefficients, with the design frequency and an on flag remembered per channel.
//
// Channels are 0 and 1; another channel changes nothing and reads 0.
#include "lib_types.h"

// The flag cleared, then the FPGA's default coefficients.
void drv_filter_set_default(int32 ch);
// The filter designed for hz: coefficient k is trunc(tap(k) x w(k) x 32768) when it
// equals the one of tap 19 - k; only a fully symmetric set is written. The flag and
// the frequency are kept either way.
void drv_filter_set(int32 ch, long double hz);
void drv_filter_set_u64(int32 ch, uint64 hz);
// sin(pi fc (n - 9.5)) / (pi (n - 9.5)), fc = hz / 150 MHz + 0.042.
long double drv_filter_tap(long double hz, int32 n);
// The Hamming window 0.54 - 0.46 cos(2 pi n / 19).
long double drv_filter_window(int32 n);
long double drv_filter_windowed_tap(long double hz, int32 n);
void drv_filter_set_freq(int32 ch, long double hz);
long double drv_filter_get_freq(int32 ch);
void drv_filter_set_flag(int32 ch, int32 on);
int32 drv_filter_get_flag(int32 ch);
