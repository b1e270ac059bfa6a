#pragma once
#include "math_filter_kernel.h"

#include <vector>

// One difference equation over a numerator and a denominator polynomial (index k
// multiplies the value k steps back), in double:
// y[i] = (sum b[k] x[i-k] - sum_{k>=1} a[k] y[i-k]) / a[0].
class math_direct_form_t : public math_filter_kernel_t
{
public:
    // Uses the first `length` coefficients of each polynomial.
    math_direct_form_t(const std::vector<float> &b, const std::vector<float> &a, std::size_t length);

    // False when a[0] is 0 or not a number, or a polynomial is shorter than the length.
    bool valid() const { return m_valid; }
    void run(const float *in, float *out, uint32 count) override;
    void reset() override;

private:
    std::vector<double> m_b, m_a;
    // The last inputs and outputs before each block, then the block itself.
    std::vector<double> m_x, m_y;
    std::size_t m_hist = 0;
    bool m_valid = false;
};
