#include "cfg_if_adwv_sinc.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

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
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
        uint64 h = first % p;
        for (uint32 i = 0; i < len; ++i) {
            const float x = float((double(h) - ad - c0) / af);
            const float t = float(double(x) * z * pi);
            buf[i] = t == 0.0f ? 32767 : lib_to_int16_sat(double(std::sin(t)) / double(t) * 32767.0);
            if (++h == p)
                h = 0;
        }
    }, p);
}
