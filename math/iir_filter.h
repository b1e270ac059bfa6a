#pragma once
#include "base_filter.h"

#include <complex>
#include <vector>

// An IIR filter designed from its specification: the smallest order that meets it,
// a normalised analog low-pass prototype of the family, moved to the band, mapped to
// the z-plane by the bilinear transform. The result is `overallGain` times a cascade of
// sections of three floats each (c0 + c1 z^-1 + c2 z^-2, c0 = 1); an odd order starts
// with a first-order section (c2 = 0).
class IirFilter : public BaseFilter
{
public:
    // selectivity: 0 low-pass, 1 high-pass, 2 band-pass, 3 band-stop.
    // filterType: 0 Butterworth, 1 Chebyshev, 2 inverse Chebyshev, 3 elliptic.
    IirFilter(int selectivity, int filterType);
    ~IirFilter() override;

    // 0, or -7 when the order cannot be estimated or lies outside 1..200.
    int design() override;
    void printInfo() override;

    // Magnitude in dB from 0 Hz to half the sampling rate, at most 2000 steps.
    std::vector<float> responseTable();
    float magnitudeDb(float frequency);

    int getOrder() const { return order; }
    const std::vector<float> &getNumerator() const { return numCoefs; }
    const std::vector<float> &getDenominator() const { return denCoefs; }
    float getGain() const { return overallGain; }
    // `overallGain` with the exponent range a float lacks: a high order multiplies a
    // hundred small factors, whose float product is 0.
    long double getWideGain() const { return wideGain; }

    // The elliptic-function routines of the elliptic family.
    static float ellipticK(float k);
    // K(sqrt(1 - k^2)), exact also where 1 - k^2 rounds to 1 in a float.
    static float ellipticKComplement(float k);
    static void jacobiElliptic(float u, float k, float *sn, float *cn, float *dn);
    static float inverseSc(float x, float k);
    static void quadraticRoots(std::complex<double> a, std::complex<double> b, std::complex<double> c,
                               std::complex<double> *r1, std::complex<double> *r2);

    int order = 0;
    int filterType;
    float overallGain = 0.0f;
    std::vector<float> numCoefs;
    std::vector<float> denCoefs;
    std::vector<float> edgeResponse;

private:
    void prewarp();
    bool estimateOrder();
    bool ellipticEstimate(float d, float h, double *m);
    void analogPrototype();
    void butterworthPrototype();
    void chebyshevPrototype();
    void invChebyshevPrototype();
    void ellipticPrototype();
    void frequencyTransform();
    void lowpassToLowpass(float w);
    void lowpassToHighpass(float w);
    void lowpassToBandpass(float b, float w0);
    void lowpassToBandstop(float b, float w0);
    void bilinear();
    void unwarp();
    void computeEdgeResponse();

    // The edges the selectivity uses, in the order low-pass/high-pass then band.
    std::vector<float *> _edges();
    float _selectivityRatio() const;
    float _gainRatio() const;
    void _setGain(double gain);
    void _scaleGain(double factor);

    long double wideGain = 0.0L;
};

// The edge-order and sampling-rate rules of a filter request: -5 for a type outside
// 0..3, -1 for a selectivity outside 0..3, -3 when the edges are out of order, -4 when
// fs is below twice the highest edge compared, else 0. The last four are not read.
int check_filter_params(int selectivity, int type, float fs, float fpass1, float fpass2, float fstop1,
                        float fstop2, float apass1, float apass2, float astop1, float astop2);
