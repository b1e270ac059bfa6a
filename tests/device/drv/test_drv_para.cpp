// The driver parameter records: each field in the order and of the type the drivers
// and the apply functions agree on. Checked at compile time; the one run-time test
// only makes the executable list this file.
#include "drv_para.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <type_traits>
#include <vector>

#define DRV_FIELD(record, field, type) static_assert(std::is_same<decltype(record::field), type>::value, #record "::" #field)
#define DRV_BEFORE(record, a, b) static_assert(offsetof(record, a) < offsetof(record, b), #record ": " #a " before " #b)

using samples_ptr = std::vector<int16> *;

// Head shared by the sine, square, ramp, pulse, arbitrary and PRBS layouts.
DRV_FIELD(drv_wave_para_t, freq, long double);
DRV_FIELD(drv_wave_para_t, ch0_freq, long double);
DRV_FIELD(drv_wave_para_t, ch1_freq, long double);
DRV_FIELD(drv_wave_para_t, ampl, long double);
DRV_FIELD(drv_wave_para_t, offset, long double);
DRV_FIELD(drv_wave_para_t, phase, long double);
DRV_BEFORE(drv_wave_para_t, freq, ch0_freq);
DRV_BEFORE(drv_wave_para_t, ch0_freq, ch1_freq);
DRV_BEFORE(drv_wave_para_t, ch1_freq, ampl);
DRV_BEFORE(drv_wave_para_t, ampl, offset);
DRV_BEFORE(drv_wave_para_t, offset, phase);
// Sine: load (its int value), harmonic switch, samples.
DRV_FIELD(drv_wave_para_t, load, long double);
DRV_FIELD(drv_wave_para_t, harmonic_switch, int32);
DRV_FIELD(drv_wave_para_t, wave_data, samples_ptr);
DRV_BEFORE(drv_wave_para_t, phase, load);
DRV_BEFORE(drv_wave_para_t, load, harmonic_switch);
DRV_BEFORE(drv_wave_para_t, harmonic_switch, wave_data);
// Square, ramp, pulse, arbitrary and PRBS fields.
DRV_FIELD(drv_wave_para_t, duty, long double);
DRV_FIELD(drv_wave_para_t, rise_edge, long double);
DRV_FIELD(drv_wave_para_t, fall_edge, long double);
DRV_FIELD(drv_wave_para_t, symmetry, long double);
DRV_FIELD(drv_wave_para_t, pulse_width, long double);
DRV_FIELD(drv_wave_para_t, srate_word, long double);
DRV_FIELD(drv_wave_para_t, sample_rate_mode, int32);
DRV_FIELD(drv_wave_para_t, prbs_length, long double);
DRV_FIELD(drv_wave_para_t, prbs_edge, long double);
DRV_FIELD(drv_wave_para_t, prbs_link, int32);
DRV_FIELD(drv_wave_para_t, tracking, int32);
DRV_BEFORE(drv_wave_para_t, duty, rise_edge);
DRV_BEFORE(drv_wave_para_t, rise_edge, fall_edge);
DRV_BEFORE(drv_wave_para_t, srate_word, sample_rate_mode);
DRV_BEFORE(drv_wave_para_t, prbs_length, prbs_edge);
DRV_BEFORE(drv_wave_para_t, prbs_edge, prbs_link);
DRV_BEFORE(drv_wave_para_t, prbs_link, tracking);

DRV_FIELD(drv_noise_para_t, ampl, long double);
DRV_FIELD(drv_noise_para_t, offset, long double);
DRV_FIELD(drv_noise_para_t, noise_bandwidth_switch, int32);
DRV_FIELD(drv_noise_para_t, noise_bandwidth, long double);
DRV_FIELD(drv_noise_para_t, load, long double);
DRV_BEFORE(drv_noise_para_t, ampl, offset);
DRV_BEFORE(drv_noise_para_t, offset, noise_bandwidth_switch);
DRV_BEFORE(drv_noise_para_t, noise_bandwidth_switch, noise_bandwidth);
DRV_BEFORE(drv_noise_para_t, noise_bandwidth, load);
static_assert(offsetof(drv_noise_para_t, ampl) == 0, "noise: amplitude first");

DRV_FIELD(drv_dc_para_t, offset, long double);
DRV_FIELD(drv_dc_para_t, load, long double);
DRV_FIELD(drv_dc_para_t, ampl, long double);
static_assert(offsetof(drv_dc_para_t, offset) == 0, "DC: the level first");
DRV_BEFORE(drv_dc_para_t, offset, load);
DRV_BEFORE(drv_dc_para_t, load, ampl);

// The coupling record has the PRBS layout: the head without phase, then the PRBS fields.
DRV_FIELD(drv_couple_para_t, freq, long double);
DRV_FIELD(drv_couple_para_t, ch0_freq, long double);
DRV_FIELD(drv_couple_para_t, ch1_freq, long double);
DRV_FIELD(drv_couple_para_t, ampl, long double);
DRV_FIELD(drv_couple_para_t, offset, long double);
DRV_FIELD(drv_couple_para_t, prbs_length, long double);
DRV_FIELD(drv_couple_para_t, prbs_edge, long double);
DRV_FIELD(drv_couple_para_t, load, long double);
DRV_FIELD(drv_couple_para_t, prbs_link, int32);
DRV_FIELD(drv_couple_para_t, tracking, int32);
DRV_BEFORE(drv_couple_para_t, freq, ch0_freq);
DRV_BEFORE(drv_couple_para_t, ch0_freq, ch1_freq);
DRV_BEFORE(drv_couple_para_t, ch1_freq, ampl);
DRV_BEFORE(drv_couple_para_t, ampl, offset);
DRV_BEFORE(drv_couple_para_t, offset, prbs_length);
DRV_BEFORE(drv_couple_para_t, prbs_length, prbs_edge);
DRV_BEFORE(drv_couple_para_t, prbs_edge, load);
DRV_BEFORE(drv_couple_para_t, load, prbs_link);
DRV_BEFORE(drv_couple_para_t, prbs_link, tracking);

DRV_FIELD(drv_ampl_para_t, ampl, long double);
DRV_FIELD(drv_ampl_para_t, offset, long double);
DRV_FIELD(drv_ampl_para_t, load, long double);
DRV_FIELD(drv_ampl_para_t, freq, long double);
DRV_BEFORE(drv_ampl_para_t, ampl, offset);
DRV_BEFORE(drv_ampl_para_t, offset, load);
DRV_BEFORE(drv_ampl_para_t, load, freq);

DRV_FIELD(drv_square_para_t, run_mode, int32);
DRV_FIELD(drv_square_para_t, rise_edge, long double);
DRV_FIELD(drv_square_para_t, fall_edge, long double);
DRV_FIELD(drv_square_para_t, freq, long double);
DRV_FIELD(drv_square_para_t, duty, long double);
DRV_BEFORE(drv_square_para_t, run_mode, rise_edge);
DRV_BEFORE(drv_square_para_t, rise_edge, fall_edge);
DRV_BEFORE(drv_square_para_t, fall_edge, freq);
DRV_BEFORE(drv_square_para_t, freq, duty);

DRV_FIELD(drv_burst_para_t, hold, int32);
DRV_FIELD(drv_burst_para_t, ch0_freq, long double);
DRV_FIELD(drv_burst_para_t, ch1_freq, long double);
DRV_FIELD(drv_burst_para_t, ch0_delay, long double);
DRV_FIELD(drv_burst_para_t, ch1_delay, long double);
DRV_FIELD(drv_burst_para_t, ch0_period, long double);
DRV_FIELD(drv_burst_para_t, ch1_period, long double);
DRV_BEFORE(drv_burst_para_t, hold, ch0_freq);
DRV_BEFORE(drv_burst_para_t, ch0_freq, ch1_freq);
DRV_BEFORE(drv_burst_para_t, ch1_freq, ch0_delay);
DRV_BEFORE(drv_burst_para_t, ch0_delay, ch1_delay);
DRV_BEFORE(drv_burst_para_t, ch1_delay, ch0_period);
DRV_BEFORE(drv_burst_para_t, ch0_period, ch1_period);

DRV_FIELD(drv_combine_para_t, ch, int32);
DRV_FIELD(drv_combine_para_t, load, int32);
DRV_FIELD(drv_combine_para_t, combine, int32);
DRV_FIELD(drv_combine_para_t, polarity, int32);
DRV_BEFORE(drv_combine_para_t, ch, load);
DRV_BEFORE(drv_combine_para_t, load, combine);
DRV_BEFORE(drv_combine_para_t, combine, polarity);

// The channel snapshot, all 34 fields with the combine group as fields 27 to 30.
DRV_FIELD(drv_ch_para_t, ch, int32);
DRV_FIELD(drv_ch_para_t, continuous, int32);
DRV_FIELD(drv_ch_para_t, wave_type, int32);
DRV_FIELD(drv_ch_para_t, freq, long double);
DRV_FIELD(drv_ch_para_t, ampl, long double);
DRV_FIELD(drv_ch_para_t, offset, long double);
DRV_FIELD(drv_ch_para_t, phase, long double);
DRV_FIELD(drv_ch_para_t, phase_delay, long double);
DRV_FIELD(drv_ch_para_t, duty, long double);
DRV_FIELD(drv_ch_para_t, pulse_width, long double);
DRV_FIELD(drv_ch_para_t, symmetry, long double);
DRV_FIELD(drv_ch_para_t, rise_edge, long double);
DRV_FIELD(drv_ch_para_t, fall_edge, long double);
DRV_FIELD(drv_ch_para_t, ampl_2, long double);
DRV_FIELD(drv_ch_para_t, sample_rate, long double);
DRV_FIELD(drv_ch_para_t, sample_rate_mode, int32);
DRV_FIELD(drv_ch_para_t, harmonic_switch, int32);
DRV_FIELD(drv_ch_para_t, harmonic_type, int32);
DRV_FIELD(drv_ch_para_t, harmonic_order, int32);
DRV_FIELD(drv_ch_para_t, harmonic_level, long double);
DRV_FIELD(drv_ch_para_t, phase_2, long double);
DRV_FIELD(drv_ch_para_t, harmonic_samples, samples_ptr);
DRV_FIELD(drv_ch_para_t, noise_bandwidth_switch, int32);
DRV_FIELD(drv_ch_para_t, ampl_3, long double);
DRV_FIELD(drv_ch_para_t, offset_out, long double);
DRV_FIELD(drv_ch_para_t, noise_bandwidth, long double);
DRV_FIELD(drv_ch_para_t, combine_para, drv_combine_para_t);
DRV_FIELD(drv_ch_para_t, other_ch, int32);
DRV_FIELD(drv_ch_para_t, other_ch_2, int32);
DRV_FIELD(drv_ch_para_t, other_freq, long double);
DRV_FIELD(drv_ch_para_t, burst_rate, long double);
DRV_BEFORE(drv_ch_para_t, ch, continuous);
DRV_BEFORE(drv_ch_para_t, continuous, wave_type);
DRV_BEFORE(drv_ch_para_t, wave_type, freq);
DRV_BEFORE(drv_ch_para_t, freq, ampl);
DRV_BEFORE(drv_ch_para_t, ampl, offset);
DRV_BEFORE(drv_ch_para_t, offset, phase);
DRV_BEFORE(drv_ch_para_t, phase, phase_delay);
DRV_BEFORE(drv_ch_para_t, phase_delay, duty);
DRV_BEFORE(drv_ch_para_t, duty, pulse_width);
DRV_BEFORE(drv_ch_para_t, pulse_width, symmetry);
DRV_BEFORE(drv_ch_para_t, symmetry, rise_edge);
DRV_BEFORE(drv_ch_para_t, rise_edge, fall_edge);
DRV_BEFORE(drv_ch_para_t, fall_edge, ampl_2);
DRV_BEFORE(drv_ch_para_t, ampl_2, sample_rate);
DRV_BEFORE(drv_ch_para_t, sample_rate, sample_rate_mode);
DRV_BEFORE(drv_ch_para_t, sample_rate_mode, harmonic_switch);
DRV_BEFORE(drv_ch_para_t, harmonic_switch, harmonic_type);
DRV_BEFORE(drv_ch_para_t, harmonic_type, harmonic_order);
DRV_BEFORE(drv_ch_para_t, harmonic_order, harmonic_level);
DRV_BEFORE(drv_ch_para_t, harmonic_level, phase_2);
DRV_BEFORE(drv_ch_para_t, phase_2, harmonic_samples);
DRV_BEFORE(drv_ch_para_t, harmonic_samples, noise_bandwidth_switch);
DRV_BEFORE(drv_ch_para_t, noise_bandwidth_switch, ampl_3);
DRV_BEFORE(drv_ch_para_t, ampl_3, offset_out);
DRV_BEFORE(drv_ch_para_t, offset_out, noise_bandwidth);
DRV_BEFORE(drv_ch_para_t, noise_bandwidth, combine_para);
DRV_BEFORE(drv_ch_para_t, combine_para, other_ch);
DRV_BEFORE(drv_ch_para_t, other_ch, other_ch_2);
DRV_BEFORE(drv_ch_para_t, other_ch_2, other_freq);
DRV_BEFORE(drv_ch_para_t, other_freq, burst_rate);

// Plain records: built on the apply function's stack, copied freely.
static_assert(std::is_trivial<drv_wave_para_t>::value && std::is_trivial<drv_ch_para_t>::value &&
                  std::is_trivial<drv_burst_para_t>::value && std::is_trivial<drv_couple_para_t>::value,
              "the records are plain");

TEST(DrvPara, RecordsAreChecked)
{
    // The sine layout keeps an int load in the shared load member without loss.
    drv_wave_para_t sine{};
    sine.load = 1000000;
    EXPECT_EQ(static_cast<int32>(sine.load), 1000000);
}
