#include "cfg_if_bswv_ramp.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

#include <cmath>

cfg_if_bswv_ramp_t::cfg_if_bswv_ramp_t() : symmetry(50.0f) {}

cfg_if_bswv_ramp_t::~cfg_if_bswv_ramp_t() = default;

int cfg_if_bswv_ramp_t::set_symmetry(const float &value)
{
    symmetry = value;
    return 0;
}

float *cfg_if_bswv_ramp_t::get_symmetry() { return &symmetry; }

int cfg_if_bswv_ramp_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    const uint32 p = cfg_gen_points_per_cycle(n, *get_cycle());
    if (p == 0)
        return 2;
    const double sym = *get_symmetry();
    const double pd = p;
    // The rising length starts from P in single precision, the falling one from P in
    // double: the two need not add up to P.
    const int64 lim = int64(1) << 40;
    const int64 a = cfg_gen_trunc_i64(double(float(p)) * sym / 100.0, -lim, lim);
    const int64 bl = cfg_gen_trunc_i64((100.0 - sym) * pd / 100.0, -lim, lim);
    double phi = *get_phase();
    if (phi < 0.0)
        phi += 360.0;
    const int64 c0 = cfg_gen_trunc_i64(pd * phi / 360.0 + std::floor(double(a) / 2.0), -lim, lim);
    // Reduced into the period once, so every index below stays non-negative.
    const uint64 shift = uint64(((c0 % int64(p)) + int64(p)) % int64(p));
    const double ad = double(a), bd = double(bl);
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
        uint64 h = (first + shift) % p;
        for (uint32 i = 0; i < len; ++i) {
            const double hd = double(h);
            buf[i] = hd < ad ? lib_to_int16_sat(hd * 65535.0 / ad - 32768.0)
                             : lib_to_int16_sat(32767.0 - (hd - ad) * 65535.0 / bd);
            if (++h == p)
                h = 0;
        }
    }, p);
}
