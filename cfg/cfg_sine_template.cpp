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
                        buf[i] = cfg_sine_template_sample(first + uint32(i));
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
