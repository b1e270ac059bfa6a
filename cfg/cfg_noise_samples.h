#pragma once
#include "lib_types.h"

// The values of the noise generator and their int16 samples. Value i of a set uses draws
// 2i + 1 and 2i + 2 of plat_rand after the state `seed`: a Box-Muller value in single
// precision, cos(2 pi u2) * sqrt 2 * sqrt(-ln u1).

// One value from the state, which moves on by its two draws.
float cfg_noise_value(uint32 &state);

// The extremes of values [first, first + count) and 0.
void cfg_noise_extremes(uint32 seed, uint64 first, uint64 count, float &lo, float &hi);

// The sample of value x spanning the full scale between lo and lo + span (span > 0).
short int cfg_noise_sample(float x, double lo, double span);

// Samples of values [first, first + count) into out, the widest lanes this processor
// has.
void cfg_noise_samples(uint32 seed, uint64 first, uint64 count, double lo, double span, short int *out);

// The same by lanes of a given instruction set, so that tests can compare them; false
// when this processor lacks it (nothing is written).
enum class cfg_noise_lanes_t { portable, avx512 };
bool cfg_noise_samples_by(cfg_noise_lanes_t lanes, uint32 seed, uint64 first, uint64 count, double lo, double span,
                          short int *out);
