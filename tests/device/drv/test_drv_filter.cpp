// The interpolation filter: taps against an independent windowed-sinc computation
// (data/gen_filter_coefs.py), the coefficient write, the reset to the FPGA's default
// coefficients and the remembered state.
#include "drv_filter.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <vector>

using DrvFilter = sim_driver_fixture_t;

TEST(DrvFilterDesign, WindowAndTaps)
{
    EXPECT_NEAR(static_cast<double>(drv_filter_window(0)), 0.08, 1e-15);
    EXPECT_NEAR(static_cast<double>(drv_filter_window(19)), 0.08, 1e-15);
    EXPECT_NEAR(static_cast<double>(drv_filter_window(9)), 0.993726199565252, 1e-14);
    EXPECT_NEAR(static_cast<double>(drv_filter_window(10)), 0.993726199565252, 1e-14);
    // At 0 Hz the cut-off is 0.042 of the sample clock; tap 9 sits half a sample off
    // the centre.
    EXPECT_NEAR(static_cast<double>(drv_filter_tap(0, 9)), 0.041969539161003, 1e-14);
    EXPECT_NEAR(static_cast<double>(drv_filter_windowed_tap(0, 9)),
                static_cast<double>(drv_filter_tap(0, 9) * drv_filter_window(9)), 1e-18);
}

TEST_F(DrvFilter, DesignedCoefficientsGoToTheFpga)
{
    struct design_case_t
    {
        long double hz;
        std::vector<int16> coefs;
    };
    // From data/gen_filter_coefs.py.
    const design_case_t cases[] = {
        {0, {83, 115, 205, 350, 537, 749, 962, 1150, 1291, 1366}},
        {10000000, {-8, 30, 135, 368, 772, 1338, 2009, 2677, 3218, 3521}},
        {40000000, {18, 119, 205, 9, -658, -1259, -539, 2335, 6523, 9661}},
        {60000000, {51, -89, -205, 179, 790, -46, -2136, -1150, 5725, 13263}},
    };
    for (int32 ch : {0, 1}) {
        for (const design_case_t &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", " << static_cast<double>(c.hz) << " Hz");
            sim.clear_log();
            drv_filter_set(ch, c.hz);
            std::vector<uint16> expected(c.coefs.begin(), c.coefs.end());
            EXPECT_EQ(sim.writes_to(ch == 0 ? 95 : 93), expected);
            EXPECT_EQ(drv_filter_get_flag(ch), 1);
            EXPECT_EQ(drv_filter_get_freq(ch), c.hz);
        }
    }
    drv_filter_set_u64(1, 10000000u);
    EXPECT_EQ(sim.last_write(93), 3521);

    // The reset clears the flag and loads the FPGA's own coefficients.
    sim.clear_log();
    drv_filter_set_default(0);
    EXPECT_EQ(drv_filter_get_flag(0), 0);
    EXPECT_EQ(drv_filter_get_flag(1), 1);
    EXPECT_EQ(sim.writes_to(95).size(), 10u);
    EXPECT_EQ(sim.last_write(95), 20258);

    // Another channel changes nothing.
    sim.clear_log();
    drv_filter_set(2, 1e6L);
    drv_filter_set_default(-1);
    drv_filter_set_flag(2, 1);
    drv_filter_set_freq(2, 5);
    EXPECT_TRUE(log_is({}));
    EXPECT_EQ(drv_filter_get_flag(2), 0);
    EXPECT_EQ(drv_filter_get_freq(2), 0.0L);
}
