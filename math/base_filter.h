#pragma once

// A filter specification: band shape, sampling rate, band edges and the gains the
// filter must hold at them. Edges are given in Hz and kept in rad/s; every value is a
// float, as the filter dialog enters them.
class BaseFilter
{
public:
    explicit BaseFilter(int selectivity);
    virtual ~BaseFilter();

    virtual int design() = 0;
    virtual void printInfo() = 0;

    // Low-pass (0): fs, pass edge, pass gain, stop edge, stop gain.
    // High-pass (1): fs, stop edge, stop gain, pass edge, pass gain.
    // 0, -5 when the selectivity is a band shape, -6 when a value is out of range.
    int setParams(float fs, float a2, float a3, float a4, float a5);
    // Band-pass (2): fs, lower stop edge and gain, lower and upper pass edge, pass gain,
    // upper stop edge and gain. Band-stop (3): fs, lower pass edge and gain, lower and
    // upper stop edge, stop gain, upper pass edge and gain. Same codes.
    int setParams(float fs, float a2, float a3, float a4, float a5, float a6, float a7, float a8);

    static float getMinFreq();
    static float getMaxFreq();
    static float getMaxPassGain();
    static float getMinPassGain();
    static float getMinStopGain();

    float samplingFreq = 0.0f;
    float lowerPassFreq = 0.0f;
    float upperPassFreq = 0.0f;
    float lowerStopFreq = 0.0f;
    float upperStopFreq = 0.0f;
    float lowerPassGain = 0.0f;
    float upperPassGain = 0.0f;
    float lowerStopGain = 0.0f;
    float upperStopGain = 0.0f;
    int selectivity;

private:
    int _store(float fs, const float *values, int count);
    float _setRate(float fs);
    void _finish();
};
