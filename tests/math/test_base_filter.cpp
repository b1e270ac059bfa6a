#include "iir_filter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr float k_nan = NAN;
constexpr double k_two_pi = 6.283185307179586;

int count_of(const std::string &text, const std::string &what)
{
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

struct params_case_t
{
    const char *what;
    int selectivity;
    int args; // 5: the low-pass/high-pass form, 8: the band form
    float v[8];
    int rc;
    int messages;
};

const params_case_t k_cases[] = {
    {"low-pass", 0, 5, {1000, 100, -1, 200, -40}, 0, 0},
    {"high-pass", 1, 5, {1000, 100, -40, 200, -1}, 0, 0},
    {"band-pass", 2, 8, {48000, 1000, -40, 2000, 4000, -1, 7000, -40}, 0, 0},
    {"band-stop", 3, 8, {48000, 1000, -1, 2000, 4000, -40, 7000, -1}, 0, 0},
    {"fs at its lower bound fails every edge", 0, 5, {0.001f, 100, -1, 200, -40}, -6, 3},
    {"fs above 1e12 fails every edge", 0, 5, {2e12f, 100, -1, 200, -40}, -6, 3},
    {"fs NaN", 3, 8, {k_nan, 1000, -1, 2000, 4000, -40, 7000, -1}, -6, 5},
    {"edge at half the rate", 0, 5, {1000, 100, -1, 500, -40}, -6, 1},
    {"stop edge equal to the pass edge", 0, 5, {1000, 100, -1, 100, -40}, -6, 1},
    {"pass edge at 0.001 Hz", 0, 5, {1000, 0.001f, -1, 200, -40}, -6, 1},
    {"high-pass pass edge below its stop edge", 1, 5, {1000, 200, -40, 100, -1}, -6, 1},
    {"pass gain at -0.01", 0, 5, {1000, 100, -0.01f, 200, -40}, -6, 1},
    {"pass gain at -3.0103", 0, 5, {1000, 100, -3.0103f, 200, -40}, -6, 1},
    {"stop gain at -100", 0, 5, {1000, 100, -1, 200, -100}, -6, 1},
    {"stop gain at -3.0103", 1, 5, {1000, 100, -3.0103f, 200, -1}, -6, 1},
    {"gains NaN", 0, 5, {1000, 100, k_nan, 200, k_nan}, -6, 2},
    {"band-pass edges equal", 2, 8, {48000, 1000, -40, 1000, 4000, -1, 7000, -40}, -6, 1},
    {"band-pass upper stop edge past half", 2, 8, {48000, 1000, -40, 2000, 4000, -1, 24000, -40}, -6, 1},
    {"band-stop upper edges out of order", 3, 8, {48000, 1000, -1, 2000, 4000, -40, 3000, -1}, -6, 1},
    {"band shape through the low-pass form", 2, 5, {1000, 100, -1, 200, -40}, -5, 0},
    {"low-pass through the band form", 0, 8, {48000, 1000, -40, 2000, 4000, -1, 7000, -40}, -5, 0},
    {"unknown selectivity", 7, 5, {1000, 100, -1, 200, -40}, -5, 0},
};

} // namespace

TEST(BaseFilter, SetParamsChecksEveryValueAgainstItsExclusiveBounds)
{
    for (const params_case_t &c : k_cases) {
        SCOPED_TRACE(c.what);
        IirFilter f(c.selectivity, 0);
        testing::internal::CaptureStdout();
        const float *v = c.v;
        const int rc = c.args == 5 ? f.setParams(v[0], v[1], v[2], v[3], v[4])
                                   : f.setParams(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(rc, c.rc);
        EXPECT_EQ(count_of(out, "The parameter is out of range!\n"), c.messages);
        EXPECT_EQ(count_of(out, "BaseFilter::setParams:Filter type error!!!\n"), c.rc == -5 ? 1 : 0);
        // fs is stored before the form is looked at, and cleared when out of range.
        const bool rate_ok = std::isfinite(v[0]) && v[0] > 0.001f && v[0] < 1e12f;
        EXPECT_EQ(f.samplingFreq, rate_ok ? v[0] : 0.0f);
    }
}

TEST(BaseFilter, AcceptedEdgesAreKeptInRadiansAndBandGainsShared)
{
    IirFilter lp(0, 0);
    ASSERT_EQ(lp.setParams(1000, 100, -1, 200, -40), 0);
    EXPECT_FLOAT_EQ(lp.lowerPassFreq, static_cast<float>(100 * k_two_pi));
    EXPECT_FLOAT_EQ(lp.lowerStopFreq, static_cast<float>(200 * k_two_pi));
    EXPECT_EQ(lp.lowerPassGain, -1.0f);
    EXPECT_EQ(lp.lowerStopGain, -40.0f);

    // Band-pass: both stop gains become the deeper one.
    IirFilter bp(2, 0);
    ASSERT_EQ(bp.setParams(48000, 1000, -40, 2000, 4000, -1, 7000, -50), 0);
    EXPECT_EQ(bp.lowerStopGain, -50.0f);
    EXPECT_EQ(bp.upperStopGain, -50.0f);
    EXPECT_EQ(bp.upperPassGain, -1.0f);
    EXPECT_FLOAT_EQ(bp.upperStopFreq, static_cast<float>(7000 * k_two_pi));

    // Band-stop: both pass gains become the shallower one.
    IirFilter bs(3, 0);
    ASSERT_EQ(bs.setParams(48000, 1000, -1, 2000, 4000, -40, 7000, -0.5f), 0);
    EXPECT_EQ(bs.lowerPassGain, -0.5f);
    EXPECT_EQ(bs.upperPassGain, -0.5f);
    EXPECT_EQ(bs.upperStopGain, -40.0f);
}

TEST(BaseFilter, ConstructorReportsUnknownCodesWithoutFailing)
{
    testing::internal::CaptureStdout();
    IirFilter good(3, 3);
    IirFilter bad(-1, 4);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(count_of(out, "IirFilter:filer error!!!\n"), 2);
    EXPECT_EQ(bad.selectivity, -1);
    EXPECT_EQ(bad.filterType, 4);
}
