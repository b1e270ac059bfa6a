// The basic-wave applies through the real drivers: each apply's register traffic
// against the driver call it must make, with the record written out here.
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"
#include "drv_para.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace
{
lib_unit_data_t base(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

drv_interface_t *drv()
{
    return drv_interface_t::get_instance();
}

// The shared head of channel 0's wave records in the fixture's settings.
drv_wave_para_t head()
{
    drv_wave_para_t r{};
    r.freq = 2000.0L;
    r.ch0_freq = 2000.0L;
    r.ch1_freq = 1000.0L;
    r.ampl = 2.0L;
    r.offset = 0.5L;
    r.phase = 30.0L;
    r.load = 50.0L;
    return r;
}
} // namespace

class CfgApplyWave : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        b = cfg_get_bswv_main(0);
        b->store_freq_raw(base(2000.0L));
        b->store_ampl_raw(base(2.0L));
        b->store_offset_raw(base(0.5L));
        b->store_dc_level_raw(base(-1.5L));
        b->store_phase_raw(base(30.0L));
        int32 ohms = 50;
        b->store_load_raw(&ohms);
        b->store_duty_raw(base(25.0L));
        b->store_symmetry_raw(base(40.0L));
        b->store_pulse_width_raw(base(1e-4L));
        b->store_rise_edge_raw(base(2e-8L));
        b->store_fall_edge_raw(base(3e-8L));
        b->store_prbs_length_raw(base(7.0L));
        b->store_prbs_edge_raw(base(1e-8L));
        cfg_get_bswv_main(1)->store_load_raw(&ohms);
    }

    // The register traffic of one action.
    std::vector<sim_op_t> traffic(const std::function<void()> &action)
    {
        sim.clear_log();
        action();
        std::vector<sim_op_t> log = sim.log();
        sim.clear_log();
        return log;
    }

    // The action's traffic equals that of the driver calls it must make, both started
    // from the same register file. The driver calls run once before, so that what the
    // drivers do only on a first call (a path or mode switch) is behind both.
    void expect_same_traffic(const std::function<void()> &driver_calls, const std::function<void()> &action)
    {
        traffic(driver_calls);
        std::vector<std::uint16_t> registers(sim_fpga_t::ADDRESS_MASK + 1);
        for (std::uint32_t a = 0; a < registers.size(); ++a)
            registers[a] = sim.peek(a);
        const std::vector<sim_op_t> expected = traffic(driver_calls);
        for (std::uint32_t a = 0; a < registers.size(); ++a)
            sim.poke(a, registers[a]);
        const std::vector<sim_op_t> actual = traffic(action);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(sim_fpga_t::diff(expected, actual), "");
    }

    cfg_bswv_main_t *b = nullptr;
};

TEST_F(CfgApplyWave, EachWaveTypeMakesItsDriverCallWithItsRecord)
{
    struct case_t
    {
        const char *name;
        int32 type;
        std::function<void()> driver_calls;
        std::function<void()> apply;
    };
    // Phase mode 1 with independent channels: the full rule holds (1).
    const std::vector<case_t> cases = {
        {"sine", 0,
         [] {
             drv_wave_para_t r = head();
             drv()->set_sine_wave(1, 0, &r);
         },
         [] { cfg_apply_sine_wave(0, true); }},
        {"square, with the pulse minimum as its edges", 1,
         [] {
             drv_wave_para_t r = head();
             r.duty = 25.0L;
             r.rise_edge = 1e-8L;
             r.fall_edge = 1e-8L;
             drv()->set_square_wave(1, 0, &r);
         },
         [] { cfg_apply_square_wave(0, true); }},
        {"ramp", 2,
         [] {
             drv_wave_para_t r = head();
             r.symmetry = 40.0L;
             drv()->set_ramp_wave(1, 0, &r);
         },
         [] { cfg_apply_ramp_wave(0, true); }},
        {"pulse", 3,
         [] {
             drv_wave_para_t r = head();
             r.pulse_width = 1e-4L;
             r.rise_edge = 2e-8L;
             r.fall_edge = 3e-8L;
             drv()->set_pulse_wave(1, 0, &r);
         },
         [] { cfg_apply_pulse_wave(0, true); }},
        {"noise, without hold", 4,
         [] {
             drv_noise_para_t r{};
             r.ampl = 2.0L;
             r.offset = 0.5L;
             r.load = 50.0L;
             drv()->set_noise_wave(0, &r);
         },
         [] { cfg_apply_noise_wave(0); }},
        {"DC: the level as offset, no amplitude", 5,
         [] {
             drv_dc_para_t r{};
             r.offset = -1.5L;
             r.load = 50.0L;
             drv()->set_dc_wave(0, &r);
         },
         [] { cfg_apply_dc_wave(0); }},
        {"arbitrary in DDS mode", 6,
         [] {
             drv_wave_para_t r = head();
             r.srate_word = 4194303.0L;
             drv()->set_arb_wave(1, 0, &r);
         },
         [] { cfg_apply_arb_wave(0, true); }},
        {"PRBS: no phase, phase mode as hold", 8,
         [] {
             drv_wave_para_t r = head();
             r.phase = 0.0L;
             r.prbs_length = 7.0L;
             r.prbs_edge = 1e-8L;
             drv()->set_prbs_wave(1, 0, &r);
         },
         [] { cfg_apply_prbs_wave(0, false); }},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        b->store_wave_type_raw(c.type);
        expect_same_traffic(c.driver_calls, c.apply);
    }
}

TEST_F(CfgApplyWave, HoldFollowsThePhaseModeAndTheRule)
{
    struct case_t
    {
        const char *name;
        int32 phase_mode;
        int32 prbs_link;
        bool full_rule;
        int32 hold;
    };
    const std::vector<case_t> cases = {
        {"phase mode 0, full rule", 0, 0, true, 0},
        {"phase mode 1, phase mode alone", 1, 0, false, 1},
        {"phase mode 0, linked PRBS holds anyway", 0, 1, false, 1},
    };
    b->store_wave_type_raw(8);
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        cfg_get_couple()->set_phase_sync_mode_raw(c.phase_mode);
        b->store_prbs_link_raw(c.prbs_link);
        expect_same_traffic(
            [&] {
                drv_wave_para_t r = head();
                r.phase = 0.0L;
                r.prbs_length = 7.0L;
                r.prbs_edge = 1e-8L;
                r.prbs_link = c.prbs_link;
                drv()->set_prbs_wave(c.hold, 0, &r);
            },
            [&] { cfg_apply_prbs_wave(0, c.full_rule); });
    }
}

TEST_F(CfgApplyWave, AmplitudeApplyCarriesNoiseFrequencyOrResendsALinkedPrbs)
{
    b->store_wave_type_raw(4);
    expect_same_traffic(
        [] {
            const drv_ampl_para_t r{2.0L, 0.5L, 50.0L, -1.0L};
            drv()->set_ampl_offset(0, &r);
        },
        [] { EXPECT_EQ(cfg_apply_ampl_offset(0), 1); });

    b->store_wave_type_raw(8);
    b->store_prbs_link_raw(1);
    expect_same_traffic(
        [] {
            drv_wave_para_t r = head();
            r.phase = 0.0L;
            r.prbs_length = 7.0L;
            r.prbs_edge = 1e-8L;
            r.prbs_link = 1;
            drv()->set_prbs_wave(1, 0, &r);
        },
        [] { cfg_apply_ampl_offset(0); });
}

TEST_F(CfgApplyWave, FrequencyApplyHoldsForPrbsAndWithoutPhaseModeOtherwiseNot)
{
    struct case_t
    {
        int32 type;
        int32 phase_mode;
        int32 hold;
    };
    for (const case_t &c : std::vector<case_t>{{0, 0, 0}, {8, 0, 1}, {0, 1, 1}})
    {
        SCOPED_TRACE(c.type * 10 + c.phase_mode);
        b->store_wave_type_raw(c.type);
        cfg_get_couple()->set_phase_sync_mode_raw(c.phase_mode);
        expect_same_traffic([&] { drv()->set_freq_both(c.hold, 2000.0L, 1000.0L); }, [] { cfg_apply_freq(0); });
    }
}

TEST_F(CfgApplyWave, PhaseApplyMakesNegativeAnglesPositiveInSampleRateMode)
{
    b->store_phase_raw(base(-30.0L));
    b->store_sample_rate_raw(base(1e6L));
    cfg_get_bswv_main(1)->store_phase_raw(base(-30.0L));
    drv()->set_sample_rate_mode(0, 1);
    expect_same_traffic(
        [] {
            // Each channel's mode is asked of the driver.
            drv()->get_sample_rate_mode(0);
            drv()->set_sample_rate_phase(0, 1e6L, 330.0L);
            drv()->get_sample_rate_mode(1);
            drv()->set_phase(1, -30.0L);
        },
        [] { cfg_apply_phase(); });
}

TEST_F(CfgApplyWave, SquareDutyGoesToOneOrBothChannels)
{
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    b1->store_duty_raw(base(60.0L));
    // Channel 0 square and channel 1 sine, applied for channel 1: channel 1's record
    // through the single-channel call.
    b->store_wave_type_raw(1);
    b1->store_wave_type_raw(0);
    const drv_square_para_t sq0{3, 1e-8L, 1e-8L, 2000.0L, 25.0L};
    // A sine channel's edges come from the base object: 0.
    const drv_square_para_t sine1{3, 0.0L, 0.0L, 1000.0L, 60.0L};
    expect_same_traffic([&] { drv()->set_square_duty(1, &sine1); }, [] { cfg_apply_square_duty(1); });

    b1->store_wave_type_raw(1);
    const drv_square_para_t sq1{3, 1e-8L, 1e-8L, 1000.0L, 60.0L};
    expect_same_traffic([&] { drv()->set_square_duty_both(&sq0, &sq1); }, [] { cfg_apply_square_duty(1); });
}

TEST_F(CfgApplyWave, PulseTimingGoesToThePulseChannelsOnly)
{
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    b1->store_pulse_width_raw(base(2e-4L));
    b1->store_rise_edge_raw(base(4e-8L));
    b1->store_fall_edge_raw(base(5e-8L));

    EXPECT_TRUE(traffic([] { cfg_apply_pulse_timing(0); }).empty());

    b1->store_wave_type_raw(3);
    expect_same_traffic([] { drv()->set_pulse_param(1, 2e-4L, 5e-8L, 4e-8L, 1000.0L); },
                        [] { cfg_apply_pulse_timing(0); });

    b->store_wave_type_raw(3);
    expect_same_traffic(
        [] { drv()->set_pulse_param_both(2000.0L, 1e-4L, 2e-8L, 3e-8L, 1000.0L, 2e-4L, 4e-8L, 5e-8L); },
        [] { cfg_apply_pulse_timing(1); });
}

TEST_F(CfgApplyWave, ChannelApplyAfterFrequencyFollowsTheWaveTypeAndCoupling)
{
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    b1->store_ampl_raw(base(1.0L));
    b1->store_offset_raw(base(0.0L));
    const drv_ampl_para_t ampl0{2.0L, 0.5L, 50.0L, 2000.0L};

    // A square channel: frequency, amplitude, its duty.
    b->store_wave_type_raw(1);
    const drv_square_para_t sq0{3, 1e-8L, 1e-8L, 2000.0L, 25.0L};
    expect_same_traffic(
        [&] {
            drv()->set_freq_both(1, 2000.0L, 1000.0L);
            drv()->set_ampl_offset(0, &ampl0);
            drv()->set_square_duty(0, &sq0);
        },
        [] { cfg_apply_ch_after_freq(0); });

    // A PRBS channel: its coupling record after the amplitude.
    b->store_wave_type_raw(8);
    expect_same_traffic(
        [&] {
            drv()->set_freq_both(1, 2000.0L, 1000.0L);
            drv()->set_ampl_offset(0, &ampl0);
            drv_couple_para_t c{};
            c.prbs_edge = 1e-8L;
            drv()->set_ch_couple(0, &c);
        },
        [] { cfg_apply_ch_after_freq(0); });

    // A sine with frequency coupling: the pulse timing (no pulse: nothing), the other
    // channel's amplitude, the sample rate (no arbitrary wave: nothing). Switching the
    // coupling on has given channel 1 channel 0's frequency (ratio 1, no deviation).
    b->store_wave_type_raw(0);
    cfg_get_couple()->set_couple_en(0, 1);
    EXPECT_EQ(b1->get_freq_raw().data, 2000.0L);
    const drv_ampl_para_t ampl1{1.0L, 0.0L, 50.0L, 2000.0L};
    expect_same_traffic(
        [&] {
            drv()->set_freq_both(1, 2000.0L, 2000.0L);
            drv()->set_ampl_offset(0, &ampl0);
            drv()->set_ampl_offset(1, &ampl1);
        },
        [] { cfg_apply_ch_after_freq(0); });
}
