// The wave manager's applies, one operation log per wave type. Each log is checked in
// its fixed frame (wave-type relay, output muted, hold, the type's own steps, strobe,
// hold released, output restored): the frame's accesses are spelled out here, and the
// type's own steps are the accesses of the drivers' own operations, made directly from
// the same register and driver state. Every run starts from a state that a previous
// apply left, so the stateful drivers (ranges, relay path, reload flags) answer alike.
#include "drv_amp.h"
#include "drv_arb_wave.h"
#include "drv_combine.h"
#include "drv_filter.h"
#include "drv_fpga.h"
#include "drv_freq.h"
#include "drv_hc595.h"
#include "drv_para.h"
#include "drv_phase.h"
#include "drv_pulse.h"
#include "drv_reg_access.h"
#include "drv_square.h"
#include "drv_state_query.h"
#include "drv_wave_data.h"
#include "drv_wave_load.h"
#include "drv_wave_manage_vextral.h"
#include "sim_driver_fixture.h"
#include "stdout_capture.h"
#include "data/sine_apply_golden.h"
#include "sim_reg_transport.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

class DrvWaveManageApply : public sim_driver_fixture_t
{
protected:
    void SetUp() override
    {
        sim_driver_fixture_t::SetUp();
        manage = manager->get_wave_manage();
        freq = manager->get_freq();
        amp = manager->get_amp();
        phase = manager->get_phase();
        data = manager->get_wave_data();
        hc595 = manager->get_hc595();
    }

    // The register state every run starts from: all zero (outputs enabled, no hold),
    // except the outputs that a case switches off.
    void preset(int32 ch, bool output_on)
    {
        for (uint32 reg = 0; reg < 256; ++reg)
            sim.poke(reg, 0);
        if (!output_on)
            sim.poke(ch == 0 ? 36 : 68, 0x0800);
        sim.clear_log();
    }

    // The log a muted apply must leave: relay (a negative type: none), the output read
    // and switched off, the hold opened, the type's own steps (run here directly), the
    // strobe, the hold released, the output restored. Register values of the frame come
    // from the state the steps leave.
    std::vector<sim_op_t> expect_muted(int32 ch, int32 hold, int32 relay_type, bool output_on,
                                       const std::function<void()> &steps)
    {
        const uint32 ctrl = ch == 0 ? 36 : 68;
        preset(ch, output_on);
        std::vector<sim_op_t> log;
        auto take = [&] {
            log.insert(log.end(), sim.log().begin(), sim.log().end());
            sim.clear_log();
        };
        if (relay_type >= 0)
            hc595->set_wave_type_relay(ch, relay_type);
        take();
        // The output state read, then the switch's own read-modify-write.
        const uint16 c0 = sim.peek(ctrl);
        log.push_back(sim_read(ctrl, c0));
        log.push_back(sim_read(ctrl, c0));
        log.push_back(sim_write(ctrl, c0 | 0x0800));
        fpga->set_output_enable(ch, 0);
        if (hold == 1) {
            const uint16 h = sim.peek(36);
            log.push_back(sim_read(36, h));
            log.push_back(sim_write(36, h | 0x0008));
            fpga->begin_hold();
        }
        sim.clear_log();
        steps();
        take();
        const uint16 r10 = sim.peek(10);
        for (const sim_op_t &op : std::vector<sim_op_t>{
                 sim_read(10, r10), sim_write(10, r10 | 0x8000), sim_write(10, r10 | 0x9000),
                 sim_write(10, (r10 | 0x8000) & ~0x1000), sim_write(10, r10 & 0x6FFF)})
            log.push_back(op);
        fpga->update();
        if (hold == 1) {
            const uint16 h = sim.peek(36);
            log.push_back(sim_read(36, h));
            log.push_back(sim_write(36, h & ~0x0008));
            fpga->end_hold();
        }
        const uint16 c1 = sim.peek(ctrl);
        log.push_back(sim_read(ctrl, c1));
        log.push_back(sim_write(ctrl, output_on ? c1 & ~0x0800 : c1 | 0x0800));
        fpga->set_output_enable(ch, output_on ? 1 : 0);
        sim.clear_log();
        return log;
    }

    // The apply's own log from the same start.
    std::vector<sim_op_t> run(int32 ch, bool output_on, const std::function<void()> &apply)
    {
        preset(ch, output_on);
        apply();
        std::vector<sim_op_t> log = sim.log();
        sim.clear_log();
        return log;
    }

    testing::AssertionResult same(const std::vector<sim_op_t> &expected, const std::vector<sim_op_t> &actual)
    {
        const std::string diff = sim_fpga_t::diff(expected, actual);
        if (diff.empty())
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "operation log differs (- expected, + actual):\n" << diff;
    }

    void amp_direct(int32 ch, const drv_wave_para_t &p)
    {
        drv_ampl_para_t a{p.ampl, p.offset, p.load, p.freq};
        amp->set_ampl_offset(fpga, ch, &a);
    }

    void freqs_direct(const drv_wave_para_t &p)
    {
        freq->set_freq(0, p.ch0_freq);
        freq->set_freq(1, p.ch1_freq);
    }

    void write_direct(int32 ch, std::vector<int16> samples) { data->write_wave(ch, samples); }

    drv_wave_para_t wave_para() const
    {
        drv_wave_para_t p{};
        p.freq = 1000.0L;
        p.ch0_freq = 1000.0L;
        p.ch1_freq = 2500.0L;
        p.ampl = 2.0L;
        p.offset = 0.5L;
        p.phase = 30.0L;
        p.load = 50.0L;
        return p;
    }

    drv_wave_manage_t *manage = nullptr;
    drv_freq_t *freq = nullptr;
    drv_amp_t *amp = nullptr;
    drv_phase_t *phase = nullptr;
    drv_wave_data_t *data = nullptr;
    drv_hc595_t *hc595 = nullptr;
};

// The first sample of every block sent to a wave port, to see which wave went out.
std::vector<std::vector<uint16>> blocks(const std::vector<sim_op_t> &log)
{
    std::vector<std::vector<uint16>> out;
    for (const sim_op_t &op : log)
        if (op.kind == sim_op_kind_t::block)
            out.push_back(op.words);
    return out;
}

} // namespace

TEST_F(DrvWaveManageApply, SinePlainAndWithHarmonicsInTheirFrame)
{
    std::vector<int16> sine;
    data->get_builtin_wave(0, sine, 0.0f);
    ASSERT_EQ(sine.size(), 16384u);
    std::vector<int16> harmonics(1000);
    for (size_t i = 0; i < harmonics.size(); ++i)
        harmonics[i] = static_cast<int16>(i * 30 - 15000);

    drv_wave_para_t p = wave_para();
    ASSERT_EQ(manage->set_sine_wave(0, 0, &p), 1);
    for (int32 ch : {0, 1}) {
        for (int32 hold : {0, 1}) {
            for (int32 harmonic : {0, 1}) {
                for (bool output_on : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "channel " << ch << ", hold " << hold << ", harmonic "
                                                    << harmonic << ", output " << output_on);
                    p.harmonic_switch = harmonic;
                    p.wave_data = harmonic ? &harmonics : nullptr;
                    // The relay path last carried another wave, so the sine switches it.
                    hc595->set_wave_type_relay(ch, 2);
                    const std::vector<sim_op_t> expected = expect_muted(ch, hold, 0, output_on, [&] {
                        drv_filter_set_default(ch);
                        manage->select_dds_path(ch);
                        freqs_direct(p);
                        amp_direct(ch, p);
                        phase->set_phase(fpga, ch, p.phase);
                        write_direct(ch, harmonic ? harmonics : sine);
                    });
                    hc595->set_wave_type_relay(ch, 2);
                    const std::vector<sim_op_t> actual = run(ch, output_on, [&] { manage->set_sine_wave(hold, ch, &p); });
                    EXPECT_TRUE(same(expected, actual));
                    ASSERT_EQ(blocks(actual).size(), 1u);
                    EXPECT_EQ(blocks(actual)[0].size(), harmonic ? harmonics.size() : sine.size());
                    EXPECT_EQ(manage->get_wave_type(ch), 0);
                    EXPECT_EQ(fpga->get_hold_count(), 0);
                }
            }
        }
    }

    // Harmonics on without samples: the built-in sine.
    p.harmonic_switch = 1;
    p.wave_data = nullptr;
    const std::vector<sim_op_t> with_null = run(0, true, [&] { manage->set_sine_wave(0, 0, &p); });
    p.harmonic_switch = 0;
    const std::vector<sim_op_t> plain = run(0, true, [&] { manage->set_sine_wave(0, 0, &p); });
    EXPECT_TRUE(same(plain, with_null));
}

TEST_F(DrvWaveManageApply, RampPulseAndPrbsInTheirFrame)
{
    drv_wave_para_t p = wave_para();
    p.symmetry = 25.0L;
    p.pulse_width = 200e-6L;
    p.rise_edge = 20e-9L;
    p.fall_edge = 30e-9L;
    p.prbs_length = 7.0L;
    p.prbs_edge = 5e-9L;
    for (int32 ch : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "channel " << ch);
        // Ramp.
        manage->set_ramp_wave(1, ch, &p);
        hc595->set_wave_type_relay(ch, 0);
        std::vector<sim_op_t> expected = expect_muted(ch, 1, 2, true, [&] {
            drv_filter_set_default(ch);
            manage->select_dds_path(ch);
            freqs_direct(p);
            amp_direct(ch, p);
            phase->set_phase(fpga, ch, p.phase);
            std::vector<int16> ramp;
            data->make_ramp_wave(25.0L, 16384, ramp);
            data->write_wave(ch, ramp);
        });
        hc595->set_wave_type_relay(ch, 0);
        EXPECT_TRUE(same(expected, run(ch, true, [&] { manage->set_ramp_wave(1, ch, &p); })));
        EXPECT_EQ(manage->get_wave_type(ch), 2);

        // Pulse: amplitude and phase, then the pulse path and timing, then frequencies.
        manage->set_pulse_wave(0, ch, &p);
        hc595->set_wave_type_relay(ch, 0);
        expected = expect_muted(ch, 0, 3, true, [&] {
            drv_filter_set_default(ch);
            amp_direct(ch, p);
            phase->set_phase(fpga, ch, p.phase);
            manage->select_pulse_path(ch);
            drv_pulse_t *pulse = manager->get_pulse();
            pulse->set_timing(ch, p.freq, p.pulse_width, p.fall_edge, p.rise_edge);
            pulse->set_fall_edge(ch, p.fall_edge, p.freq);
            pulse->set_rise_edge(ch, p.rise_edge, p.freq);
            freqs_direct(p);
        });
        hc595->set_wave_type_relay(ch, 0);
        EXPECT_TRUE(same(expected, run(ch, true, [&] { manage->set_pulse_wave(0, ch, &p); })));
        EXPECT_TRUE(manage->is_pulse_wave(ch));
    }
}

TEST_F(DrvWaveManageApply, RampFollowsEachNewSymmetry)
{
    // The manager keeps its last ramp: a changed symmetry must still build a new one.
    const long double symmetries[] = {25.0L, 25.0L, 75.0L, 0.0L, 100.0L, 25.0L};
    for (long double symmetry : symmetries) {
        SCOPED_TRACE(static_cast<double>(symmetry));
        sim.poke(68, 0);
        sim.clear_log();
        manage->set_ramp_symmetry(1, &symmetry);
        const std::vector<sim_op_t> actual = sim.log();
        std::vector<int16> ramp;
        data->make_ramp_wave(symmetry, 16384, ramp);
        sim.poke(68, 0);
        sim.clear_log();
        data->write_wave(1, ramp);
        EXPECT_TRUE(same(sim.log(), actual));
    }
}

TEST_F(DrvWaveManageApply, PrbsWithThePairAndCouplingFlags)
{
    drv_wave_para_t p = wave_para();
    p.prbs_length = 7.0L;
    p.prbs_edge = 5e-9L;
    const struct
    {
        int32 link, tracking;
    } cases[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", pair " << c.link << ", coupling "
                                            << c.tracking);
            p.prbs_link = c.link;
            p.tracking = c.tracking;
            manage->set_prbs_wave(1, ch, &p);
            const int32 other = 1 - ch;
            const std::vector<sim_op_t> expected = expect_muted(ch, 1, -1, true, [&] {
                manage->select_sample_rate_path(ch);
                freqs_direct(p);
                drv_ampl_para_t a{p.ampl, p.offset, p.load, p.freq};
                amp->set_ampl_offset(fpga, ch, &a);
                phase->_set_phase_as_start(ch, 0.0L);
                manage->set_prbs_edge(ch, &p);
                if (c.link == 1) {
                    fpga->set_output_polarity(1, fpga->get_output_polarity(0) == 0 ? 1 : 0);
                    amp->set_ampl_offset(fpga, other, &a);
                }
                if (c.tracking == 1)
                    amp->set_ampl_offset(fpga, other, &a);
            });
            const std::vector<sim_op_t> actual = run(ch, true, [&] { manage->set_prbs_wave(1, ch, &p); });
            EXPECT_TRUE(same(expected, actual));
            // No wave is written; with the pair flag channel 1's polarity (register 80
            // bit 2) is flipped once against channel 0's.
            EXPECT_TRUE(blocks(actual).empty());
            size_t polarity_writes = 0;
            for (const sim_op_t &op : actual)
                polarity_writes += op.kind == sim_op_kind_t::write && op.address == 80;
            EXPECT_EQ(polarity_writes, c.link == 1 ? 1u : 0u);
            EXPECT_EQ(manage->get_wave_type(ch), 8);
        }
    }
}

TEST_F(DrvWaveManageApply, ArbitraryInDdsAndSampleRateMode)
{
    drv_wave_para_t p = wave_para();
    p.srate_word = 4194303.0L;
    const struct
    {
        int32 mode;      // this apply's sample-rate mode
        int32 previous;  // the mode of the apply before it
    } cases[] = {{0, 1}, {1, 0}, {7, 0}};
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", mode " << c.mode);
            drv_wave_para_t before = p;
            before.sample_rate_mode = c.previous;
            p.sample_rate_mode = c.mode;
            drv_arb_wave_t *arb = manager->get_arb_wave();
            auto prepare = [&] {
                manage->set_arb_wave(0, ch, &before);
                hc595->set_wave_type_relay(ch, 0);
            };
            prepare();
            const std::vector<sim_op_t> expected = expect_muted(ch, 0, 6, true, [&] {
                arb->set_sample_rate_mode(ch, c.mode);
                drv_filter_set_default(ch);
                if (c.mode == 1) {
                    manage->select_sample_rate_path(ch);
                    arb->set_sample_rate(ch, p.srate_word);
                } else if (c.mode == 0) {
                    manage->select_dds_path(ch);
                }
                freqs_direct(p);
                amp_direct(ch, p);
                phase->set_phase(fpga, ch, p.phase);
                arb->reload_wave(ch);
            });
            prepare();
            EXPECT_TRUE(same(expected, run(ch, true, [&] { manage->set_arb_wave(0, ch, &p); })));
            EXPECT_EQ(manage->get_wave_type(ch), 6);
        }
    }
}

TEST_F(DrvWaveManageApply, NoiseAlwaysPlaysItsTableAtTwoMegahertz)
{
    drv_noise_para_t p{1.5L, -0.25L, 1, 1e6L, 50.0L};
    std::vector<int16> noise;
    data->get_builtin_wave(1, noise, 0.0f);
    ASSERT_FALSE(noise.empty());
    for (int32 ch : {0, 1}) {
        SCOPED_TRACE(ch);
        manage->set_noise_wave(ch, &p);
        hc595->set_wave_type_relay(ch, 0);
        preset(ch, true);
        hc595->set_wave_type_relay(ch, 4);
        manage->select_noise_path(ch);
        std::vector<int16> copy = noise;
        data->write_wave(ch, copy);
        drv_ampl_para_t a{p.ampl, p.offset, p.load, 2000000.0L};
        amp->set_ampl_offset(fpga, ch, &a);
        freq->set_freq_phase(ch, 2000000.0L, 0.0L);
        const std::vector<sim_op_t> expected = sim.log();
        hc595->set_wave_type_relay(ch, 0);
        const std::vector<sim_op_t> actual = run(ch, true, [&] { manage->set_noise_wave(ch, &p); });
        EXPECT_TRUE(same(expected, actual));
        // Not muted: the output switch is never written.
        EXPECT_EQ(blocks(actual).size(), 1u);
        EXPECT_EQ(manage->get_wave_type(ch), 4);
    }
}

TEST_F(DrvWaveManageApply, SquareIsUnmutedAndStartsABurstAtTwoHundredSeventyDegrees)
{
    drv_square_t *square = manager->get_square();
    drv_wave_para_t p = wave_para();
    p.duty = 30.0L;
    p.rise_edge = 1e-8L;
    p.fall_edge = 2e-8L;
    const struct
    {
        const char *name;
        int32 run_mode;
        bool burst_on;
    } cases[] = {{"continuous", 3, false}, {"burst", 2, true}, {"sweep, table square", 1, false}};
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", " << c.name);
            fpga->set_run_mode(ch, c.run_mode);
            auto start = [&] {
                preset(ch, true);
                if (c.burst_on)
                    fpga->set_burst_field(ch, 1);
                sim.clear_log();
            };
            auto steps = [&](long double degrees) {
                hc595->set_wave_type_relay(ch, 1);
                const drv_square_para_t sq{c.run_mode, p.rise_edge, p.fall_edge, p.freq, p.duty};
                square->set_duty(ch, &sq);
                drv_burst_is_on(ch); // the burst field is read between duty and amplitude
                amp_direct(ch, p);
                freq->set_freq_phase(ch, p.freq, degrees);
            };
            // Once first, from the same registers, so the drivers' own state is alike
            // for every run.
            hc595->set_wave_type_relay(ch, 0);
            start();
            manage->set_square_wave(1, ch, &p);
            hc595->set_wave_type_relay(ch, 0);
            start();
            steps(c.burst_on ? 270.0L : p.phase);
            const std::vector<sim_op_t> expected = sim.log();
            hc595->set_wave_type_relay(ch, 0);
            start();
            EXPECT_EQ(manage->set_square_wave(1, ch, &p), 1);
            const std::vector<sim_op_t> actual = sim.log();
            EXPECT_TRUE(same(expected, actual));
            EXPECT_EQ(manage->get_wave_type(ch), 1);
            EXPECT_TRUE(manage->is_square_wave(ch));
            if (c.burst_on) {
                // The record's own phase would give another log.
                hc595->set_wave_type_relay(ch, 0);
                start();
                steps(p.phase);
                EXPECT_FALSE(sim_fpga_t::diff(sim.log(), actual).empty());
            }
        }
    }
    EXPECT_EQ(manage->set_square_wave(1, 0, nullptr), 0);
}

TEST_F(DrvWaveManageApply, DcOnACombinedChannelTakesAmplitudeOrLevel)
{
    drv_combine_t *combine = manager->get_combine();
    const struct
    {
        bool combined;
        long double ampl;
        bool amplitude_path;
    } cases[] = {{true, 1.0L, true}, {true, 0.0L, false}, {false, 1.0L, false}};
    for (int32 ch : {0, 1}) {
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << ", combined " << c.combined << ", amplitude "
                                            << static_cast<double>(c.ampl));
            drv_dc_para_t p{0.75L, 50.0L, c.ampl};
            auto start = [&] {
                preset(ch, true);
                combine->set_combine(ch, c.combined ? 1 : 0);
                sim.clear_log();
            };
            auto prepare = [&] {
                start();
                manage->set_dc_wave(ch, &p);
                hc595->set_wave_type_relay(ch, 0);
            };
            prepare();
            start();
            hc595->set_wave_type_relay(ch, 5);
            drv_filter_set_default(ch);
            manage->select_dds_path(ch);
            drv_load_zero_wave(ch);
            int32 on = 0;
            combine->get_combine(ch, &on);
            if (c.amplitude_path) {
                drv_ampl_para_t a{p.ampl, p.offset, p.load, 0.0L};
                amp->set_ampl_offset(fpga, ch, &a);
            } else {
                long double level = 0;
                amp->convert_ampl_for_load(p.load, p.offset, &level);
                EXPECT_EQ(level, 1.5L);
                amp->set_dc_level(fpga, ch, level);
            }
            const std::vector<sim_op_t> expected = sim.log();
            prepare();
            start();
            manage->set_dc_wave(ch, &p);
            EXPECT_TRUE(same(expected, sim.log()));
            // No strobe.
            EXPECT_TRUE(sim.writes_to(10).empty());
            EXPECT_EQ(manage->get_wave_type(ch), 5);
        }
    }
}

TEST_F(DrvWaveManageApply, NullRecordsAndTheDataPatternWriteNothing)
{
    EXPECT_EQ(manage->set_sine_wave(1, 0, nullptr), 0);
    EXPECT_EQ(manage->set_ramp_wave(1, 0, nullptr), 0);
    EXPECT_EQ(manage->set_pulse_wave(1, 0, nullptr), 0);
    EXPECT_EQ(manage->set_arb_wave(1, 0, nullptr), 0);
    EXPECT_EQ(manage->set_prbs_wave(1, 0, nullptr), 0);
    EXPECT_EQ(manage->set_noise_wave(0, nullptr), 0);
    EXPECT_EQ(manage->set_dc_wave(0, nullptr), 0);
    drv_data_pattern_para_t pattern{};
    EXPECT_EQ(manage->set_data_pattern_wave(0, &pattern), 1);
    EXPECT_TRUE(sim.log().empty());
    EXPECT_EQ(manage->get_wave_type(0), -1);
}

namespace {

std::vector<std::string> log_lines(const std::vector<sim_op_t> &log)
{
    std::vector<std::string> lines;
    for (const sim_op_t &op : log)
        lines.push_back(sim_op_text(op));
    return lines;
}

} // namespace

TEST(DrvWaveManageGolden, SineOnChannelZeroGivesTheGoldenListAndTrace)
{
    sim_fpga_t sim;
    sim_install_reg_transport(sim);
    sim_os_recorder_t recorder{sim};
    stdout_capture_t capture;
    drv_instance_manage_t *manager = drv_instance_manage_t::get_instance();
    capture.finish();
    sim.answer_reads_with_zero(true);
    sim.clear_log();

    drv_wave_para_t p{};
    p.freq = 1000.0L;
    p.ch0_freq = 1000.0L;
    p.ch1_freq = 2500.0L;
    p.ampl = 2.0L;
    p.offset = 0.5L;
    p.phase = 30.0L;
    p.load = 50.0L;
    drv_fpga_set_reg_trace(1);
    stdout_capture_t quiet;
    manager->get_wave_manage()->set_sine_wave(0, 0, &p);
    quiet.finish();

    const std::vector<std::string> golden(std::begin(SINE_APPLY_CH0_GOLDEN), std::end(SINE_APPLY_CH0_GOLDEN));
    const std::vector<std::string> actual = log_lines(sim.log());
    EXPECT_EQ(actual, golden);
    EXPECT_EQ(*drv_fpga_get_reg_trace(), golden_trace());
    drv_fpga_set_reg_trace(0);
}
