#include "cfg_noise_samples.h"

#include "lib_sample_conv.h"
#include "plat_rand.h"

#include <algorithm>
#include <cmath>
#include <immintrin.h>

// The vector headers of GCC 12 start some results from a vector left undefined on
// purpose, which its flow analysis reports once inlined here.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"

namespace {

// A draw takes one of 32768 values, so each factor of the Box-Muller value is one of
// 32768 floats: the radius from the first draw of a pair, the cosine (times sqrt 2)
// from the second. Tables of both, computed once with the same single-precision steps,
// give every value bit for bit as the formula does, without a logarithm or a cosine per
// value.
struct noise_tables_t
{
    noise_tables_t()
    {
        const double two_pi = 6.283185307179586476925286766559;
        const double sqrt2 = 1.4142135623730950488016887242097;
        for (int r = 0; r <= PLAT_RAND_MAX; ++r) {
            const float u = float(r / 32767.0);
            const float u1 = u == 0.0f ? 1e-8f : u;
            radius[r] = float(std::sqrt(-double(std::log(u1))));
            const float cs = std::cos(float(two_pi * double(u)));
            cosine[r] = float(double(cs) * sqrt2);
        }
        // |cosine * radius| <= cmax * radius, and rounding keeps the order, so no value
        // whose first draw is r lies outside +-(cmax * radius[r]); reach[t] is the
        // largest such bound over r >= t (reach[32768] < 0: no value).
        float cmax = 0.0f;
        for (float c : cosine)
            cmax = std::max(cmax, std::fabs(c));
        reach[PLAT_RAND_MAX + 1] = -1.0f;
        for (int r = PLAT_RAND_MAX; r >= 0; --r)
            reach[r] = std::max(reach[r + 1], cmax * radius[r]);
    }
    // The first draws r < limit_for(m) are the only ones whose value can lie outside
    // (-m, m).
    int limit_for(float m) const
    {
        return int(std::partition_point(reach, reach + PLAT_RAND_MAX + 2, [m](float b) { return b >= m; }) - reach);
    }
    float radius[PLAT_RAND_MAX + 1];
    float cosine[PLAT_RAND_MAX + 1];
    float reach[PLAT_RAND_MAX + 2];
};

const noise_tables_t &noise_tables()
{
    static const noise_tables_t tables;
    return tables;
}

// The product of two floats is exact in double, so rounding it to float is the float
// product itself.
inline float noise_value(const noise_tables_t &t, uint32 &state)
{
    const int r1 = plat_rand_next(state);
    const int r2 = plat_rand_next(state);
    return t.cosine[r2] * t.radius[r1];
}

// Chains of draws run side by side: lane l makes values l, l + k_lanes, ..., each chain
// stepping over the draws of the others at once (k_lanes values of two draws make again
// one step of the same kind).
constexpr int k_lanes = 16;

struct chains_t
{
    chains_t(uint32 seed, uint64 first)
    {
        const uint32 start = plat_rand_jump(seed, 2 * first);
        skip_add = plat_rand_jump(0, 2 * k_lanes);
        skip_mul = plat_rand_jump(1, 2 * k_lanes) - skip_add;
        for (int l = 0; l < k_lanes; ++l)
            state[l] = plat_rand_jump(start, 2 * uint64(l));
    }
    alignas(64) uint32 state[k_lanes];
    uint32 skip_mul, skip_add;
};

// The few values the lanes leave over.
void rest_samples(uint32 seed, uint64 first, uint64 whole, uint64 count, double lo, double span, short int *out)
{
    const noise_tables_t &t = noise_tables();
    uint32 rest = plat_rand_jump(seed, 2 * (first + whole));
    for (uint64 i = whole; i < count; ++i)
        out[i] = cfg_noise_sample(noise_value(t, rest), lo, span);
}

__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void
portable_samples(uint32 seed, uint64 first, uint64 count, double lo, double span, short int *__restrict out)
{
    const noise_tables_t &t = noise_tables();
    chains_t c(seed, first);
    const float *__restrict radius = t.radius;
    const float *__restrict cosine = t.cosine;
    const uint64 whole = count / k_lanes * k_lanes;
    for (uint64 i = 0; i < whole; i += k_lanes) {
        short int *__restrict o = out + i;
#pragma omp simd
        for (int l = 0; l < k_lanes; ++l) {
            uint32 s = c.state[l];
            const int r1 = plat_rand_next(s);
            const int r2 = plat_rand_next(s);
            o[l] = cfg_noise_sample(cosine[r2] * radius[r1], lo, span);
            c.state[l] = c.state[l] * c.skip_mul + c.skip_add;
        }
    }
    rest_samples(seed, first, whole, count, lo, span, out);
}

// The lanes below take every step of cfg_noise_sample in the same order and precision
// (IEEE operations round the same in a lane as alone); the compiler would not gather
// the table entries itself. Processors without these lanes take the portable ones.

// cfg_noise_sample of eight values.
__attribute__((target("avx512f"))) inline __m256i avx512_scaled(__m256 x, __m512d lo, __m512d span)
{
    const __m512d full = _mm512_set1_pd(32767.0), low = _mm512_set1_pd(-32768.0);
    const __m512d d = _mm512_mul_pd(_mm512_set1_pd(2.0), _mm512_sub_pd(_mm512_cvtps_pd(x), lo));
    const __m512d q = _mm512_sub_pd(_mm512_div_pd(d, span), _mm512_set1_pd(1.0));
    const __m512d v = _mm512_mul_pd(_mm512_cvtps_pd(_mm512_cvtpd_ps(q)), full);
    const __mmask8 number = _mm512_cmp_pd_mask(v, v, _CMP_ORD_Q);
    return _mm512_cvttpd_epi32(_mm512_maskz_mov_pd(number, _mm512_max_pd(_mm512_min_pd(v, full), low)));
}

__attribute__((target("avx512f"))) void avx512_samples(uint32 seed, uint64 first, uint64 count, double lo,
                                                        double span, short int *out)
{
    const noise_tables_t &t = noise_tables();
    chains_t c(seed, first);
    const __m512i mul = _mm512_set1_epi32(int(214013u)), add = _mm512_set1_epi32(int(2531011u));
    const __m512i mask = _mm512_set1_epi32(0x7FFF);
    const __m512i skip_mul = _mm512_set1_epi32(int(c.skip_mul)), skip_add = _mm512_set1_epi32(int(c.skip_add));
    const __m512d vlo = _mm512_set1_pd(lo), vspan = _mm512_set1_pd(span);
    __m512i s = _mm512_load_si512(c.state);
    const uint64 whole = count / k_lanes * k_lanes;
    for (uint64 i = 0; i < whole; i += k_lanes) {
        const __m512i s1 = _mm512_add_epi32(_mm512_mullo_epi32(s, mul), add);
        const __m512i s2 = _mm512_add_epi32(_mm512_mullo_epi32(s1, mul), add);
        const __m512i r1 = _mm512_and_si512(_mm512_srli_epi32(s1, 16), mask);
        const __m512i r2 = _mm512_and_si512(_mm512_srli_epi32(s2, 16), mask);
        const __m512 x = _mm512_mul_ps(_mm512_i32gather_ps(r2, t.cosine, 4), _mm512_i32gather_ps(r1, t.radius, 4));
        const __m256i lo8 = avx512_scaled(_mm512_castps512_ps256(x), vlo, vspan);
        const __m256i hi8 = avx512_scaled(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(x), 1)), vlo, vspan);
        const __m512i v = _mm512_inserti64x4(_mm512_castsi256_si512(lo8), hi8, 1);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(out + i), _mm512_cvtepi32_epi16(v));
        s = _mm512_add_epi32(_mm512_mullo_epi32(s, skip_mul), skip_add);
    }
    rest_samples(seed, first, whole, count, lo, span, out);
}

bool has(cfg_noise_lanes_t lanes)
{
    switch (lanes) {
    case cfg_noise_lanes_t::portable:
        return true;
    case cfg_noise_lanes_t::avx512:
        return __builtin_cpu_supports("avx512f");
    }
    return false;
}

cfg_noise_lanes_t widest()
{
    static const cfg_noise_lanes_t lanes =
        has(cfg_noise_lanes_t::avx512) ? cfg_noise_lanes_t::avx512 : cfg_noise_lanes_t::portable;
    return lanes;
}

} // namespace

float cfg_noise_value(uint32 &state) { return noise_value(noise_tables(), state); }

short int cfg_noise_sample(float x, double lo, double span)
{
    return lib_to_int16_sat(double(float(2.0 * (double(x) - lo) / span - 1.0)) * 32767.0);
}

// A value can move the extremes only when its first draw is below the limit their
// magnitude allows, which after the first few values only a few draws in ten thousand
// are: the lanes draw the first draw of each value and make the whole values only where
// a lane is below the limit. A zero extreme may come out as -0 where the values in order
// give +0; the scaling does not see the difference (x - lo and the span are the same).
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void
cfg_noise_extremes(uint32 seed, uint64 first, uint64 count, float &lo, float &hi)
{
    const noise_tables_t &t = noise_tables();
    chains_t c(seed, first);
    uint32 at[k_lanes];
    float mn = 0.0f, mx = 0.0f;
    int limit = t.limit_for(0.0f);
    const uint64 whole = count / k_lanes * k_lanes;
    for (uint64 i = 0; i < whole; i += k_lanes) {
        int hit = 0;
#pragma omp simd reduction(| : hit)
        for (int l = 0; l < k_lanes; ++l) {
            uint32 s = c.state[l];
            at[l] = s;
            hit |= int(plat_rand_next(s) < limit);
            c.state[l] = c.state[l] * c.skip_mul + c.skip_add;
        }
        if (hit == 0)
            continue;
        for (int l = 0; l < k_lanes; ++l) {
            const float v = noise_value(t, at[l]);
            mn = std::min(mn, v);
            mx = std::max(mx, v);
        }
        limit = t.limit_for(std::min(-mn, mx));
    }
    uint32 rest = plat_rand_jump(seed, 2 * (first + whole));
    for (uint64 i = whole; i < count; ++i) {
        const float v = noise_value(t, rest);
        mn = std::min(mn, v);
        mx = std::max(mx, v);
    }
    lo = mn;
    hi = mx;
}

bool cfg_noise_samples_by(cfg_noise_lanes_t lanes, uint32 seed, uint64 first, uint64 count, double lo, double span,
                          short int *out)
{
    if (!has(lanes))
        return false;
    switch (lanes) {
    case cfg_noise_lanes_t::portable:
        portable_samples(seed, first, count, lo, span, out);
        break;
    case cfg_noise_lanes_t::avx512:
        avx512_samples(seed, first, count, lo, span, out);
        break;
    }
    return true;
}

void cfg_noise_samples(uint32 seed, uint64 first, uint64 count, double lo, double span, short int *out)
{
    cfg_noise_samples_by(widest(), seed, first, count, lo, span, out);
}
