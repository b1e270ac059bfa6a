#pragma once
#include <cstddef>

// Conversions between int16 samples and volts: a sample s stands for
// s / 32767 * (amplitude / 2) + offset volts.

// The one float-to-int16 conversion of the program: truncates toward zero, saturates
// to [-32768, 32767] and maps NaN to `nan_value`. Inline: the generators call it once
// per sample.
inline short int lib_to_int16_sat(double value, short int nan_value = 0)
{
    if (value != value)
        return nan_value;
    if (value >= 32767.0)
        return 32767;
    if (value <= -32768.0)
        return -32768;
    return static_cast<short int>(value);
}
// The same with round-half-away-from-zero instead of truncation.
short int lib_round_to_int16_sat(double value, short int nan_value = 0);

// The one float-to-int conversion for counts, sizes and intervals: truncates toward
// zero, saturates to the int range and maps NaN to 0.
int lib_to_int_sat(double value);

float sample_to_volt(short int sample, float amplitude, float offset);
// Saturates to the int16 range, gives 0 for NaN and for amplitude 0.
short int volt_to_sample(float volts, float amplitude, float offset);
// volt_to_sample over a block, with the same result for every element: the quotient is
// taken in double wherever that cannot move it across an integer.
void volts_to_samples(const float *volts, short int *samples, std::size_t count, float amplitude, float offset);
// The unrounded quotient; 0.0f for amplitude 0.
float volt_to_sample_f(float volts, float amplitude, float offset);
