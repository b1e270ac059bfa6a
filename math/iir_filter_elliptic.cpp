#include "iir_filter.h"

#include <cmath>

namespace {

constexpr double k_pi = 3.14159265358979323846;
constexpr double k_tol = 2.220446049250313e-16; // 2^-52
constexpr int k_mean_steps = 19;
constexpr int k_sc_iterations = 20;
constexpr float k_max_modulus = 0.9999f;
constexpr float k_min_discrimination = 2e-8f;


// K from the arithmetic-geometric mean of 1 and the complementary modulus b.
float agm_k(double b)
{
    double a = 1.0;
    for (int i = 1; i <= k_mean_steps; ++i) {
        const bool done = (a - b) / 2.0 < k_tol;
        const double bn = std::sqrt(a * b);
        a = (a + b) / 2.0;
        b = bn;
        if (done)
            break;
    }
    return static_cast<float>(k_pi / (2.0 * a));
}

} // namespace

float IirFilter::ellipticK(float k)
{
    return agm_k(std::sqrt(1.0 - static_cast<double>(k) * k));
}

float IirFilter::ellipticKComplement(float k)
{
    return agm_k(k);
}

void IirFilter::jacobiElliptic(float u, float k, float *sn, float *cn, float *dn)
{
    const float m = k * k;
    double a[k_mean_steps + 1], b[k_mean_steps + 1], c[k_mean_steps + 1];
    a[0] = 1.0;
    b[0] = std::sqrt(1.0 - static_cast<double>(k) * k);
    c[0] = std::sqrt(static_cast<double>(m));
    int last = k_mean_steps;
    for (int i = 1; i <= k_mean_steps; ++i) {
        a[i] = (a[i - 1] + b[i - 1]) / 2.0;
        b[i] = std::sqrt(a[i - 1] * b[i - 1]);
        c[i] = (a[i - 1] - b[i - 1]) / 2.0;
        if (c[i] < k_tol) {
            last = i;
            break;
        }
    }
    double phi = std::ldexp(a[last], last) * u;
    for (int n = last; n >= 1; --n)
        phi = (phi + std::asin(c[n] * std::sin(phi) / a[n])) / 2.0;
    const double s = std::sin(phi);
    *sn = static_cast<float>(s);
    *cn = static_cast<float>(std::cos(phi));
    *dn = static_cast<float>(std::sqrt(1.0 - m * s * s));
}

// The scaled mean keeps a at 2^n times the arithmetic-geometric mean and `bits` counts
// the half-turns of the angle, so the result is F(arctan x, sqrt(1 - k^2)).
float IirFilter::inverseSc(float x, float k)
{
    double y = 1.0 / x;
    double a = 1.0, b = k;
    double bits = 0.0;
    for (int left = k_sc_iterations; left > 0;) {
        const double p = a * b;
        const double g = std::sqrt(p);
        y = y - p / y;
        a = a + b;
        b = 2.0 * g;
        if (y == 0.0)
            y = g * k_tol;
        if (a * k_tol > std::fabs(a - b))
            break;
        bits = 2.0 * bits + (y < 0.0 ? 1.0 : 0.0);
        --left;
    }
    if (y < 0.0)
        bits += 1.0;
    return static_cast<float>((std::atan(a / y) + bits * k_pi) / a);
}

bool IirFilter::ellipticEstimate(float d, float h, double *m)
{
    const float k = 1.0f / d;
    if (k > k_max_modulus)
        return false;
    const float k1 = static_cast<float>(1.0 / std::sqrt(static_cast<double>(h)));
    if (k1 < k_min_discrimination)
        return false;
    // The complementary integrals take the modulus itself: sqrt(1 - k1^2) as a float is
    // 1 for any attenuation past about 60 dB, and K(1) is far off.
    *m = static_cast<double>(ellipticK(k)) * ellipticKComplement(k1) /
         (static_cast<double>(ellipticKComplement(k)) * ellipticK(k1));
    return true;
}

void IirFilter::ellipticPrototype()
{
    const int n = order;
    const int r = n % 2;
    const double eps = std::sqrt(std::pow(10.0, -0.1 * lowerPassGain) - 1.0);
    const float k = 1.0f / _selectivityRatio();
    const float k1 = static_cast<float>(1.0 / std::sqrt(static_cast<double>(_gainRatio())));
    const float kc = static_cast<float>(std::sqrt(1.0 - static_cast<double>(k) * k));
    const float kk = ellipticK(k);
    const float scale = static_cast<float>(kk / (static_cast<double>(n) * ellipticK(k1)));
    const float v = inverseSc(static_cast<float>(1.0 / eps), k1);
    float s0, c0, d0;
    jacobiElliptic(v * scale, kc, &s0, &c0, &d0);
    if (r) {
        _setGain(1.0);
        const double sigma = static_cast<double>(s0) * c0 / (1.0 - static_cast<double>(s0) * s0);
        numCoefs[0] = 0.0f;
        numCoefs[1] = 0.0f;
        numCoefs[2] = static_cast<float>(sigma);
        denCoefs[0] = 0.0f;
        denCoefs[1] = 1.0f;
        denCoefs[2] = static_cast<float>(sigma);
    } else {
        _setGain(std::pow(10.0, 0.05 * lowerPassGain));
    }
    for (int i = 0; i < n / 2; ++i) {
        const int j = r + 1 + 2 * i;
        float sn, cn, dn;
        jacobiElliptic(static_cast<float>(j * static_cast<double>(kk) / n), k, &sn, &cn, &dn);
        const double z = 1.0 / (static_cast<double>(k) * sn);
        const double den = 1.0 - static_cast<double>(dn) * dn * s0 * s0;
        const double re = -static_cast<double>(s0) * c0 * cn * dn / den;
        const double im = static_cast<double>(d0) * sn / den;
        float *num = numCoefs.data() + 3 * (r + i);
        float *dc = denCoefs.data() + 3 * (r + i);
        num[0] = 1.0f;
        num[1] = 0.0f;
        num[2] = static_cast<float>(z * z);
        dc[0] = 1.0f;
        dc[1] = static_cast<float>(-2.0 * re);
        dc[2] = static_cast<float>(re * re + im * im);
        // every second-order section keeps gain 1 at s = 0
        _scaleGain((re * re + im * im) / (z * z));
    }
}
