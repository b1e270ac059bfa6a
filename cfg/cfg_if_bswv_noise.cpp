#include "cfg_if_bswv_noise.h"

#include "cfg_noise_samples.h"
#include "cfg_wv_gen_run.h"
#include "plat_rand.h"

#include <algorithm>
#include <ctime>
#include <vector>

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

    const auto t0 = cfg_gen_clock_t::now();
    double lo = 0.0, hi = 0.0;
    for (uint64 first = 0; first < n; first += CFG_GEN_CHUNK) {
        const uint64 len = std::min<uint64>(n - first, CFG_GEN_CHUNK);
        const auto t = cfg_gen_clock_t::now();
        std::vector<float> slab_lo((len + CFG_GEN_SLAB - 1) / CFG_GEN_SLAB), slab_hi(slab_lo.size());
        cfg_gen_for_slabs(first, len, [&](uint64 b, uint64 count) {
            const std::size_t k = std::size_t((b - first) / CFG_GEN_SLAB);
            cfg_noise_extremes(start, b, count, slab_lo[k], slab_hi[k]);
            return true;
        });
        double mn = lo, mx = hi;
        for (std::size_t k = 0; k < slab_lo.size(); ++k) {
            mn = std::min(mn, double(slab_lo[k]));
            mx = std::max(mx, double(slab_hi[k]));
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
        cfg_noise_samples(start, first, len, lo, span, buf);
    };
    const int rc = cfg_gen_run(*this, n, cfg_gen_diag_t::none, scale);
    // The process-wide generator ends where the serial draws would have left it.
    plat_rand_set_state(plat_rand_jump(start, 2 * n));
    lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return rc;
}
