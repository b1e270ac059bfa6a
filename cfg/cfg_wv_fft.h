#pragma once
#include "lib_types.h"

// Radix-2 FFT in place over re and im (n a power of two); direction 1 forward, -1
// inverse (divided by n). Writes the magnitude of every point. Returns n, or 0 (arrays
// untouched) when n is not a power of two.
int32 lib_math_fft(double *re, double *im, double *magnitude, int32 n, int32 direction);
// As lib_math_fft; a direction other than 1 or -1 is returned unchanged.
int32 lib_math_fft_checked(double *re, double *im, double *magnitude, int32 n, int32 direction);
// Swaps the two halves: values[k] with values[k + n / 2].
void lib_math_fft_shift(double *values, int32 n);
// Magnitude spectrum in dB relative to the peak, centred, shifted so the smallest value
// is 0 and scaled so the peak is 32767.
void lib_math_spectrum(double *re, double *im, double *values, int32 n);
