#include "cfg_sine_template.h"

#include "cfg_wv_gen.h"
#include "lib_file_io.h"
#include "lib_sample_conv.h"

#include <cmath>
#include <cstdio>
#include <vector>

short int cfg_sine_template_sample(uint32 j)
{
    const double two_pi = 6.283185307179586476925286766559;
    return lib_round_to_int16_sat(32767.0 * std::sin(two_pi * double(j) / double(CFG_SINE_TEMPLATE_LEN)));
}

namespace {

constexpr uint32 k_fine_bits = 12;
constexpr uint32 k_fine = 1u << k_fine_bits;
constexpr uint32 k_coarse = (CFG_SINE_TEMPLATE_LEN >> k_fine_bits) + 1;

// sin and cos of 2 pi (hi * k_fine) / LEN and of 2 pi lo / LEN.
struct sine_tables_t
{
    sine_tables_t() : coarse_sin(k_coarse), coarse_cos(k_coarse), fine_sin(k_fine), fine_cos(k_fine)
    {
        const double two_pi = 6.283185307179586476925286766559;
        for (uint32 i = 0; i < k_coarse; ++i) {
            const double a = two_pi * double(uint64(i) << k_fine_bits) / double(CFG_SINE_TEMPLATE_LEN);
            coarse_sin[i] = std::sin(a);
            coarse_cos[i] = std::cos(a);
        }
        for (uint32 i = 0; i < k_fine; ++i) {
            const double a = two_pi * double(i) / double(CFG_SINE_TEMPLATE_LEN);
            fine_sin[i] = std::sin(a);
            fine_cos[i] = std::cos(a);
        }
    }
    std::vector<double> coarse_sin, coarse_cos, fine_sin, fine_cos;
};

const sine_tables_t &sine_tables()
{
    static const sine_tables_t tables;
    return tables;
}

} // namespace

short int cfg_sine_fast_sample(uint32 j)
{
    const sine_tables_t &t = sine_tables();
    const uint32 hi = j >> k_fine_bits, lo = j & (k_fine - 1);
    const double v = 32767.0 * (t.coarse_sin[hi] * t.fine_cos[lo] + t.coarse_cos[hi] * t.fine_sin[lo]);
    // The tables and the products are good to a few units in the last place, some
    // 1e-11 after scaling; away from a rounding tie the nearest integer is certain.
    const double frac = std::fabs(v - std::trunc(v));
    if (std::fabs(frac - 0.5) < 1e-6 || !(std::fabs(v) < 32767.5))
        return cfg_sine_template_sample(j);
    return lib_round_to_int16_sat(v);
}

bool cfg_write_sine_template(const std::string &path)
{
    const std::string tmp = path + ".part";
    bool ok = false;
    {
        lib_fd_t out = lib_create_fresh(tmp);
        if (out.ok()) {
            constexpr uint32 block = 1u << 20;
            std::vector<short int> buf(block);
            ok = true;
            for (uint32 first = 0; ok && first < CFG_SINE_TEMPLATE_LEN; first += block) {
                const uint32 len = std::min(block, CFG_SINE_TEMPLATE_LEN - first);
                cfg_gen_parallel(len, CFG_GEN_THREADS, [&](uint64 b, uint64 e) {
                    for (uint64 i = b; i < e; ++i)
                        buf[i] = cfg_sine_fast_sample(first + uint32(i));
                });
                const std::size_t bytes = std::size_t(len) * 2;
                ok = lib_pwrite_all(out.get(), buf.data(), bytes, uint64(first) * 2) == bytes;
            }
        }
    }
    if (ok && std::rename(tmp.c_str(), path.c_str()) == 0)
        return true;
    std::remove(tmp.c_str());
    return false;
}
