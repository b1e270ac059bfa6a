#include "cfg_if_bswv_sine.h"

#include "cfg_sine_template.h"
#include "cfg_wv_gen_run.h"
#include "lib_file_io.h"

#include <cmath>
#include <sys/mman.h>
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

// One step of the template position: x += s, wrapped into the period.
inline double step(double x, double s)
{
    x += s;
    if (x >= k_len)
        x -= k_len;
    return x;
}

} // namespace

// The template position runs serially, x += s with its wrap, and truncation edges depend
// on every rounding of that sum, so x0 + k * s would not do. Within one binade of x,
// though, every x is a multiple of the binade's ulp u and each sum rounds s to the same
// multiple d of u (unless s lies exactly halfway, where the rounding depends on x): the
// walk is then x + k * d exactly, and it only has to step one by one near a binade edge
// or the wrap. The result is the state after `steps` serial steps, bit for bit.
double cfg_sine_advance(double x, double s, uint64 steps)
{
    while (steps > 0) {
        if (x > 0.0) {
            int e = 0;
            std::frexp(x, &e); // x in [2^(e-1), 2^e)
            const double hi = std::min(std::ldexp(1.0, e), k_len);
            const double u = std::ldexp(1.0, e - 53);
            const double q = s / u;
            const double fq = std::floor(q);
            const double rem = q - fq;
            if (std::isfinite(q) && rem != 0.5) {
                const double d = (rem < 0.5 ? fq : fq + 1.0) * u;
                // A margin of two steps and a few ulps keeps every jumped sum clear of the
                // binade's top and of the wrap.
                const double room = hi - x - s - 8.0 * u;
                double m = 0.0;
                if (room > 0.0)
                    m = d > 0.0 ? std::floor(room / d) - 2.0 : double(steps);
                if (m >= 1.0) {
                    const uint64 jump = std::min<uint64>(steps, m >= 1e18 ? steps : uint64(m));
                    x += double(jump) * d;
                    steps -= jump;
                    continue;
                }
            }
        }
        x = step(x, s);
        --steps;
    }
    return x;
}

namespace {

// The template mapped read-only: the generator touches only the samples it needs, and
// nothing is copied. Empty when the file is missing or shorter than one period.
class template_map_t
{
public:
    explicit template_map_t(const std::string &path)
    {
        lib_fd_t in = lib_open_read(path);
        if (!in.ok())
            return;
        lib_diag_line("open file successfully");
        if (lib_file_length(path) < std::int64_t(CFG_SINE_TEMPLATE_BYTES))
            return;
        void *p = ::mmap(nullptr, CFG_SINE_TEMPLATE_BYTES, PROT_READ, MAP_PRIVATE | MAP_POPULATE, in.get(), 0);
        if (p != MAP_FAILED)
            m_data = static_cast<const short int *>(p);
    }
    ~template_map_t()
    {
        if (m_data)
            ::munmap(const_cast<short int *>(m_data), CFG_SINE_TEMPLATE_BYTES);
    }
    template_map_t(const template_map_t &) = delete;
    template_map_t &operator=(const template_map_t &) = delete;
    const short int *data() const { return m_data; }

private:
    const short int *m_data = nullptr;
};

} // namespace

cfg_if_bswv_sine_t::~cfg_if_bswv_sine_t() = default;

int cfg_if_bswv_sine_t::create_wv_data()
{
    const uint32 n = *get_wv_len();
    const uint32 p = cfg_gen_points_per_cycle(n, *get_cycle());
    if (p == 0)
        return 2;

    const std::string path = get_wv_template_path(LIB_WV_SINE);
    lib_diag_line("file path is " + path);
    const template_map_t tpl(path);
    // A missing or short template is replaced by the values the canonical one holds.
    const short int *table = tpl.data();

    const double s = k_len / double(p);
    auto sample = [table](uint32 j) { return table ? table[j] : cfg_sine_template_sample(j); };
    // The walk's state at the start of the current chunk; chunks come in order.
    double x_chunk = start_position(*get_phase());
    uint64 k_chunk = 0;
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
        x_chunk = cfg_sine_advance(x_chunk, s, first - k_chunk);
        k_chunk = first;
        // The first period of the chunk, from the template or the formula.
        const uint64 head = std::min<uint64>(p, len);
#pragma omp parallel for num_threads(CFG_GEN_THREADS) schedule(static, 1)
        for (int b = 0; b < k_blocks; ++b) {
            uint64 bb = 0, be = 0;
            cfg_gen_block(head, b, k_blocks, bb, be);
            double x = cfg_sine_advance(x_chunk, s, bb);
            for (uint64 i = bb; i < be; ++i) {
                buf[i] = sample(uint32(x));
                x = step(x, s);
            }
        }
        // Later periods drift from the first only by the rounding of the walk: where a
        // sample reads the same template index as its counterpart one or more periods
        // back, it is that sample, so only the drifted ones are looked up again.
        const uint64 rest = len - head;
#pragma omp parallel for num_threads(CFG_GEN_THREADS) schedule(static, 1)
        for (int b = 0; b < k_blocks; ++b) {
            uint64 bb = 0, be = 0;
            cfg_gen_block(rest, b, k_blocks, bb, be);
            if (bb == be)
                continue;
            double x = cfg_sine_advance(x_chunk, s, head + bb);
            uint64 r = (head + bb) % p;
            double y = cfg_sine_advance(x_chunk, s, r);
            for (uint64 i = head + bb; i < head + be; ++i) {
                const uint32 j = uint32(x);
                buf[i] = j == uint32(y) ? buf[r] : sample(j);
                x = step(x, s);
                if (++r == p) {
                    r = 0;
                    y = x_chunk;
                } else {
                    y = step(y, s);
                }
            }
        }
    });
}
