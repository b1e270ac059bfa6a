#include "cfg_if_bswv_sine.h"

#include "cfg_sine_template.h"
#include "cfg_wv_gen_run.h"
#include "lib_file_io.h"

#include <cmath>
#include <vector>

namespace {

constexpr double k_len = double(CFG_SINE_TEMPLATE_LEN);
constexpr int k_blocks = CFG_GEN_THREADS;

double start_position(float phase)
{
    const double phi = phase;
    double x = 0.0;
    if (phi > 0.0)
        x = phi / 360.0 * k_len;
    else if (phi < 0.0)
        x = (phi + 360.0) / 360.0 * k_len;
    if (x >= k_len)
        x -= k_len;
    // Phases beyond one turn (the dialog never gives them) still land inside the
    // template.
    if (!(x >= 0.0 && x < k_len)) {
        x = std::isfinite(x) ? std::fmod(x, k_len) : 0.0;
        if (x < 0.0)
            x += k_len;
        if (x >= k_len)
            x = 0.0;
    }
    return x;
}

// The template position runs serially, x += s with its wrap, and truncation edges depend
// on every rounding of that sum; so the start of each thread's block is found by walking
// the very same recurrence, and each thread continues it from there.
std::vector<double> block_starts(uint64 n, double x, double s)
{
    std::vector<double> starts;
    uint64 k = 0;
    for (uint64 first = 0; first < n; first += CFG_GEN_CHUNK) {
        const uint64 len = std::min<uint64>(n - first, CFG_GEN_CHUNK);
        for (int b = 0; b < k_blocks; ++b) {
            uint64 bb = 0, be = 0;
            cfg_gen_block(len, b, k_blocks, bb, be);
            for (const uint64 target = first + bb; k < target; ++k) {
                x += s;
                if (x >= k_len)
                    x -= k_len;
            }
            starts.push_back(x);
        }
    }
    return starts;
}

bool read_template(const std::string &path, short int *out)
{
    lib_fd_t in = lib_open_read(path);
    if (!in.ok())
        return false;
    lib_diag_line("open file successfully");
    return lib_file_length(path) >= std::int64_t(CFG_SINE_TEMPLATE_BYTES) &&
           lib_pread_all(in.get(), out, CFG_SINE_TEMPLATE_BYTES, 0) == CFG_SINE_TEMPLATE_BYTES;
}

} // namespace

cfg_if_bswv_sine_t::~cfg_if_bswv_sine_t() = default;

int cfg_if_bswv_sine_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    const uint32 c = cfg_gen_cycle16(*get_cycle());
    if (c == 0)
        return 2;
    const uint32 p = n / c;
    if (p == 0)
        return 2;

    const std::string path = get_wv_template_path(LIB_WV_SINE);
    lib_diag_line("file path is " + path);
    auto tpl = cfg_gen_alloc<short int>(CFG_SINE_TEMPLATE_LEN);
    if (!tpl)
        return CFG_GEN_NO_MEMORY;

    const double s = k_len / double(p);
    std::vector<double> starts;
    bool have_template = false;
    // Reading the template and walking the positions are independent: do both at once.
#pragma omp parallel sections num_threads(2)
    {
#pragma omp section
        have_template = read_template(path, tpl.get());
#pragma omp section
        starts = block_starts(n, start_position(*get_phase()), s);
    }
    // A missing or short template is replaced by the values the canonical one holds.
    const short int *table = have_template ? tpl.get() : nullptr;
    if (!have_template)
        tpl.reset();

    uint64 chunk = 0;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64, uint32 len) {
        const double *chunk_starts = starts.data() + chunk * k_blocks;
#pragma omp parallel for num_threads(CFG_GEN_THREADS) schedule(static, 1)
        for (int b = 0; b < k_blocks; ++b) {
            uint64 bb = 0, be = 0;
            cfg_gen_block(len, b, k_blocks, bb, be);
            double x = chunk_starts[b];
            for (uint64 i = bb; i < be; ++i) {
                const uint32 j = uint32(x);
                buf[i] = table ? table[j] : cfg_sine_template_sample(j);
                x += s;
                if (x >= k_len)
                    x -= k_len;
            }
        }
        ++chunk;
    });
}
