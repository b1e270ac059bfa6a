#include "base_filter.h"

#include "lib_diag.h"

#include <algorithm>

namespace {

constexpr float k_min_freq = 0.001f;
constexpr float k_max_freq = 999999995904.0f;
constexpr float k_max_pass_gain = -0.01f;
constexpr float k_min_pass_gain = -3.0103f;
constexpr float k_min_stop_gain = -100.0f;
constexpr float k_max_stop_gain = -3.0103f;
constexpr double k_two_pi = 6.283185307179586;

// Every check counts on its own and prints its own line, so a caller sees how many
// values were wrong; NaN fails every comparison and so every check.
class checker_t
{
public:
    bool edge(float v, float above, float half) { return note(v > above && v < half); }
    bool pass_gain(float v) { return note(v > k_min_pass_gain && v < k_max_pass_gain); }
    bool stop_gain(float v) { return note(v > k_min_stop_gain && v < k_max_stop_gain); }
    bool ok() const { return m_ok; }

private:
    bool note(bool good)
    {
        if (!good) {
            lib_diag_line("The parameter is out of range!");
            m_ok = false;
        }
        return good;
    }
    bool m_ok = true;
};

} // namespace

BaseFilter::BaseFilter(int sel) : selectivity(sel) {}

BaseFilter::~BaseFilter() = default;

float BaseFilter::getMinFreq() { return k_min_freq; }
float BaseFilter::getMaxFreq() { return k_max_freq; }
float BaseFilter::getMaxPassGain() { return k_max_pass_gain; }
float BaseFilter::getMinPassGain() { return k_min_pass_gain; }
float BaseFilter::getMinStopGain() { return k_min_stop_gain; }

// Stores fs and returns half of it; an out-of-range rate leaves 0, which fails every edge.
float BaseFilter::_setRate(float fs)
{
    if (fs > k_min_freq && fs < k_max_freq) {
        samplingFreq = fs;
        return fs / 2.0f;
    }
    lib_diag_line("The parameter is out of range!");
    samplingFreq = 0.0f;
    return 0.0f;
}

int BaseFilter::setParams(float fs, float a2, float a3, float a4, float a5)
{
    const float half = _setRate(fs);
    if (selectivity != 0 && selectivity != 1) {
        lib_diag_line("BaseFilter::setParams:Filter type error!!!");
        return -5;
    }
    checker_t c;
    if (selectivity == 0) {
        if (c.edge(a2, k_min_freq, half))
            lowerPassFreq = a2;
        if (c.pass_gain(a3))
            lowerPassGain = a3;
        if (c.edge(a4, lowerPassFreq, half))
            lowerStopFreq = a4;
        if (c.stop_gain(a5))
            lowerStopGain = a5;
    } else {
        if (c.edge(a2, k_min_freq, half))
            lowerStopFreq = a2;
        if (c.stop_gain(a3))
            lowerStopGain = a3;
        if (c.edge(a4, lowerStopFreq, half))
            lowerPassFreq = a4;
        if (c.pass_gain(a5))
            lowerPassGain = a5;
    }
    if (!c.ok())
        return -6;
    _finish();
    return 0;
}

int BaseFilter::setParams(float fs, float a2, float a3, float a4, float a5, float a6, float a7, float a8)
{
    const float half = _setRate(fs);
    if (selectivity != 2 && selectivity != 3) {
        lib_diag_line("BaseFilter::setParams:Filter type error!!!");
        return -5;
    }
    checker_t c;
    if (selectivity == 2) {
        if (c.edge(a2, k_min_freq, half))
            lowerStopFreq = a2;
        if (c.stop_gain(a3))
            lowerStopGain = a3;
        if (c.edge(a4, lowerStopFreq, half))
            lowerPassFreq = a4;
        if (c.edge(a5, lowerPassFreq, half))
            upperPassFreq = a5;
        if (c.pass_gain(a6))
            lowerPassGain = a6;
        if (c.edge(a7, upperPassFreq, half))
            upperStopFreq = a7;
        if (c.stop_gain(a8))
            upperStopGain = a8;
    } else {
        if (c.edge(a2, k_min_freq, half))
            lowerPassFreq = a2;
        if (c.pass_gain(a3))
            lowerPassGain = a3;
        if (c.edge(a4, lowerPassFreq, half))
            lowerStopFreq = a4;
        if (c.edge(a5, lowerStopFreq, half))
            upperStopFreq = a5;
        if (c.stop_gain(a6))
            lowerStopGain = a6;
        if (c.edge(a7, upperStopFreq, half))
            upperPassFreq = a7;
        if (c.pass_gain(a8))
            upperPassGain = a8;
    }
    if (!c.ok())
        return -6;
    _finish();
    return 0;
}

// Shares the gains between the band edges and turns the edges into rad/s.
void BaseFilter::_finish()
{
    if (selectivity == 2) {
        upperPassGain = lowerPassGain;
        lowerStopGain = upperStopGain = std::min(lowerStopGain, upperStopGain);
    } else if (selectivity == 3) {
        upperStopGain = lowerStopGain;
        lowerPassGain = upperPassGain = std::max(lowerPassGain, upperPassGain);
    }
    lowerPassFreq = static_cast<float>(lowerPassFreq * k_two_pi);
    lowerStopFreq = static_cast<float>(lowerStopFreq * k_two_pi);
    if (selectivity >= 2) {
        upperPassFreq = static_cast<float>(upperPassFreq * k_two_pi);
        upperStopFreq = static_cast<float>(upperStopFreq * k_two_pi);
    }
}
