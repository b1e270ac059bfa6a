#pragma once
// The records the apply functions hand to the driver, built from a channel's stored
// settings. Building is kept apart from the driver call so that each record can be
// checked on its own.
#include "drv_para.h"
#include "lib_types.h"

// The wave record of channel ch in the layout of wave type (0 sine, 1 square, 2 ramp,
// 3 pulse, 6 arbitrary, 8 PRBS); the sine's samples are left to the caller.
drv_wave_para_t cfg_build_wave_para(int32 ch, int32 type);
drv_noise_para_t cfg_build_noise_para(int32 ch);
drv_dc_para_t cfg_build_dc_para(int32 ch);
// Frequency -1 for a noise wave.
drv_ampl_para_t cfg_build_ampl_para(int32 ch);
// Run mode, the square's edges, frequency and duty of channel ch.
drv_square_para_t cfg_build_square_para(int32 ch);
// The PRBS edge and link of channel ch and the coupling object's tracking.
drv_couple_para_t cfg_build_couple_para(int32 ch);
// The hold a wave call of channel ch takes: the full rule or the phase mode, and 1 for
// a linked PRBS wave.
int32 cfg_wave_call_hold(int32 ch, int32 type, bool full_rule);
