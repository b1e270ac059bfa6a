// The channel object: run modes refused by wave type, the output hold, the wave-type
// selection with its error line and the pending flag of type 7.
#include "cfg_fixture.h"
#include "cfg_wv_main.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"

#include <string>
#include <vector>

namespace
{
constexpr std::uint32_t CTRL0 = 36;        // channel 0's control register
constexpr std::uint16_t OUTPUT_OFF = 0x800; // its output-disable bit

using CfgWvMain = cfg_fixture_t;
} // namespace

TEST_F(CfgWvMain, StartsInitialisedWithItsChannel)
{
    for (int32 ch : {0, 1})
    {
        cfg_wv_main_t *w = cfg_get_wv_main(ch);
        EXPECT_EQ(w->get_channel(), ch);
        EXPECT_EQ(w->get_run_mode(), 3);
        EXPECT_EQ(w->get_polarity(), 1);
        EXPECT_EQ(w->get_output(), 0);
        EXPECT_EQ(w->get_wave_type(), 0);
        EXPECT_EQ(w->get_hold_depth(), 0);
        EXPECT_EQ(w->get_mod_main()->get_channel(), ch);
        EXPECT_EQ(w->get_sweep()->get_channel(), ch);
        EXPECT_EQ(w->get_burst()->get_channel(), ch);
        EXPECT_EQ(w->get_combine()->get_ch(), ch);
        EXPECT_EQ(w->get_pattern()->get_channel(), ch);
    }
}

TEST_F(CfgWvMain, RunModeChecksRefuseTheWaveTypesThatCannotRunThem)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    cfg_bswv_main_t *b = w->get_bswv_main();
    struct case_t
    {
        int32 type;
        int32 harmonics;
        int32 sample_rate_mode;
        int32 mod, sweep, burst;
    };
    const case_t cases[] = {
        {0, 0, 0, 1, 1, 1}, {0, 1, 0, 0, 0, 0}, {1, 0, 0, 1, 1, 1}, {2, 0, 0, 1, 1, 1}, {3, 0, 0, 1, 0, 1},
        {4, 0, 0, 0, 0, 1}, {5, 0, 0, 0, 0, 0}, {6, 0, 0, 1, 1, 1}, {6, 0, 1, 1, 0, 0}, {8, 0, 0, 0, 0, 0},
        {7, 0, 0, 1, 1, 1}, {12, 0, 0, 1, 1, 1},
    };
    for (const case_t &c : cases)
    {
        b->store_harmonic_switch_raw(c.harmonics);
        b->store_sample_rate_mode_raw(c.sample_rate_mode);
        SCOPED_TRACE(testing::Message() << "type " << c.type << " harmonics " << c.harmonics << " srm "
                                        << c.sample_rate_mode);
        EXPECT_EQ(w->can_modulate(c.type), c.mod);
        EXPECT_EQ(w->can_sweep(c.type), c.sweep);
        EXPECT_EQ(w->can_burst(c.type), c.burst);
        b->store_wave_type_raw(c.type);
        EXPECT_EQ(w->enter_modulation(), c.mod ? 1 : -12);
        EXPECT_EQ(w->enter_sweep(), c.sweep ? 1 : -12);
        EXPECT_EQ(w->enter_burst(), c.burst ? 1 : -12);
    }
}

TEST_F(CfgWvMain, RefusedRunModeKeepsTheRequestedValueAndRestoresTheOutput)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    w->get_bswv_main()->store_wave_type_raw(5);
    sim.poke(CTRL0, 0); // output enabled
    EXPECT_EQ(w->set_run_mode(0), -12);
    EXPECT_EQ(w->get_run_mode(), 0);
    EXPECT_EQ(drv_instance_manage_t::get_instance()->get_fpga()->get_run_mode(0), 0);
    EXPECT_EQ(w->set_run_mode(1), -12);
    EXPECT_EQ(w->set_run_mode(9), 0);
    EXPECT_EQ(w->set_run_mode(3), 1);
    EXPECT_EQ(w->change_run_mode(2), -12);
    // Each mode change ran inside the hold: the output came back enabled.
    EXPECT_EQ(sim.peek(CTRL0) & OUTPUT_OFF, 0);
    EXPECT_EQ(w->get_hold_depth(), 0);

    w->get_bswv_main()->store_wave_type_raw(0);
    EXPECT_EQ(w->set_run_mode(0), 1);
    EXPECT_EQ(w->set_run_mode(1), 1);
    EXPECT_EQ(w->set_run_mode(2), 1);
}

TEST_F(CfgWvMain, NestedHoldSavesAndRestoresTheOutputEnableOnce)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    sim.poke(CTRL0, 0x0001); // output enabled, another bit set
    sim.clear_log();
    w->begin_hold();
    EXPECT_EQ(sim.peek(CTRL0), 0x0801);
    w->begin_hold();
    w->end_hold();
    EXPECT_EQ(sim.peek(CTRL0), 0x0801);
    EXPECT_EQ(sim.writes_to(CTRL0), (std::vector<std::uint16_t>{0x0801}));
    w->end_hold();
    EXPECT_EQ(sim.peek(CTRL0), 0x0001);
    EXPECT_EQ(w->get_hold_depth(), 0);

    // An unmatched end still writes the saved bit back.
    sim.poke(CTRL0, 0x0801);
    w->end_hold();
    EXPECT_EQ(sim.peek(CTRL0), 0x0001);
    EXPECT_EQ(w->get_hold_depth(), 0);

    // A hold begun on a disabled output leaves it disabled.
    sim.poke(CTRL0, 0x0800);
    w->begin_hold();
    w->end_hold();
    EXPECT_EQ(sim.peek(CTRL0), 0x0800);
}

TEST_F(CfgWvMain, HoldCountsWithoutTheDriver)
{
    cfg_wv_main_t *w = cfg_get_wv_main(1);
    sim.clear_log();
    EXPECT_TRUE(w->hold(true));
    EXPECT_FALSE(w->hold(true));
    EXPECT_FALSE(w->hold(false));
    EXPECT_TRUE(w->hold(false));
    EXPECT_TRUE(w->hold(false)); // already 0
    EXPECT_EQ(w->get_hold_depth(), 0);
    EXPECT_TRUE(sim.log().empty());
}

TEST_F(CfgWvMain, WaveTypeAboveSixteenPrintsTheErrorLineAndChangesNothing)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    w->get_bswv_main()->store_wave_type_raw(2);
    for (int32 code : {17, -1, 100})
    {
        stdout_capture_t capture;
        EXPECT_EQ(w->set_current_basic_wave(code), 0);
        EXPECT_EQ(capture.finish(),
                  "cfg_wv_main_t::set_current_basic_wave error!!!! wave_type = " + std::to_string(code) + "\n");
        EXPECT_EQ(w->get_basic_wave_type(), 2);
    }
    stdout_capture_t capture;
    EXPECT_EQ(w->set_wave_type(17), 0);
    EXPECT_EQ(capture.finish(), "cfg_wv_main_t::set_current_basic_wave error!!!! wave_type = 17\n");
    EXPECT_EQ(w->get_basic_wave_type(), 2);
}

TEST_F(CfgWvMain, WaveTypeChangeLeavesARunModeTheNewTypeCannotRun)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    ASSERT_EQ(w->set_run_mode(1), 1);
    EXPECT_EQ(w->set_wave_type(4), 1);
    EXPECT_EQ(w->get_basic_wave_type(), 4);
    EXPECT_EQ(w->get_run_mode(), 3);

    ASSERT_EQ(w->set_run_mode(2), 1);
    EXPECT_EQ(w->set_wave_type(3), 1); // a pulse can burst
    EXPECT_EQ(w->get_run_mode(), 2);

    // A known code the settings object refuses (9) still answers 1 and keeps the type.
    EXPECT_EQ(w->set_current_basic_wave(9), 1);
    EXPECT_EQ(w->get_basic_wave_type(), 3);
    EXPECT_EQ(w->set_wave_type(13), 1);
    EXPECT_EQ(w->get_basic_wave_type(), 13);
}

TEST_F(CfgWvMain, TypeSevenOnlyMarksTheOtherChannelForRefresh)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    w->get_bswv_main()->store_wave_type_raw(2);
    EXPECT_EQ(w->set_wave_type(7), 1);
    EXPECT_EQ(w->get_pending(), 1);
    EXPECT_EQ(w->get_wave_type(), 7);
    EXPECT_EQ(w->get_basic_wave_type(), 2);

    // The next wave type selects the sine and refreshes channel 1 (its output held and
    // given back: control register 68 written).
    sim.clear_log();
    EXPECT_EQ(w->set_wave_type(0), 1);
    EXPECT_EQ(w->get_basic_wave_type(), 0);
    EXPECT_EQ(w->get_pending(), 0);
    EXPECT_FALSE(sim.writes_to(68).empty());

    sim.clear_log();
    w->flush_pending();
    EXPECT_TRUE(sim.writes_to(68).empty());
}

TEST_F(CfgWvMain, PolarityAndOutput)
{
    cfg_wv_main_t *w = cfg_get_wv_main(1);
    EXPECT_EQ(w->set_polarity(0), 1);
    EXPECT_EQ(w->get_polarity(), 0);
    EXPECT_TRUE(sim.peek(80) & 0x4);
    w->store_polarity(1);
    EXPECT_EQ(w->apply_polarity(), 1);
    EXPECT_FALSE(sim.peek(80) & 0x4);
    w->store_polarity(0);
    w->reset_polarity();
    EXPECT_EQ(w->get_polarity(), 1);

    EXPECT_EQ(w->set_output(1), 1);
    EXPECT_EQ(w->get_output(), 1);
    EXPECT_EQ(w->is_output_or_combine_on(), 1);
    EXPECT_EQ(w->set_output(0), 1);
    EXPECT_EQ(w->is_output_or_combine_on(), 0);
    EXPECT_EQ(w->apply_output(), 1);
}
