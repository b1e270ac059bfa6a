#pragma once
// cfg_harmonic_sum_t: adds one harmonic's samples to a running sum of int16 samples
// without leaving full scale. Amplitudes are volts peak to peak: a sample vector with
// amplitude A holds A at its full scale of +-32767, so a vector b of amplitude A_b
// weighs A_b / A_a in a sum whose full scale stands for A_a. When the sum would pass
// full scale it is scaled down by k and its full scale then stands for A_a / k.
// All arithmetic is in long double; samples are truncated toward zero.
#include "lib_types.h"

#include <vector>

class cfg_harmonic_sum_t
{
public:
    // The signed sample of largest magnitude of a + b x (A_b / A_a) (the first of equal
    // magnitudes); 32767 when the sizes differ or A_b <= 0, 0 for empty vectors.
    int32 find_peak(std::vector<int16> a, long double a_ampl, std::vector<int16> b, long double b_ampl);
    // 1.0 when |peak| <= 32766, else 32767 / |peak|.
    long double get_scale(int32 peak);
    // a = (a + b x (A_b / A_a)) x k, A_a = A_a / k: 1; 0 (nothing changed) when the sizes
    // differ.
    int32 add_scaled(std::vector<int16> &a, long double &a_ampl, std::vector<int16> b, long double b_ampl,
                     long double k);
    // b added to a with the factor that keeps the sum within full scale; the factor,
    // 1.0 when nothing was added (sizes differ or A_b <= 0).
    long double add_wave(std::vector<int16> &a, long double &a_ampl, std::vector<int16> b, long double b_ampl);
};
