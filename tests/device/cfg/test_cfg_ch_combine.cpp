// Two-channel combining: the mixing weight written to the driver, the joint fit of both
// channels' amplitudes and offsets, the coupling splits, the shared load and the square
// wave refusal.
#include "cfg_ch_combine.h"
#include "cfg_ch_couple.h"
#include "cfg_replay_fixture.h"
#include "drv_fpga_reg.h"

#include <algorithm>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_DC = 5;

class CfgChCombine : public cfg_replay_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_replay_fixture_t::SetUp();
        for (int32 ch : {0, 1})
            cfg_get_bswv_main(ch)->store_wave_type_raw(WAVE_SINE);
    }

    static cfg_bswv_main_t *b(int32 ch) { return cfg_get_bswv_main(ch); }
    static void set_ampl(int32 ch, long double v) { b(ch)->store_ampl_raw(rec(v)); }
    static long double ampl(int32 ch) { return b(ch)->get_ampl_raw().data; }
    static long double signed_offset(int32 ch)
    {
        lib_unit_data_t o{};
        b(ch)->get_signed_offset(&o);
        return o.data;
    }
    // The common amplitude range of both channels as they are now.
    static long double common_max() { return std::min(b(0)->get_max_ampl(), b(1)->get_max_ampl()); }
    static long double common_min() { return std::max(b(0)->get_min_ampl(), b(1)->get_min_ampl()); }

    cfg_ch_combine_t *c0 = cfg_get_combine(0);
    cfg_ch_combine_t *c1 = cfg_get_combine(1);
};
} // namespace

TEST_F(CfgChCombine, WeightWrittenToTheDriverIsTheShareOfChannelZero)
{
    c0->set_enable_raw(1);
    struct case_t
    {
        int32 type0;
        long double a0;
        int32 type1;
        long double a1;
        std::uint16_t word;
    };
    const case_t cases[] = {
        {WAVE_SINE, 2.0L, WAVE_SINE, 6.0L, 16383},   // 0.25
        {WAVE_DC, 2.0L, WAVE_SINE, 6.0L, 0},         // channel 0 DC: 0
        {WAVE_SINE, 2.0L, WAVE_DC, 6.0L, 65535},     // only channel 1 DC: 1
        {WAVE_DC, 2.0L, WAVE_DC, 6.0L, 0},
        {WAVE_SINE, 0.0L, WAVE_SINE, 0.0L, 32767},   // no amplitude at all: even shares
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.type0 << " " << static_cast<double>(c.a0) << " / " << c.type1 << " "
                                        << static_cast<double>(c.a1));
        b(0)->store_wave_type_raw(c.type0);
        b(1)->store_wave_type_raw(c.type1);
        set_ampl(0, c.a0);
        set_ampl(1, c.a1);
        sim.clear_log();
        EXPECT_EQ(c0->push_weight(), 1);
        EXPECT_EQ(sim.last_write(DRV_FPGA_REG_COMBINE_RATIO), c.word);
        // Either channel's object computes the same weight.
        sim.clear_log();
        c1->push_weight();
        EXPECT_EQ(sim.last_write(DRV_FPGA_REG_COMBINE_RATIO), c.word);
    }

    // Without combining nothing is written.
    c0->set_enable_raw(0);
    EXPECT_TRUE(no_traffic([&] { EXPECT_EQ(c0->push_weight(), 1); }));
}

TEST_F(CfgChCombine, AmplitudesAreFittedIntoTheCommonRange)
{
    c1->set_enable_raw(1);
    set_ampl(0, 0.1L);
    set_ampl(1, 0.1L);
    const long double max = common_max();
    const long double min = common_min();
    ASSERT_GT(max, 4 * min);
    struct case_t
    {
        const char *name;
        int32 type1;
        long double a, b;
        int32 result;
        long double a_after, b_after;
    };
    const case_t cases[] = {
        {"sum above the maximum: A makes room", WAVE_SINE, 0.7L * max, 0.5L * max, -10, 0.5L * max, 0.5L * max},
        {"B alone above the maximum", WAVE_SINE, 0.3L * max, 1.2L * max, -10, min, max - min},
        {"both fit", WAVE_SINE, 0.3L * max, 0.4L * max, 1, 0.3L * max, 0.4L * max},
        {"A below the minimum", WAVE_SINE, min / 2, 0.3L * max, -11, min, 0.3L * max},
        {"other channel DC: A alone", WAVE_DC, 1.5L * max, 0.9L * max, -10, max, 0.9L * max},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        b(1)->store_wave_type_raw(c.type1);
        set_ampl(0, c.a);
        set_ampl(1, c.b);
        EXPECT_EQ(c0->fit_ampl(), c.result);
        EXPECT_EQ(ampl(0), c.a_after);
        EXPECT_EQ(ampl(1), c.b_after);
    }

    // A DC channel's amplitude is never touched.
    b(1)->store_wave_type_raw(WAVE_SINE);
    b(0)->store_wave_type_raw(WAVE_DC);
    set_ampl(0, 3 * max);
    EXPECT_EQ(c0->fit_ampl(), 1);
    EXPECT_EQ(ampl(0), 3 * max);

    // Without combining nothing is fitted.
    b(0)->store_wave_type_raw(WAVE_SINE);
    c1->set_enable_raw(0);
    EXPECT_EQ(c0->fit_ampl(), 1);
    EXPECT_EQ(ampl(0), 3 * max);
}

TEST_F(CfgChCombine, TrackingReferenceGivesBothChannelsOneAmplitudeAndOffset)
{
    c0->set_enable_raw(1);
    cfg_get_couple()->set_track_en(1);
    set_ampl(0, 0.1L);
    set_ampl(1, 0.2L);
    const long double max = common_max();
    EXPECT_EQ(c0->fit_ampl(), -10);
    EXPECT_EQ(ampl(0), max * 0.5L);
    EXPECT_EQ(ampl(1), max * 0.5L);

    set_ampl(0, 0.1L);
    set_ampl(1, 0.1L);
    b(0)->store_offset_raw(rec(0.1L));
    b(1)->store_offset_raw(rec(0.2L));
    EXPECT_EQ(c0->fit_offset(), -10);
    EXPECT_NEAR(static_cast<double>(signed_offset(0)), 0.15, 1e-15);
    EXPECT_NEAR(static_cast<double>(signed_offset(1)), 0.15, 1e-15);

    // The tracked channel does not impose it.
    set_ampl(0, 0.1L);
    set_ampl(1, 0.2L);
    EXPECT_EQ(c1->fit_ampl(), 1);
    EXPECT_EQ(ampl(1), 0.2L);
}

TEST_F(CfgChCombine, OffsetsAreFittedSoThatTheirSumStaysInRange)
{
    c0->set_enable_raw(1);
    set_ampl(0, 0.1L);
    set_ampl(1, 0.1L);
    const long double hi = std::min(b(0)->get_max_offset(), b(1)->get_max_offset());
    const long double lo = std::max(b(0)->get_min_offset(), b(1)->get_min_offset());
    ASSERT_GT(hi, 0.0L);
    ASSERT_LT(lo, 0.0L);
    struct case_t
    {
        int32 polarity;
        long double a, b;
        int32 result;
        long double a_after;
    };
    const case_t cases[] = {
        {1, 0.6L * hi, 0.8L * hi, -10, hi - 0.8L * hi},
        {1, 0.6L * lo, 0.8L * lo, -11, lo - 0.8L * lo},
        {1, 0.2L * hi, 0.3L * lo, 1, 0.2L * hi},
        // Inverted polarity: the same fit, reported from the user's side.
        {0, 0.6L * hi, 0.8L * hi, -11, hi - 0.8L * hi},
        {0, 0.6L * lo, 0.8L * lo, -10, lo - 0.8L * lo},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "polarity " << c.polarity << " a " << static_cast<double>(c.a));
        cfg_get_wv_main(0)->store_polarity(c.polarity);
        cfg_get_wv_main(1)->store_polarity(c.polarity);
        b(0)->store_signed_offset_raw(rec(c.a));
        b(1)->store_signed_offset_raw(rec(c.b));
        EXPECT_EQ(c0->fit_offset(), c.result);
        EXPECT_NEAR(static_cast<double>(signed_offset(0)), static_cast<double>(c.a_after), 1e-15);
        EXPECT_NEAR(static_cast<double>(signed_offset(1)), static_cast<double>(c.b), 1e-15);
    }
}

TEST_F(CfgChCombine, CouplingSplitsSqueezeThePairIntoTheMaximum)
{
    c0->set_enable_raw(1);
    set_ampl(0, 0.1L);
    set_ampl(1, 0.1L);
    const long double max = b(0)->get_max_ampl();
    struct case_t
    {
        const char *name;
        int32 ch;
        bool by_ratio;
        long double k;
        long double a, b;
        int32 result;
        long double a_after, b_after;
    };
    const case_t cases[] = {
        {"ratio 1", 0, true, 1.0L, 0.6L * max, 0.6L * max, -10, 0.5L * max, 0.5L * max},
        {"ratio 3, reference", 0, true, 3.0L, 0.3L * max, 0.9L * max, -10, 0.25L * max, 0.75L * max},
        {"ratio 3, other channel", 1, true, 3.0L, 0.9L * max, 0.3L * max, -10, 0.75L * max, 0.25L * max},
        {"deviation, reference", 0, false, 0.2L * max, 0.6L * max, 0.8L * max, -10, 0.4L * max, 0.6L * max},
        {"deviation, other channel", 1, false, 0.2L * max, 0.8L * max, 0.6L * max, -10, 0.6L * max, 0.4L * max},
        {"fits", 0, true, 1.0L, 0.4L * max, 0.5L * max, 1, 0.4L * max, 0.5L * max},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        cfg_ch_combine_t *obj = cfg_get_combine(c.ch);
        lib_unit_data_t a = rec(c.a);
        lib_unit_data_t bb = rec(c.b);
        set_ampl(c.ch, 0.1L);
        EXPECT_EQ(c.by_ratio ? obj->split_ampl_by_ratio(c.k, &a, &bb) : obj->split_ampl_by_dev(c.k, &a, &bb), c.result);
        EXPECT_NEAR(static_cast<double>(a.data), static_cast<double>(c.a_after), 1e-12);
        EXPECT_NEAR(static_cast<double>(bb.data), static_cast<double>(c.b_after), 1e-12);
        // Only this channel's amplitude is stored; b is the caller's.
        EXPECT_EQ(ampl(c.ch), c.result == 1 ? 0.1L : a.data);
    }
}

TEST_F(CfgChCombine, SquareWaveIsRefusedAndClearsBothSwitches)
{
    // The module's driver never combines square waves.
    b(1)->store_wave_type_raw(WAVE_SQUARE);
    EXPECT_FALSE(c0->check());
    EXPECT_EQ(c0->set_enable(1), 0);
    EXPECT_EQ(c0->get_enable(), 0);

    c0->set_enable_raw(1);
    c1->set_enable_raw(1);
    sim.poke(DRV_FPGA_REG_COMBINE, 0x3);
    c0->validate();
    EXPECT_EQ(c0->get_enable(), 0);
    EXPECT_EQ(c1->get_enable(), 0);
    EXPECT_EQ(c0->is_any_enabled(), 0);
    EXPECT_EQ(sim.peek(DRV_FPGA_REG_COMBINE) & 0x1, 0);
}

TEST_F(CfgChCombine, SwitchingOnSharesTheLoadAndSetsTheDriverBit)
{
    int32 high_z = 1000000;
    int32 fifty = 50;
    b(0)->store_load_raw(&fifty);
    b(1)->store_load_raw(&high_z);
    EXPECT_EQ(c0->set_enable(1), 1);
    EXPECT_EQ(c0->get_enable(), 1);
    EXPECT_EQ(c0->is_any_enabled(), 1);
    EXPECT_EQ(c1->is_any_enabled(), 1);
    int32 load1 = 0;
    b(1)->get_load(&load1);
    EXPECT_EQ(load1, 50);
    EXPECT_EQ(sim.peek(DRV_FPGA_REG_COMBINE) & 0x1, 1);

    // A load change of the other channel is followed when it validates.
    b(1)->store_load_raw(&high_z);
    c1->validate();
    int32 load0 = 0;
    b(0)->get_load(&load0);
    EXPECT_EQ(load0, 1000000);

    // The sums the settings object uses while combining.
    set_ampl(0, 1.0L);
    set_ampl(1, 2.0L);
    b(0)->store_offset_raw(rec(0.5L));
    b(1)->store_offset_raw(rec(-0.25L));
    EXPECT_EQ(c0->sum_ampl(), 3.0L);
    EXPECT_EQ(c0->sum_offset(), 0.25L);
    b(1)->store_wave_type_raw(WAVE_DC);
    EXPECT_EQ(c0->sum_ampl(), 1.0L);

    // Switching off clears the bit; the other switch still counts.
    c1->set_enable_raw(1);
    b(1)->store_wave_type_raw(WAVE_SINE);
    EXPECT_EQ(c0->set_enable(0), 1);
    EXPECT_EQ(sim.peek(DRV_FPGA_REG_COMBINE) & 0x1, 0);
    EXPECT_EQ(c0->is_any_enabled(), 1);
}
