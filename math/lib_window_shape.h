#pragma once
#include "lib_types.h"

// The twelve windows, numbered as the window-function dialog lists them.
enum class lib_window_kind_t : int32
{
    rectangle = 0,
    triangle,
    hanning,
    hamming,
    blackman,
    kaiser,
    blackman_harris,
    gauss,
    bartlett,
    fall_exp,
    flattop,
    force,
};

// I0(x), the modified Bessel function of the first kind and order zero, in single
// precision (infinite where it leaves the float range).
float bessel_i0(float x);

// One window laid over a waveform of n samples: its constants are computed once, the
// windowed value of each sample from its global index. Windows other than the
// rectangle, fall exp and force are mirrored: samples j and n - 1 - j share a factor.
class lib_window_shape_t
{
public:
    // param: Kaiser's beta or Gauss's alpha (ignored by the others); scale: the
    // triangle's peak (ignored by the others).
    lib_window_shape_t(lib_window_kind_t kind, uint64 n, float param, float scale);

    // The sample times the window at index j, before the conversion to a code; each
    // window forms the product in its own order, which decides where it truncates.
    double value(double sample, uint64 j) const;
    double factor(uint64 j) const { return value(1.0, j); }
    // Replaces count codes whose first sample has global index first by their
    // windowed codes (truncated toward zero, saturated).
    void apply(short int *block, uint64 first, uint64 count) const;

private:
    template <typename K>
    void apply_each(short int *block, uint64 first, uint64 count, K kernel) const;

    uint64 mirror(uint64 j) const { return j <= m_last ? j : m_n - 1 - j; }
    double cosine_sum(uint64 j, const double *coef, int terms) const;
    double triangle(double s, uint64 j) const;
    double kaiser(double s, uint64 j) const;
    double gauss(double s, uint64 j) const;
    double bartlett(double s, uint64 j) const;
    double fall_exp(double s, uint64 j) const;
    double force(double s, uint64 j) const;

    lib_window_kind_t m_kind;
    uint64 m_n;
    uint64 m_last;    // last index of the first half: ceil(n / 2) - 1
    double m_span;    // n - 1
    bool m_copy;      // a factor of 1 everywhere (the rectangle, and n <= 1)
    float m_param;
    float m_step;     // triangle: scale / last
    float m_half;     // gauss: (n - 1) div 2
    float m_i0_beta;  // kaiser: I0(beta)
    long double m_i0_beta_ext; // kaiser: I0(beta) where the float one overflows
};
