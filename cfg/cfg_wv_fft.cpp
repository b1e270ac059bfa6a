#include "cfg_wv_fft.h"

#include <algorithm>
#include <cmath>
#include <utility>

int32 lib_math_fft(double *re, double *im, double *magnitude, int32 n, int32 direction)
{
    if (n < 1 || (n & (n - 1)) != 0)
        return 0;
    int levels = 0;
    while ((int32(1) << levels) < n)
        ++levels;
    for (int32 i = 0; i < n; ++i) {
        int32 r = 0;
        for (int b = 0; b < levels; ++b)
            if (i & (int32(1) << b))
                r |= int32(1) << (levels - 1 - b);
        if (r > i) {
            std::swap(re[i], re[r]);
            std::swap(im[i], im[r]);
        }
    }
    const double pi = 3.14159265358979323846264338327950288;
    const double sign = direction == -1 ? 1.0 : -1.0;
    for (int32 half = 1; half < n; half *= 2) {
        const double step = sign * pi / double(half);
        for (int32 k = 0; k < half; ++k) {
            const double wr = std::cos(step * k), wi = std::sin(step * k);
            for (int32 i = k; i < n; i += 2 * half) {
                const int32 j = i + half;
                const double tr = wr * re[j] - wi * im[j];
                const double ti = wr * im[j] + wi * re[j];
                re[j] = re[i] - tr;
                im[j] = im[i] - ti;
                re[i] += tr;
                im[i] += ti;
            }
        }
    }
    if (direction == -1) {
        for (int32 i = 0; i < n; ++i) {
            re[i] /= n;
            im[i] /= n;
        }
    }
    for (int32 i = 0; i < n; ++i)
        magnitude[i] = std::sqrt(re[i] * re[i] + im[i] * im[i]);
    return n;
}

int32 lib_math_fft_checked(double *re, double *im, double *magnitude, int32 n, int32 direction)
{
    if (direction != 1 && direction != -1)
        return direction;
    return lib_math_fft(re, im, magnitude, n, direction);
}

void lib_math_fft_shift(double *values, int32 n)
{
    const int32 half = n / 2;
    for (int32 k = 0; k < half; ++k)
        std::swap(values[k], values[k + half]);
}

void lib_math_spectrum(double *re, double *im, double *values, int32 n)
{
    if (lib_math_fft(re, im, values, n, 1) == 0)
        return;
    lib_math_fft_shift(values, n);
    const double peak = *std::max_element(values, values + n);
    if (!(peak > 0.0)) {
        std::fill(values, values + n, 0.0);
        return;
    }
    // A zero bin would be minus infinity dB: floor it far below any real bin instead.
    for (int32 i = 0; i < n; ++i)
        values[i] = 20.0 * std::log10(std::max(values[i] / peak, 1e-300));
    const double lo = *std::min_element(values, values + n);
    const double range = -lo;
    for (int32 i = 0; i < n; ++i)
        values[i] = range > 0.0 ? (values[i] - lo) * 32767.0 / range : 32767.0;
}
