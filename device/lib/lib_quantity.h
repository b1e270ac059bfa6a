#pragma once
// Reciprocal, duty, phase and channel helpers of the settings stores and the drivers.
#include "lib_types.h"

// 1 / x; a zero gives an infinity.
long double lib_freq_to_period(long double x);
long double lib_period_to_freq(long double x);
// (duty / 100) x (1 / frequency): the pulse width a duty in percent gives.
long double lib_duty_to_width(long double duty, long double freq);
long double lib_divide_by_count(long double x, uint32 n);

// The angle reduced into (-360, 360), keeping its sign: 370.5 gives 10.5, -370.5
// gives -10.5, 720 gives 0. Exactly 360 and -360 come back unchanged, as do NaN and
// the infinities.
long double lib_phase_mod_360(long double x);
// A reduced angle moved into 0 .. 360: below 0 adds 360.
long double lib_phase_positive(long double x);

// 1 for channel 0, 0 for any other.
int32 lib_other_ch(int32 ch);
