// Wave-type selection over the real drivers: refused codes, the frequency re-stored
// under the new wave's limits, the driver's PRBS mode and the PRBS link, and the wave
// applied only for an active channel. (The module's FPGA keeps no PRBS mode, so the
// driver's PRBS mode is not observable here.)
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_wv_main.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class CfgBswvType : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        b = cfg_get_bswv_main(0);
    }

    std::vector<sim_op_t> traffic(const std::function<void()> &action)
    {
        sim.clear_log();
        action();
        std::vector<sim_op_t> log = sim.log();
        sim.clear_log();
        return log;
    }

    cfg_bswv_main_t *b = nullptr;
};

TEST_F(CfgBswvType, RefusedCodesChangeNothingAndWriteNothing)
{
    cfg_get_wv_main(0)->store_output(1);
    b->store_wave_type_raw(2);
    for (int32 code : {9, 10, 11, 17, -1})
    {
        SCOPED_TRACE(code);
        EXPECT_TRUE(traffic([&] { EXPECT_EQ(b->set_wave_type(code), -13); }).empty());
        EXPECT_EQ(b->get_wave_type(), 2);
    }
}

TEST_F(CfgBswvType, ActiveChannelEndsInItsWavesApply)
{
    struct case_t
    {
        int32 type;
        std::function<void()> apply;
    };
    // set_wave_type applies with the phase mode alone (full_rule false).
    const std::vector<case_t> cases = {
        {0, [] { cfg_apply_sine_wave(0, false); }},  {1, [] { cfg_apply_square_wave(0, false); }},
        {2, [] { cfg_apply_ramp_wave(0, false); }},  {3, [] { cfg_apply_pulse_wave(0, false); }},
        {4, [] { cfg_apply_noise_wave(0); }},        {5, [] { cfg_apply_dc_wave(0); }},
        {6, [] { cfg_apply_arb_wave(0, false); }},   {8, [] { cfg_apply_prbs_wave(0, false); }},
    };
    cfg_get_wv_main(0)->store_output(1);
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.type);
        // Twice first, so that whatever the drivers do on a first call is behind us
        // and the apply below starts from the state the selection left.
        b->set_wave_type(c.type);
        b->set_wave_type(c.type);
        const std::vector<sim_op_t> selected = traffic([&] { EXPECT_EQ(b->set_wave_type(c.type), 1); });
        EXPECT_EQ(b->get_wave_type(), c.type);
        const std::vector<sim_op_t> applied = traffic(c.apply);
        ASSERT_FALSE(applied.empty());
        ASSERT_GE(selected.size(), applied.size());
        const std::vector<sim_op_t> tail(selected.end() - static_cast<std::ptrdiff_t>(applied.size()), selected.end());
        EXPECT_EQ(sim_fpga_t::diff(applied, tail), "");
    }
}

TEST_F(CfgBswvType, InactiveChannelMakesNoWaveCall)
{
    // Output off and combining off: the current wave reaches no driver.
    for (int32 type : {0, 1, 2, 3, 4, 5, 6, 8})
    {
        SCOPED_TRACE(type);
        b->store_wave_type_raw(type);
        EXPECT_TRUE(traffic([&] { EXPECT_EQ(b->apply_current_wave(true), 1); }).empty());
    }
    // Types without a wave of this object make no call even when active.
    cfg_get_wv_main(0)->store_output(1);
    for (int32 type : {7, 13, 16})
    {
        SCOPED_TRACE(type);
        b->store_wave_type_raw(type);
        EXPECT_TRUE(traffic([&] { EXPECT_EQ(b->apply_current_wave(false), 1); }).empty());
    }
}

TEST_F(CfgBswvType, FrequencyIsStoredAgainUnderTheNewWavesLimits)
{
    b->store_freq_raw(lib_unit_data_t{1e6L, LIB_UNIT_BASE, false});
    EXPECT_EQ(b->set_wave_type(2), 1);
    EXPECT_EQ(b->get_freq_raw().data, 500000.0L);
    // A data-pattern type keeps the stored frequency as it is.
    b->store_freq_raw(lib_unit_data_t{1e6L, LIB_UNIT_BASE, false});
    EXPECT_EQ(b->set_wave_type(12), 1);
    EXPECT_EQ(b->get_freq_raw().data, 1e6L);
    EXPECT_EQ(b->set_wave_type(13), 1);
    EXPECT_EQ(b->get_wave_type(), 13);
}

TEST_F(CfgBswvType, PrbsSwitchesPhaseCouplingOffAndLeavingItClearsTheLink)
{
    cfg_ch_couple_t *couple = cfg_get_couple();
    couple->set_couple_en(2, 1);
    EXPECT_EQ(b->set_wave_type(8), 1);
    EXPECT_EQ(couple->get_couple_en(2), 0);

    b->store_prbs_link_raw(1);
    cfg_get_bswv_main(1)->store_prbs_link_raw(1);
    // Leaving PRBS re-applies both channels' polarity (channel 1's inverted bit is
    // bit 2 of register 80).
    cfg_get_wv_main(1)->store_polarity(0);
    EXPECT_FALSE(sim.peek(80) & 0x4);
    EXPECT_EQ(b->set_wave_type(0), 1);
    EXPECT_EQ(b->get_prbs_link_raw(), 0);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_prbs_link_raw(), 0);
    EXPECT_TRUE(sim.peek(80) & 0x4);
    // Phase coupling stays as it is for the other types.
    couple->set_couple_en(2, 1);
    EXPECT_EQ(b->set_wave_type(1), 1);
    EXPECT_EQ(couple->get_couple_en(2), 1);
}

TEST_F(CfgBswvType, NoiseBandwidthSwitchStaysOffOnTheModuleAndSelectsNoise)
{
    cfg_get_wv_main(0)->store_output(1);
    b->store_wave_type_raw(0);
    const std::vector<sim_op_t> noise = [&] {
        b->store_wave_type_raw(4);
        traffic([] { cfg_apply_noise_wave(0); });
        return traffic([] { cfg_apply_noise_wave(0); });
    }();
    b->store_wave_type_raw(0);
    const std::vector<sim_op_t> log = traffic([&] { EXPECT_EQ(b->set_noise_bandwidth_switch(1), 1); });
    EXPECT_EQ(b->get_noise_bandwidth_switch_raw(), 0);
    EXPECT_EQ(b->get_wave_type(), 4);
    // The noise wave goes out for the bandwidth and again for the selection.
    ASSERT_GE(log.size(), 2 * noise.size());
    EXPECT_EQ(sim_fpga_t::diff(noise, std::vector<sim_op_t>(log.begin(), log.begin() + noise.size())), "");
    EXPECT_EQ(sim_fpga_t::diff(noise, std::vector<sim_op_t>(log.end() - noise.size(), log.end())), "");
}
