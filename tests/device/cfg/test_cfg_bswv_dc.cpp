// The DC and ramp limits: the DC range narrowed by the load divider, the fixed ramp
// ceiling, and the base's unsupported lines for what neither class overrides.
#include "cfg_bswv_dc.h"
#include "cfg_bswv_ramp.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CfgBswvDc, OffsetRangeFollowsTheLoad)
{
    cfg_bswv_dc_t dc;
    stdout_capture_t capture;
    dc.init(1);
    capture.finish();
    struct case_t
    {
        int32 load;
        long double max;
    };
    // The open threshold is 1000000 here, one ohm above the amplitude table's.
    const std::vector<case_t> cases = {
        {50, 2.5L},
        {75, 3.0L},
        {999999, 5.0L * 999999 / (999999 + 50)},
        {1000000, 5.0L},
        {2000000, 5.0L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.load);
        // Amplitude and frequency play no part.
        EXPECT_EQ(dc.get_max_offset(4.0L, 1e6L, c.load), c.max);
        EXPECT_EQ(dc.get_min_offset(0.0L, 1.0L, c.load), -c.max);
    }
    EXPECT_EQ(dc.get_channel(), 1);
}

TEST(CfgBswvRamp, CeilingIsFixedWhateverTheArguments)
{
    cfg_bswv_ramp_t ramp;
    stdout_capture_t capture;
    ramp.init(0);
    capture.finish();
    for (int32 ch : {0, 1})
        EXPECT_EQ(ramp.get_max_freq(ch), 500000.0L);
    for (long double ampl : {0.0L, 5.0L, 20.0L, 100.0L})
        EXPECT_EQ(ramp.get_max_freq_by_ampl(ampl), 500000.0L);
    // The base's symmetry range stays.
    EXPECT_EQ(ramp.get_max_symmetry(), 100.0L);
    EXPECT_EQ(ramp.get_min_symmetry(), 0.0L);
}

TEST(CfgBswvDc, HarmonicAndBandwidthLimitsStayUnsupported)
{
    cfg_bswv_dc_t dc;
    cfg_bswv_ramp_t ramp;
    stdout_capture_t capture;
    dc.init(0);
    ramp.init(0);
    capture.finish();
    stdout_capture_t asked;
    EXPECT_EQ(dc.get_max_harmonic_order(0), 0.0L);
    EXPECT_EQ(ramp.get_max_noise_bandwidth(), 0.0L);
    const std::string text = asked.finish();
    EXPECT_NE(text.find("cfg_bswv_dc_t"), std::string::npos) << text;
    EXPECT_NE(text.find("cfg_bswv_ramp_t"), std::string::npos) << text;
}
