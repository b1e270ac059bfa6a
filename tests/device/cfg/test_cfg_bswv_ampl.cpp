// Amplitude, offset, levels and load of the channel settings: clamps, level pairs, the
// load conversion at 50 ohm source impedance, the rms and dBm setters and refusals.
#include "cfg_bswv_main.h"
#include "cfg_bswv_wave.h"
#include "cfg_ch_combine.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_sweep.h"
#include "cfg_wv_main.h"
#include "drv_fpga_reg.h"

#include <cmath>
#include <vector>

namespace
{
lib_unit_data_t rec(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

using CfgBswvAmpl = cfg_fixture_t;
} // namespace

TEST_F(CfgBswvAmpl, AmplitudeIsClampedAndStored)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    lib_unit_data_t v = rec(2.0L);
    EXPECT_EQ(b->set_ampl(&v), 0);
    EXPECT_EQ(b->get_ampl_raw().data, 2.0L);
    EXPECT_TRUE(b->get_ampl_raw().changed);
    v = rec(1000.0L);
    EXPECT_EQ(b->set_ampl(&v), -10);
    EXPECT_EQ(b->get_ampl_raw().data, b->get_max_ampl());
    v = rec(0.0L);
    EXPECT_EQ(b->set_ampl(&v), -11);
    EXPECT_EQ(b->get_ampl_raw().data, b->get_min_ampl());
}

TEST_F(CfgBswvAmpl, LevelsRewriteAmplitudeAndOffset)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    // Sine, 4 Vpp, offset 0, high impedance: low is -2.
    EXPECT_EQ(b->set_high_level(rec(1.0L)), 1);
    EXPECT_EQ(b->get_ampl_raw().data, 3.0L);
    EXPECT_EQ(b->get_offset_raw().data, -0.5L);

    lib_unit_data_t a = rec(4.0L);
    b->set_ampl(&a);
    lib_unit_data_t o = rec(0.0L);
    b->set_offset(&o);
    EXPECT_EQ(b->set_low_level(rec(-1.0L)), 1);
    EXPECT_EQ(b->get_ampl_raw().data, 3.0L);
    EXPECT_EQ(b->get_offset_raw().data, 0.5L);

    // A high level beyond its limit is clamped; the low level stays where it was.
    EXPECT_EQ(b->set_high_level(rec(100.0L)), -10);
    lib_unit_data_t high{};
    lib_unit_data_t low{};
    b->get_high_level(&high);
    b->get_low_level(&low);
    EXPECT_LT(high.data, 100.0L);
    EXPECT_DOUBLE_EQ(static_cast<double>(low.data), -1.0);
}

TEST_F(CfgBswvAmpl, LoadIsPulledIntoItsRanges)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    struct case_t
    {
        int32 in;
        int32 stored;
        int32 code;
    };
    const std::vector<case_t> cases = {{2000000, 1000000, -10}, {500000, 100000, -10}, {10, 50, -11},
                                       {-5, 50, -11},           {75, 75, 1},           {1000000, 1000000, 1},
                                       {100000, 100000, 1},     {50, 50, 1}};
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.in);
        int32 ohms = c.in;
        EXPECT_EQ(b->set_load(&ohms), c.code);
        EXPECT_EQ(ohms, c.stored);
        EXPECT_EQ(b->get_load_raw(), c.stored);
    }
}

TEST_F(CfgBswvAmpl, LoadChangeKeepsTheOpenCircuitOutput)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    struct case_t
    {
        int32 from;
        int32 to;
        long double value;
        long double expected;
    };
    const std::vector<case_t> cases = {
        {1000000, 50, 3.0L, 1.5L},   {50, 1000000, 1.5L, 3.0L},       {50, 1000, 1.0L, 1.9048L},
        {50, 50, 1.23456L, 1.2346L}, {50, 50, -1.23455L, -1.2346L},   {1000, 50, 1.9048L, 1.0L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to << " " << c.value);
        EXPECT_NEAR(static_cast<double>(b->convert_for_load(c.from, c.to, c.value)), static_cast<double>(c.expected),
                    1e-12);
    }
    // Through set_load: amplitude, offset and DC level halve from high impedance to 50.
    b->store_ampl_raw(rec(2.0L));
    b->store_offset_raw(rec(0.5L));
    b->store_dc_level_raw(rec(1.0L));
    int32 ohms = 50;
    EXPECT_EQ(b->set_load(&ohms), 1);
    EXPECT_EQ(b->get_ampl_raw().data, 1.0L);
    EXPECT_EQ(b->get_offset_raw().data, 0.25L);
    EXPECT_EQ(b->get_dc_level_raw().data, 0.5L);
}

TEST_F(CfgBswvAmpl, RmsAndDbmSettersConvertByWaveType)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    int32 ohms = 50;
    b->set_load(&ohms);
    struct case_t
    {
        int32 type;
        bool dbm;
        long double value;
        long double vpp;
    };
    const std::vector<case_t> cases = {
        {0, false, 0.5L, 0.5L * 2.828854314002829L},
        {2, false, 0.5L, 0.5L * 3.464001L},
        {1, false, 0.5L, 1.0L},
        {1, true, 10.0L, 2.0L * std::sqrt(0.5L)},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << (c.dbm ? " dBm" : " rms"));
        b->store_wave_type_raw(c.type);
        lib_unit_data_t v = rec(c.value);
        EXPECT_EQ(c.dbm ? b->set_ampl_dbm(&v) : b->set_ampl_vrms(&v), 0);
        EXPECT_NEAR(static_cast<double>(b->get_ampl_raw().data), static_cast<double>(c.vpp), 1e-9);
    }
    // Noise, DC and arbitrary have no rms amplitude; dBm has no meaning at high impedance.
    for (int32 type : {4, 5, 6})
    {
        SCOPED_TRACE(type);
        b->store_wave_type_raw(type);
        const long double before = b->get_ampl_raw().data;
        lib_unit_data_t v = rec(0.1L);
        EXPECT_EQ(b->set_ampl_vrms(&v), -12);
        EXPECT_EQ(b->set_ampl_dbm(&v), -12);
        EXPECT_EQ(b->get_ampl_raw().data, before);
    }
    b->store_wave_type_raw(0);
    ohms = 1000000;
    b->set_load(&ohms);
    lib_unit_data_t v = rec(0.0L);
    EXPECT_EQ(b->set_ampl_dbm(&v), -12);
}

TEST_F(CfgBswvAmpl, OffsetGoesToTheDcLevelOnADcChannel)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(5);
    lib_unit_data_t v = rec(1.5L);
    EXPECT_EQ(b->set_offset(&v), 1);
    EXPECT_EQ(b->get_dc_level_raw().data, 1.5L);
    EXPECT_EQ(b->get_offset_raw().data, 0.0L);
    v = rec(1000.0L);
    EXPECT_EQ(b->set_offset(&v), -10);
    EXPECT_LT(b->get_dc_level_raw().data, 1000.0L);
}

TEST_F(CfgBswvAmpl, NoiseDeviationFollowsTheAmplitude)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(4);
    lib_unit_data_t a = rec(4.0L);
    b->set_ampl(&a);
    EXPECT_NEAR(static_cast<double>(b->get_noise_stdev_raw().data), 0.2, 1e-12);
    EXPECT_EQ(b->set_noise_stdev(rec(0.1L)), 0);
    EXPECT_NEAR(static_cast<double>(b->get_ampl_raw().data), 2.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(b->get_noise_stdev_raw().data), 0.1, 1e-12);
    // The mean is the offset; the amplitude is derived again from the deviation.
    EXPECT_EQ(b->set_mean(rec(0.5L)), 1);
    EXPECT_EQ(b->get_offset_raw().data, 0.5L);
    EXPECT_NEAR(static_cast<double>(b->get_noise_stdev_raw().data), 0.1, 1e-12);
    // A deviation whose amplitude is beyond the limit: clamped, and the deviation is
    // that of the clamped amplitude.
    EXPECT_EQ(b->set_noise_stdev(rec(100.0L)), -10);
    EXPECT_LT(b->get_noise_stdev_raw().data, 100.0L);
    EXPECT_NEAR(static_cast<double>(b->get_noise_stdev_raw().data),
                static_cast<double>(b->get_ampl_raw().data * 0.05L), 1e-12);
}

// Amplitude coupling by ratio 0.5 from the current channel 0: the other channel takes
// half, and with its output on its amplitude goes out as well.
TEST_F(CfgBswvAmpl, CoupledAmplitudeIsSetOnTheOtherChannel)
{
    cfg_ch_couple_t *couple = cfg_get_couple();
    couple->set_ampl_couple_mode_raw(CFG_COUPLE_BY_RATIO);
    couple->set_ampl_ratio_raw(0.5L);
    couple->set_ampl_couple_en_raw(1);
    cfg_get_wv_main(1)->store_output(1);
    sim.clear_log();
    lib_unit_data_t v = rec(2.0L);
    EXPECT_EQ(cfg_get_bswv_main(0)->set_ampl(&v), 0);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_ampl_raw().data, 1.0L);
    EXPECT_FALSE(sim.writes_to(DRV_FPGA_REG_DIGITAL_GAIN[1]).empty());

    // From channel 1 while channel 0 is current nothing follows.
    v = rec(3.0L);
    EXPECT_EQ(cfg_get_bswv_main(1)->set_ampl(&v), 0);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_ampl_raw().data, 2.0L);
}

// With combining on an amplitude change refits the pair, pushes the mixing weight and
// reports a clamp of the sum as negative.
TEST_F(CfgBswvAmpl, CombinedAmplitudeChangeRefitsAndPushesTheWeight)
{
    cfg_get_combine(0)->set_enable_raw(1);
    cfg_get_combine(1)->set_enable_raw(1);
    lib_unit_data_t v = rec(2.0L);
    sim.clear_log();
    EXPECT_EQ(cfg_get_bswv_main(0)->set_ampl(&v), 0);
    // 2 / (2 + 4) of full scale.
    EXPECT_EQ(sim.last_write(DRV_FPGA_REG_COMBINE_RATIO), static_cast<std::uint16_t>(2.0 / 6.0 * 65535));

    const long double max = cfg_get_bswv_main(0)->get_max_ampl();
    v = rec(max);
    EXPECT_EQ(cfg_get_bswv_main(0)->set_ampl(&v), -10);
    EXPECT_LE(cfg_get_bswv_main(0)->get_ampl_raw().data + cfg_get_bswv_main(1)->get_ampl_raw().data, max);
}

// While the sweep is on the amplitude limit is taken at the stop frequency, and an
// amplitude change re-derives and re-applies the sweep around the channel frequency.
TEST_F(CfgBswvAmpl, AmplitudeChangeRefreshesTheSweep)
{
    ASSERT_EQ(cfg_get_wv_main(0)->set_run_mode(1), 1);
    cfg_sweep_t *sweep = cfg_get_sweep(0);
    sweep->set_start_freq_raw(rec(0.0L));
    sweep->set_stop_freq_raw(rec(0.0L));
    sim.clear_log();
    lib_unit_data_t v = rec(2.0L);
    EXPECT_EQ(cfg_get_bswv_main(0)->set_ampl(&v), 0);
    lib_unit_data_t f{};
    cfg_get_bswv_main(0)->get_freq(&f);
    EXPECT_EQ(sweep->get_start_value(), f.data - sweep->get_span_value() / 2);
    EXPECT_EQ(sweep->get_stop_value(), f.data + sweep->get_span_value() / 2);
    EXPECT_FALSE(sim.writes_to(DRV_FPGA_REG_MOD_WORD[0][0]).empty());
}
