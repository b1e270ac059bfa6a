#pragma once
// Applying a channel's settings to the driver: each function reads the channel's stored
// settings back, fills a driver record and makes the driver-interface call. The
// functions keep no state and report nothing (the amplitude apply answers 1 for its
// callers that pass a result on).
#include "lib_types.h"

// --- Basic waves (ch 0 or 1; full_rule picks the full hold rule over the phase mode) ---
void cfg_apply_sine_wave(int32 ch, bool full_rule);
void cfg_apply_square_wave(int32 ch, bool full_rule);
void cfg_apply_ramp_wave(int32 ch, bool full_rule);
void cfg_apply_pulse_wave(int32 ch, bool full_rule);
void cfg_apply_noise_wave(int32 ch);
void cfg_apply_dc_wave(int32 ch);
void cfg_apply_arb_wave(int32 ch, bool full_rule);
void cfg_apply_prbs_wave(int32 ch, bool full_rule);
void cfg_reapply_prbs_wave(int32 ch);
// The PRBS edge and link to the driver's coupling.
void cfg_apply_couple(int32 ch);
// Amplitude and offset, or the whole PRBS wave again for a linked PRBS channel; 1.
int32 cfg_apply_ampl_offset(int32 ch);
// Both channels' frequencies, then the burst timing again where it matters.
void cfg_apply_freq(int32 ch);
// Both channels' phases, channel 0 first.
void cfg_apply_phase();
void cfg_apply_ramp_symmetry(int32 ch);
void cfg_apply_square_duty(int32 ch);
// The pulse timing of whichever channels play a pulse; ch does not matter.
void cfg_apply_pulse_timing(int32 ch);
void cfg_apply_arb_sample_rate(int32 ch);
// Everything that follows a frequency change of channel ch.
void cfg_apply_ch_after_freq(int32 ch);

// The whole channel again: its current wave with every setting.
void cfg_apply_channel(int32 ch);

// --- Burst, sweep and output ---
struct drv_burst_para_t;

// Both channels' burst timing: frequencies, delays less channel 0's minimum delay, and
// periods, under the burst hold.
drv_burst_para_t cfg_build_burst_para();
void cfg_apply_burst_both();
// Both channels' burst start phases.
void cfg_apply_burst_phase();
// Both channels' burst delays, each on its own (no caller in the library).
void cfg_apply_burst_delay();
// The logarithmic sweep profile of the other channel, then of ch, for each that sweeps.
void cfg_apply_sweep_wave(int32 ch);
void cfg_apply_sweep_time(int32 ch);
// Centre and span (of both channels while both sweep), then the amplitudes again.
void cfg_apply_sweep_center_span(int32 ch);
// The output switch under the output hold; the driver's result.
int32 cfg_apply_output(int32 ch, int32 on);
void cfg_restore_outputs();

// --- Modulation ---
// Modulation values of both channels in one driver update, under the modulation hold:
// each channel's type with its modulating frequency (the key rate for ASK, FSK and
// PSK), its depth or deviation, or its FSK hop frequency.
void cfg_apply_mod_freq_both();
void cfg_apply_mod_deviation_both();
void cfg_apply_fsk_hop_both();
// Channel ch's PSK phase.
void cfg_apply_mod_phase(int32 ch);
