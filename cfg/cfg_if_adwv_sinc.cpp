#include "cfg_if_adwv_sinc.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

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
    const double z = *get_zero_crossing();
    const uint32 a = p / 2;
    const double ad = a;
    const double af = double(float(a));
    const double c0 = cfg_gen_phase_offset(p, *get_phase());
    const double pi = 3.14159265358979323846264338327950288;
    // In runs of k_run samples: the arguments, then their sines, then the samples, so
    // that the divisions around the sine do not wait for it one by one.
    constexpr uint32 k_run = 2048;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
        float t[k_run], sn[k_run];
        uint64 h = first % p;
        for (uint32 b = 0; b < len; b += k_run) {
            const uint32 m = std::min(k_run, len - b);
            for (uint32 i = 0; i < m;) {
                // Positions count up to the end of the period, then start again at 0.
                const uint32 run = uint32(std::min<uint64>(m - i, p - h));
                const double h0 = double(h);
                for (uint32 k = 0; k < run; ++k) {
                    const float x = float((h0 + double(k) - ad - c0) / af);
                    t[i + k] = float(double(x) * z * pi);
                }
                i += run;
                h += run;
                if (h == p)
                    h = 0;
            }
            for (uint32 k = 0; k < m; ++k)
                sn[k] = std::sin(t[k]);
            for (uint32 k = 0; k < m; ++k)
                buf[b + k] = t[k] == 0.0f ? 32767 : lib_to_int16_sat(double(sn[k]) / double(t[k]) * 32767.0);
        }
    }, p);
}
