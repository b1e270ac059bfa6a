// The PRBS limits: the bit-rate range, the rate table in both directions, the table
// refilled by every init, and the longest edge following the bit period.
#include "cfg_bswv_main.h"
#include "cfg_bswv_prbs.h"
#include "cfg_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

class CfgBswvPrbs : public cfg_fixture_t
{
protected:
    void set_rate(int32 ch, long double rate)
    {
        lib_unit_data_t r{};
        r.data = rate;
        r.unit = LIB_UNIT_BASE;
        cfg_get_bswv_main(ch)->store_freq_raw(r);
    }
};

TEST_F(CfgBswvPrbs, RateRangeIgnoresTheRunMode)
{
    cfg_bswv_prbs_t prbs;
    prbs.init(0);
    for (int32 mode : {0, 1, 2, 3})
    {
        cfg_get_wv_main(0)->store_run_mode(mode);
        EXPECT_EQ(prbs.get_max_freq(0), 3e8L) << mode;
        EXPECT_EQ(prbs.get_min_freq(0), 1e-6L) << mode;
    }
    EXPECT_EQ(prbs.get_max_prbs_length(), 32.0L);
    EXPECT_EQ(prbs.get_min_prbs_length(), 3.0L);
    EXPECT_EQ(prbs.get_min_prbs_edge(), 2.7e-8L);
}

TEST_F(CfgBswvPrbs, RateTableAnswersBothDirections)
{
    cfg_bswv_prbs_t prbs;
    prbs.init(1);
    const std::vector<std::pair<long double, long double>> by_rate = {
        {1.0L, 20.0L}, {4e7L, 20.0L}, {40000000.5L, 10.0L}, {2.4e8L, 10.0L}, {240000001.0L, 5.0L}, {3e8L, 5.0L},
    };
    for (const auto &c : by_rate)
        EXPECT_EQ(prbs.get_max_ampl_by_freq(c.first), c.second) << static_cast<double>(c.first);
    const std::vector<std::pair<long double, long double>> by_ampl = {
        {0.0L, 3e8L}, {5.0L, 3e8L}, {5.001L, 2.4e8L}, {10.0L, 2.4e8L}, {10.5L, 4e7L}, {20.0L, 4e7L}, {20.5L, 0.0L},
    };
    for (const auto &c : by_ampl)
        EXPECT_EQ(prbs.get_max_freq_by_ampl(c.first), c.second) << static_cast<double>(c.first);
    // The amplitude limit into 50 ohm comes from the PRBS table, not the base table.
    EXPECT_EQ(prbs.get_ampl_limit(1e8L, 50), 5.0L);
    EXPECT_EQ(prbs.get_max_ampl(0.0L, 1e7L, 1000000), 20.0L);
}

TEST_F(CfgBswvPrbs, RateAboveTheTablePrintsItAndKeepsTheNarrowestAmplitude)
{
    cfg_bswv_prbs_t prbs;
    prbs.init(0);
    stdout_capture_t capture;
    const long double a = prbs.get_max_ampl_by_freq(4e8L);
    EXPECT_EQ(capture.finish(), "----current_freq = 4e+08\n");
    EXPECT_EQ(a, 5.0L);
}

TEST_F(CfgBswvPrbs, SecondInitLeavesExactlyThreeEntries)
{
    cfg_bswv_prbs_t first;
    cfg_bswv_prbs_t second;
    first.init(0);
    second.init(1);
    first.init(0);
    const std::vector<std::pair<long double, long double>> table(cfg_bswv_prbs_t::rate_table().begin(),
                                                                 cfg_bswv_prbs_t::rate_table().end());
    EXPECT_EQ(table, (std::vector<std::pair<long double, long double>>{{4e7L, 20.0L}, {2.4e8L, 10.0L}, {3e8L, 5.0L}}));
}

TEST_F(CfgBswvPrbs, LongestEdgeFallsWithTheBitRateAndIsCapped)
{
    cfg_bswv_prbs_t prbs;
    prbs.init(1);
    struct case_t
    {
        long double rate;
        long double edge;
    };
    // sqrt((3e8 / rate x 3.3333 x 0.8)^2 + 0.49) ns.
    const std::vector<case_t> cases = {
        {1e6L, 7.99992e-7L}, {1e7L, 8.00023e-8L}, {2.964e7L, 2.69994e-8L}, {3e8L, 2.75699e-9L},
    };
    for (const case_t &c : cases)
    {
        set_rate(1, c.rate);
        EXPECT_NEAR(static_cast<double>(prbs.get_max_prbs_edge()), static_cast<double>(c.edge),
                    static_cast<double>(c.edge) * 2e-4)
            << static_cast<double>(c.rate);
    }
    // The cap holds at low rates, and for a rate of 0 rather than a division by it.
    for (long double rate : {1.0L, 1e5L, 0.0L})
    {
        set_rate(1, rate);
        EXPECT_EQ(prbs.get_max_prbs_edge(), 1e-6L) << static_cast<double>(rate);
    }
    // The object reads its own channel's rate.
    set_rate(0, 1e7L);
    set_rate(1, 1e5L);
    EXPECT_EQ(prbs.get_max_prbs_edge(), 1e-6L);
}
