#include "math_sos_cascade.h"

#include <algorithm>
#include <cmath>

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
            s1[k] = b1[k] * v - a1[k] * y + s2[k];
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

void math_sos_cascade_t::run(const float *in, float *out, uint32 count)
{
    double block[k_block];
    const std::size_t sections = m_sections.size();
    for (uint32 done = 0; done < count;) {
        const uint32 n = std::min(k_block, count - done);
        std::copy(in + done, in + done + n, block);
        for (std::size_t g = 0; g < sections;) {
            section_t *sec = m_sections.data() + g;
            switch (std::min<std::size_t>(4, sections - g)) {
            case 1:
                run_group<1>(sec, block, n);
                g += 1;
                break;
            case 2:
                run_group<2>(sec, block, n);
                g += 2;
                break;
            case 3:
                run_group<3>(sec, block, n);
                g += 3;
                break;
            default:
                run_group<4>(sec, block, n);
                g += 4;
                break;
            }
        }
        for (uint32 i = 0; i < n; ++i)
            out[done + i] = static_cast<float>(block[i]);
        done += n;
    }
}
