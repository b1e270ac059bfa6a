#include "cfg_if_adwv_sinc.h"

#include "cfg_sinc_samples.h"
#include "cfg_wv_gen_run.h"

#include <algorithm>
#include <cmath>

cfg_if_adwv_sinc_t::cfg_if_adwv_sinc_t() : zero_crossing(10) {}

cfg_if_adwv_sinc_t::~cfg_if_adwv_sinc_t() = default;

int cfg_if_adwv_sinc_t::set_zero_crossing(const int32 &value)
{
    zero_crossing = value;
    return 0;
}

int32 *cfg_if_adwv_sinc_t::get_zero_crossing() { return &zero_crossing; }

int cfg_if_adwv_sinc_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    const uint32 p = cfg_gen_points_per_cycle(n, *get_cycle());
    if (p <= 1)
        return 2;
    cfg_sinc_args_t g;
    g.z = *get_zero_crossing();
    const uint32 a = p / 2;
    g.a = a;
    g.af = double(float(a));
    g.c0 = cfg_gen_phase_offset(p, *get_phase());
    // In runs of k_run samples: the arguments, then the samples from them.
    constexpr uint32 k_run = 2048;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
        float t[k_run];
        uint64 h = first % p;
        for (uint32 b = 0; b < len; b += k_run) {
            const uint32 m = std::min(k_run, len - b);
            for (uint32 i = 0; i < m;) {
                // Positions count up to the end of the period, then start again at 0.
                const uint32 run = uint32(std::min<uint64>(m - i, p - h));
                cfg_sinc_args(g, double(h), run, t + i);
                i += run;
                h += run;
                if (h == p)
                    h = 0;
            }
            cfg_sinc_samples(t, buf + b, m);
        }
    }, p);
}
