// The sine limits: the frequency ceiling and maximum order under harmonics, the level
// limits scaled by the harmonic synthesis, and the harmonic amplitude bound.
#include "cfg_bswv_main.h"
#include "cfg_bswv_sine.h"
#include "cfg_fixture.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
lib_unit_data_t base(long double v)
{
    lib_unit_data_t r{};
    r.data = v;
    r.unit = LIB_UNIT_BASE;
    return r;
}
} // namespace

class CfgBswvSine : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        sine.init(0);
        bswv = cfg_get_bswv_main(0);
    }

    void harmonics(int32 on, int32 type)
    {
        bswv->store_harmonic_switch_raw(on);
        bswv->store_harmonic_type_raw(type);
    }

    cfg_bswv_sine_t sine;
    cfg_bswv_main_t *bswv = nullptr;
};

TEST_F(CfgBswvSine, FrequencyCeilingAndOrderRangeFollowTheHarmonicType)
{
    struct case_t
    {
        int32 on;
        int32 type;
        long double freq;
        long double max_freq;
        long double min_order;
        long double max_order;
    };
    const long double b = cfg_bswv_sine_t::BANDWIDTH;
    const std::vector<case_t> cases = {
        {0, 0, b / 4.7L, b, 2, 4},
        {1, 0, b / 4.7L, b / 2, 2, 4},
        {1, 1, b / 4.7L, b / 3, 3, 3},
        {1, 2, b / 4.7L, b / 2, 2, 4},
        {1, 0, b / 100, b / 2, 2, 10},
        {1, 1, b / 100, b / 3, 3, 9},
        {1, 2, b / 100, b / 2, 2, 10},
        // No harmonic fits: the maximum order falls back to the minimum.
        {1, 0, b / 1.5L, b / 2, 2, 2},
        {1, 1, b / 1.5L, b / 3, 3, 3},
        {1, 2, b / 1.5L, b / 2, 2, 2},
        {1, 2, b / 7, b / 2, 2, 7},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " B/f " << static_cast<double>(b / c.freq));
        harmonics(c.on, c.type);
        bswv->store_freq_raw(base(c.freq));
        EXPECT_EQ(sine.get_max_freq(0), c.max_freq);
        EXPECT_EQ(sine.get_min_harmonic_order(0), c.min_order);
        EXPECT_EQ(sine.get_max_harmonic_order(0), c.max_order);
    }
}

TEST_F(CfgBswvSine, LevelLimitsTakeTheHarmonicScaleOnlyWhileOn)
{
    // After a synthesis that needed no limiting the scale is 1: on or off, the levels
    // are the base table's.
    bswv->update_harmonic_wave_data();
    for (int32 on : {0, 1})
    {
        SCOPED_TRACE(on);
        harmonics(on, 2);
        EXPECT_EQ(sine.get_max_ampl(0.0L, 1e6L, 1000000), 10.0L);
        EXPECT_EQ(sine.get_max_ampl(1.0L, 1e6L, 1000000), 8.0L);
        EXPECT_EQ(sine.get_max_ampl(-1.0L, 1e6L, 1000000), 8.0L);
        EXPECT_EQ(sine.get_max_offset(2.0L, 1e6L, 1000000), 4.0L);
        EXPECT_EQ(sine.get_min_offset(2.0L, 1e6L, 1000000), -4.0L);
        EXPECT_EQ(sine.get_max_high_level(2e7L, 50), 1.25L);
        EXPECT_EQ(sine.get_min_low_level(2e7L, 50), -1.25L);
    }
    // A fresh channel's scale (0 before any synthesis) shows that the switch gates it.
    cfg_bswv_main_t *other = cfg_get_bswv_main(1);
    cfg_bswv_sine_t sine1;
    sine1.init(1);
    other->store_harmonic_switch_raw(0);
    const long double off = sine1.get_max_ampl(0.0L, 1e6L, 1000000);
    other->store_harmonic_switch_raw(1);
    const long double on = sine1.get_max_ampl(0.0L, 1e6L, 1000000);
    EXPECT_EQ(off, 10.0L);
    EXPECT_EQ(on, 10.0L * other->get_harmonic_scale());
}

TEST_F(CfgBswvSine, HarmonicAmplitudeNeverExceedsTheFundamental)
{
    int32 high_z = 1000000;
    bswv->store_load_raw(&high_z);
    bswv->store_freq_raw(base(1e6L));
    struct case_t
    {
        long double ampl;
        int32 order;
        long double max;
    };
    const std::vector<case_t> cases = {
        {4.0L, 2, 4.0L},  // the fundamental is the bound
        {8.0L, 9, 8.0L},  // 9 MHz still allows 10 V
        {8.0L, 20, 5.0L}, // 20 MHz allows only 5 V
    };
    for (const case_t &c : cases)
    {
        bswv->store_ampl_raw(base(c.ampl));
        EXPECT_EQ(sine.get_max_harmonic_ampl_of_order(0, c.order), c.max) << c.order;
    }
    bswv->store_harmonic_order_raw(20);
    EXPECT_EQ(sine.get_max_harmonic_ampl(0), 5.0L);
    EXPECT_EQ(sine.get_min_harmonic_ampl(), 0.0L);
    EXPECT_EQ(sine.get_max_harmonic_phase(), 360.0L);
    EXPECT_EQ(sine.get_min_harmonic_phase(), 0.0L);
    // The order's frequency above the table takes the out-of-table line.
    stdout_capture_t capture;
    EXPECT_EQ(sine.get_max_harmonic_ampl_of_order(0, 40), 5.0L);
    EXPECT_NE(capture.finish().find("----current_freq = "), std::string::npos);
}
