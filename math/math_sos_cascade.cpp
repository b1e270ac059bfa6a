#include "math_sos_cascade.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Inputs and outputs pass between the groups of sections through a block of doubles
// small enough to stay in the first-level cache.
constexpr uint32 k_block = 4096;

// Runs K sections over a block, sample after sample: the K recurrences are independent
// within a sample, so the processor overlaps them, and their states stay in registers.
template <int K>
void run_group(math_sos_cascade_t::section_t *sec, double *x, uint32 count)
{
    double b0[K], b1[K], b2[K], a1[K], a2[K], s1[K], s2[K];
    for (int k = 0; k < K; ++k) {
        b0[k] = sec[k].b0;
        b1[k] = sec[k].b1;
        b2[k] = sec[k].b2;
        a1[k] = sec[k].a1;
        a2[k] = sec[k].a2;
        s1[k] = sec[k].s1;
        s2[k] = sec[k].s2;
    }
    for (uint32 i = 0; i < count; ++i) {
        double v = x[i];
#pragma GCC unroll 4
        for (int k = 0; k < K; ++k) {
            const double y = b0[k] * v + s1[k];
            // the newest output enters last, keeping the recursion short
            s1[k] = (b1[k] * v + s2[k]) - a1[k] * y;
            s2[k] = b2[k] * v - a2[k] * y;
            v = y;
        }
        x[i] = v;
    }
    for (int k = 0; k < K; ++k) {
        sec[k].s1 = s1[k];
        sec[k].s2 = s2[k];
    }
}

#if defined(__SSE2__)
inline __m128d pair_of(const math_sos_cascade_t::section_t *sec, double math_sos_cascade_t::section_t::*m)
{
    return _mm_setr_pd(sec[0].*m, sec[1].*m);
}

// Keeps `old` in the lanes whose mask is clear.
inline __m128d select(__m128d mask, __m128d now, __m128d old)
{
    return _mm_or_pd(_mm_and_pd(mask, now), _mm_andnot_pd(mask, old));
}

// Four sections in two pairs of lanes, as a wavefront: at step t, lane k works on
// sample t - k, taking lane k - 1's output of the step before as its input. Every lane
// does the scalar section's operations in the scalar order, so the outputs are the same
// bits, with half the instructions. Lanes whose sample lies outside the block keep
// their state.
void run_wave4(math_sos_cascade_t::section_t *sec, double *x, uint32 count)
{
    using section_t = math_sos_cascade_t::section_t;
    const section_t *p = sec, *q = sec + 2;
    const __m128d b0a = pair_of(p, &section_t::b0), b1a = pair_of(p, &section_t::b1),
                  b2a = pair_of(p, &section_t::b2), a1a = pair_of(p, &section_t::a1),
                  a2a = pair_of(p, &section_t::a2);
    const __m128d b0b = pair_of(q, &section_t::b0), b1b = pair_of(q, &section_t::b1),
                  b2b = pair_of(q, &section_t::b2), a1b = pair_of(q, &section_t::a1),
                  a2b = pair_of(q, &section_t::a2);
    __m128d s1a = pair_of(p, &section_t::s1), s2a = pair_of(p, &section_t::s2);
    __m128d s1b = pair_of(q, &section_t::s1), s2b = pair_of(q, &section_t::s2);
    __m128d ya = _mm_setzero_pd(), yb = _mm_setzero_pd();
    const uint64 n = count;
    for (uint64 t = 0; t < n + 3; ++t) {
        const __m128d va = _mm_unpacklo_pd(_mm_set_sd(t < n ? x[t] : 0.0), ya);
        const __m128d vb = _mm_shuffle_pd(ya, yb, 0x1);
        ya = _mm_add_pd(_mm_mul_pd(b0a, va), s1a);
        yb = _mm_add_pd(_mm_mul_pd(b0b, vb), s1b);
        const __m128d n1a = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(b1a, va), s2a), _mm_mul_pd(a1a, ya));
        const __m128d n2a = _mm_sub_pd(_mm_mul_pd(b2a, va), _mm_mul_pd(a2a, ya));
        const __m128d n1b = _mm_sub_pd(_mm_add_pd(_mm_mul_pd(b1b, vb), s2b), _mm_mul_pd(a1b, yb));
        const __m128d n2b = _mm_sub_pd(_mm_mul_pd(b2b, vb), _mm_mul_pd(a2b, yb));
        if (t >= 3 && t < n) {
            s1a = n1a;
            s2a = n2a;
            s1b = n1b;
            s2b = n2b;
        } else {
            auto on = [&](uint64 k) { return t >= k && t - k < n ? -1 : 0; };
            const __m128d ma = _mm_castsi128_pd(_mm_set_epi64x(on(1), on(0)));
            const __m128d mb = _mm_castsi128_pd(_mm_set_epi64x(on(3), on(2)));
            s1a = select(ma, n1a, s1a);
            s2a = select(ma, n2a, s2a);
            s1b = select(mb, n1b, s1b);
            s2b = select(mb, n2b, s2b);
        }
        if (t >= 3)
            _mm_storeh_pd(x + (t - 3), yb);
    }
    double out[2];
    for (auto [lanes, first, member] : {std::tuple{s1a, 0, &section_t::s1}, std::tuple{s2a, 0, &section_t::s2},
                                        std::tuple{s1b, 2, &section_t::s1}, std::tuple{s2b, 2, &section_t::s2}}) {
        _mm_storeu_pd(out, lanes);
        sec[first].*member = out[0];
        sec[first + 1].*member = out[1];
    }
}
#endif

void run_sections(math_sos_cascade_t::section_t *sec, std::size_t sections, double *x, uint32 count)
{
    for (std::size_t g = 0; g < sections;) {
        switch (std::min<std::size_t>(4, sections - g)) {
        case 1:
            run_group<1>(sec + g, x, count);
            g += 1;
            break;
        case 2:
            run_group<2>(sec + g, x, count);
            g += 2;
            break;
        case 3:
            run_group<3>(sec + g, x, count);
            g += 3;
            break;
        default:
#if defined(__SSE2__)
            run_wave4(sec + g, x, count);
#else
            run_group<4>(sec + g, x, count);
#endif
            g += 4;
            break;
        }
    }
}

std::vector<double> widen(const std::vector<float> &v)
{
    return std::vector<double>(v.begin(), v.end());
}

} // namespace

math_sos_cascade_t::math_sos_cascade_t(const std::vector<double> &num, const std::vector<double> &den,
                                       long double gain)
{
    _build(num, den, gain);
}

math_sos_cascade_t::math_sos_cascade_t(const std::vector<float> &num, const std::vector<float> &den,
                                       long double gain)
{
    _build(widen(num), widen(den), gain);
}

void math_sos_cascade_t::_build(const std::vector<double> &num, const std::vector<double> &den, long double gain)
{
    const std::size_t count = num.size() / 3;
    m_valid = num.size() == den.size() && num.size() % 3 == 0;
    for (std::size_t i = 0; m_valid && i < count; ++i)
        m_valid = den[3 * i] != 0.0 && !std::isnan(den[3 * i]);
    if (!m_valid)
        return;
    // The gain is shared out evenly over the sections: a high-order gain lies far outside
    // the range of a double, while each share, like the signal between sections, stays
    // within it.
    long double share = count ? std::pow(std::fabs(gain), 1.0L / count) : 1.0L;
    m_sections.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double *b = num.data() + 3 * i;
        const double *a = den.data() + 3 * i;
        const double g = static_cast<double>(i == 0 && gain < 0 ? -share : share) / a[0];
        m_sections[i] = {b[0] * g, b[1] * g, b[2] * g, a[1] / a[0], a[2] / a[0], 0.0, 0.0};
    }
}

void math_sos_cascade_t::reset()
{
    for (section_t &s : m_sections)
        s.s1 = s.s2 = 0.0;
}

void math_sos_cascade_t::run(const float *in, float *out, uint32 count)
{
    double block[k_block];
    for (uint32 done = 0; done < count;) {
        const uint32 n = std::min(k_block, count - done);
        std::copy(in + done, in + done + n, block);
        run_sections(m_sections.data(), m_sections.size(), block, n);
        for (uint32 i = 0; i < n; ++i)
            out[done + i] = static_cast<float>(block[i]);
        done += n;
    }
}
