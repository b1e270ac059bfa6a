#include "cfg_if_bswv_noise.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"
#include "plat_rand.h"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

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
    }
    float radius[PLAT_RAND_MAX + 1];
    float cosine[PLAT_RAND_MAX + 1];
};

const noise_tables_t &noise_tables()
{
    static const noise_tables_t tables;
    return tables;
}

// Value i of the set uses draws 2i and 2i + 1 after the seed.
inline float noise_value(const noise_tables_t &t, uint32 &state)
{
    const int r1 = plat_rand_next(state);
    const int r2 = plat_rand_next(state);
    return float(double(t.cosine[r2]) * double(t.radius[r1]));
}

// Values [first, first + count) into out, from the state at `seed`. Four stretches are
// drawn side by side from states of their own: each draw waits for the one before it,
// four independent chains keep the processor busy.
void make_values(uint32 seed, uint64 first, uint64 count, float *out)
{
    constexpr int k_lanes = 4;
    const noise_tables_t &t = noise_tables();
    const uint64 lane_len = count / k_lanes;
    uint32 state[k_lanes];
    for (int l = 0; l < k_lanes; ++l)
        state[l] = plat_rand_jump(seed, 2 * (first + uint64(l) * lane_len));
    for (uint64 i = 0; i < lane_len; ++i)
        for (int l = 0; l < k_lanes; ++l)
            out[uint64(l) * lane_len + i] = noise_value(t, state[l]);
    // The few values the lanes leave over.
    uint32 rest = plat_rand_jump(seed, 2 * (first + k_lanes * lane_len));
    for (uint64 i = k_lanes * lane_len; i < count; ++i)
        out[i] = noise_value(t, rest);
}

// Hands the values [first, first + count) to f(values, offset, number) in one slab of
// this thread (reused), or in small pieces should its memory not be had.
template <typename F>
void with_values(uint32 seed, uint64 first, uint64 count, F f)
{
    thread_local std::unique_ptr<float[]> slab;
    if (!slab)
        slab = cfg_gen_alloc<float>(CFG_GEN_SLAB);
    if (slab && count <= CFG_GEN_SLAB) {
        make_values(seed, first, count, slab.get());
        f(slab.get(), uint64(0), count);
        return;
    }
    float piece[4096];
    for (uint64 at = 0; at < count; at += 4096) {
        const uint64 k = std::min<uint64>(4096, count - at);
        make_values(seed, first + at, k, piece);
        f(piece, at, k);
    }
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
            with_values(start, b, std::min<uint64>(CFG_GEN_SLAB, first + len - b), [&](const float *x, uint64, uint64 c) {
                for (uint64 k = 0; k < c; ++k) {
                    smin = std::min(smin, x[k]);
                    smax = std::max(smax, x[k]);
                }
            });
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
        with_values(start, first, len, [&](const float *x, uint64 at, uint64 c) {
            for (uint64 k = 0; k < c; ++k)
                buf[at + k] = lib_to_int16_sat(double(float(2.0 * (double(x[k]) - lo) / span - 1.0)) * 32767.0);
        });
    };
    const int rc = cfg_gen_run(*this, n, cfg_gen_diag_t::none, scale);
    // The process-wide generator ends where the serial draws would have left it.
    plat_rand_set_state(plat_rand_jump(start, 2 * n));
    lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return rc;
}
