#pragma once
#include "lib_types.h"

// The samples of the sinc generator as a function of their argument t alone: 32767 at
// t = 0, else sin(t)/t * 32767 in double with the sine taken in single precision,
// truncated and saturated to int16.
short int cfg_sinc_sample(float t);

// cfg_sinc_sample over a block, the same value for every t. Most values come from a
// double-precision sine in vector lanes; a lane whose quotient lies within
// CFG_SINC_MARGIN of an integer (where a last-bit difference of the single-precision
// sine could move the truncation), or whose t lies outside the lanes' range, is taken
// by cfg_sinc_sample itself.
void cfg_sinc_samples(const float *t, short int *out, uint32 count);

// The lanes' range of |t| and their distance to an integer.
constexpr double CFG_SINC_LANE_MIN = 1.0 / 1024.0;
constexpr double CFG_SINC_LANE_MAX = 65536.0;
constexpr double CFG_SINC_MARGIN = 1.0 / 128.0;

// The arguments of `count` consecutive positions h0, h0 + 1, ... of the period: with
// m = h - a - c0, t = float(float(m / af) * z * pi), every step as the generator takes it.
struct cfg_sinc_args_t
{
    double a;  // half the period, in points
    double af; // the same through single precision
    double c0; // the phase offset in points
    double z;  // zero crossings
};
void cfg_sinc_args(const cfg_sinc_args_t &g, double h0, uint32 count, float *t);
