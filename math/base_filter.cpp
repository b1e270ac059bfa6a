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
    const float values[] = {a2, a3, a4, a5};
    return _store(fs, values, 4);
}

int BaseFilter::setParams(float fs, float a2, float a3, float a4, float a5, float a6, float a7, float a8)
{
    const float values[] = {a2, a3, a4, a5, a6, a7, a8};
    return _store(fs, values, 7);
}

namespace {

enum class field_kind_t { edge, pass_gain, stop_gain };

// One argument of a form: what it is, the member it fills and, for an edge, the member
// of the edge below it (none: the lowest frequency).
struct field_t
{
    field_kind_t kind;
    float BaseFilter::*member;
    float BaseFilter::*below;
};

using B = BaseFilter;
constexpr field_kind_t k_edge = field_kind_t::edge, k_pass = field_kind_t::pass_gain,
                       k_stop = field_kind_t::stop_gain;

// The arguments after fs, in order, of each selectivity.
const field_t k_fields[4][7] = {
    {{k_edge, &B::lowerPassFreq, nullptr}, {k_pass, &B::lowerPassGain, nullptr},
     {k_edge, &B::lowerStopFreq, &B::lowerPassFreq}, {k_stop, &B::lowerStopGain, nullptr}},
    {{k_edge, &B::lowerStopFreq, nullptr}, {k_stop, &B::lowerStopGain, nullptr},
     {k_edge, &B::lowerPassFreq, &B::lowerStopFreq}, {k_pass, &B::lowerPassGain, nullptr}},
    {{k_edge, &B::lowerStopFreq, nullptr}, {k_stop, &B::lowerStopGain, nullptr},
     {k_edge, &B::lowerPassFreq, &B::lowerStopFreq}, {k_edge, &B::upperPassFreq, &B::lowerPassFreq},
     {k_pass, &B::lowerPassGain, nullptr}, {k_edge, &B::upperStopFreq, &B::upperPassFreq},
     {k_stop, &B::upperStopGain, nullptr}},
    {{k_edge, &B::lowerPassFreq, nullptr}, {k_pass, &B::lowerPassGain, nullptr},
     {k_edge, &B::lowerStopFreq, &B::lowerPassFreq}, {k_edge, &B::upperStopFreq, &B::lowerStopFreq},
     {k_stop, &B::lowerStopGain, nullptr}, {k_edge, &B::upperPassFreq, &B::upperStopFreq},
     {k_pass, &B::upperPassGain, nullptr}},
};

} // namespace

// Checks the arguments in order, storing each that passes at once.
int BaseFilter::_store(float fs, const float *values, int count)
{
    const float half = _setRate(fs);
    const bool band_form = count == 7;
    if (band_form ? (selectivity != 2 && selectivity != 3) : (selectivity != 0 && selectivity != 1)) {
        lib_diag_line("BaseFilter::setParams:Filter type error!!!");
        return -5;
    }
    checker_t c;
    for (int i = 0; i < count; ++i) {
        const field_t &f = k_fields[selectivity][i];
        const float v = values[i];
        bool good;
        if (f.kind == field_kind_t::edge)
            good = c.edge(v, f.below ? this->*f.below : k_min_freq, half);
        else if (f.kind == field_kind_t::pass_gain)
            good = c.pass_gain(v);
        else
            good = c.stop_gain(v);
        if (good)
            this->*f.member = v;
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
