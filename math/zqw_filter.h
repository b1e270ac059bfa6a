#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

#include <vector>

class math_filter_kernel_t;

// Turns a filter request of the filter dialog into a filtered waveform: checks the
// band edges and the sampling rate, designs the filter, keeps its magnitude response
// and runs the source's samples through it in volts. Every request returns 0 or a
// negative code: -1 a failure while filtering, -3 edges out of order, -4 sampling rate
// below twice the highest edge, -5/-6 parameters out of range, -7 order out of range.
// A request that fails before its design is done leaves the response and the
// destination as they were.
class ZqwFilter
{
public:
    using data_t = lib_wv_data_t<short int>;

    ZqwFilter();
    ~ZqwFilter();

    std::vector<float> &get_response() { return response; }

    float get_min_freq() const { return 0.001f; }
    float get_max_freq() const { return 1e9f; }
    float get_min_apass() const { return -3.0103f; }
    float get_max_apass() const { return -0.01f; }
    float get_min_astop() const { return -100.0f; }
    float get_max_astop() const { return -3.0103f; }

    // The sixteen filter kinds; the dialog's type index i is family i / 4, band i % 4.
    // Low-pass: fs, fpass, fstop, apass, astop. High-pass: fs, fstop, fpass, apass, astop.
    // Band-pass: fs, fstop1, fpass1, fpass2, fstop2, apass, astop.
    // Band-stop: fs, fpass1, fstop1, fstop2, fpass2, apass, astop.
    int32 butterworth_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                              float apass, float astop);
    int32 butterworth_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                               float apass, float astop);
    int32 butterworth_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1, float fpass1,
                               float fpass2, float fstop2, float apass, float astop);
    int32 butterworth_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1, float fstop1,
                               float fstop2, float fpass2, float apass, float astop);
    int32 chebyshev_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                            float apass, float astop);
    int32 chebyshev_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                             float apass, float astop);
    int32 chebyshev_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1, float fpass1,
                             float fpass2, float fstop2, float apass, float astop);
    int32 chebyshev_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1, float fstop1,
                             float fstop2, float fpass2, float apass, float astop);
    int32 invchebyshev_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                               float apass, float astop);
    int32 invchebyshev_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                                float apass, float astop);
    int32 invchebyshev_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1,
                                float fpass1, float fpass2, float fstop2, float apass, float astop);
    int32 invchebyshev_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1,
                                float fstop1, float fstop2, float fpass2, float apass, float astop);
    int32 elliptic_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                           float apass, float astop);
    int32 elliptic_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                            float apass, float astop);
    int32 elliptic_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1, float fpass1,
                            float fpass2, float fstop2, float apass, float astop);
    int32 elliptic_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1, float fstop1,
                            float fstop2, float fpass2, float apass, float astop);

    // The same without a count: the whole source, with the numerator sections scaled
    // down by the sum of their magnitudes in place of the design's gain.
    int32 butterworth_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                              float astop);
    int32 butterworth_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                               float astop);
    int32 butterworth_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1, float fpass2,
                               float fstop2, float apass, float astop);
    int32 butterworth_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1, float fstop2,
                               float fpass2, float apass, float astop);
    int32 chebyshev_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                            float astop);
    int32 chebyshev_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                             float astop);
    int32 chebyshev_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1, float fpass2,
                             float fstop2, float apass, float astop);
    int32 chebyshev_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1, float fstop2,
                             float fpass2, float apass, float astop);
    int32 invchebyshev_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                               float astop);
    int32 invchebyshev_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                                float astop);
    int32 invchebyshev_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1,
                                float fpass2, float fstop2, float apass, float astop);
    int32 invchebyshev_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1,
                                float fstop2, float fpass2, float apass, float astop);
    int32 elliptic_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                           float astop);
    int32 elliptic_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                            float astop);
    int32 elliptic_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1, float fpass2,
                            float fstop2, float apass, float astop);
    int32 elliptic_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1, float fstop2,
                            float fpass2, float apass, float astop);

    // Designs the filter (band 0..3, family 0..3) and filters `count` samples of the
    // source through its cascade of sections; returns filter_cal's result.
    int32 do_filter(const data_t *src, uint32 count, float fs, float fpass1, float fpass2, float fstop1,
                    float fstop2, float apass1, float apass2, float astop1, float astop2, int band, int family,
                    data_t *dst);
    int32 do_filter(const data_t *src, float fs, float fpass1, float fpass2, float fstop1, float fstop2,
                    float apass1, float apass2, float astop1, float astop2, int band, int family, data_t *dst);

    // Filters `count` samples through the difference equation of polynomials b and a
    // (2 * ((order + 1) / 2) + 1 coefficients each). 0; -1 when a[0] is 0 or not a number
    // (the destination then holds `count` zero samples), or when the polynomials are
    // too short, a file fails, a buffer cannot be had or an output is not finite.
    int32 filter_cal(const data_t *src, uint32 count, const std::vector<float> &b, const std::vector<float> &a,
                     int order, data_t *dst);
    int32 filter_cal_all(const data_t *src, const std::vector<float> &b, const std::vector<float> &a, int order,
                         data_t *dst);

    // Multiplies (order + 1) / 2 sections out into one polynomial of 2 * ((order + 1) / 2) + 1
    // coefficients; -1 when there are no sections or too few values.
    static int32 sections_to_poly(const std::vector<float> &sections, int order, std::vector<float> &out);
    static void poly_mul(const std::vector<float> &p, const std::vector<float> &q, std::vector<float> &out);
    // Divides every coefficient by the sum of all their magnitudes.
    static void normalize_sections(std::vector<float> &sections);

    // Filters the samples 0..9 through a fixed fourth-order filter and prints the result.
    int32 self_test();

    std::vector<float> response;

private:
    int32 _single(int band, int family, const data_t *src, const uint32 *count, data_t *dst, float fs,
                  float fpass, float fstop, float apass, float astop);
    int32 _band(int band, int family, const data_t *src, const uint32 *count, data_t *dst, float fs,
                float fpass1, float fpass2, float fstop1, float fstop2, float apass, float astop);
    int32 _design_and_filter(const data_t *src, const uint32 *count, float fs, float fpass1, float fpass2,
                             float fstop1, float fstop2, float apass1, float apass2, float astop1, float astop2,
                             int band, int family, data_t *dst);
    static int32 _zero_result(uint32 count, data_t *dst);
};
