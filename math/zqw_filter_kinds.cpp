#include "zqw_filter.h"

// The sixteen filter kinds, each with and without a count, map their arguments onto
// the two request shapes.

int32 ZqwFilter::butterworth_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                                     float apass, float astop)
{
    return _single(0, 0, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::butterworth_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                                      float apass, float astop)
{
    return _single(1, 0, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::butterworth_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1,
                                      float fpass1, float fpass2, float fstop2, float apass, float astop)
{
    return _band(2, 0, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::butterworth_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1,
                                      float fstop1, float fstop2, float fpass2, float apass, float astop)
{
    return _band(3, 0, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::butterworth_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                                     float astop)
{
    return _single(0, 0, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::butterworth_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                                      float astop)
{
    return _single(1, 0, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::butterworth_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1,
                                      float fpass2, float fstop2, float apass, float astop)
{
    return _band(2, 0, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::butterworth_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1,
                                      float fstop2, float fpass2, float apass, float astop)
{
    return _band(3, 0, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::chebyshev_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                                   float apass, float astop)
{
    return _single(0, 1, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::chebyshev_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                                    float apass, float astop)
{
    return _single(1, 1, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::chebyshev_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1, float fpass1,
                                    float fpass2, float fstop2, float apass, float astop)
{
    return _band(2, 1, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::chebyshev_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1, float fstop1,
                                    float fstop2, float fpass2, float apass, float astop)
{
    return _band(3, 1, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::chebyshev_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                                   float astop)
{
    return _single(0, 1, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::chebyshev_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                                    float astop)
{
    return _single(1, 1, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::chebyshev_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1, float fpass2,
                                    float fstop2, float apass, float astop)
{
    return _band(2, 1, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::chebyshev_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1, float fstop2,
                                    float fpass2, float apass, float astop)
{
    return _band(3, 1, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::invchebyshev_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                                      float apass, float astop)
{
    return _single(0, 2, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::invchebyshev_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                                       float apass, float astop)
{
    return _single(1, 2, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::invchebyshev_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1,
                                       float fpass1, float fpass2, float fstop2, float apass, float astop)
{
    return _band(2, 2, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::invchebyshev_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1,
                                       float fstop1, float fstop2, float fpass2, float apass, float astop)
{
    return _band(3, 2, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::invchebyshev_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                                      float astop)
{
    return _single(0, 2, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::invchebyshev_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                                       float astop)
{
    return _single(1, 2, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::invchebyshev_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1,
                                       float fpass2, float fstop2, float apass, float astop)
{
    return _band(2, 2, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::invchebyshev_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1,
                                       float fstop2, float fpass2, float apass, float astop)
{
    return _band(3, 2, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::elliptic_lowpass(const data_t *src, uint32 count, data_t *dst, float fs, float fpass, float fstop,
                                  float apass, float astop)
{
    return _single(0, 3, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::elliptic_highpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop, float fpass,
                                   float apass, float astop)
{
    return _single(1, 3, src, &count, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::elliptic_bandpass(const data_t *src, uint32 count, data_t *dst, float fs, float fstop1, float fpass1,
                                   float fpass2, float fstop2, float apass, float astop)
{
    return _band(2, 3, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::elliptic_bandstop(const data_t *src, uint32 count, data_t *dst, float fs, float fpass1, float fstop1,
                                   float fstop2, float fpass2, float apass, float astop)
{
    return _band(3, 3, src, &count, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::elliptic_lowpass(const data_t *src, data_t *dst, float fs, float fpass, float fstop, float apass,
                                  float astop)
{
    return _single(0, 3, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::elliptic_highpass(const data_t *src, data_t *dst, float fs, float fstop, float fpass, float apass,
                                   float astop)
{
    return _single(1, 3, src, nullptr, dst, fs, fpass, fstop, apass, astop);
}

int32 ZqwFilter::elliptic_bandpass(const data_t *src, data_t *dst, float fs, float fstop1, float fpass1, float fpass2,
                                   float fstop2, float apass, float astop)
{
    return _band(2, 3, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}

int32 ZqwFilter::elliptic_bandstop(const data_t *src, data_t *dst, float fs, float fpass1, float fstop1, float fstop2,
                                   float fpass2, float apass, float astop)
{
    return _band(3, 3, src, nullptr, dst, fs, fpass1, fpass2, fstop1, fstop2, apass, astop);
}
