#pragma once
// A side entry into the drivers: a channel's frequency, amplitude and offset set
// straight through the frequency and amplitude drivers, without the configuration
// layer's records and without the amplitude correction lookups. The load comes from
// the channel's settings. Amplitude in volts peak to peak and offset in volts, at the
// load.
#include "lib_types.h"

void drv_set_output_params(u8 ch, long double freq, long double ampl, long double offset);
// Frequency with phase 0: the driver's result.
int32 drv_set_freq(u8 ch, long double freq);
// The channel's load in ohms (50, or 1000000 for high impedance); 1.
int32 drv_get_load(int32 ch, u32 *ohms);
// The range, attenuation, wave DAC and offset DAC for the open-circuit values, with
// the output relay opened around a range change; corr_db goes to the wave DAC as is.
void drv_set_ampl_offset_direct(u8 ch, long double ampl, long double offset, long double corr_db);
