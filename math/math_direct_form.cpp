#include "math_direct_form.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr uint32 k_block = 4096;

} // namespace

math_direct_form_t::math_direct_form_t(const std::vector<float> &b, const std::vector<float> &a,
                                       std::size_t length)
{
    m_valid = length >= 1 && b.size() >= length && a.size() >= length && a[0] != 0.0f && !std::isnan(a[0]);
    if (!m_valid)
        return;
    // Dividing by a[0] once, up front, keeps the division out of the recursion.
    const double a0 = a[0];
    for (std::size_t k = 0; k < length; ++k) {
        m_b.push_back(b[k] / a0);
        m_a.push_back(a[k] / a0);
    }
    m_hist = length - 1;
    m_x.assign(m_hist + k_block, 0.0);
    m_y.assign(m_hist + k_block, 0.0);
}

void math_direct_form_t::reset()
{
    std::fill(m_x.begin(), m_x.end(), 0.0);
    std::fill(m_y.begin(), m_y.end(), 0.0);
}

void math_direct_form_t::run(const float *in, float *out, uint32 count)
{
    if (!m_valid)
        return;
    const std::size_t h = m_hist;
    const double *b = m_b.data();
    const double *a = m_a.data();
    for (uint32 done = 0; done < count;) {
        const uint32 n = std::min(k_block, count - done);
        double *x = m_x.data() + h;
        double *y = m_y.data() + h;
        for (uint32 i = 0; i < n; ++i)
            x[i] = in[done + i];
        const std::ptrdiff_t hs = static_cast<std::ptrdiff_t>(h);
        for (uint32 i = 0; i < n; ++i) {
            const double *xi = x + i;
            const double *yi = y + i;
            // The newest output enters last, so the recursion waits on one product only.
            double acc = b[0] * xi[0];
            for (std::ptrdiff_t k = 1; k <= hs; ++k)
                acc += b[k] * xi[-k];
            for (std::ptrdiff_t k = hs; k >= 2; --k)
                acc -= a[k] * yi[-k];
            if (hs >= 1)
                acc -= a[1] * yi[-1];
            y[i] = acc;
            out[done + i] = static_cast<float>(acc);
        }
        // The last h values become the history of the next block.
        std::copy(m_x.begin() + n, m_x.begin() + n + h, m_x.begin());
        std::copy(m_y.begin() + n, m_y.begin() + n + h, m_y.begin());
        done += n;
    }
}
