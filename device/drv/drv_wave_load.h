#pragma once
// Constant waves into a channel's DDS wave memory, for the calibration procedures and
// the wave manager. Channels are 0 and 1; another channel writes nothing.
#include "lib_types.h"

// A DDS wave period of the value, DAC-scaled when scale is true.
void drv_load_dc_wave(int32 ch, int16 value, bool scale);
// drv_load_dc_wave (ch, 0, true).
void drv_load_zero_wave(int32 ch);
// The zero wave, then the channel's pulse and noise modes off.
void drv_clear_wave(int32 ch);
// drv_clear_wave; 1.
int32 drv_clear_wave_ok(int32 ch);
