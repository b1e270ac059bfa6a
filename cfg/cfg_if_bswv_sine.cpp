#include "cfg_if_bswv_sine.h"

#include "cfg_sine_template.h"
#include "cfg_wv_gen_run.h"
#include "lib_file_io.h"

#include <cmath>
#include <sys/mman.h>
#include <vector>

namespace {

constexpr double k_len = double(CFG_SINE_TEMPLATE_LEN);

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

// The template mapped read-only: the generator touches only the pages it needs, and
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
        void *p = ::mmap(nullptr, CFG_SINE_TEMPLATE_BYTES, PROT_READ, MAP_PRIVATE, in.get(), 0);
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

// Periods up to this many points are kept in memory once and copied from where the
// walk has not drifted; longer ones are read from the template as they come.
constexpr uint32 k_pattern_max = 1u << 23;

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
    auto sample = [table](uint32 j) { return table ? table[j] : cfg_sine_fast_sample(j); };

    const double s = k_len / double(p);
    const double x0 = start_position(*get_phase());
    // Every sample read where the serial walk puts it.
    auto direct = [&](const double x_first, short int *buf, uint32 len) {
        double x = x_first;
        for (uint32 i = 0; i < len; ++i) {
            buf[i] = sample(uint32(x));
            x = step(x, s);
        }
    };
    if (p < n && cfg_sine_advance(x0, s, p) == x0) {
        // The walk comes back to its very start after a period: the samples repeat exactly.
        return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
            direct(cfg_sine_advance(x0, s, first % p), buf, len);
        }, p);
    }

    // The walk's position at the start of every slab, stepped once from slab to slab.
    std::vector<double> slab_x;
    slab_x.reserve(std::size_t((uint64(n) + CFG_GEN_SLAB - 1) / CFG_GEN_SLAB));
    for (double x = x0; slab_x.size() * CFG_GEN_SLAB < n; x = cfg_sine_advance(x, s, CFG_GEN_SLAB))
        slab_x.push_back(x);
    auto x_at = [&](uint64 first) {
        return cfg_sine_advance(slab_x[std::size_t(first / CFG_GEN_SLAB)], s, first % CFG_GEN_SLAB);
    };

    if (p >= n || p > k_pattern_max) {
        return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total,
                           [&](short int *buf, uint64 first, uint32 len) { direct(x_at(first), buf, len); });
    }
    // Later periods drift from the first only by the rounding of the walk: where a sample
    // reads the same template index as its counterpart in the first period, it is that
    // sample, so only the drifted ones are looked up again.
    cfg_gen_work_t first_period(p);
    if (!first_period)
        return CFG_GEN_NO_MEMORY;
    auto head = [&](short int *buf, uint64 first, uint32 len) { direct(x_at(first), buf, len); };
    cfg_gen_fill(first_period.get(), 0, p, head);
    const short int *pattern = first_period.get();
    return cfg_gen_run(*this, n, cfg_gen_diag_t::chunk_total, [&](short int *buf, uint64 first, uint32 len) {
        double x = x_at(first);
        uint64 r = first % p;
        double y = cfg_sine_advance(x0, s, r);
        for (uint32 i = 0; i < len; ++i) {
            const uint32 j = uint32(x);
            buf[i] = j == uint32(y) ? pattern[r] : sample(j);
            x = step(x, s);
            if (++r == p) {
                r = 0;
                y = x0;
            } else {
                y = step(y, s);
            }
        }
    });
}
