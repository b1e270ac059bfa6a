// The modulation manager over the started configuration layer: on and off, types and
// the carrier they must fit, refusals, the settings routed to their objects and the
// both-channel updates they trigger.
#include "cfg_apply.h"
#include "cfg_apply_hold.h"
#include "cfg_ch_couple.h"
#include "cfg_mod_fixture.h"
#include "cfg_mod_main.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_SQUARE = 1;
constexpr int32 WAVE_RAMP = 2;
constexpr int32 WAVE_PULSE = 3;
constexpr int32 WAVE_NOISE = 4;
constexpr int32 WAVE_DC = 5;
constexpr int32 WAVE_ARB = 6;
constexpr int32 WAVE_PRBS = 8;

class CfgModMain : public cfg_mod_fixture_t
{
protected:
    // Modulation switched on over a carrier, without the channel applying anything.
    void turn_on(int32 ch, int32 wave_type, long double hz = 1000.0L)
    {
        carrier(ch, wave_type, hz);
        wv(ch)->store_run_mode(cfg_wv_main_t::RUN_MODE_MOD);
        mod(ch)->set_state(1);
    }
};
} // namespace

TEST_F(CfgModMain, StartsOffWithAmAndRefusesEverySettingButThePskOnes)
{
    cfg_mod_main_t *m = mod(0);
    EXPECT_EQ(m->get_state(), 0);
    EXPECT_TRUE(m->is_off());
    EXPECT_EQ(m->get_type(), 1);
    EXPECT_EQ(m->get_saved_type(), 1);
    EXPECT_EQ(m->check_carrier(), 1);

    const struct
    {
        const char *name;
        std::function<int32(lib_unit_data_t &)> set;
    } setters[] = {
        {"source", [&](lib_unit_data_t &) { return m->set_source(1); }},
        {"shape", [&](lib_unit_data_t &) { return m->set_shape(9); }},
        {"frequency", [&](lib_unit_data_t &r) { return m->set_mod_freq(r); }},
        {"deviation", [&](lib_unit_data_t &r) { return m->set_deviation(r); }},
        {"pwm percent", [&](lib_unit_data_t &r) { return m->set_pwm_deviation_percent(r); }},
        {"ask rate", [&](lib_unit_data_t &r) { return m->set_ask_rate(r); }},
        {"fsk rate", [&](lib_unit_data_t &r) { return m->set_fsk_rate(r); }},
        {"psk rate", [&](lib_unit_data_t &r) { return m->set_psk_rate(r); }},
        {"fsk hop", [&](lib_unit_data_t &r) { return m->set_fsk_hop_freq(r); }},
        {"user wave", [&](lib_unit_data_t &) { return m->set_user_wave("/x/mine.bin"); }},
        {"user wave index", [&](lib_unit_data_t &) { return m->set_user_wave_by_index(39); }},
    };
    for (const auto &s : setters)
    {
        SCOPED_TRACE(s.name);
        lib_unit_data_t rec = cfg_rec(5.0L);
        EXPECT_EQ(s.set(rec), -12);
        EXPECT_EQ(rec.data, 5.0L);
        for (int32 t = 1; t <= 8; ++t)
        {
            cfg_mod_t *o = m->get_mod(t);
            EXPECT_EQ(o->get_mod_freq().data, 100.0L) << t;
            EXPECT_EQ(o->get_deviation().data, t == 8 ? 0.00019L : 100.0L) << t;
            EXPECT_EQ(o->get_source(), 0) << t;
            EXPECT_EQ(o->get_wave_name(), "0_sine_ram.bin") << t;
        }
        EXPECT_EQ(m->get_ask_rate().data, 100.0L);
        EXPECT_EQ(m->get_fsk_rate().data, 100.0L);
        EXPECT_EQ(m->get_psk_rate().data, 100.0L);
        EXPECT_EQ(m->get_fsk_hop_freq().data, 1000000.0L);
    }

    lib_unit_data_t phase{};
    EXPECT_EQ(m->set_psk_phase(cfg_rec(45.0L)), 1);
    m->get_psk_phase(&phase);
    EXPECT_EQ(phase.data, 45.0L);
    EXPECT_EQ(m->set_psk_polarity(0), 1);
    EXPECT_EQ(m->get_psk_polarity(), 0);
}

TEST_F(CfgModMain, TypeAndStateFollowTheCarrier)
{
    const struct
    {
        const char *name;
        int32 first_carrier;
        int32 chosen_type;
        int32 next_carrier;
        int32 type_on_first;
        int32 type_on_next;
        int32 state_on_next;
    } cases[] = {
        {"pulse forces PWM, sine brings AM back", WAVE_PULSE, 1, WAVE_SINE, 8, 1, 1},
        {"the replaced type is remembered", WAVE_SINE, 2, WAVE_PULSE, 2, 8, 1},
        {"leaving the pulse restores it", WAVE_PULSE, 1, WAVE_RAMP, 8, 1, 1},
        {"noise switches off and keeps the type", WAVE_SINE, 3, WAVE_NOISE, 3, 3, 0},
        {"PRBS switches off", WAVE_SQUARE, 4, WAVE_PRBS, 4, 4, 0},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        mod(0)->init(0);
        mod(0)->set_type_only(c.chosen_type);
        turn_on(0, c.first_carrier);
        EXPECT_EQ(mod(0)->get_state(), 1);
        EXPECT_EQ(mod(0)->get_type(), c.type_on_first);
        bswv(0)->store_wave_type_raw(c.next_carrier);
        mod(0)->on_carrier_changed(false);
        EXPECT_EQ(mod(0)->get_type(), c.type_on_next);
        EXPECT_EQ(mod(0)->get_state(), c.state_on_next);
        if (c.next_carrier == WAVE_PULSE)
            EXPECT_EQ(mod(0)->get_saved_type(), c.chosen_type);
    }
}

TEST_F(CfgModMain, ArbitraryWaveInSampleRateModeSwitchesModulationOff)
{
    turn_on(0, WAVE_ARB);
    ASSERT_EQ(mod(0)->get_state(), 1);
    bswv(0)->store_sample_rate_mode_raw(1);
    mod(0)->on_carrier_changed(true);
    EXPECT_EQ(mod(0)->get_state(), 0);
    // Off, a carrier change does not switch it back on.
    bswv(0)->store_sample_rate_mode_raw(0);
    mod(0)->on_carrier_changed(true);
    EXPECT_EQ(mod(0)->get_state(), 0);
}

TEST_F(CfgModMain, ChangingTheChannelsWaveTypeMakesPwmCurrent)
{
    // Through the channel object, as the exported wave-type change goes.
    wv(0)->store_output(1);
    wv(0)->set_run_mode(cfg_wv_main_t::RUN_MODE_MOD);
    ASSERT_EQ(mod(0)->get_state(), 1);
    EXPECT_EQ(wv(0)->set_wave_type(WAVE_PULSE), 1);
    EXPECT_EQ(mod(0)->get_type(), 8);
    EXPECT_EQ(wv(0)->set_wave_type(WAVE_SINE), 1);
    EXPECT_EQ(mod(0)->get_type(), 1);
    // Noise refuses modulation: the channel leaves the run mode and modulation is off.
    wv(0)->set_wave_type(WAVE_NOISE);
    EXPECT_EQ(mod(0)->get_state(), 0);
    EXPECT_NE(wv(0)->get_run_mode(), cfg_wv_main_t::RUN_MODE_MOD);
}

TEST_F(CfgModMain, SwitchingOnOverNoiseLeavesItOffAndTheDriverOff)
{
    carrier(0, WAVE_NOISE, 1000.0L);
    sim.poke(40, 0x0002);
    EXPECT_EQ(mod(0)->set_state(1), 1);
    EXPECT_EQ(mod(0)->get_state(), 0);
    EXPECT_EQ(sim.peek(40) & 0x3F, 0);
    EXPECT_EQ(mod(0)->check_carrier(), -12);
}

TEST_F(CfgModMain, SwitchingOffSendsModeZero)
{
    turn_on(1, WAVE_SINE);
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(mod(1)->set_state(0), 1); }, [&] { drv()->set_mod_type(1, 0); }));
    EXPECT_EQ(mod(1)->get_state(), 0);
}

TEST_F(CfgModMain, TypesAllowedByTheCarrier)
{
    const struct
    {
        int32 carrier;
        int32 type;
        int32 result;
    } cases[] = {
        {WAVE_SINE, 8, 1},   {WAVE_SINE, 1, 1},    {WAVE_SINE, 0, -12}, {WAVE_SINE, 9, -12},
        {WAVE_SINE, -1, -12}, {WAVE_PULSE, 1, -12}, {WAVE_PULSE, 8, 1},  {WAVE_NOISE, 1, -12},
        {WAVE_NOISE, 8, -12}, {WAVE_DC, 5, 1},      {WAVE_ARB, 6, 1},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "carrier " << c.carrier << " type " << c.type);
        mod(0)->init(0);
        carrier(0, c.carrier, 1000.0L);
        mod(0)->store_state(1);
        EXPECT_EQ(mod(0)->set_type(c.type, false), c.result);
        EXPECT_EQ(mod(0)->get_type(), c.result == 1 ? c.type : 1);
        // Off, every type is refused.
        mod(0)->store_state(0);
        EXPECT_EQ(mod(0)->set_type(c.type, false), -12);
    }
}

TEST_F(CfgModMain, SetTypeRechecksTheNewTypeAndAppliesIt)
{
    turn_on(0, WAVE_SINE, 1000.0L);
    make_active(0);
    play_carrier(0);
    mod(0)->get_mod(2)->store_mod_freq(cfg_rec(5000.0L));
    mod(0)->get_mod(2)->store_deviation(cfg_rec(1e9L));
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(mod(0)->set_type(2, true), 1); },
                             [&] { mod(0)->get_mod(2)->apply(2, true); }));
    // Clamped to the carrier before it was sent.
    EXPECT_EQ(mod(0)->get_mod(2)->get_mod_freq().data, 1000.0L);
    EXPECT_EQ(mod(0)->get_deviation().data, 1000.0L);
}

TEST_F(CfgModMain, WaveShapesAreRefusedForTheKeyedTypes)
{
    turn_on(0, WAVE_SINE);
    for (int32 t = 1; t <= 8; ++t)
    {
        SCOPED_TRACE(t);
        ASSERT_EQ(mod(0)->set_type(t, false), 1);
        const bool shaped = t != 4 && t != 5 && t != 6;
        EXPECT_EQ(cfg_mod_main_t::uses_mod_wave(t), shaped);
        EXPECT_EQ(mod(0)->set_shape(9), shaped ? 1 : -12);
        std::vector<int16> samples;
        EXPECT_EQ(mod(0)->get_wave_samples(samples), shaped ? 1 : -12);
        EXPECT_EQ(samples.empty(), !shaped);
        EXPECT_EQ(mod(0)->set_user_wave("/d/w.bin"), shaped ? 1 : -12);
        EXPECT_EQ(mod(0)->get_current_mod()->get_wave_name(), shaped ? "w.bin" : "0_sine_ram.bin");
    }
}

TEST_F(CfgModMain, UserWaveTakesBinNamesOnly)
{
    const struct
    {
        const char *name;
        int32 result;
        const char *wave;
    } cases[] = {
        {"/usr/usr/mine.bin", 1, "mine.bin"},
        {"mine.BIN", 0, "0_sine_ram.bin"},
        {"/usr/usr/mine.csv", 0, "0_sine_ram.bin"},
        {"MINE.DAT", 0, "0_sine_ram.bin"},
        {"", 0, "0_sine_ram.bin"},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        mod(0)->init(0);
        turn_on(0, WAVE_SINE);
        EXPECT_EQ(mod(0)->set_user_wave(c.name), c.result);
        EXPECT_EQ(mod(0)->get_current_mod()->get_wave_name(), c.wave);
        EXPECT_EQ(mod(0)->get_shape(), c.result == 1 ? 6 : 0);
    }
    EXPECT_EQ(mod(0)->set_user_wave_by_index(39), 1);
    EXPECT_EQ(mod(0)->get_user_wave_name(), "39_triang_ram.bin");
    EXPECT_EQ(mod(0)->get_user_wave_id(), 39);
}

TEST_F(CfgModMain, RateAndHopSettersAddressTheirOwnTypeWhateverIsCurrent)
{
    turn_on(0, WAVE_SINE, 1000.0L);
    ASSERT_EQ(mod(0)->get_type(), 1);
    lib_unit_data_t rate = cfg_rec(2e6L);
    EXPECT_EQ(mod(0)->set_fsk_rate(rate), -10);
    EXPECT_EQ(rate.data, 1e6L);
    EXPECT_EQ(mod(0)->get_fsk_rate().data, 1e6L);
    rate = cfg_rec(300.0L);
    EXPECT_EQ(mod(0)->set_ask_rate(rate), 1);
    EXPECT_EQ(mod(0)->get_ask_rate().data, 300.0L);
    rate = cfg_rec(0.0L);
    EXPECT_EQ(mod(0)->set_psk_rate(rate), -11);
    EXPECT_EQ(rate.data, 0.0L);
    EXPECT_EQ(mod(0)->get_psk_rate().data, 0.001L);
    lib_unit_data_t hop = cfg_rec(5000.0L);
    EXPECT_EQ(mod(0)->set_fsk_hop_freq(hop), 1);
    EXPECT_EQ(mod(0)->get_fsk_hop_freq().data, 5000.0L);
    // AM's own frequency is untouched.
    EXPECT_EQ(mod(0)->get_mod(1)->get_mod_freq().data, 100.0L);
}

TEST_F(CfgModMain, ModFreqIsTheKeyRateForTheKeyedTypesInOneSharedRecord)
{
    turn_on(0, WAVE_SINE, 1e6L);
    turn_on(1, WAVE_SINE, 1e6L);
    lib_unit_data_t hz = cfg_rec(700.0L);
    mod(0)->set_mod_freq(hz);
    lib_unit_data_t rate = cfg_rec(800.0L);
    mod(1)->set_fsk_rate(rate);
    mod(1)->set_type(5, false);
    const lib_unit_data_t *first = mod(0)->get_mod_freq();
    EXPECT_EQ(first->data, 700.0L);
    const lib_unit_data_t *second = mod(1)->get_mod_freq();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->data, 800.0L);
}

TEST_F(CfgModMain, PwmPercentIsAShareOfTheCarrierPeriod)
{
    turn_on(0, WAVE_PULSE, 1000.0L);
    bswv(0)->store_pulse_width_raw(cfg_rec(5e-4L));
    ASSERT_EQ(mod(0)->get_type(), 8);
    lib_unit_data_t percent = cfg_rec(10.0L);
    EXPECT_EQ(mod(0)->set_pwm_deviation_percent(percent), 1);
    EXPECT_NEAR(static_cast<double>(mod(0)->get_deviation().data), 1e-4, 1e-18);
    EXPECT_EQ(percent.data, 10.0L);
    EXPECT_NEAR(static_cast<double>(mod(0)->get_pwm_deviation_percent().data), 10.0, 1e-12);
    // The direct forms reach the PWM object even while off.
    mod(0)->set_state(0);
    EXPECT_EQ(mod(0)->store_pwm_deviation_percent(cfg_rec(20.0L)), 1);
    EXPECT_NEAR(static_cast<double>(mod(0)->get_pwm()->get_deviation().data), 2e-4, 1e-18);
    EXPECT_EQ(mod(0)->store_pwm_deviation(cfg_rec(1.0L)), -10);
}

TEST_F(CfgModMain, BothChannelUpdatesFollowTheOutputAndTracking)
{
    const struct
    {
        const char *name;
        int32 output;
        int32 tracking;
        int32 source_ch;
        bool update;
    } cases[] = {
        {"output on", 1, 0, 0, true},
        {"tracking source", 0, 1, 0, true},
        {"tracking, other source", 0, 1, 1, false},
        {"neither", 0, 0, 0, false},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        turn_on(0, WAVE_SINE, 1e6L);
        wv(0)->store_output(c.output);
        cfg_get_couple()->set_track_en(c.tracking);
        cfg_get_couple()->set_src_ch_raw(c.source_ch);
        const auto freq_update = [&] {
            if (c.update)
                cfg_apply_mod_freq_both();
        };
        const auto hop_update = [&] {
            if (c.update)
                cfg_apply_fsk_hop_both();
        };
        lib_unit_data_t hz = cfg_rec(300.0L);
        lib_unit_data_t rate = cfg_rec(400.0L);
        lib_unit_data_t hop = cfg_rec(5000.0L);
        const std::vector<sim_op_t> freq_log = traffic([&] { mod(0)->set_mod_freq(hz); });
        const std::vector<sim_op_t> rate_log = traffic([&] { mod(0)->set_ask_rate(rate); });
        const std::vector<sim_op_t> hop_log = traffic([&] { mod(0)->set_fsk_hop_freq(hop); });
        EXPECT_EQ(freq_log, traffic(freq_update));
        EXPECT_EQ(rate_log, traffic(freq_update));
        EXPECT_EQ(hop_log, traffic(hop_update));
        EXPECT_EQ(freq_log.empty(), !c.update);
    }
}

TEST_F(CfgModMain, DeviationUpdateRunsEvenWhenRefused)
{
    ASSERT_TRUE(mod(0)->is_off());
    lib_unit_data_t dev = cfg_rec(50.0L);
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(mod(0)->set_deviation(dev), -12); },
                             [&] { drv()->set_mod_deviation_both(cfg_get_mod_hold(), 1, 1, 100.0L, 100.0L); }));
    EXPECT_EQ(mod(0)->get_deviation().data, 100.0L);
    turn_on(0, WAVE_SINE);
    dev = cfg_rec(130.0L);
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(mod(0)->set_deviation(dev), -10); },
                             [&] { drv()->set_mod_deviation_both(cfg_get_mod_hold(), 1, 1, 120.0L, 100.0L); }));
    EXPECT_EQ(dev.data, 130.0L);
}

TEST_F(CfgModMain, PskPhaseIsAppliedAtOnce)
{
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(mod(1)->set_psk_phase(cfg_rec(90.0L)), 1); },
                             [&] { drv()->set_mod_phase(1, 90.0L); }));
}

TEST_F(CfgModMain, ExternalSourceIsStoredAndReapplied)
{
    turn_on(0, WAVE_SINE, 1e6L);
    make_active(0);
    play_carrier(0);
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(mod(0)->set_source(1), 1); },
                             [&] { mod(0)->get_mod(1)->apply(1, true); }));
    EXPECT_EQ(mod(0)->get_source(), 1);
    // Another type keeps its own source.
    EXPECT_EQ(mod(0)->get_mod(2)->get_source(), 0);
}

TEST_F(CfgModMain, RecheckStoresClampedValuesOnlyWhileOnAndSendsNothing)
{
    turn_on(0, WAVE_SINE, 1e6L);
    make_active(0);
    ASSERT_EQ(mod(0)->set_type(2, false), 1);
    lib_unit_data_t hz = cfg_rec(5000.0L);
    mod(0)->set_mod_freq(hz);
    mod(0)->get_mod(2)->store_deviation(cfg_rec(1e5L));
    bswv(0)->store_freq_raw(cfg_rec(1000.0L));
    EXPECT_TRUE(traffic([&] { mod(0)->recheck_if_on(); }).empty());
    EXPECT_EQ(mod(0)->get_mod(2)->get_mod_freq().data, 1000.0L);
    EXPECT_EQ(mod(0)->get_deviation().data, 1000.0L);

    mod(0)->set_state(0);
    mod(0)->get_mod(2)->store_mod_freq(cfg_rec(5000.0L));
    mod(0)->recheck_if_on();
    EXPECT_EQ(mod(0)->get_mod(2)->get_mod_freq().data, 5000.0L);
    mod(0)->recheck_current();
    EXPECT_EQ(mod(0)->get_mod(2)->get_mod_freq().data, 1000.0L);
}

TEST_F(CfgModMain, ForcePwmAndRestoreTypeAreThePulseRuleWithoutApplying)
{
    mod(0)->set_type_only(3);
    EXPECT_TRUE(traffic([&] { mod(0)->force_pwm(); }).empty());
    EXPECT_EQ(mod(0)->get_type(), 8);
    EXPECT_EQ(mod(0)->get_saved_type(), 3);
    mod(0)->force_pwm();
    EXPECT_EQ(mod(0)->get_saved_type(), 3);
    mod(0)->restore_type();
    EXPECT_EQ(mod(0)->get_type(), 3);
    mod(0)->set_type_only(0);
    mod(0)->force_pwm();
    EXPECT_EQ(mod(0)->get_saved_type(), 1);
    mod(0)->reset_type();
    EXPECT_EQ(mod(0)->get_type(), 1);
    EXPECT_EQ(mod(0)->get_saved_type(), 1);
}

TEST_F(CfgModMain, LookupGivesAmForUnknownTypes)
{
    for (int32 t : {0, 9, -1, 1000})
        EXPECT_EQ(mod(0)->get_mod(t), mod(0)->get_mod(1)) << t;
    for (int32 t = 1; t <= 8; ++t)
        EXPECT_EQ(mod(0)->get_mod(t)->get_type_id(), t);
}

TEST_F(CfgModMain, OtherRunModesSwitchModulationOffAndItsSettingsAreRefused)
{
    carrier(0, WAVE_SINE, 1000.0L);
    for (int32 mode : {cfg_wv_main_t::RUN_MODE_SWEEP, cfg_wv_main_t::RUN_MODE_BURST, cfg_wv_main_t::RUN_MODE_CONTINUOUS})
    {
        SCOPED_TRACE(mode);
        wv(0)->set_run_mode(cfg_wv_main_t::RUN_MODE_MOD);
        ASSERT_EQ(mod(0)->get_state(), 1);
        sim.poke(40, 0x0002);
        const std::vector<sim_op_t> log = traffic([&] { wv(0)->set_run_mode(mode); });
        EXPECT_EQ(mod(0)->get_state(), 0);
        // Modulation off clears the mode field first; a sweep then writes its own mode.
        const auto first = std::find_if(log.begin(), log.end(), [](const sim_op_t &op) {
            return op.kind == sim_op_kind_t::write && op.address == 40;
        });
        ASSERT_NE(first, log.end()) << sim_fpga_t::diff({}, log);
        EXPECT_EQ(first->value & 0x3F, 0u);
        EXPECT_EQ(sim.peek(40) & 0x3F, mode == cfg_wv_main_t::RUN_MODE_SWEEP ? 4 : 0);
        lib_unit_data_t hz = cfg_rec(500.0L);
        EXPECT_EQ(mod(0)->set_mod_freq(hz), -12);
        EXPECT_EQ(mod(0)->get_current_mod()->get_mod_freq().data, 100.0L);
        EXPECT_EQ(mod(0)->set_type(2, false), -12);
        EXPECT_EQ(mod(0)->get_type(), 1);
    }
}
