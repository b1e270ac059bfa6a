#include "iir_filter.h"

#include <cmath>

namespace {

using cplx = std::complex<double>;

void put(std::vector<float> &v, int index, double c0, double c1, double c2)
{
    v[3 * index] = static_cast<float>(c0);
    v[3 * index + 1] = static_cast<float>(c1);
    v[3 * index + 2] = static_cast<float>(c2);
}

// The upper root of a conjugate pair section.
cplx upper_root(const float *c)
{
    cplx r1, r2;
    IirFilter::quadraticRoots(c[0], c[1], c[2], &r1, &r2);
    return r1;
}

// Writes the two sections whose roots solve z^2 + v z + w0^2 = 0, with their conjugates.
void put_mapped_pair(std::vector<float> &v, int index, cplx shift, double w0)
{
    cplx q1, q2;
    IirFilter::quadraticRoots(1.0, shift, w0 * w0, &q1, &q2);
    for (const cplx &q : {q1, q2}) {
        const double m = std::hypot(q.real(), q.imag());
        put(v, index++, 1.0, -2.0 * q.real(), m * m);
    }
}

// The sections of an order-n prototype, taken out of a filter whose order the band
// transformation doubles: n new sections, all zero, take their place.
struct old_sections_t
{
    explicit old_sections_t(IirFilter &f)
        : n(f.order), count((f.order + 1) / 2), num(f.numCoefs), den(f.denCoefs)
    {
        f.order = 2 * n;
        f.numCoefs.assign(3u * static_cast<std::size_t>(n), 0.0f);
        f.denCoefs.assign(3u * static_cast<std::size_t>(n), 0.0f);
    }

    const int n, count;
    const std::vector<float> num, den;
};

} // namespace

void IirFilter::quadraticRoots(cplx a, cplx b, cplx c, cplx *r1, cplx *r2)
{
    const cplx s = std::sqrt(b * b - 4.0 * a * c);
    *r1 = (s - b) / (2.0 * a);
    *r2 = (-b - s) / (2.0 * a);
}

// s -> (s^2 + w0^2) / (B s): every pole and zero of an order-N prototype becomes two,
// so the order doubles and each second-order section becomes two.
void IirFilter::lowpassToBandpass(float bw, float w0)
{
    const old_sections_t old(*this);
    const std::vector<float> &num = old.num, &den = old.den;
    const double b = bw, w2 = static_cast<double>(w0) * w0;
    int out = 0, i = 0;
    if (old.n % 2) {
        put(numCoefs, out, num[1], num[2] * b, w2 * num[1]);
        put(denCoefs, out, den[1], den[2] * b, w2 * den[1]);
        ++out;
        i = 1;
    }
    for (; i < old.count; ++i, out += 2) {
        const float *nc = num.data() + 3 * i;
        const float *dc = den.data() + 3 * i;
        if (nc[0] == 0.0f) {
            const double c1 = std::sqrt(static_cast<double>(nc[2])) * b;
            put(numCoefs, out, 0.0, c1, 0.0);
            put(numCoefs, out + 1, 0.0, c1, 0.0);
        } else {
            put_mapped_pair(numCoefs, out, -b * upper_root(nc), w0);
        }
        put_mapped_pair(denCoefs, out, -b * upper_root(dc), w0);
    }
}

// s -> B s / (s^2 + w0^2).
void IirFilter::lowpassToBandstop(float bw, float w0)
{
    const old_sections_t old(*this);
    const std::vector<float> &num = old.num, &den = old.den;
    const double b = bw, w2 = static_cast<double>(w0) * w0;
    int out = 0, i = 0;
    if (old.n % 2) {
        const double n1 = num[1], n2 = num[2], d1 = den[1], d2 = den[2];
        _scaleGain(n2 / d2);
        put(numCoefs, out, 1.0, b * n1 / n2, w2);
        put(denCoefs, out, 1.0, b * d1 / d2, w2);
        ++out;
        i = 1;
    }
    for (; i < old.count; ++i, out += 2) {
        const float *nc = num.data() + 3 * i;
        const float *dc = den.data() + 3 * i;
        _scaleGain(static_cast<double>(nc[2]) / dc[2]);
        if (nc[0] == 0.0f) {
            put(numCoefs, out, 1.0, 0.0, w2);
            put(numCoefs, out + 1, 1.0, 0.0, w2);
        } else {
            put_mapped_pair(numCoefs, out, b * (-1.0 / upper_root(nc)), w0);
        }
        put_mapped_pair(denCoefs, out, b * (-1.0 / upper_root(dc)), w0);
    }
}
