// The modulation types over the started configuration layer: defaults, shapes and user
// waves, the limits of each type, the key rates, hop frequency and PSK settings, and
// each type's apply order as register traffic.
#include "cfg_mod.h"
#include "cfg_mod_fixture.h"
#include "drv_instance_manage.h"
#include "drv_mod.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
constexpr int32 WAVE_SINE = 0;
constexpr int32 WAVE_PULSE = 3;

class CfgMod : public cfg_mod_fixture_t
{
};

const int32 ALL_TYPES[] = {1, 2, 3, 4, 5, 6, 7, 8};
} // namespace

TEST_F(CfgMod, InitGivesEveryTypeItsDefaults)
{
    for (int32 ch : {0, 1})
    {
        for (int32 t : ALL_TYPES)
        {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " type " << t);
            cfg_mod_t *m = mod(ch)->get_mod(t);
            EXPECT_EQ(m->get_type_id(), t);
            EXPECT_EQ(m->get_channel(), ch);
            EXPECT_EQ(m->get_wave_name(), "0_sine_ram.bin");
            EXPECT_EQ(m->get_shape(), 0);
            EXPECT_EQ(m->get_source(), 0);
            EXPECT_EQ(m->get_user_wave_name(), "2_stairup_ram.bin");
            EXPECT_EQ(m->get_user_wave_id(), 2);
            EXPECT_EQ(m->get_mod_freq().data, 100.0L);
            EXPECT_EQ(m->get_mod_freq().unit, LIB_UNIT_BASE);
            EXPECT_EQ(m->get_deviation().data, t == 8 ? 0.00019L : 100.0L);
            EXPECT_EQ(m->get_min_freq_limit(), 0.001L);
            EXPECT_EQ(m->get_max_freq_limit(), 1000000.0L);
            EXPECT_EQ(m->get_shape_list().size(), 6u);
        }
        EXPECT_EQ(mod(ch)->get_ask_rate().data, 100.0L);
        EXPECT_EQ(mod(ch)->get_fsk_rate().data, 100.0L);
        EXPECT_EQ(mod(ch)->get_psk_rate().data, 100.0L);
        EXPECT_EQ(mod(ch)->get_fsk_hop_freq().data, 1000000.0L);
        lib_unit_data_t phase{};
        EXPECT_EQ(mod(ch)->get_psk_phase(&phase), 1);
        EXPECT_EQ(phase.data, 180.0L);
        EXPECT_EQ(mod(ch)->get_psk_polarity(), 1);
    }
}

TEST_F(CfgMod, TypeNamesCoverOneToEightOnly)
{
    const char *names[] = {"", "AM", "FM", "PM", "ASK", "FSK", "PSK", "DSB_AM", "PWM", ""};
    for (int32 t = 0; t <= 9; ++t)
        EXPECT_EQ(cfg_mod_t::get_type_name(t), names[t]) << t;
    EXPECT_EQ(cfg_mod_t::get_type_name(-1), "");
}

TEST_F(CfgMod, ShapeSelectsItsWaveAndSendsItActiveOrNot)
{
    const struct
    {
        int32 shape;
        const char *wave;
    } cases[] = {
        {6, "2_stairup_ram.bin"}, {9, "39_triang_ram.bin"}, {5, ""},
        {1, "50_square_ram.bin"}, {4, "1_noise_ram.bin"},   {11, "9_dnramp_ram.bin"},
    };
    cfg_mod_t *am = mod(0)->get_mod(1);
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.shape);
        EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(am->set_shape(c.shape), 1); },
                                 [&] {
                                     drv()->set_mod_wave(0, c.wave);
                                     bswv(0)->apply_current_wave(false);
                                 }));
        EXPECT_EQ(am->get_wave_name(), c.wave);
        EXPECT_EQ(am->get_shape(), c.shape);
    }
}

TEST_F(CfgMod, UserWavePathTakesTheFileNameOfABinPathOnly)
{
    const struct
    {
        const char *path;
        int32 result;
        const char *name;
    } cases[] = {
        {"/usr/usr/my_wave.bin", 1, "my_wave.bin"},
        {"/usr/usr/my_wave.BIN", 0, nullptr},
        {"plain.bin", 1, "plain.bin"},
        {"/a/b/notes.txt", 0, nullptr},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.path);
        cfg_mod_t *fm = mod(0)->get_mod(2);
        fm->init(0, 2);
        const std::vector<sim_op_t> log = traffic([&] { EXPECT_EQ(fm->set_user_wave_path(c.path), c.result); });
        EXPECT_TRUE(log.empty());
        EXPECT_EQ(fm->get_user_wave_name(), c.name ? c.name : "2_stairup_ram.bin");
        EXPECT_EQ(fm->get_wave_name(), c.name ? c.name : "0_sine_ram.bin");
        EXPECT_EQ(fm->get_shape(), c.name ? 6 : 0);
        // A name the wave store does not know keeps the id.
        EXPECT_EQ(fm->get_user_wave_id(), 2);
    }
}

TEST_F(CfgMod, KnownUserWaveNameTakesTheStoresId)
{
    cfg_mod_t *am = mod(0)->get_mod(1);
    am->set_user_wave_name("39_triang_ram.bin");
    EXPECT_EQ(am->get_user_wave_id(), 39);
    am->set_user_wave_name("nowhere.bin");
    EXPECT_EQ(am->get_user_wave_name(), "nowhere.bin");
    EXPECT_EQ(am->get_user_wave_id(), 39);
}

TEST_F(CfgMod, ModulatingFrequencyClampsToTheTypesLimits)
{
    // Carrier-bounded types (FM, ASK, FSK, PSK) stop at the carrier frequency; the
    // others at the 1 MHz field.
    const struct
    {
        int32 type;
        long double carrier;
        long double value;
        long double stored;
        int32 result;
    } cases[] = {
        {1, 1000.0L, 5000.0L, 5000.0L, 1},
        {1, 1000.0L, 1000000.0L, 1000000.0L, 1},
        {1, 1000.0L, 1000001.0L, 1000000.0L, -10},
        {1, 1000.0L, 0.0001L, 0.001L, -11},
        {2, 1000.0L, 1000.0L, 1000.0L, 1},
        {2, 1000.0L, 5000.0L, 1000.0L, -10},
        {2, 10000000.0L, 2000000.0L, 1000000.0L, -10},
        {2, 0.0L, 0.0L, 0.001L, -11},
        {3, 1000.0L, 5000.0L, 5000.0L, 1},
        {4, 1000.0L, 5000.0L, 1000.0L, -10},
        {5, 1000.0L, 5000.0L, 1000.0L, -10},
        {6, 1000.0L, 5000.0L, 1000.0L, -10},
        {7, 1000.0L, 5000.0L, 5000.0L, 1},
        {8, 1000.0L, 5000.0L, 5000.0L, 1},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " carrier " << static_cast<double>(c.carrier)
                                        << " value " << static_cast<double>(c.value));
        carrier(0, WAVE_SINE, c.carrier);
        cfg_mod_t *m = mod(0)->get_mod(c.type);
        lib_unit_data_t rec = cfg_rec(c.value);
        rec.changed = true;
        EXPECT_EQ(m->set_mod_freq(rec), c.result);
        EXPECT_EQ(rec.data, c.stored);
        EXPECT_EQ(m->get_mod_freq().data, c.stored);
        EXPECT_TRUE(m->get_mod_freq().changed);
    }
}

TEST_F(CfgMod, DepthAndDeviationClampToTheTypesLimits)
{
    const struct
    {
        int32 type;
        long double value;
        long double stored;
        int32 result;
    } cases[] = {
        {1, 130.0L, 120.0L, -10}, {1, 120.0L, 120.0L, 1}, {1, -1.0L, 0.0L, -11},
        {7, 50.0L, 100.0L, -11},  {7, 150.0L, 100.0L, -10}, {7, 100.0L, 100.0L, 1},
        {3, 400.0L, 360.0L, -10}, {3, 360.0L, 360.0L, 1},   {4, 5.0L, 0.0L, -10},
        {5, 5.0L, 0.0L, -10},     {6, 5.0L, 0.0L, -10},     {6, 0.0L, 0.0L, 1},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " value " << static_cast<double>(c.value));
        cfg_mod_t *m = mod(0)->get_mod(c.type);
        EXPECT_EQ(m->set_deviation(cfg_rec(c.value)), c.result);
        EXPECT_EQ(m->get_deviation().data, c.stored);
    }
}

TEST_F(CfgMod, FmDeviationKeepsTheSwingBetweenZeroAndTheCarriersMaximum)
{
    const long double top = bswv(0)->get_max_freq_for_ampl();
    ASSERT_GT(top, 0.0L);
    const struct
    {
        long double carrier;
        long double max;
    } cases[] = {
        {top / 10, top / 10},
        {top * 0.8L, top - top * 0.8L},
        {top / 2, top / 2},
        {top * 1.5L, 0.0L},
    };
    cfg_mod_t *fm = mod(0)->get_mod(2);
    for (const auto &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.carrier));
        carrier(0, WAVE_SINE, c.carrier);
        EXPECT_EQ(fm->get_max_deviation(), c.max);
        EXPECT_EQ(fm->set_deviation(cfg_rec(top)), -10);
        EXPECT_EQ(fm->get_deviation().data, c.max);
    }
}

TEST_F(CfgMod, PwmDeviationStaysTheMarginAwayFromZeroAndTheFullPeriod)
{
    const long double margin = drv()->get_pwm_width_margin();
    const struct
    {
        long double period;
        long double width;
        long double max;
        long double after_recheck;
    } cases[] = {
        {1e-3L, 2e-4L, 2e-4L - margin, 0.00019L},
        {1e-3L, 1e-4L, 1e-4L - margin, 1e-4L - margin},
        {1e-3L, 9e-4L, 1e-4L - margin, 1e-4L - margin},
        {1e-3L, 1e-8L, 0.0L, 0.0L},
    };
    cfg_mod_t *pwm = mod(0)->get_mod(8);
    for (const auto &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.width));
        pwm->reset_deviation();
        carrier(0, WAVE_PULSE, 1.0L / c.period);
        bswv(0)->store_pulse_width_raw(cfg_rec(c.width));
        EXPECT_NEAR(static_cast<double>(pwm->get_max_deviation()), static_cast<double>(c.max), 1e-15);
        const std::vector<sim_op_t> log = traffic([&] { pwm->recheck(); });
        EXPECT_TRUE(log.empty());
        EXPECT_NEAR(static_cast<double>(pwm->get_deviation().data), static_cast<double>(c.after_recheck), 1e-15);
    }
}

TEST_F(CfgMod, KeyRatesClampAndOnlyFskWritesTheClampBack)
{
    const struct
    {
        long double value;
        long double stored;
        int32 result;
    } cases[] = {
        {100.0L, 100.0L, 1},
        {2000000.0L, 1000000.0L, -10},
        {0.0L, 0.001L, -11},
    };
    carrier(0, WAVE_SINE, 10.0L);
    cfg_mod_main_t *m = mod(0);
    for (const auto &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.value));
        // The key rate is bounded by the frequency limits, not by the carrier.
        lib_unit_data_t ask = cfg_rec(c.value);
        lib_unit_data_t fsk = cfg_rec(c.value);
        lib_unit_data_t psk = cfg_rec(c.value);
        EXPECT_EQ(m->get_ask()->set_rate(ask), c.result);
        EXPECT_EQ(m->get_fsk()->set_rate(fsk), c.result);
        EXPECT_EQ(m->get_psk()->set_rate(psk), c.result);
        EXPECT_EQ(m->get_ask_rate().data, c.stored);
        EXPECT_EQ(m->get_fsk_rate().data, c.stored);
        EXPECT_EQ(m->get_psk_rate().data, c.stored);
        EXPECT_EQ(ask.data, c.value);
        EXPECT_EQ(fsk.data, c.stored);
        EXPECT_EQ(psk.data, c.value);
    }
}

TEST_F(CfgMod, FskHopIsSetWithinTheAmplitudeLimitAndReadWithinThePlainOne)
{
    carrier(0, WAVE_SINE, 1000.0L);
    lib_unit_data_t ampl = cfg_rec(20.0L);
    bswv(0)->store_ampl_raw(ampl);
    const long double by_ampl = bswv(0)->get_max_freq_for_ampl();
    const long double plain = bswv(0)->get_max_freq();
    ASSERT_LT(by_ampl, plain);
    cfg_mod_fsk_t *fsk = mod(0)->get_fsk();

    lib_unit_data_t hop = cfg_rec(plain);
    EXPECT_EQ(fsk->set_hop_freq(hop), -10);
    EXPECT_EQ(hop.data, by_ampl);
    EXPECT_EQ(fsk->get_hop_freq().data, by_ampl);

    // Stored above the plain maximum (unchecked), a read clamps it to that maximum.
    fsk->store_hop_freq(cfg_rec(plain * 2));
    EXPECT_EQ(fsk->get_hop_freq().data, plain);
    hop = cfg_rec(-1.0L);
    EXPECT_EQ(fsk->set_hop_freq(hop), -11);
    EXPECT_EQ(hop.data, bswv(0)->get_min_freq());
}

TEST_F(CfgMod, FskRecheckLeavesItsFrequencyAndDepthAlone)
{
    cfg_mod_fsk_t *fsk = mod(0)->get_fsk();
    fsk->store_mod_freq(cfg_rec(5e6L));
    fsk->store_deviation(cfg_rec(42.0L));
    fsk->store_rate(cfg_rec(5e6L));
    fsk->recheck();
    EXPECT_EQ(fsk->get_mod_freq().data, 5e6L);
    EXPECT_EQ(fsk->get_deviation().data, 42.0L);
    EXPECT_EQ(fsk->get_rate().data, 1e6L);
    // ASK's base recheck clamps its unsent depth to 0.
    cfg_mod_ask_t *ask = mod(0)->get_ask();
    ask->recheck();
    EXPECT_EQ(ask->get_deviation().data, 0.0L);
}

TEST_F(CfgMod, PskPhaseIsStoredUncheckedAndItsPolarityAlwaysSent)
{
    cfg_mod_psk_t *psk = mod(1)->get_psk();
    EXPECT_EQ(psk->set_phase(cfg_rec(725.0L)), 1);
    EXPECT_EQ(psk->get_phase().data, 725.0L);
    // Modulation is off and AM is current: the polarity still reaches the driver.
    for (int32 polarity : {0, 1})
    {
        EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(psk->set_polarity(polarity), 1); },
                                 [&] { drv()->set_psk_polarity(1, polarity); }));
        EXPECT_EQ(psk->get_polarity(), polarity);
    }
}

TEST_F(CfgMod, NothingIsAppliedUnlessTheChannelRunsModulationWithTheOutputOn)
{
    const struct
    {
        int32 output;
        int32 run_mode;
    } cases[] = {{0, 0}, {1, 1}, {1, 2}, {1, 3}};
    for (const auto &c : cases)
    {
        wv(0)->store_output(c.output);
        wv(0)->store_run_mode(c.run_mode);
        for (int32 t : ALL_TYPES)
        {
            SCOPED_TRACE(testing::Message() << "output " << c.output << " mode " << c.run_mode << " type " << t);
            cfg_mod_t *m = mod(0)->get_mod(t);
            EXPECT_FALSE(m->is_active());
            EXPECT_TRUE(traffic([&] {
                            m->apply(t, false);
                            m->push(t);
                        }).empty());
        }
    }
}

TEST_F(CfgMod, EachTypeAppliesItsSettingsInItsOwnOrder)
{
    for (int32 ch : {0, 1})
    {
        carrier(ch, WAVE_SINE, 20000.0L);
        make_active(ch);
        play_carrier(ch);
        for (int32 t : ALL_TYPES)
        {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " type " << t);
            cfg_mod_t *m = mod(ch)->get_mod(t);
            // Settings that differ from the defaults, so that each value shows.
            lib_unit_data_t hz = cfg_rec(1234.5L);
            m->set_mod_freq(hz);
            m->store_deviation(cfg_rec(t == 8 ? 1e-6L : 33.0L));
            m->set_user_wave_path("/x/39_triang_ram.bin");
            mod(ch)->get_ask()->store_rate(cfg_rec(250.0L));
            mod(ch)->get_fsk()->store_rate(cfg_rec(350.0L));
            mod(ch)->get_fsk()->store_hop_freq(cfg_rec(7000.0L));
            mod(ch)->get_psk()->store_rate(cfg_rec(450.0L));
            mod(ch)->get_psk()->set_phase(cfg_rec(90.0L));
            mod(ch)->get_psk()->store_polarity(0);
            const long double dev = m->get_deviation().data;
            const char *wave = "39_triang_ram.bin";
            std::function<void()> expected;
            switch (t)
            {
            case 1:
                expected = [&] {
                    drv()->set_mod_type(ch, t);
                    drv()->set_mod_source(ch, t, 0);
                    drv()->set_mod_freq(ch, t, 1234.5L);
                    drv()->set_mod_deviation(ch, t, dev);
                    drv()->set_mod_wave(ch, wave);
                };
                break;
            case 4:
                expected = [&] {
                    drv()->set_mod_type(ch, t);
                    drv()->set_mod_source(ch, t, 0);
                    drv()->set_mod_wave(ch, "50_square_ram.bin");
                    drv()->set_mod_freq(ch, t, 250.0L);
                };
                break;
            case 5:
                expected = [&] {
                    drv()->set_mod_type(ch, t);
                    drv()->set_mod_source(ch, t, 0);
                    drv()->set_mod_wave(ch, "50_square_ram.bin");
                    drv()->set_mod_freq(ch, t, 350.0L);
                    drv()->set_fsk_hop_freq(0, ch, 7000.0L);
                };
                break;
            case 6:
                expected = [&] {
                    drv()->set_mod_type(ch, t);
                    drv()->set_mod_source(ch, t, 0);
                    drv()->set_mod_wave(ch, "50_square_ram.bin");
                    drv()->set_mod_freq(ch, t, 450.0L);
                    drv()->set_mod_phase(ch, 90.0L);
                    drv()->set_psk_polarity(ch, 0);
                };
                break;
            default:
                expected = [&] {
                    drv()->set_mod_source(ch, t, 0);
                    drv()->set_mod_type(ch, t);
                    drv()->set_mod_freq(ch, t, 1234.5L);
                    drv()->set_mod_deviation(ch, t, dev);
                    drv()->set_mod_wave(ch, wave);
                    if (t == 3)
                        drv()->set_psk_polarity(ch, 0);
                };
                break;
            }
            EXPECT_TRUE(same_traffic([&] { m->apply(t, false); },
                                     [&] {
                                         expected();
                                         bswv(ch)->apply_current_wave(false);
                                     }));
        }
    }
}

TEST_F(CfgMod, AmSendsFullDepthForTheExternalSourceAndNoDepthForAnUnknownOne)
{
    carrier(0, WAVE_SINE, 20000.0L);
    make_active(0);
    play_carrier(0);
    cfg_mod_t *am = mod(0)->get_mod(1);
    am->store_deviation(cfg_rec(40.0L));
    const struct
    {
        int32 source;
        bool depth_sent;
        long double depth;
    } cases[] = {{1, true, 100.0L}, {0, true, 40.0L}, {2, false, 0.0L}};
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.source);
        am->store_source(c.source);
        EXPECT_TRUE(same_traffic([&] { am->apply(1, true); },
                                 [&] {
                                     drv()->set_mod_type(0, 1);
                                     drv()->set_mod_source(0, 1, c.source);
                                     drv()->set_mod_freq(0, 1, 100.0L);
                                     if (c.depth_sent)
                                         drv()->set_mod_deviation(0, 1, c.depth);
                                     drv()->set_mod_wave(0, "0_sine_ram.bin");
                                     bswv(0)->apply_current_wave(true);
                                 }));
    }
}

TEST_F(CfgMod, AmApplyWritesTypeSourceFrequencyDepthAndTheWaveBlockInOrder)
{
    carrier(0, WAVE_SINE, 20000.0L);
    make_active(0);
    cfg_mod_t *am = mod(0)->get_mod(1);
    const std::vector<sim_op_t> log = traffic([&] { am->apply(1, false); });
    // The modulation's own traffic ends with the wave block; the carrier's re-apply
    // follows it (its order against the driver calls is checked per type above).
    const auto block = std::find_if(log.begin(), log.end(),
                                    [](const sim_op_t &op) { return op.kind == sim_op_kind_t::block; });
    ASSERT_NE(block, log.end()) << sim.compact();
    const sim_op_t wave = *block;
    const std::vector<sim_op_t> head(log.begin(), block + 1);
    ASSERT_EQ(wave.kind, sim_op_kind_t::block);
    EXPECT_EQ(wave.words.size(), 4096u);
    // A real wave, not a filler.
    EXPECT_NE(*std::min_element(wave.words.begin(), wave.words.end()),
              *std::max_element(wave.words.begin(), wave.words.end()));
    const std::vector<sim_op_t> expected = {
        // Type 1: the mode field of register 40, with the trigger routing of
        // register 36 around it (its trigger-source field holds 2, internal, since
        // start-up).
        sim_read(40, 0x0000), sim_read(36, 0x0020), sim_write(36, 0x0020), sim_write(36, 0x0020),
        sim_write(36, 0x0120), sim_write(36, 0x0020), sim_write(40, 0x0002),
        // Source 0: the external-source bit cleared.
        sim_read(36, 0x0020), sim_write(36, 0x0020), sim_read(40, 0x0002), sim_write(40, 0x0002),
        // 100 Hz as the modulating-frequency word, then the update strobe.
        sim_write(26, 0xa7e0), sim_write(28, 0x0597), sim_write(30, 0x0000), sim_read(10, 0x0000),
        sim_write(10, 0x8000), sim_write(10, 0x9000), sim_write(10, 0x8000), sim_write(10, 0x0000),
        // Depth 100 %: (2^37 - 1) x 5/11 as the modulation word, then the strobe.
        sim_write(38, 0xe8b9), sim_write(170, 0x8ba2), sim_write(100, 0x000e), sim_read(10, 0x0000),
        sim_write(10, 0x8000), sim_write(10, 0x9000), sim_write(10, 0x8000), sim_write(10, 0x0000),
        // The sine as modulating wave: noise flag cleared, wave memory selected, block.
        sim_read(241, 0x0000), sim_write(241, 0x0000), sim_read(36, 0x0020), sim_write(36, 0x0020),
        sim_write(36, 0x0022), wave,
    };
    const std::string diff = sim_fpga_t::diff(expected, head);
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST_F(CfgMod, PwmOnTheSecondPlatformStepsTheDeviationAndSurvivesShortEdges)
{
    const long double margin = drv()->get_pwm_width_margin();
    carrier(0, WAVE_PULSE, 1000.0L);
    bswv(0)->store_pulse_width_raw(cfg_rec(2e-4L));
    cfg_mod_t *pwm = mod(0)->get_mod(8);
    const long double plain = pwm->get_max_deviation();
    EXPECT_NEAR(static_cast<double>(plain), static_cast<double>(2e-4L - margin), 1e-15);

    drv_instance_manage_t::get_instance()->set_product_id(2);
    const long double step = drv()->get_pwm_min_width();
    ASSERT_GT(step, 0.0L);
    const struct
    {
        const char *name;
        long double rise;
        long double fall;
    } cases[] = {
        // Both below the intrinsic edge: no root of a negative number.
        {"edges below the intrinsic one", 2e-9L, 2e-9L},
        {"long edges narrow the swing", 4e-5L, 6e-5L},
    };
    for (const auto &c : cases)
    {
        SCOPED_TRACE(c.name);
        bswv(0)->store_rise_edge_raw(cfg_rec(c.rise));
        bswv(0)->store_fall_edge_raw(cfg_rec(c.fall));
        const long double d = pwm->get_max_deviation();
        ASSERT_TRUE(std::isfinite(static_cast<double>(d)));
        EXPECT_GE(d, 0.0L);
        EXPECT_LE(d, plain);
        // A whole number of the driver's width steps.
        const long double steps = d / step;
        EXPECT_NEAR(static_cast<double>(steps), std::round(static_cast<double>(steps)), 1e-6);
    }
    // Long edges leave less room than short ones.
    bswv(0)->store_rise_edge_raw(cfg_rec(2e-9L));
    bswv(0)->store_fall_edge_raw(cfg_rec(2e-9L));
    const long double short_edges = pwm->get_max_deviation();
    bswv(0)->store_rise_edge_raw(cfg_rec(4e-5L));
    bswv(0)->store_fall_edge_raw(cfg_rec(6e-5L));
    EXPECT_LT(pwm->get_max_deviation(), short_edges);
}
