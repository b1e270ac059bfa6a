#include "cfg_if_adwv_exp.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

#include <cmath>

cfg_if_adwv_exp_t::cfg_if_adwv_exp_t(bool rise_flag) : rise(rise_flag), damp_factor(5.0f) {}

cfg_if_adwv_exp_t::~cfg_if_adwv_exp_t() = default;

int cfg_if_adwv_exp_t::set_damp_factor(const float &value)
{
    damp_factor = value;
    return 0;
}

float *cfg_if_adwv_exp_t::get_damp_factor() { return &damp_factor; }

int cfg_if_adwv_exp_t::create_wv_data()
{
    const double k = *get_damp_factor();
    const uint32 n = *get_wv_len();
    const uint32 p = cfg_gen_points_per_cycle(n, *get_cycle());
    if (p == 0)
        return 2;
    const uint64 shift = cfg_gen_phase_offset(p, *get_phase()) % p;
    const double pd = p;
    const bool is_rise = rise;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk, [&](short int *buf, uint64 first, uint32 len) {
        uint64 g = (first + shift) % p;
        for (uint32 i = 0; i < len; ++i) {
            const double ex = std::exp(-k * (double(g) / pd));
            const double y = is_rise ? 1.0 - ex : ex;
            buf[i] = lib_to_int16_sat((2.0 * y - 1.0) * 32767.0);
            if (++g == p)
                g = 0;
        }
    }, p);
}
