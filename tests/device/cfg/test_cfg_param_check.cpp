// The range checks: 1 inside (a limit itself included), -10 with the maximum, -11 with
// the minimum, over the base object's limits.
#include "cfg_bswv_ramp.h"
#include "cfg_bswv_wave.h"
#include "cfg_main.h"
#include "cfg_param_check.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace
{
class CfgParamCheck : public testing::Test
{
protected:
    void SetUp() override
    {
        stdout_capture_t capture;
        wave.init(0);
        capture.finish();
    }

    cfg_param_check_t check;
    cfg_bswv_wave_t wave;
};

struct clamp_case_t
{
    const char *name;
    long double in;
    int32 result;
    long double out;
};
} // namespace

TEST_F(CfgParamCheck, WaveTypeKnowsZeroToEightAndTwelveToSixteen)
{
    for (int32 t : {0, 1, 5, 8, 12, 16})
        EXPECT_EQ(check.check_wave_type(t), 1) << t;
    for (int32 t : {-1, 9, 10, 11, 17, std::numeric_limits<int32>::min()})
        EXPECT_EQ(check.check_wave_type(t), 0) << t;
}

TEST_F(CfgParamCheck, AmplitudeIsClampedToTheLimitForFrequencyAndLoad)
{
    // Offset 1.0 at 1 MHz into 50 ohms: at most 3.0, at least 0.001.
    const clamp_case_t cases[] = {
        {"inside", 2.0L, 1, 2.0L},
        {"at the maximum", 3.0L, 1, 3.0L},
        {"above", 3.5L, -10, 3.0L},
        {"at the minimum", 0.001L, 1, 0.001L},
        {"below", 0.0005L, -11, 0.001L},
        {"NaN", std::nanl(""), 1, std::nanl("")},
    };
    for (const clamp_case_t &c : cases)
    {
        long double v = c.in;
        EXPECT_EQ(check.check_ampl(&v, 1.0L, 1e6L, 50, &wave), c.result) << c.name;
        if (std::isnan(c.out))
            EXPECT_TRUE(std::isnan(v)) << c.name;
        else
            EXPECT_EQ(v, c.out) << c.name;
    }
}

TEST_F(CfgParamCheck, AmplitudeMaximumBelowTheMinimumBecomesTheMinimum)
{
    // An offset of 2.5 leaves no room at 50 ohms: the maximum would be 0.
    long double v = 0.5L;
    EXPECT_EQ(check.check_ampl(&v, 2.5L, 1e6L, 50, &wave), -10);
    EXPECT_EQ(v, 0.001L);
    v = 0.001L;
    EXPECT_EQ(check.check_ampl(&v, 2.5L, 1e6L, 50, &wave), 1);
}

TEST_F(CfgParamCheck, EachCheckAsksItsOwnLimits)
{
    cfg_get_wv_main(0)->store_run_mode(2); // burst: the lowest frequency is 0.002 Hz
    const std::vector<std::pair<const char *, std::function<int32(long double *)>>> checks = {
        {"freq", [&](long double *v) { return check.check_freq(0, v, &wave); }},
        {"offset", [&](long double *v) { return check.check_offset(v, 4.0L, 1e6L, 50, &wave); }},
        {"high_level", [&](long double *v) { return check.check_high_level(v, -1.0L, 1e6L, 50, &wave); }},
        {"low_level", [&](long double *v) { return check.check_low_level(v, 1.0L, 1e6L, 50, &wave); }},
        {"symmetry", [&](long double *v) { return check.check_symmetry(v, &wave); }},
        {"prbs_length", [&](long double *v) { return check.check_prbs_length(v, &wave); }},
        {"dc_offset", [&](long double *v) {
             const int32 load = 50;
             return check.check_dc_offset(v, &load, &wave);
         }},
    };
    struct expect_t
    {
        long double max;
        long double min;
    };
    const expect_t limits[] = {
        {3e7L, 0.002L}, {0.5L, -0.5L}, {2.5L, -0.999L}, {0.999L, -2.5L}, {100.0L, 0.0L}, {32.0L, 3.0L},
        {2.5L, -2.5L},
    };
    for (size_t i = 0; i < checks.size(); ++i)
    {
        const char *name = checks[i].first;
        long double v = limits[i].max;
        EXPECT_EQ(checks[i].second(&v), 1) << name;
        v = limits[i].max * 1.5L + 1.0L;
        EXPECT_EQ(checks[i].second(&v), -10) << name;
        EXPECT_EQ(v, limits[i].max) << name;
        v = limits[i].min - 1.0L;
        EXPECT_EQ(checks[i].second(&v), -11) << name;
        EXPECT_EQ(v, limits[i].min) << name;
    }
}

TEST_F(CfgParamCheck, ParametersTheWaveLacksClampToZero)
{
    cfg_bswv_wave_t pulse;
    const std::vector<std::pair<const char *, std::function<int32(long double *)>>> checks = {
        {"width", [&](long double *v) { return check.check_width(v, 1e-3L, 1e-8L, 1e-8L, &wave); }},
        {"pulse_duty", [&](long double *v) { return check.check_pulse_duty(v, 1e-3L, 1e-8L, 1e-8L, &wave); }},
        {"rise_edge", [&](long double *v) { return check.check_rise_edge(v, 1e-3L, 1e-4L, 1e-8L, &wave); }},
        {"fall_edge", [&](long double *v) { return check.check_fall_edge(v, 1e-3L, 1e-4L, 1e-8L, &wave); }},
        {"delay", [&](long double *v) { return check.check_delay(v, 1e-3L, &wave); }},
        {"prbs_edge", [&](long double *v) { return check.check_prbs_edge(v, &wave); }},
    };
    for (const auto &c : checks)
    {
        long double v = 1e-6L;
        EXPECT_EQ(c.second(&v), -10) << c.first;
        EXPECT_EQ(v, 0.0L) << c.first;
        v = -1e-6L;
        EXPECT_EQ(c.second(&v), -11) << c.first;
        EXPECT_EQ(v, 0.0L) << c.first;
        v = 0.0L;
        EXPECT_EQ(c.second(&v), 1) << c.first;
    }
    // The square duty: with a maximum of 0 below a minimum of 0.001 % the maximum is
    // tested first, so any positive value ends at 0; only a negative one reaches the
    // minimum.
    long double duty = 0.0005L;
    EXPECT_EQ(check.check_duty(&duty, 1e3L, &wave, &pulse), -10);
    EXPECT_EQ(duty, 0.0L);
    duty = -1.0L;
    EXPECT_EQ(check.check_duty(&duty, 1e3L, &wave, &pulse), -11);
    EXPECT_EQ(duty, 0.001L);
}

TEST_F(CfgParamCheck, UnsupportedChecksPrintInTheirAskingOrder)
{
    cfg_bswv_ramp_t ramp;
    ramp.init(0);
    const std::string line = "cfg_bswv_wave_t:::name = 15cfg_bswv_ramp_t\n";
    stdout_capture_t capture;
    long double bw = 5.0L;
    EXPECT_EQ(check.check_noise_bandwidth(&bw, &ramp), -10);
    long double ampl = -1.0L;
    EXPECT_EQ(check.check_harmonic_ampl(0, &ampl, &ramp), -11);
    long double phase = 0.0L;
    EXPECT_EQ(check.check_harmonic_phase(&phase, &ramp), 1);
    int32 order = 3;
    EXPECT_EQ(check.check_harmonic_order(0, &order, &ramp), -10);
    EXPECT_EQ(capture.finish(), line + line + line + line + line + line + line + line);
    EXPECT_EQ(bw, 0.0L);
    EXPECT_EQ(ampl, 0.0L);
    EXPECT_EQ(order, 0);
}

namespace
{
// Harmonic order limits with fractions, to show the whole-number comparison.
class fractional_order_t : public cfg_bswv_wave_t
{
public:
    long double get_max_harmonic_order(int32) override { return 10.7L; }
    long double get_min_harmonic_order(int32) override { return 2.9L; }
};
} // namespace

TEST_F(CfgParamCheck, HarmonicOrderComparesWholeNumbers)
{
    fractional_order_t wave_with_orders;
    const std::pair<int32, std::pair<int32, int32>> cases[] = {
        {2, {1, 2}}, {10, {1, 10}}, {11, {-10, 10}}, {1, {-11, 2}},
    };
    for (const auto &c : cases)
    {
        int32 order = c.first;
        EXPECT_EQ(check.check_harmonic_order(0, &order, &wave_with_orders), c.second.first) << c.first;
        EXPECT_EQ(order, c.second.second) << c.first;
    }
}
