#include "cfg_if_adwv_multi_pulse.h"
#include "cfg_test_util.h"

#include <gtest/gtest.h>

namespace {

TEST(MultiPulse, NewObjectDescribesItsDefaultBurst)
{
    cfg_if_adwv_multi_pulse_t mp;
    EXPECT_EQ(mp.get_pulse_num(), 2u);
    EXPECT_EQ(*mp.get_wv_len(), 4000u);
    EXPECT_EQ(*mp.get_freq(), 250000.0);
    ASSERT_EQ(mp.create_wv_data(), 0);
    const auto s = samples_of(mp);
    ASSERT_EQ(s.size(), 4000u);
    for (int i = 0; i < 4000; ++i)
        ASSERT_EQ(s[i], (i / 1000) % 2 == 0 ? 32767 : -32767) << i;
    EXPECT_EQ(*mp.get_freq(), 250000.0);
    EXPECT_EQ(*mp.get_srate(), 1e9f);
    EXPECT_EQ(*mp.get_cycle(), 1u);
}

TEST(MultiPulse, EdgesRiseAndFallInEqualSteps)
{
    cfg_if_adwv_multi_pulse_t mp;
    mp.set_rise_time(2e-9f);
    mp.set_fall_time(3e-9f);
    ASSERT_EQ(mp.create_wv_data(), 0);
    const auto s = samples_of(mp);
    ASSERT_EQ(s.size(), 2u * (2 + 1000 + 3 + 1000));
    EXPECT_EQ(s[0], -32767);
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(s[2], 32767);
    EXPECT_EQ(s[1001], 32767);
    EXPECT_EQ(s[1002], 32767);
    EXPECT_EQ(s[1003], 10922);
    EXPECT_EQ(s[1004], -10922);
    EXPECT_EQ(s[1005], -32767);
    EXPECT_EQ(s[2004], -32767);
    EXPECT_EQ(s[2005], -32767); // the second pulse starts its rising edge
    EXPECT_EQ(s[2006], 0);
    EXPECT_EQ(*mp.get_wv_len(), 4010u);
}

TEST(MultiPulse, CountIsClampedAndGrowsWithOneMicrosecondPulses)
{
    cfg_if_adwv_multi_pulse_t mp;
    mp.set_pulse_num(1);
    EXPECT_EQ(mp.get_pulse_num(), 2u);
    mp.set_pulse_num(40);
    EXPECT_EQ(mp.get_pulse_num(), 32u);
    EXPECT_EQ(mp.get_pulse_list().size(), 32u);
    mp.set_pulse_num(2);
    mp.set_pulse_width(1, 5e-6f);
    mp.set_pulse_num(4);
    const auto list = mp.get_pulse_list();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_NEAR(list[1].width, 5e-6, 1e-15);
    EXPECT_NEAR(list[3].width, 1e-6, 1e-15);
    EXPECT_NEAR(list[3].delay, 1e-6, 1e-15);
}

TEST(MultiPulse, TimesAreQuantisedToTheSamplePeriod)
{
    cfg_if_adwv_multi_pulse_t mp;
    mp.set_rise_time(2.4e-9f);
    EXPECT_FLOAT_EQ(mp.get_rise_time(), 2e-9f);
    mp.set_fall_time(0.4e-9f);
    EXPECT_EQ(mp.get_fall_time(), 0.0f);
    mp.set_pulse_width(0, 0.3e-9f);
    float w = 0;
    ASSERT_EQ(mp.get_pulse_width(0, w), 1);
    EXPECT_FLOAT_EQ(w, 1e-9f);
    mp.set_pulse_width(0, 1e-6f);
    mp.set_rise_time(2e-9f);
    mp.set_pulse_srate(1e8f);
    EXPECT_EQ(mp.get_rise_time(), 0.0f);
    ASSERT_EQ(mp.get_pulse_width(0, w), 1);
    EXPECT_FLOAT_EQ(w, 1e-6f);
    EXPECT_FLOAT_EQ(mp.get_sample_period(), 1e-8f);
}

TEST(MultiPulse, IndicesPastTheListAreIgnored)
{
    cfg_if_adwv_multi_pulse_t mp;
    float v = 42.0f;
    EXPECT_EQ(mp.get_pulse_width(2, v), 0);
    EXPECT_EQ(mp.get_pulse_delay(2, v), 0);
    EXPECT_EQ(v, 42.0f);
    mp.set_pulse_delay(2, 1.0f);
    EXPECT_EQ(mp.get_pulse_list().size(), 2u);
}

TEST(MultiPulse, RateThatIsNotPositiveIsRefused)
{
    cfg_if_adwv_multi_pulse_t mp;
    mp.set_pulse_srate(0.0f);
    mp.set_pulse_srate(-5.0f);
    EXPECT_EQ(mp.get_pulse_srate(), 1e9f);
}

// A burst outside the model's point limits, including one whose length would wrap a
// 32-bit count, is refused and leaves samples and parameters alone.
TEST(MultiPulse, BurstOutsideThePointLimitsReturnsFive)
{
    struct burst_t
    {
        const char *what;
        instr_zqw_t model;
        float width;
        float rise;
    };
    const burst_t cases[] = {{"too_long", INSTR_ZQW6000X, 0.5f, 0.0f}, // 5e8 samples per pulse
                             {"wraps_32_bits", INSTR_ZQW8000A, 3.0f, 0.0f}, // 6e9 in all
                             {"edge_alone_too_long", INSTR_ZQW6000X, 1e-6f, 5.0f},
                             {"too_short", INSTR_ZQW5000, 1e-6f, 0.0f}}; // 4000 below 16384
    for (const burst_t &c : cases) {
        cfg_if_adwv_multi_pulse_t mp;
        ASSERT_EQ(mp.create_wv_data(), 0);
        const auto before = samples_of(mp);
        mp.set_instr_type(c.model);
        mp.set_pulse_width(0, c.width);
        mp.set_pulse_width(1, c.width);
        mp.set_rise_time(c.rise);
        EXPECT_EQ(mp.create_wv_data(), 5) << c.what;
        EXPECT_EQ(samples_of(mp), before) << c.what;
        EXPECT_EQ(*mp.get_wv_len(), 4000u) << c.what;
        EXPECT_EQ(*mp.get_freq(), 250000.0) << c.what;
    }
}

} // namespace
