#include "cfg_if_bswv_noise.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"
#include "plat_rand.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>

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

// Value i of the set uses draws 2i + 1 and 2i + 2 after the seed. The product of two
// floats is exact in double, so rounding it to float is the float product itself.
inline float noise_value(const noise_tables_t &t, uint32 &state)
{
    const int r1 = plat_rand_next(state);
    const int r2 = plat_rand_next(state);
    return t.cosine[r2] * t.radius[r1];
}

// Chains of draws run side by side (see make_samples).
constexpr int k_lanes = 16;

// The extremes of values [first, first + count) and 0, from the state at `seed`. A value
// can move the extremes only when its first draw is below the limit their magnitude
// allows, which after the first few values only a few draws in ten thousand are: the
// lanes draw the first draw of each value and make the whole values only where a lane
// is below the limit. A zero extreme may come out as -0 where the values in order give
// +0; the scaling does not see the difference (x - lo and the span are the same).
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void extremes(uint32 seed, uint64 first,
                                                                                uint64 count, float &lo, float &hi)
{
    const noise_tables_t &t = noise_tables();
    const uint32 start = plat_rand_jump(seed, 2 * first);
    const uint32 skip_add = plat_rand_jump(0, 2 * k_lanes);
    const uint32 skip_mul = plat_rand_jump(1, 2 * k_lanes) - skip_add;
    uint32 state[k_lanes], at[k_lanes];
    for (int l = 0; l < k_lanes; ++l)
        state[l] = plat_rand_jump(start, 2 * uint64(l));
    float mn = 0.0f, mx = 0.0f;
    int limit = t.limit_for(0.0f);
    const uint64 whole = count / k_lanes * k_lanes;
    for (uint64 i = 0; i < whole; i += k_lanes) {
        int hit = 0;
#pragma omp simd reduction(| : hit)
        for (int l = 0; l < k_lanes; ++l) {
            uint32 s = state[l];
            at[l] = s;
            hit |= int(plat_rand_next(s) < limit);
            state[l] = state[l] * skip_mul + skip_add;
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
    uint32 rest = plat_rand_jump(start, 2 * whole);
    for (uint64 i = whole; i < count; ++i) {
        const float v = noise_value(t, rest);
        mn = std::min(mn, v);
        mx = std::max(mx, v);
    }
    lo = mn;
    hi = mx;
}

// The value's sample spanning the full scale between lo and lo + span.
inline short int scaled(float x, double lo, double span)
{
    return lib_to_int16_sat(double(float(2.0 * (double(x) - lo) / span - 1.0)) * 32767.0);
}

// Samples of values [first, first + count) into out, from the state at `seed`. Each draw
// waits for the one before it, so k_lanes interleaved chains run side by side in vector
// lanes: lane l makes values l, l + k_lanes, ..., each chain stepping over the draws of
// the others at once (k_lanes values of two draws make again one step of the same kind).
__attribute__((target_clones("arch=x86-64-v4", "avx2", "default"))) void
make_samples(uint32 seed, uint64 first, uint64 count, double lo, double span, short int *__restrict out)
{
    const noise_tables_t &t = noise_tables();
    const uint32 start = plat_rand_jump(seed, 2 * first);
    const uint32 skip_add = plat_rand_jump(0, 2 * k_lanes);
    const uint32 skip_mul = plat_rand_jump(1, 2 * k_lanes) - skip_add;
    uint32 state[k_lanes];
    for (int l = 0; l < k_lanes; ++l)
        state[l] = plat_rand_jump(start, 2 * uint64(l));
    const float *__restrict radius = t.radius;
    const float *__restrict cosine = t.cosine;
    const uint64 whole = count / k_lanes * k_lanes;
    for (uint64 i = 0; i < whole; i += k_lanes) {
        short int *__restrict o = out + i;
#pragma omp simd
        for (int l = 0; l < k_lanes; ++l) {
            uint32 s = state[l];
            const int r1 = plat_rand_next(s);
            const int r2 = plat_rand_next(s);
            o[l] = scaled(cosine[r2] * radius[r1], lo, span);
            state[l] = state[l] * skip_mul + skip_add;
        }
    }
    // The few values the lanes leave over.
    uint32 rest = plat_rand_jump(start, 2 * whole);
    for (uint64 i = whole; i < count; ++i)
        out[i] = scaled(noise_value(t, rest), lo, span);
}

} // namespace

cfg_if_bswv_noise_t::~cfg_if_bswv_noise_t() = default;

void cfg_if_bswv_noise_t::use_fixed_seed(unsigned int value)
{
    fixed_seed = true;
    seed = value;
}

void cfg_if_bswv_noise_t::use_time_seed() { fixed_seed = false; }

// The scaling needs the extremes of the whole set, so the values are made twice from
// the same draws: once for the extremes, once to be scaled and written. Any stretch of
// the draws is reached directly from the seed, so both passes run in parallel streams
// that give exactly the serial sequence, and nothing of the set is held.
int cfg_if_bswv_noise_t::create_wv_data()
{
    const uint64 n = *get_wv_len();
    plat_srand(fixed_seed ? seed : static_cast<unsigned int>(std::time(nullptr)));
    const uint32 start = plat_rand_state();
    noise_tables();

    const auto t0 = cfg_gen_clock_t::now();
    double lo = 0.0, hi = 0.0;
    for (uint64 first = 0; first < n; first += CFG_GEN_CHUNK) {
        const uint64 len = std::min<uint64>(n - first, CFG_GEN_CHUNK);
        const auto t = cfg_gen_clock_t::now();
        const uint64 slabs = (len + CFG_GEN_SLAB - 1) / CFG_GEN_SLAB;
        double mn = lo, mx = hi;
#pragma omp parallel for schedule(dynamic, 1) num_threads(lib_team_size(len, CFG_GEN_GRAIN)) reduction(min : mn) reduction(max : mx)
        for (int64 i = 0; i < int64(slabs); ++i) {
            const uint64 b = first + uint64(i) * CFG_GEN_SLAB;
            float smin = 0.0f, smax = 0.0f;
            extremes(start, b, std::min<uint64>(CFG_GEN_SLAB, first + len - b), smin, smax);
            mn = std::min(mn, double(smin));
            mx = std::max(mx, double(smax));
        }
        lo = mn;
        hi = mx;
        lib_diag_line("cal use " + cfg_gen_ms_since(t));
    }

    const double span = hi - lo;
    auto scale = [&](short int *buf, uint64 first, uint32 len) {
        if (span == 0.0) {
            // All values equal: no spread to fill the scale with.
            std::fill(buf, buf + len, static_cast<short int>(0));
            return;
        }
        make_samples(start, first, len, lo, span, buf);
    };
    const int rc = cfg_gen_run(*this, n, cfg_gen_diag_t::none, scale);
    // The process-wide generator ends where the serial draws would have left it.
    plat_rand_set_state(plat_rand_jump(start, 2 * n));
    lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return rc;
}
