#include "cfg_if_bswv_dc.h"

#include "cfg_wv_gen_run.h"

#include <cstring>

cfg_if_bswv_dc_t::~cfg_if_bswv_dc_t() = default;

// A DC level has no amplitude or frequency of its own: these pass every model's limits.
float cfg_if_bswv_dc_t::get_limit_amp() { return 0.002f; }

float cfg_if_bswv_dc_t::get_limit_freq() { return 1000.0f; }

int cfg_if_bswv_dc_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    // Zeros repeat with any period: one small block of them is written over and over.
    constexpr uint64 k_block = 65536;
    return cfg_gen_run(
        *this, n, cfg_gen_diag_t::none,
        [](short int *buf, uint64, uint32 len) { std::memset(buf, 0, std::size_t(len) * sizeof(short int)); },
        k_block);
}
