#include "cfg_sinc_samples.h"

#include "lib_sample_conv.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// Why the lanes give the same samples: a sample is the truncation of
// v = sin(t)/t * 32767. The single-precision sine is within an ulp (2^-23 of its value)
// of the true sine and |sin t / t| <= 1, so its quotient lies within 32767 * 2^-23 <
// 0.0040 of the true one. The lanes' sine is within 1e-9 of |t| of the true sine (the
// polynomial's remainder; the rounding steps are far smaller), moving v by less than
// 1e-4. A lane whose v lies CFG_SINC_MARGIN or more from every integer therefore
// truncates to the same integer; the others are computed as before. The test of these
// functions checks every float t of the lanes' range against the single-precision path.

namespace {

constexpr double k_pi = 3.14159265358979323846264338327950288;
constexpr double k_one_over_pi = 0.318309886183790671537767526745028724;
// pi in two parts: the first has 33 significant bits, so n times it is exact for every
// half-turn count n of the lanes' range, and t - n * pi loses nothing.
constexpr double k_pi_hi = 3.14159265346825122833e+00;
constexpr double k_pi_lo = 1.21542010130123844986e-10;
// Adding and subtracting 1.5 * 2^52 rounds a double of magnitude below 2^51 to an
// integer (ties to even) in plain arithmetic, which vector lanes can do.
constexpr double k_round = 6755399441055744.0;

// Taylor coefficients of the sine up to r^13; on |r| <= pi/2 the remainder is below
// |r| * 5e-10.
constexpr double k_s3 = -1.0 / 6.0, k_s5 = 1.0 / 120.0, k_s7 = -1.0 / 5040.0, k_s9 = 1.0 / 362880.0,
                 k_s11 = -1.0 / 39916800.0, k_s13 = 1.0 / 6227020800.0;

// Lanes of one block: out[k] for the lanes that hold, slow[k] set for the others.
inline void sinc_lanes(const float *__restrict t, short int *__restrict out, unsigned char *__restrict slow,
                       uint32 count)
{
#pragma omp simd
    for (uint32 k = 0; k < count; ++k) {
        const double x = t[k];
        const double ax = std::fabs(x);
        const bool in_range = (ax >= CFG_SINC_LANE_MIN) & (ax <= CFG_SINC_LANE_MAX);
        const double xr = in_range ? x : 1.0;
        // sin(x) = (-1)^n sin(x - n pi) with n the nearest half-turn count.
        const double n = (xr * k_one_over_pi + k_round) - k_round;
        const double r = (xr - n * k_pi_hi) - n * k_pi_lo;
        const double r2 = r * r;
        const double s = r + r * r2 * (k_s3 + r2 * (k_s5 + r2 * (k_s7 + r2 * (k_s9 + r2 * (k_s11 + r2 * k_s13)))));
        const double y = (int(n) & 1) ? -s : s;
        const double v = y / xr * 32767.0;
        const double off = v - ((v + k_round) - k_round);
        const bool lane = in_range & (std::fabs(off) >= CFG_SINC_MARGIN);
        // A lane's v lies within (-7200, 32767): its truncation is the int16 itself.
        out[k] = short(int(lane ? v : 0.0));
        slow[k] = !lane;
    }
}

} // namespace

short int cfg_sinc_sample(float t)
{
    return t == 0.0f ? 32767 : lib_to_int16_sat(double(std::sin(t)) / double(t) * 32767.0);
}

// Compiled for three instruction sets, picked when the program loads; every one gives
// the same samples (the lanes only decide which path a sample takes).
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void
cfg_sinc_samples(const float *t, short int *out, uint32 count)
{
    constexpr uint32 k_block = 512;
    // Eight flags are tested at a time; the slack keeps the last test inside the array.
    unsigned char slow[k_block + 8] = {};
    for (uint32 b = 0; b < count; b += k_block) {
        const uint32 m = std::min(k_block, count - b);
        sinc_lanes(t + b, out + b, slow, m);
        for (uint32 k = 0; k < m; k += 8) {
            uint64 any = 0;
            std::memcpy(&any, slow + k, sizeof any);
            if (any == 0)
                continue;
            for (uint32 j = k; j < std::min(k + 8, m); ++j)
                if (slow[j])
                    out[b + j] = cfg_sinc_sample(t[b + j]);
        }
    }
}

// Plain divisions and products in vector lanes: each lane rounds exactly as the scalar
// steps do.
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void
cfg_sinc_args(const cfg_sinc_args_t &g, double h0, uint32 count, float *__restrict t)
{
    const double a = g.a, af = g.af, c0 = g.c0, z = g.z;
#pragma omp simd
    for (uint32 k = 0; k < count; ++k) {
        const float x = float((h0 + double(k) - a - c0) / af);
        t[k] = float(double(x) * z * k_pi);
    }
}
