#include "wavegen_shapes.h"

#include "lib_trunc.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <map>
#include <random>

namespace {

constexpr double k_pi = 3.14159265358979323846;
constexpr double k_full = 32767.0;

// A shape over one period, x from 0 up to (not including) 1.
using shape_t = std::function<double(double)>;
using wave_t = std::vector<std::int16_t>;

double at(int i) { return static_cast<double>(i) / WAVEGEN_SAMPLES; }

std::int16_t full_scale(double v)
{
    const double clamped = std::clamp(v, -1.0, 1.0);
    return lib_trunc_i16(std::round(k_full * clamped));
}

// Values already in -1 .. 1, kept as they are.
wave_t exact(const shape_t &shape)
{
    wave_t wave(WAVEGEN_SAMPLES);
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i)
        wave[i] = full_scale(shape(at(i)));
    return wave;
}

// Any values, stretched so that their minimum and maximum reach full scale.
wave_t stretched(const std::vector<double> &values)
{
    const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
    const double span = *hi - *lo;
    wave_t wave(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        wave[i] = span > 0.0 ? full_scale(2.0 * (values[i] - *lo) / span - 1.0) : 0;
    return wave;
}

wave_t stretched(const shape_t &shape)
{
    std::vector<double> values(WAVEGEN_SAMPLES);
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i)
        values[i] = shape(at(i));
    return stretched(values);
}

// A function over [lo, hi], sampled across the wave and stretched.
wave_t over(double lo, double hi, const std::function<double(double)> &f)
{
    return stretched([=](double x) { return f(lo + (hi - lo) * x); });
}

// The round(32767 sin(2 pi n i / N)) of a sine of order n.
wave_t sine(int order)
{
    wave_t wave(WAVEGEN_SAMPLES);
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i)
        wave[i] = lib_trunc_i16(std::round(k_full * std::sin(2.0 * k_pi * order * i / WAVEGEN_SAMPLES)));
    return wave;
}

// Gaussian values from a fixed seed (Box-Muller over the raw generator output, so the
// sequence does not depend on the library's distributions).
std::vector<double> gaussian(unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<double> values(WAVEGEN_SAMPLES);
    for (int i = 0; i < WAVEGEN_SAMPLES; i += 2) {
        const double u1 = (random() + 1.0) / 4294967297.0;
        const double u2 = random() / 4294967296.0;
        const double r = std::sqrt(-2.0 * std::log(u1));
        values[i] = r * std::cos(2.0 * k_pi * u2);
        values[i + 1] = r * std::sin(2.0 * k_pi * u2);
    }
    return values;
}

wave_t noise(unsigned seed)
{
    std::vector<double> values = gaussian(seed);
    wave_t wave(WAVEGEN_SAMPLES);
    // Three standard deviations reach full scale; the rare larger values clip.
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i)
        wave[i] = full_scale(values[i] / 3.0);
    return wave;
}

wave_t square_duty(double duty) { return exact([=](double x) { return x < duty ? 1.0 : -1.0; }); }

// The stand-in where a name says no shape: three sines whose orders and phases follow
// the file's number, smooth and periodic.
wave_t stand_in(int number)
{
    const int a = 2 + number % 5;
    const int b = a + 1 + number % 7;
    const double phase = 0.7 * number;
    return stretched([=](double x) {
        return std::sin(2.0 * k_pi * x) + 0.5 * std::sin(2.0 * k_pi * a * x + phase) +
               0.25 * std::sin(2.0 * k_pi * b * x + 2.0 * phase);
    });
}

double erfinv(double y)
{
    // Newton's method on erf from a rough start; |y| < 1.
    double x = 0.0;
    for (int i = 0; i < 60; ++i)
        x -= (std::erf(x) - y) / (2.0 / std::sqrt(k_pi) * std::exp(-x * x));
    return x;
}

// Si(u) and Ci(u) by Simpson's rule from a small start, accumulated along the wave.
wave_t integral_sine(bool cosine)
{
    const double lo = cosine ? 0.5 : -20.0;
    const double hi = 20.0;
    std::vector<double> values(WAVEGEN_SAMPLES);
    const double h = (hi - lo) / WAVEGEN_SAMPLES;
    auto integrand = [=](double t) { return cosine ? std::cos(t) / t : (t == 0.0 ? 1.0 : std::sin(t) / t); };
    double sum = 0.0;
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i) {
        const double a = lo + i * h;
        values[i] = sum;
        sum += h / 6.0 * (integrand(a) + 4.0 * integrand(a + h / 2.0) + integrand(a + h));
    }
    return stretched(values);
}

// Airy Ai over [-10, 2] through its Bessel-function forms.
double airy_ai(double x)
{
    if (x == 0.0)
        return 0.355028053887817;
    const double z = std::fabs(x);
    const double zeta = 2.0 / 3.0 * z * std::sqrt(z);
    if (x > 0.0)
        return std::sqrt(z / 3.0) / k_pi * std::cyl_bessel_k(1.0 / 3.0, zeta);
    const double j = std::cyl_bessel_j(1.0 / 3.0, zeta);
    // J_{-1/3} = cos(pi/3) J_{1/3} - sin(pi/3) Y_{1/3}.
    const double j_minus = 0.5 * j - std::sqrt(3.0) / 2.0 * std::cyl_neumann(1.0 / 3.0, zeta);
    return std::sqrt(z) / 3.0 * (j + j_minus);
}

// Windows over n = 0 .. N - 1.
wave_t window(const std::function<double(double n, double m)> &w)
{
    const double m = WAVEGEN_SAMPLES - 1;
    std::vector<double> values(WAVEGEN_SAMPLES);
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i)
        values[i] = w(i, m);
    return stretched(values);
}

double cosine_sum(double n, double m, std::initializer_list<double> a)
{
    double v = 0.0;
    int k = 0;
    for (double c : a) {
        v += (k % 2 ? -c : c) * std::cos(2.0 * k_pi * k * n / m);
        ++k;
    }
    return v;
}

// Dolph-Chebyshev window of 100 dB side lobes, computed on 1025 points by its
// defining sum and interpolated across the wave.
wave_t chebwin()
{
    const int points = 1025;
    const double order = points - 1;
    const double beta = std::cosh(std::acosh(std::pow(10.0, 100.0 / 20.0)) / order);
    auto chebyshev = [&](double x) {
        if (std::fabs(x) <= 1.0)
            return std::cos(order * std::acos(x));
        return (x < 0 && points % 2 == 0 ? -1.0 : 1.0) * std::cosh(order * std::acosh(std::fabs(x)));
    };
    std::vector<double> coarse(points);
    for (int n = 0; n < points; ++n) {
        double sum = 0.0;
        for (int k = 1; k <= (points - 1) / 2; ++k)
            sum += chebyshev(beta * std::cos(k_pi * k / points)) * std::cos(2.0 * k_pi * k * (n - order / 2) / points);
        coarse[n] = std::pow(10.0, 100.0 / 20.0) + 2.0 * sum;
    }
    std::vector<double> values(WAVEGEN_SAMPLES);
    for (int i = 0; i < WAVEGEN_SAMPLES; ++i) {
        const double p = static_cast<double>(i) * (points - 1) / (WAVEGEN_SAMPLES - 1);
        const int j = std::min(lib_trunc_i32(p), points - 2);
        values[i] = coarse[j] + (coarse[j + 1] - coarse[j]) * (p - j);
    }
    return stretched(values);
}

// Taylor window, 4 nearly constant side lobes at -30 dB.
wave_t taylorwin()
{
    const int nbar = 4;
    const double b = std::pow(10.0, 30.0 / 20.0);
    const double a = std::acosh(b) / k_pi;
    const double s2 = nbar * nbar / (a * a + (nbar - 0.5) * (nbar - 0.5));
    double f[nbar];
    for (int m = 1; m < nbar; ++m) {
        double num = 1.0;
        double den = 1.0;
        for (int i = 1; i < nbar; ++i) {
            num *= 1.0 - m * m / s2 / (a * a + (i - 0.5) * (i - 0.5));
            if (i != m)
                den *= 1.0 - static_cast<double>(m * m) / (i * i);
        }
        f[m] = ((m % 2) ? 1.0 : -1.0) * num / (2.0 * den);
    }
    return window([&](double n, double m) {
        double v = 1.0;
        for (int k = 1; k < nbar; ++k)
            v += 2.0 * f[k] * std::cos(2.0 * k_pi * k * (n - m / 2.0) / (m + 1.0));
        return v;
    });
}

// Idle high, a start bit, the byte 0x55 LSB first and a stop bit, in 12 bit times.
wave_t uart()
{
    const int bits[12] = {1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1};
    return exact([&](double x) { return bits[std::min(11, lib_trunc_i32(x * 12))] ? 1.0 : -1.0; });
}

int leading_number(const std::string &name) { return std::atoi(name.c_str()); }

// The name without its number, "_ram" and ".bin": "3_stairdn_ram.bin" -> "stairdn".
std::string stem_of(const std::string &name)
{
    std::string stem = name;
    const std::size_t underscore = stem.find('_');
    if (underscore != std::string::npos && std::isdigit(static_cast<unsigned char>(stem[0])))
        stem.erase(0, underscore + 1);
    for (const char *suffix : {".bin", "_ram"}) {
        const std::string s = suffix;
        if (stem.size() >= s.size() && stem.compare(stem.size() - s.size(), s.size(), s) == 0)
            stem.erase(stem.size() - s.size());
    }
    return stem;
}

bool starts_with(const std::string &text, const char *prefix) { return text.rfind(prefix, 0) == 0; }

const std::map<std::string, std::function<wave_t()>> &shapes()
{
    static const std::map<std::string, std::function<wave_t()>> table = {
        {"sine", [] { return sine(1); }},
        {"noise", [] { return noise(1); }},
        {"mcnoise", [] { return noise(79); }},
        {"stairup", [] { return exact([](double x) { return -1.0 + 2.0 * std::floor(8 * x) / 7.0; }); }},
        {"stairdn", [] { return exact([](double x) { return 1.0 - 2.0 * std::floor(8 * x) / 7.0; }); }},
        {"stairud", [] { return exact([](double x) {
             const int k = lib_trunc_i32(16 * x);
             return -1.0 + 2.0 * (k < 8 ? k : 15 - k) / 7.0;
         }); }},
        {"ppulse", [] { return exact([](double x) { return x >= 0.375 && x < 0.625 ? 1.0 : 0.0; }); }},
        {"npulse", [] { return exact([](double x) { return x >= 0.375 && x < 0.625 ? -1.0 : 0.0; }); }},
        {"trapezia", [] { return exact([](double x) {
             if (x < 0.2)
                 return -1.0 + 2.0 * x / 0.2;
             if (x < 0.5)
                 return 1.0;
             if (x < 0.7)
                 return 1.0 - 2.0 * (x - 0.5) / 0.2;
             return -1.0;
         }); }},
        {"upramp", [] { return exact([](double x) { return -1.0 + 2.0 * x * WAVEGEN_SAMPLES / (WAVEGEN_SAMPLES - 1); }); }},
        {"dnramp", [] { return exact([](double x) { return 1.0 - 2.0 * x * WAVEGEN_SAMPLES / (WAVEGEN_SAMPLES - 1); }); }},
        {"exp_fall", [] { return stretched([](double x) { return std::exp(-5.0 * x); }); }},
        {"exp_rise", [] { return stretched([](double x) { return 1.0 - std::exp(-5.0 * x); }); }},
        {"logfall", [] { return stretched([](double x) { return -std::log10(1.0 + 99.0 * x); }); }},
        {"logrise", [] { return stretched([](double x) { return std::log10(1.0 + 99.0 * x); }); }},
        {"sqrt", [] { return stretched([](double x) { return std::sqrt(x); }); }},
        {"root3", [] { return over(-1.0, 1.0, [](double u) { return std::cbrt(u); }); }},
        {"x^2", [] { return over(-1.0, 1.0, [](double u) { return u * u; }); }},
        {"x^3", [] { return over(-1.0, 1.0, [](double u) { return u * u * u; }); }},
        {"sinc", [] { return over(-10.0 * k_pi, 10.0 * k_pi, [](double u) { return u == 0.0 ? 1.0 : std::sin(u) / u; }); }},
        {"gussian", [] { return over(-4.0, 4.0, [](double u) { return std::exp(-u * u / 2.0); }); }},
        {"dlorentz", [] { return over(-5.0, 5.0, [](double u) { return -2.0 * u / ((1 + u * u) * (1 + u * u)); }); }},
        {"haversine", [] { return stretched([](double x) { return (1.0 - std::cos(2.0 * k_pi * x)) / 2.0; }); }},
        {"lorentz", [] { return over(-5.0, 5.0, [](double u) { return 1.0 / (1.0 + u * u); }); }},
        {"gauspuls", [] { return over(-0.5, 0.5, [](double t) { return std::exp(-t * t / 0.0128) * std::cos(40.0 * k_pi * t); }); }},
        {"gmonopuls", [] { return over(-0.5, 0.5, [](double t) { return -t * std::exp(-t * t / 0.005); }); }},
        {"tripuls", [] { return over(-0.5, 0.5, [](double t) { return std::max(0.0, 1.0 - std::fabs(t) / 0.25); }); }},
        {"chirp", [] { return exact([](double x) { return std::sin(2.0 * k_pi * (x + 9.5 * x * x)); }); }},
        {"twotone", [] { return exact([](double x) { return 0.5 * (std::sin(10.0 * k_pi * x) + std::sin(14.0 * k_pi * x)); }); }},
        {"snr", [] {
             const std::vector<double> g = gaussian(30);
             std::vector<double> values(WAVEGEN_SAMPLES);
             for (int i = 0; i < WAVEGEN_SAMPLES; ++i)
                 values[i] = std::sin(2.0 * k_pi * at(i)) + 0.1 * g[i];
             return stretched(values);
         }},
        {"hamming", [] { return window([](double n, double m) { return cosine_sum(n, m, {0.54, 0.46}); }); }},
        {"hanning", [] { return window([](double n, double m) { return cosine_sum(n, m, {0.5, 0.5}); }); }},
        {"kaiser", [] { return window([](double n, double m) {
             const double r = 2.0 * n / m - 1.0;
             return std::cyl_bessel_i(0.0, 8.6 * std::sqrt(std::max(0.0, 1.0 - r * r)));
         }); }},
        {"blackman", [] { return window([](double n, double m) { return cosine_sum(n, m, {0.42, 0.5, 0.08}); }); }},
        {"gausswin", [] { return window([](double n, double m) {
             const double r = 2.5 * (2.0 * n / m - 1.0);
             return std::exp(-r * r / 2.0);
         }); }},
        {"triang", [] { return window([](double n, double m) { return 1.0 - std::fabs(2.0 * n / m - 1.0); }); }},
        {"blackmanharris", [] { return window([](double n, double m) { return cosine_sum(n, m, {0.35875, 0.48829, 0.14128, 0.01168}); }); }},
        {"barthannwin", [] { return window([](double n, double m) {
             const double r = n / m - 0.5;
             return 0.62 - 0.48 * std::fabs(r) + 0.38 * std::cos(2.0 * k_pi * r);
         }); }},
        {"bartlett", [] { return window([](double n, double m) { return 1.0 - std::fabs(2.0 * n / m - 1.0); }); }},
        {"bohmanwin", [] { return window([](double n, double m) {
             const double r = std::fabs(2.0 * n / m - 1.0);
             return (1.0 - r) * std::cos(k_pi * r) + std::sin(k_pi * r) / k_pi;
         }); }},
        {"chebwin", [] { return chebwin(); }},
        {"flattopwin", [] { return window([](double n, double m) {
             return cosine_sum(n, m, {0.21557895, 0.41663158, 0.277263158, 0.083578947, 0.006947368});
         }); }},
        {"parzenwin", [] { return window([](double n, double m) {
             const double r = std::fabs(2.0 * n / m - 1.0);
             return r <= 0.5 ? 1.0 - 6.0 * r * r * (1.0 - r) : 2.0 * std::pow(1.0 - r, 3.0);
         }); }},
        {"taylorwin", [] { return taylorwin(); }},
        {"tukeywin", [] { return window([](double n, double m) {
             const double r = n / m;
             if (r < 0.25)
                 return 0.5 * (1.0 - std::cos(4.0 * k_pi * r));
             if (r > 0.75)
                 return 0.5 * (1.0 - std::cos(4.0 * k_pi * (1.0 - r)));
             return 1.0;
         }); }},
        {"tan", [] { return over(-1.4, 1.4, [](double u) { return std::tan(u); }); }},
        {"cot", [] { return over(0.17, k_pi - 0.17, [](double u) { return 1.0 / std::tan(u); }); }},
        {"sec", [] { return over(-1.4, 1.4, [](double u) { return 1.0 / std::cos(u); }); }},
        {"csc", [] { return over(0.17, k_pi - 0.17, [](double u) { return 1.0 / std::sin(u); }); }},
        {"asin", [] { return over(-1.0, 1.0, [](double u) { return std::asin(u); }); }},
        {"acos", [] { return over(-1.0, 1.0, [](double u) { return std::acos(u); }); }},
        {"atan", [] { return over(-5.0, 5.0, [](double u) { return std::atan(u); }); }},
        {"acot", [] { return over(-5.0, 5.0, [](double u) { return k_pi / 2.0 - std::atan(u); }); }},
        {"square", [] { return square_duty(0.5); }},
        {"sinetra", [] { return exact([](double x) { return std::clamp(2.0 * std::sin(2.0 * k_pi * x), -1.0, 1.0); }); }},
        {"sinever", [] { return exact([](double x) {
             const double f = std::fmod(2.0 * x, 1.0);
             return f < 0.5 ? 0.0 : std::sin(2.0 * k_pi * x);
         }); }},
        {"ampalt", [] { return exact([](double x) {
             const int cycle = lib_trunc_i32(4 * x);
             return (cycle % 2 ? 0.5 : 1.0) * std::sin(8.0 * k_pi * x);
         }); }},
        {"attalt", [] { return stretched([](double x) { return std::exp(-3.0 * x) * std::sin(16.0 * k_pi * x); }); }},
        {"roundhalf", [] { return stretched([](double x) { return std::max(0.0, std::sin(4.0 * k_pi * x)); }); }},
        {"roundspm", [] { return stretched([](double x) { return std::fabs(std::sin(4.0 * k_pi * x)); }); }},
        {"dampedosc", [] { return stretched([](double x) { return std::exp(-5.0 * x) * std::sin(20.0 * k_pi * x); }); }},
        {"swingosc", [] { return stretched([](double x) { return std::sin(2.0 * k_pi * x) * std::sin(20.0 * k_pi * x); }); }},
        {"discharge", [] { return stretched([](double x) { return std::exp(-8.0 * x); }); }},
        {"gamma", [] { return over(0.0, 10.0, [](double u) { return u * std::exp(-u); }); }},
        {"stepresp", [] { return stretched([](double x) {
             return x < 0.1 ? 0.0 : 1.0 - std::exp(-6.0 * (x - 0.1)) * std::cos(8.0 * k_pi * (x - 0.1));
         }); }},
        {"cwpulse", [] { return exact([](double x) { return x >= 0.3 && x < 0.7 ? std::sin(40.0 * k_pi * x) : 0.0; }); }},
        {"lfmpulse", [] { return exact([](double x) {
             const double t = (x - 0.3) / 0.4;
             return t >= 0.0 && t < 1.0 ? std::sin(2.0 * k_pi * (5.0 * t + 10.0 * t * t)) : 0.0;
         }); }},
        {"am", [] { return stretched([](double x) { return (1.0 + 0.5 * std::sin(2.0 * k_pi * x)) * std::sin(40.0 * k_pi * x); }); }},
        {"fm", [] { return exact([](double x) { return std::sin(40.0 * k_pi * x + 5.0 * std::sin(2.0 * k_pi * x)); }); }},
        {"pfm", [] { return exact([](double x) { return std::sin(40.0 * k_pi * x + 5.0 * std::sin(2.0 * k_pi * x)) >= 0 ? 1.0 : -1.0; }); }},
        {"pm", [] { return exact([](double x) { return std::sin(40.0 * k_pi * x + 2.0 * std::sin(2.0 * k_pi * x)); }); }},
        {"pwm", [] { return exact([](double x) {
             return std::fmod(20.0 * x, 1.0) < 0.5 + 0.4 * std::sin(2.0 * k_pi * x) ? 1.0 : -1.0;
         }); }},
        {"airy", [] { return over(-10.0, 2.0, airy_ai); }},
        {"besselj", [] { return over(0.0, 30.0, [](double u) { return std::cyl_bessel_j(0.0, u); }); }},
        {"bessely", [] { return over(0.5, 30.0, [](double u) { return std::cyl_neumann(0.0, u); }); }},
        {"dirichlet", [] { return over(-2.0 * k_pi, 2.0 * k_pi, [](double u) {
             const double s = std::sin(u / 2.0);
             return std::fabs(s) < 1e-12 ? 1.0 : std::sin(3.5 * u) / (7.0 * s);
         }); }},
        {"erf", [] { return over(-3.0, 3.0, [](double u) { return std::erf(u); }); }},
        {"erfc", [] { return over(-3.0, 3.0, [](double u) { return std::erfc(u); }); }},
        {"erfinv", [] { return over(-0.999, 0.999, erfinv); }},
        {"erfcinv", [] { return over(0.001, 1.999, [](double u) { return erfinv(1.0 - u); }); }},
        {"laguerre", [] { return over(0.0, 15.0, [](double u) { return std::laguerre(5, u); }); }},
        {"legend", [] { return over(-1.0, 1.0, [](double u) { return std::legendre(5, u); }); }},
        {"versiera", [] { return over(-5.0, 5.0, [](double u) { return 1.0 / (1.0 + u * u); }); }},
        {"weibull", [] { return over(0.0, 3.0, [](double u) { return 1.5 * std::sqrt(u) * std::exp(-std::pow(u, 1.5)); }); }},
        {"lognormal", [] { return over(0.01, 4.0, [](double u) {
             const double l = std::log(u);
             return std::exp(-l * l / 0.5) / u;
         }); }},
        {"laplace", [] { return over(-5.0, 5.0, [](double u) { return std::exp(-std::fabs(u)); }); }},
        {"maxwell", [] { return over(0.0, 5.0, [](double u) { return u * u * std::exp(-u * u / 2.0); }); }},
        {"rayleigh", [] { return over(0.0, 5.0, [](double u) { return u * std::exp(-u * u / 2.0); }); }},
        {"cauchy", [] { return over(-10.0, 10.0, [](double u) { return 1.0 / (1.0 + u * u); }); }},
        {"cosh", [] { return over(-3.0, 3.0, [](double u) { return std::cosh(u); }); }},
        {"cosint", [] { return integral_sine(true); }},
        {"coth", [] { return over(0.3, 3.0, [](double u) { return 1.0 / std::tanh(u); }); }},
        {"csch", [] { return over(0.3, 3.0, [](double u) { return 1.0 / std::sinh(u); }); }},
        {"sech", [] { return over(-3.0, 3.0, [](double u) { return 1.0 / std::cosh(u); }); }},
        {"sinh", [] { return over(-3.0, 3.0, [](double u) { return std::sinh(u); }); }},
        {"sinint", [] { return integral_sine(false); }},
        {"tanh", [] { return over(-3.0, 3.0, [](double u) { return std::tanh(u); }); }},
        {"acosh", [] { return over(1.0, 10.0, [](double u) { return std::acosh(u); }); }},
        {"asech", [] { return over(0.01, 1.0, [](double u) { return std::acosh(1.0 / u); }); }},
        {"asinh", [] { return over(-10.0, 10.0, [](double u) { return std::asinh(u); }); }},
        {"atanh", [] { return over(-0.99, 0.99, [](double u) { return std::atanh(u); }); }},
        {"acsch", [] { return over(0.1, 5.0, [](double u) { return std::asinh(1.0 / u); }); }},
        {"acoth", [] { return over(1.01, 5.0, [](double u) { return std::atanh(1.0 / u); }); }},
        {"wave_Glitch_16k", [] { return exact([](double x) {
             const double f = std::fmod(8.0 * x, 1.0);
             // A square wave of eight periods with one narrow spike into the fifth high level.
             if (x >= 0.5 && x < 0.5 + 1.0 / 512.0)
                 return -1.0;
             return f < 0.5 ? 1.0 : -1.0;
         }); }},
        {"wave_Runt_16k", [] { return exact([](double x) {
             // Eight pulses, the fourth of which stops at half height.
             const int period = lib_trunc_i32(8 * x);
             const double f = std::fmod(8.0 * x, 1.0);
             if (f >= 0.5)
                 return -1.0;
             return period == 3 ? 0.0 : 1.0;
         }); }},
        {"wave_UART_16k", [] { return uart(); }},
    };
    return table;
}

} // namespace

std::vector<std::int16_t> wavegen_make(const std::string &name)
{
    const std::string stem = stem_of(name);
    const auto found = shapes().find(stem);
    if (found != shapes().end())
        return found->second();
    if (starts_with(stem, "square_duty") || starts_with(stem, "quare_duty")) {
        const int duty = std::atoi(stem.c_str() + stem.find("duty") + 4);
        return square_duty(duty / 100.0);
    }
    if (starts_with(stem, "sine_harmonic"))
        return sine(std::atoi(stem.c_str() + 13));
    // Names that say no shape (recorded signals, demonstrations, sequences) get the
    // stand-in; those without a number take one from their length.
    const int number = std::isdigit(static_cast<unsigned char>(name[0])) ? leading_number(name)
                                                                           : 300 + static_cast<int>(name.size());
    return stand_in(number);
}
