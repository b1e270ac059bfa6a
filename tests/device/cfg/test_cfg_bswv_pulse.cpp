// The pulse limits over the module's pulse driver: width, duty, edge and delay limits,
// the PWM reduction, the fold above half the period, and finite limits for the 2 ns
// default edges that lie below the driver's intrinsic edge.
#include "cfg_bswv_main.h"
#include "cfg_bswv_pulse.h"
#include "cfg_fixture.h"
#include "cfg_mod_main.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace
{
struct pulse_case_t
{
    const char *name;
    std::function<long double(cfg_bswv_pulse_t &)> ask;
    long double expected;
    // Relative tolerance; 0 asks for the exact value.
    double tolerance;
};
} // namespace

class CfgBswvPulse : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        pulse.init(0);
    }

    void check(const std::vector<pulse_case_t> &cases)
    {
        for (const pulse_case_t &c : cases)
        {
            SCOPED_TRACE(c.name);
            const long double got = c.ask(pulse);
            if (c.tolerance == 0)
                EXPECT_EQ(got, c.expected) << static_cast<double>(got);
            else
                EXPECT_NEAR(static_cast<double>(got), static_cast<double>(c.expected),
                            std::fabs(static_cast<double>(c.expected)) * c.tolerance);
        }
    }

    cfg_bswv_pulse_t pulse;
};

TEST_F(CfgBswvPulse, WidthDutyAndDelayLimits)
{
    using p = cfg_bswv_pulse_t;
    check({
        // V = 8e-9 and T = 1.83e-8 both lie under the 1.6e-7 floor.
        {"min width 10 ns edges", [](p &x) { return x.get_min_width(1e-8L, 1e-8L); }, 1.6e-7L, 0},
        {"min width long edges", [](p &x) { return x.get_min_width(1e-6L, 1e-6L); }, 0.625e-6L * 2 + 5.8e-9L, 1e-12},
        {"max width 1 ms", [](p &x) { return x.get_max_width(1e-3L, 1e-8L, 1e-8L); }, 9.9984e-4L, 1e-12},
        {"max width 1 us", [](p &x) { return x.get_max_width(1e-6L, 1e-8L, 1e-8L); }, 8.4e-7L, 1e-12},
        {"max width floor above period", [](p &x) { return x.get_max_width(1e-7L, 1e-8L, 1e-8L); }, 1.6e-7L, 1e-12},
        {"max width edges eat period", [](p &x) { return x.get_max_width(1e-6L, 1e-6L, 1e-6L); }, 1.6e-7L, 0},
        {"max duty 1 ms", [](p &x) { return x.get_max_pulse_duty(1e-3L, 1e-8L, 1e-8L); }, 99.984L, 1e-12},
        {"max duty short period", [](p &x) { return x.get_max_pulse_duty(1e-7L, 1e-8L, 1e-8L); }, 99.999L, 0},
        {"min duty 1 ms", [](p &x) { return x.get_min_pulse_duty(1e-3L, 1e-8L, 1e-8L); }, 0.016L, 1e-12},
        {"min duty 1 s", [](p &x) { return x.get_min_pulse_duty(1.0L, 1e-8L, 1e-8L); }, 1.6e-5L, 1e-12},
        {"min duty 1e4 s", [](p &x) { return x.get_min_pulse_duty(1e4L, 1e-8L, 1e-8L); }, 1e-5L, 0},
        {"min delay", [](p &x) { return x.get_min_delay(1e-3L); }, -1e-3L, 0},
        {"max delay", [](p &x) { return x.get_max_delay(1e-3L); }, 9.99999999e-4L, 1e-15},
        {"max freq", [](p &x) { return x.get_max_freq(0); }, 1e7L, 0},
    });
}

TEST_F(CfgBswvPulse, EdgeLimits)
{
    using p = cfg_bswv_pulse_t;
    check({
        {"max rise capped", [](p &x) { return x.get_max_rise_edge(100.0L, 50.0L, 1e-8L); }, 22.4L, 0},
        {"max rise 1 ms", [](p &x) { return x.get_max_rise_edge(1e-3L, 2e-4L, 1e-8L); }, (2e-4L - 5.8e-9L) / 0.625L - 1e-8L,
         1e-12},
        // A width above half the period is folded onto the rest of the period.
        {"max rise folded", [](p &x) { return x.get_max_rise_edge(1e-3L, 8e-4L, 1e-8L); },
         (2e-4L - 5.8e-9L) / 0.625L - 1e-8L, 1e-9},
        {"max rise no room", [](p &x) { return x.get_max_rise_edge(1e-6L, 1e-9L, 1e-8L); }, 1e-8L, 0},
        {"min rise by timing wide", [](p &x) { return x.get_min_rise_edge_by_timing(1e-3L, 2e-4L, 1e-8L); }, 1e-8L, 0},
        {"max fall 1 us", [](p &x) { return x.get_max_fall_edge(1e-6L, 2e-7L, 1e-8L); }, 3.0071e-7L, 1e-4},
        {"min rise", [](p &x) { return x.get_min_rise_edge(); }, 1e-8L, 0},
        {"min fall", [](p &x) { return x.get_min_fall_edge(); }, 1e-8L, 0},
    });
    // A narrow width with a long fall edge forces a rise edge about as long as the fall:
    // sqrt(Ei^2 + Q^2) + 1e-11 with Q = sqrt(F^2 - Ei^2) + (Wd - (X - c)) / k.
    EXPECT_NEAR(static_cast<double>(pulse.get_min_rise_edge_by_timing(1e-6L, 1e-8L, 1e-6L)), 1.0060899244588126e-06, 1e-15);
}

TEST_F(CfgBswvPulse, DefaultEdgesBelowTheIntrinsicEdgeGiveFiniteLimits)
{
    // The channel's 2 ns defaults lie below the module's 5 ns intrinsic edge.
    lib_unit_data_t rise{};
    lib_unit_data_t fall{};
    cfg_get_bswv_main(0)->get_rise_edge(&rise);
    cfg_get_bswv_main(0)->get_fall_edge(&fall);
    ASSERT_EQ(rise.data, 2e-9L);
    const long double period = 1e-3L;
    const long double width = 2e-4L;
    const std::vector<long double> limits = {
        pulse.get_min_width(rise.data, fall.data),
        pulse.get_max_width(period, rise.data, fall.data),
        pulse.get_min_rise_edge_by_timing(period, width, fall.data),
        pulse.get_min_rise_edge_by_timing(1e-6L, 1e-8L, fall.data),
        pulse.get_max_rise_edge(period, width, fall.data),
        pulse.get_max_fall_edge(period, width, rise.data),
        pulse.get_max_fall_edge(1e-6L, 2e-7L, rise.data),
    };
    for (size_t i = 0; i < limits.size(); ++i)
        EXPECT_TRUE(std::isfinite(static_cast<double>(limits[i]))) << i;
    // The fall-edge range is a real range, not one a NaN comparison lets anything through.
    const long double max_fall = pulse.get_max_fall_edge(1e-6L, 2e-7L, rise.data);
    EXPECT_GE(max_fall, pulse.get_min_fall_edge());
    EXPECT_LT(max_fall, 1e-6L);
}

TEST_F(CfgBswvPulse, PwmNarrowsTheEdgeMaximaButNotTheTimingMinimum)
{
    cfg_mod_main_t *mod = cfg_get_mod_main(0);
    const long double rise_off = pulse.get_max_rise_edge(1e-3L, 2e-4L, 1e-8L);
    const long double fall_off = pulse.get_max_fall_edge(1e-3L, 2e-4L, 1e-8L);
    const long double timing_off = pulse.get_min_rise_edge_by_timing(1e-6L, 1e-8L, 1e-6L);
    lib_unit_data_t dev{};
    dev.data = 1e-4L;
    dev.unit = LIB_UNIT_BASE;
    // The deviation belongs to the PWM object: make it current first.
    mod->set_type_only(8);
    mod->store_current_deviation(dev);
    mod->store_state(1);
    EXPECT_NEAR(static_cast<double>(pulse.get_max_rise_edge(1e-3L, 2e-4L, 1e-8L)),
                static_cast<double>((1e-4L - 5.8e-9L) / 0.625L - 1e-8L), 1e-15);
    EXPECT_LT(pulse.get_max_fall_edge(1e-3L, 2e-4L, 1e-8L), fall_off);
    EXPECT_EQ(pulse.get_min_rise_edge_by_timing(1e-6L, 1e-8L, 1e-6L), timing_off);
    // Another modulation type leaves the width alone.
    mod->set_type_only(2);
    EXPECT_EQ(pulse.get_max_rise_edge(1e-3L, 2e-4L, 1e-8L), rise_off);
}

TEST_F(CfgBswvPulse, MinimumFrequencyByRunMode)
{
    cfg_wv_main_t *wv = cfg_get_wv_main(0);
    wv->store_run_mode(3);
    EXPECT_EQ(pulse.get_min_freq(0), 0.0L);
    wv->store_run_mode(2);
    EXPECT_EQ(pulse.get_min_freq(0), 0.002L);
}
