#include "cfg_if_bswv_square.h"

#include "cfg_wv_gen_run.h"

cfg_if_bswv_square_t::cfg_if_bswv_square_t() : duty(50.0f) {}

cfg_if_bswv_square_t::~cfg_if_bswv_square_t() = default;

int cfg_if_bswv_square_t::set_duty(const float &value)
{
    duty = value;
    return 0;
}

float *cfg_if_bswv_square_t::get_duty() { return &duty; }

int cfg_if_bswv_square_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    const uint32 p = cfg_gen_points_per_cycle(n, *get_cycle());
    if (p == 0)
        return 2;
    const float high = float(double(p) * (double(*get_duty()) / 100.0));
    const uint64 q0 = cfg_gen_phase_offset(p, *get_phase()) % p;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk, [&](short int *buf, uint64 first, uint32 len) {
        // The position in the period just counts up, so each stretch can start from
        // its own index.
        uint32 q = uint32((q0 + first) % p);
        for (uint32 i = 0; i < len; ++i) {
            buf[i] = high > float(q) ? 32767 : -32767;
            if (++q >= p)
                q = 0;
        }
    }, p);
}
