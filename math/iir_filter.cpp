#include "iir_filter.h"

#include "lib_diag.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double k_pi = 3.14159265358979323846;
constexpr double k_two_pi = 2.0 * k_pi;
constexpr double k_tiny = 2.220446049250313e-16; // 2^-52, the floor of every magnitude

// Magnitude of c0 + c1 z^-1 + c2 z^-2 on the unit circle.
double section_magnitude(const float *c, double cw, double c2w, double sw, double s2w)
{
    double re = c[0] + c[1] * cw + c[2] * c2w;
    double im = c[1] * sw + c[2] * s2w;
    return std::sqrt(re * re + im * im);
}

} // namespace

IirFilter::IirFilter(int sel, int type) : BaseFilter(sel), filterType(type)
{
    if (static_cast<unsigned>(sel) > 3u)
        lib_diag_line("IirFilter:filer error!!!");
    if (static_cast<unsigned>(type) > 3u)
        lib_diag_line("IirFilter:filer error!!!");
}

IirFilter::~IirFilter() = default;

int IirFilter::design()
{
    prewarp();
    if (!estimateOrder()) {
        lib_diag_line("The filter's order exceeds the range!");
        return -7;
    }
    analogPrototype();
    frequencyTransform();
    bilinear();
    unwarp();
    computeEdgeResponse();
    return 0;
}

std::vector<float *> IirFilter::_edges()
{
    if (selectivity == 0 || selectivity == 1)
        return {&lowerPassFreq, &lowerStopFreq};
    return {&lowerPassFreq, &upperPassFreq, &lowerStopFreq, &upperStopFreq};
}

void IirFilter::prewarp()
{
    const float k = static_cast<float>(2.0 * samplingFreq);
    for (float *e : _edges())
        *e = k * std::tan(*e / k);
}

void IirFilter::unwarp()
{
    const float k = static_cast<float>(2.0 * samplingFreq);
    for (float *e : _edges())
        *e = static_cast<float>(k * std::atan(static_cast<double>(*e) / k));
}

float IirFilter::_selectivityRatio() const
{
    switch (selectivity) {
    case 0:
        return lowerStopFreq / lowerPassFreq;
    case 1:
        return lowerPassFreq / lowerStopFreq;
    case 2:
        return static_cast<float>((static_cast<double>(upperStopFreq) - lowerStopFreq) /
                                  (static_cast<double>(upperPassFreq) - lowerPassFreq));
    default:
        return static_cast<float>((static_cast<double>(upperPassFreq) - lowerPassFreq) /
                                  (static_cast<double>(upperStopFreq) - lowerStopFreq));
    }
}

float IirFilter::_gainRatio() const
{
    return static_cast<float>((std::pow(10.0, -0.1 * lowerStopGain) - 1.0) /
                              (std::pow(10.0, -0.1 * lowerPassGain) - 1.0));
}

bool IirFilter::estimateOrder()
{
    // Band shapes: one edge moves so that the band is geometrically symmetric and the
    // narrower transition decides the order.
    const double lp = lowerPassFreq, up = upperPassFreq, ls = lowerStopFreq, us = upperStopFreq;
    if (selectivity == 2) {
        if (ls > lp * up / us)
            upperStopFreq = static_cast<float>(lp * up / ls);
        else
            lowerStopFreq = static_cast<float>(lp * up / us);
    } else if (selectivity == 3) {
        if (lp > ls * us / up)
            upperPassFreq = static_cast<float>(ls * us / lp);
        else
            lowerPassFreq = static_cast<float>(ls * us / up);
    }
    const float d = _selectivityRatio();
    const float h = _gainRatio();
    double m;
    if (filterType == 0) {
        m = std::log10(static_cast<double>(h)) / (2.0 * std::log10(static_cast<double>(d)));
    } else if (filterType == 1 || filterType == 2) {
        m = std::acosh(std::sqrt(static_cast<double>(h))) / std::acosh(static_cast<double>(d));
    } else if (!ellipticEstimate(d, h, &m)) {
        return false;
    }
    if (!(m >= 1.0 && m <= 200.0))
        return false;
    order = static_cast<int>(std::ceil(m));
    return true;
}

void IirFilter::_setGain(double gain)
{
    overallGain = static_cast<float>(gain);
    wideGain = gain;
}

void IirFilter::_scaleGain(double factor)
{
    overallGain = static_cast<float>(overallGain * factor);
    wideGain *= factor;
}

void IirFilter::analogPrototype()
{
    const std::size_t values = 3u * static_cast<std::size_t>((order + 1) / 2);
    numCoefs.resize(values, 0.0f);
    denCoefs.resize(values, 0.0f);
    if (filterType == 0)
        butterworthPrototype();
    else if (filterType == 1)
        chebyshevPrototype();
    else if (filterType == 2)
        invChebyshevPrototype();
    else
        ellipticPrototype();
}

namespace {

void set_section(std::vector<float> &v, int index, double c0, double c1, double c2)
{
    v[3 * index] = static_cast<float>(c0);
    v[3 * index + 1] = static_cast<float>(c1);
    v[3 * index + 2] = static_cast<float>(c2);
}

// An all-pole section of unit gain at s = 0 with the pole pair re +- j im; the first
// order section of an odd prototype, (0, 0, c) over (0, 1, c), likewise.
void set_pole_pair(std::vector<float> &num, std::vector<float> &den, int index, double re, double im)
{
    const float m2 = static_cast<float>(re * re + im * im);
    set_section(num, index, 0.0, 0.0, m2);
    set_section(den, index, 1.0, -2.0 * re, m2);
}

void set_real_pole(std::vector<float> &num, std::vector<float> &den, double c)
{
    set_section(num, 0, 0.0, 0.0, c);
    set_section(den, 0, 0.0, 1.0, c);
}

// Pole angle of the i-th second-order section of an order-n prototype.
float theta(int i, int n)
{
    return static_cast<float>((2 * i + 1) * k_pi / (2.0 * n));
}

} // namespace

void IirFilter::butterworthPrototype()
{
    const int n = order;
    const double eps = std::sqrt(std::pow(10.0, -0.1 * lowerPassGain) - 1.0);
    const float c = static_cast<float>(std::pow(eps, -1.0 / n));
    _setGain(1.0);
    const int first = n % 2;
    if (first)
        set_real_pole(numCoefs, denCoefs, c);
    for (int i = 0; i < n / 2; ++i) {
        const double phi = (n + 1 + 2 * i) * k_pi / (2.0 * n);
        set_pole_pair(numCoefs, denCoefs, first + i, c * std::cos(phi), c * std::sin(phi));
    }
}

void IirFilter::chebyshevPrototype()
{
    const int n = order;
    const double eps = std::sqrt(std::pow(10.0, -0.1 * lowerPassGain) - 1.0);
    const double a = std::asinh(1.0 / eps) / n;
    const int first = n % 2;
    if (first) {
        _setGain(1.0);
        set_real_pole(numCoefs, denCoefs, std::sinh(a));
    } else {
        _setGain(std::pow(10.0, 0.05 * lowerPassGain));
    }
    for (int i = 0; i < n / 2; ++i) {
        const double t = theta(i, n);
        set_pole_pair(numCoefs, denCoefs, first + i, -std::sinh(a) * std::sin(t), std::cosh(a) * std::cos(t));
    }
}

void IirFilter::invChebyshevPrototype()
{
    const int n = order;
    const double delta = std::sqrt(std::pow(10.0, -0.1 * lowerStopGain) - 1.0);
    const float e = static_cast<float>(1.0 / delta);
    const double a = std::asinh(1.0 / e) / n;
    _setGain(1.0);
    const int first = n % 2;
    if (first)
        set_real_pole(numCoefs, denCoefs, 1.0 / std::sinh(a));
    for (int i = 0; i < n / 2; ++i) {
        const double t = theta(i, n);
        const double re = -std::sinh(a) * std::sin(t), im = std::cosh(a) * std::cos(t);
        const double m = re * re + im * im;
        const double cos2 = std::cos(t) * std::cos(t);
        const double p = (re / m) * (re / m) + (im / m) * (im / m);
        set_section(numCoefs, first + i, 1.0, 0.0, 1.0 / cos2);
        set_section(denCoefs, first + i, 1.0, -2.0 * re / m, p);
        // every section keeps gain 1 at s = 0
        _scaleGain(static_cast<float>(p) * cos2);
    }
}

void IirFilter::frequencyTransform()
{
    // The inverse Chebyshev prototype is normalised to its stopband edge, the others to
    // their passband edge.
    const bool stop_ref = filterType == 2;
    const float lower = stop_ref ? lowerStopFreq : lowerPassFreq;
    const float upper = stop_ref ? upperStopFreq : upperPassFreq;
    switch (selectivity) {
    case 0:
        lowpassToLowpass(lower);
        break;
    case 1:
        lowpassToHighpass(lower);
        break;
    case 2:
        lowpassToBandpass(upper - lower, static_cast<float>(std::sqrt(static_cast<double>(lower) * upper)));
        break;
    default:
        lowpassToBandstop(upper - lower, static_cast<float>(std::sqrt(static_cast<double>(lower) * upper)));
        break;
    }
}

void IirFilter::lowpassToLowpass(float w)
{
    const int sections = (order + 1) / 2;
    int i = 0;
    if (order % 2) {
        numCoefs[2] *= w;
        denCoefs[2] *= w;
        i = 1;
    }
    const double w2 = static_cast<double>(w) * w;
    for (; i < sections; ++i) {
        for (std::vector<float> *v : {&numCoefs, &denCoefs}) {
            float *c = v->data() + 3 * i;
            c[1] = static_cast<float>(c[1] * static_cast<double>(w));
            c[2] = static_cast<float>(c[2] * w2);
        }
    }
}

void IirFilter::lowpassToHighpass(float w)
{
    const int sections = (order + 1) / 2;
    const double wd = w;
    int i = 0;
    if (order % 2) {
        const double n1 = numCoefs[1], n2 = numCoefs[2], d1 = denCoefs[1], d2 = denCoefs[2];
        _scaleGain(n2 / d2);
        set_section(numCoefs, 0, 0.0, 1.0, wd * n1 / n2);
        set_section(denCoefs, 0, 0.0, d1, wd / d2);
        i = 1;
    }
    for (; i < sections; ++i) {
        const float *n = numCoefs.data() + 3 * i;
        const float *d = denCoefs.data() + 3 * i;
        const double n0 = n[0], n1 = n[1], n2 = n[2], d0 = d[0], d1 = d[1], d2 = d[2];
        _scaleGain(n2 / d2);
        set_section(numCoefs, i, 1.0, wd * n1 / n2, wd * wd * n0 / n2);
        set_section(denCoefs, i, 1.0, wd * d1 / d2, wd * wd * d0 / d2);
    }
}

void IirFilter::bilinear()
{
    const float k = static_cast<float>(2.0 * samplingFreq);
    const float k2 = k * k;
    const int sections = (order + 1) / 2;
    int i = 0;
    if (order % 2) {
        const double n1 = numCoefs[1], n2 = numCoefs[2], d1 = denCoefs[1], d2 = denCoefs[2];
        set_section(numCoefs, 0, 1.0, (n2 - k * n1) / (n2 + k * n1), 0.0);
        set_section(denCoefs, 0, 1.0, (d2 - k * d1) / (d2 + k * d1), 0.0);
        _scaleGain((n2 + k * n1) / (d2 + k * d1));
        i = 1;
    }
    for (; i < sections; ++i) {
        double t[2];
        int side = 0;
        for (std::vector<float> *v : {&numCoefs, &denCoefs}) {
            const float *c = v->data() + 3 * i;
            const double c0 = c[0], c1 = c[1], c2 = c[2];
            const double s = static_cast<double>(k2) * c0 + static_cast<double>(k) * c1 + c2;
            set_section(*v, i, 1.0, 2.0 * (c2 - static_cast<double>(k2) * c0) / s,
                        (static_cast<double>(k2) * c0 - static_cast<double>(k) * c1 + c2) / s);
            t[side++] = s;
        }
        _scaleGain(t[0] / t[1]);
    }
}

float IirFilter::magnitudeDb(float frequency)
{
    const double w = k_two_pi * frequency / samplingFreq;
    const double cw = std::cos(w), c2w = std::cos(2.0 * w), sw = std::sin(w), s2w = std::sin(2.0 * w);
    // The product runs in the wide gain's range: a hundred sections in the stopband
    // leave any double far behind.
    long double g = wideGain;
    const std::size_t sections = std::min(numCoefs.size(), denCoefs.size()) / 3;
    for (std::size_t i = 0; i < sections; ++i) {
        g *= section_magnitude(numCoefs.data() + 3 * i, cw, c2w, sw, s2w);
        double d = section_magnitude(denCoefs.data() + 3 * i, cw, c2w, sw, s2w);
        g /= d == 0.0 ? k_tiny : d;
    }
    const long double mag = std::fabs(g);
    return static_cast<float>(20.0L * std::log10(mag > k_tiny ? mag : static_cast<long double>(k_tiny)));
}

void IirFilter::computeEdgeResponse()
{
    auto at = [this](float edge) { return magnitudeDb(static_cast<float>(edge / k_two_pi)); };
    if (selectivity == 0 || selectivity == 1)
        edgeResponse = {at(lowerPassFreq), at(lowerStopFreq)};
    else
        edgeResponse = {at(lowerPassFreq), at(upperPassFreq), at(lowerStopFreq), at(upperStopFreq)};
}

std::vector<float> IirFilter::responseTable()
{
    const double half = 0.5 * samplingFreq;
    std::vector<float> table;
    if (!(half >= 0.0 && half <= 1e12))
        return table;
    // 64-bit steps: above 4.3 GHz the frequencies pass the int range.
    const std::int64_t step = half >= 1000.0 ? static_cast<std::int64_t>(half / 1000.0) : 1;
    table.reserve(static_cast<std::size_t>(half / step) + 1);
    for (std::int64_t f = 0; half >= static_cast<double>(f); f += step)
        table.push_back(magnitudeDb(static_cast<float>(f)));
    if (!table.empty() && !(std::fabs(table[0]) <= 3.4028234663852886e38))
        table[0] = 0.0f;
    return table;
}

int check_filter_params(int sel, int type, float fs, float fpass1, float fpass2, float fstop1, float fstop2,
                        float, float, float, float)
{
    if (static_cast<unsigned>(type) > 3u)
        return -5;
    bool ordered;
    float top;
    switch (sel) {
    case 0:
        ordered = fstop1 > fpass1;
        top = fstop1;
        break;
    case 1:
        ordered = fpass1 > fstop1;
        top = fpass1;
        break;
    case 2:
        ordered = fstop1 < fpass1 && fpass1 < fpass2 && fpass2 < fstop2;
        top = fstop2;
        break;
    case 3:
        ordered = fpass1 < fstop1 && fstop1 < fstop2 && fstop2 < fpass2;
        top = fpass2;
        break;
    default:
        return -1;
    }
    if (!ordered)
        return -3;
    if (!(fs >= 2.0f * top))
        return -4;
    return 0;
}
