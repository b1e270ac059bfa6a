// The noise limits over a started configuration: the deviation range stored as an
// amplitude through the module's factor, and the bandwidth range the module lacks.
#include "cfg_bswv_main.h"
#include "cfg_bswv_noise.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
lib_unit_data_t volts(long double v)
{
    lib_unit_data_t r{};
    r.data = v;
    r.unit = LIB_UNIT_BASE;
    return r;
}
} // namespace

class CfgBswvNoise : public cfg_fixture_t
{
};

TEST_F(CfgBswvNoise, AmplitudeLimitsAreDeviationLimitsOverTheFactor)
{
    cfg_bswv_noise_t noise;
    noise.init(1);
    struct case_t
    {
        long double offset;
        long double freq;
        int32 load;
        long double max;
        long double min;
    };
    const std::vector<case_t> cases = {
        // The frequency is ignored: noise is limited as at 1 Hz.
        {1.0L, 2e7L, 1000000, 8.0L, 0.002L / 0.05L},
        {-1.0L, 1.0L, 1000000, 8.0L, 0.002L / 0.05L},
        {0.0L, 3e7L, 1000000, 10.0L, 0.002L / 0.05L},
        {0.5L, 2e7L, 50, 4.0L, 0.001L / 0.05L},
        {0.0L, 1.0L, 999999, 10.0L, 0.001L / 0.05L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.offset << " V at " << c.load << " ohm");
        EXPECT_EQ(noise.get_max_ampl(c.offset, c.freq, c.load), c.max);
        EXPECT_EQ(noise.get_min_ampl(c.load), c.min);
    }
}

TEST_F(CfgBswvNoise, ConversionsUseTheModuleFactorWhateverTheOffset)
{
    for (long double offset : {0.0L, 2.0L, -3.0L})
    {
        cfg_get_bswv_main(0)->store_offset_raw(volts(offset));
        EXPECT_EQ(cfg_noise_ampl_to_stdev(0, 4.0L), 4.0L * 0.05L);
        EXPECT_EQ(cfg_noise_stdev_to_ampl(0, 0.2L), 0.2L / 0.05L);
    }
    // A fresh channel stores its 4 V amplitude's deviation.
    lib_unit_data_t stdev{};
    cfg_get_bswv_main(1)->get_noise_stdev(&stdev);
    EXPECT_EQ(stdev.data, 4.0L * 0.05L);
}

TEST_F(CfgBswvNoise, BandwidthSwitchOnStillBoundsByTheOffsetOnTheModule)
{
    cfg_bswv_noise_t noise;
    noise.init(0);
    cfg_get_bswv_main(0)->store_noise_bandwidth_switch_raw(1);
    cfg_get_bswv_main(0)->store_noise_bandwidth_raw(volts(2e7L));
    EXPECT_EQ(noise.get_max_ampl(1.0L, 5e6L, 1000000), 8.0L);
    // Without a bandwidth setting the range stays empty.
    EXPECT_EQ(noise.get_max_noise_bandwidth(), 0.0L);
    EXPECT_EQ(noise.get_min_noise_bandwidth(), 0.0L);
    EXPECT_EQ(noise.get_zero(), 0.0L);
}
