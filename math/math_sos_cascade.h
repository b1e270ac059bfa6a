#pragma once
#include "math_filter_kernel.h"

#include <vector>

// A cascade of second-order sections in transposed direct form II, in double.
// Each section is three numerator and three denominator coefficients
// (c0 + c1 z^-1 + c2 z^-2); the gain multiplies the whole cascade.
class math_sos_cascade_t : public math_filter_kernel_t
{
public:
    math_sos_cascade_t(const std::vector<double> &num, const std::vector<double> &den, long double gain);
    math_sos_cascade_t(const std::vector<float> &num, const std::vector<float> &den, long double gain);

    // False when a section's leading denominator coefficient is 0 or not a number, or
    // the sections do not pair up: such a cascade computes nothing.
    bool valid() const { return m_valid; }
    void run(const float *in, float *out, uint32 count) override;
    void reset() override;

    struct section_t
    {
        double b0, b1, b2, a1, a2;
        double s1, s2;
    };

private:
    void _build(const std::vector<double> &num, const std::vector<double> &den, long double gain);

    std::vector<section_t> m_sections;
    bool m_valid = false;
};
