#include "lib_window_shape.h"

#include "lib_sample_conv.h"

#include <cmath>
#include <limits>

namespace {

// 2 pi k for the k-th cosine of a cosine-sum window.
constexpr double k_two_pi_k[] = {0.0, 6.283185307179586477, 12.566370614359172954, 18.849555921538759431,
                                 25.132741228718345908};

constexpr double k_hanning[] = {0.5, -0.5};
constexpr double k_hamming[] = {0.54, -0.46};
constexpr double k_blackman[] = {0.42, -0.5, 0.08};
constexpr double k_blackman_harris[] = {0.35875, -0.48829, 0.14128, -0.01168};
constexpr double k_flattop[] = {0.21557895, -0.41663158, 0.277263158, -0.083578947, 0.006947368};

// The series sum(((x / 2)^k / k!)^2) in extended precision until a term no longer
// changes the sum. It converges within 19 terms up to x of about 6.1 and within a few
// hundred up to where I0 leaves the range of a long double.
long double bessel_i0_ext(long double x)
{
    const long double h = 0.5L * x;
    const long double eps = 2.220446e-16f;
    long double sum = 1.0L;
    long double term = 1.0L;
    for (int k = 1; k < 100000; ++k) {
        term *= h / k;
        const long double next = sum + term * term;
        if (next - sum < eps)
            return next;
        if (std::isinf(next))
            return next;
        sum = next;
    }
    return sum;
}

} // namespace

float bessel_i0(float x)
{
    const long double v = bessel_i0_ext(x);
    if (v > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

lib_window_shape_t::lib_window_shape_t(lib_window_kind_t kind, uint64 n, float param, float scale)
    : m_kind(kind), m_n(n), m_last(n >= 1 ? (n + 1) / 2 - 1 : 0), m_span(n >= 1 ? double(n - 1) : 0.0),
      m_copy(kind == lib_window_kind_t::rectangle || n <= 1), m_param(param), m_step(0.0f),
      m_half(n >= 1 ? float((n - 1) / 2) : 0.0f), m_i0_beta(1.0f), m_i0_beta_ext(1.0L)
{
    // With two samples both are ends of the triangle: step 0 gives them factor 0.
    if (m_last > 0)
        m_step = scale / static_cast<float>(m_last);
    if (kind == lib_window_kind_t::kaiser) {
        m_i0_beta = bessel_i0(param);
        m_i0_beta_ext = bessel_i0_ext(param);
    }
}

double lib_window_shape_t::cosine_sum(uint64 j, const double *coef, int terms) const
{
    const double n = double(mirror(j));
    double w = coef[0];
    for (int k = 1; k < terms; ++k)
        w += coef[k] * std::cos(k_two_pi_k[k] * n / m_span);
    return w;
}

double lib_window_shape_t::triangle(double s, uint64 j) const
{
    return s * double(m_step) * double(mirror(j));
}

double lib_window_shape_t::kaiser(double s, uint64 j) const
{
    const uint64 n = mirror(j);
    const float x = static_cast<float>(2.0 * double(m_param) * std::sqrt(double(n * (m_n - 1 - n))) / m_span);
    if (std::isfinite(m_i0_beta))
        return (s * double(bessel_i0(x))) / double(m_i0_beta);
    // I0(beta) beyond the float range: the same ratio from the extended sums; beyond
    // even those the window has narrowed to its centre.
    const long double i0_x = bessel_i0_ext(x);
    if (std::isinf(m_i0_beta_ext))
        return std::isinf(i0_x) ? s : 0.0;
    return double((s * i0_x) / m_i0_beta_ext);
}

double lib_window_shape_t::gauss(double s, uint64 j) const
{
    // With two samples the centre is 0 and so is the divisor: both samples keep their value.
    if (m_half == 0.0f)
        return s;
    const double t = double(m_param) * (double(mirror(j)) - double(m_half)) / double(m_half);
    return s * std::exp(-0.5 * t * t);
}

double lib_window_shape_t::bartlett(double s, uint64 j) const
{
    return 2.0 * s * double(mirror(j)) / m_span;
}

double lib_window_shape_t::fall_exp(double s, uint64 j) const
{
    const float e = static_cast<float>(double(j) / m_span);
    return double(static_cast<float>(s) * std::exp(-5.0f * e));
}

double lib_window_shape_t::force(double s, uint64 j) const
{
    return j <= m_last ? s : 0.0;
}

double lib_window_shape_t::value(double s, uint64 j) const
{
    if (m_copy)
        return s;
    switch (m_kind) {
    case lib_window_kind_t::triangle:
        return triangle(s, j);
    case lib_window_kind_t::hanning:
        return s * cosine_sum(j, k_hanning, 2);
    case lib_window_kind_t::hamming:
        return s * cosine_sum(j, k_hamming, 2);
    case lib_window_kind_t::blackman:
        return s * cosine_sum(j, k_blackman, 3);
    case lib_window_kind_t::kaiser:
        return kaiser(s, j);
    case lib_window_kind_t::blackman_harris:
        return s * cosine_sum(j, k_blackman_harris, 4);
    case lib_window_kind_t::gauss:
        return gauss(s, j);
    case lib_window_kind_t::bartlett:
        return bartlett(s, j);
    case lib_window_kind_t::fall_exp:
        return fall_exp(s, j);
    case lib_window_kind_t::flattop:
        return s * cosine_sum(j, k_flattop, 5);
    case lib_window_kind_t::force:
        return force(s, j);
    case lib_window_kind_t::rectangle:
        break;
    }
    return s;
}

template <typename K>
void lib_window_shape_t::apply_each(short int *block, uint64 first, uint64 count, K kernel) const
{
    // A triangle scaled above 1 saturates at full scale, like every other window.
    const double limit = 32767.0;
    for (uint64 i = 0; i < count; ++i) {
        double v = kernel(double(block[i]), first + i);
        if (m_kind == lib_window_kind_t::triangle)
            v = v > limit ? limit : (v < -limit ? -limit : v);
        block[i] = lib_to_int16_sat(v);
    }
}

void lib_window_shape_t::apply(short int *block, uint64 first, uint64 count) const
{
    if (m_copy)
        return;
    // One loop per window, so the hot loop carries no dispatch.
    switch (m_kind) {
    case lib_window_kind_t::hanning:
        apply_each(block, first, count, [this](double s, uint64 j) { return s * cosine_sum(j, k_hanning, 2); });
        return;
    case lib_window_kind_t::hamming:
        apply_each(block, first, count, [this](double s, uint64 j) { return s * cosine_sum(j, k_hamming, 2); });
        return;
    case lib_window_kind_t::blackman:
        apply_each(block, first, count, [this](double s, uint64 j) { return s * cosine_sum(j, k_blackman, 3); });
        return;
    case lib_window_kind_t::blackman_harris:
        apply_each(block, first, count,
                   [this](double s, uint64 j) { return s * cosine_sum(j, k_blackman_harris, 4); });
        return;
    case lib_window_kind_t::flattop:
        apply_each(block, first, count, [this](double s, uint64 j) { return s * cosine_sum(j, k_flattop, 5); });
        return;
    default:
        apply_each(block, first, count, [this](double s, uint64 j) { return value(s, j); });
        return;
    }
}
