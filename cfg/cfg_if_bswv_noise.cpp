#include "cfg_if_bswv_noise.h"

#include "cfg_wv_gen_run.h"
#include "lib_file_io.h"
#include "lib_sample_conv.h"
#include "lib_wv_file_buffer.h"
#include "plat_rand.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

// Draws the uniform pairs of one chunk in order (value i uses draws 2i and 2i + 1) and
// turns each pair into a normal value in place of its first draw.
void draw_chunk(float *x, float *u2, uint32 len)
{
    for (uint32 i = 0; i < len; ++i) {
        x[i] = float(plat_rand() / 32767.0);
        u2[i] = float(plat_rand() / 32767.0);
    }
    cfg_gen_parallel_default(len, [&](uint64 b, uint64 e) {
        const double two_pi = 6.283185307179586476925286766559;
        const double sqrt2 = 1.4142135623730950488016887242097;
        for (uint64 i = b; i < e; ++i) {
            const float u1 = x[i] == 0.0f ? 1e-8f : x[i];
            const float s = float(std::sqrt(-double(std::log(u1))));
            const float cs = std::cos(float(two_pi * double(u2[i])));
            x[i] = float(double(float(double(cs) * sqrt2)) * double(s));
        }
    });
}

void scan_chunk(const float *x, uint32 len, double &lo, double &hi)
{
    double mn = lo, mx = hi;
#pragma omp parallel for num_threads(CFG_GEN_THREADS) reduction(min : mn) reduction(max : mx)
    for (int64 i = 0; i < int64(len); ++i) {
        mn = std::min(mn, double(x[i]));
        mx = std::max(mx, double(x[i]));
    }
    lo = mn;
    hi = mx;
}

void scale_chunk(const float *x, short int *out, uint32 len, double lo, double hi)
{
    const double span = hi - lo;
    cfg_gen_parallel(len, CFG_GEN_THREADS, [&](uint64 b, uint64 e) {
        if (span == 0.0) {
            // All values equal: no spread to fill the scale with.
            std::fill(out + b, out + e, static_cast<short int>(0));
            return;
        }
        for (uint64 i = b; i < e; ++i)
            out[i] = lib_to_int16_sat(double(float(2.0 * (double(x[i]) - lo) / span - 1.0)) * 32767.0);
    });
}

} // namespace

cfg_if_bswv_noise_t::~cfg_if_bswv_noise_t() = default;

void cfg_if_bswv_noise_t::use_fixed_seed(unsigned int value)
{
    fixed_seed = true;
    seed = value;
}

void cfg_if_bswv_noise_t::use_time_seed() { fixed_seed = false; }

int cfg_if_bswv_noise_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    cfg_wv_sample_sink_t sink(*get_wv_data(), true);
    plat_srand(fixed_seed ? seed : static_cast<unsigned int>(std::time(nullptr)));

    const uint32 chunk = std::min(n, CFG_GEN_CHUNK);
    auto x = cfg_gen_alloc<float>(chunk);
    auto u2 = cfg_gen_alloc<float>(chunk);
    auto out = cfg_gen_alloc<short int>(chunk);
    if (!x || !u2 || !out)
        return CFG_GEN_NO_MEMORY;
    const auto t0 = cfg_gen_clock_t::now();
    double lo = 0.0, hi = 0.0;

    if (n <= CFG_GEN_CHUNK) {
        // One chunk: the whole set is in memory, no scratch file is needed.
        draw_chunk(x.get(), u2.get(), n);
        lib_diag_line("cal use " + cfg_gen_ms_since(t0));
        u2.reset();
        scan_chunk(x.get(), n, lo, hi);
        scale_chunk(x.get(), out.get(), n, lo, hi);
        sink.append(out.get(), n);
    } else {
        // The scaling needs the extremes of the whole set: keep the values in a scratch
        // file, then read them back.
        lib_wv_file_buffer_t<float> scratch;
        lib_fd_t fd = lib_open_rw(scratch.get_path());
        if (!fd.ok())
            return CFG_GEN_WRITE_FAILED;
        for (uint64 first = 0; first < n; first += chunk) {
            const uint32 len = uint32(std::min<uint64>(n - first, chunk));
            const auto t = cfg_gen_clock_t::now();
            draw_chunk(x.get(), u2.get(), len);
            lib_diag_line("cal use " + cfg_gen_ms_since(t));
            scan_chunk(x.get(), len, lo, hi);
            const std::size_t bytes = std::size_t(len) * 4;
            if (lib_pwrite_all(fd.get(), x.get(), bytes, first * 4) != bytes)
                return CFG_GEN_WRITE_FAILED;
        }
        u2.reset();
        for (uint64 first = 0; first < n && sink.ok(); first += chunk) {
            const uint32 len = uint32(std::min<uint64>(n - first, chunk));
            const std::size_t bytes = std::size_t(len) * 4;
            if (lib_pread_all(fd.get(), x.get(), bytes, first * 4) != bytes)
                return CFG_GEN_WRITE_FAILED;
            scale_chunk(x.get(), out.get(), len, lo, hi);
            sink.append(out.get(), len);
        }
    }
    lib_diag_line("total time" + cfg_gen_ms_since(t0));
    return cfg_gen_finish(*this, sink);
}
