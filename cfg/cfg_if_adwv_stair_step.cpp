#include "cfg_if_adwv_stair_step.h"

#include "cfg_wv_gen_run.h"
#include "lib_sample_conv.h"

#include <algorithm>
#include <vector>

cfg_if_adwv_stair_step_t::cfg_if_adwv_stair_step_t(bool up_flag) : step_count(8), up(up_flag) {}

cfg_if_adwv_stair_step_t::~cfg_if_adwv_stair_step_t() = default;

int cfg_if_adwv_stair_step_t::set_step_count(const int32 &value)
{
    step_count = value;
    return 0;
}

int32 *cfg_if_adwv_stair_step_t::get_step_count() { return &step_count; }

int cfg_if_adwv_stair_step_t::create_wv_data()
{
    const int32 steps = *get_step_count();
    const uint32 n = *get_wv_len();
    const uint32 p = cfg_gen_points_per_cycle(n, *get_cycle());
    // Fewer than two steps has no level spacing; the form never offers it.
    if (steps < 2 || uint32(steps) > p)
        return 2;
    const uint32 s = uint32(steps);
    const float d = float(65534.0 / double(s - 1));
    std::vector<short int> level(s);
    for (uint32 j = 0; j < s; ++j)
        level[j] = lib_to_int16_sat(double(j) * double(d) - 32767.0);
    if (!up)
        std::reverse(level.begin(), level.end());
    const uint64 step_len = p / s;
    const uint64 shift = cfg_gen_phase_offset(p, *get_phase()) % p;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::none, [&](short int *buf, uint64 first, uint32 len) {
        uint64 g = (first + shift) % p;
        for (uint32 i = 0; i < len; ++i) {
            // The last P mod S points of a period stay on the last level.
            buf[i] = level[std::min<uint64>(g / step_len, s - 1)];
            if (++g == p)
                g = 0;
        }
    }, p);
}
