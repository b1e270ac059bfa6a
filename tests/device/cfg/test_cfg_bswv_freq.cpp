// Frequency, period and sample rate of the channel settings: limits by wave type and
// run mode, the re-checks after a change, the apply decision and the linked PRBS copy.
#include "cfg_bswv_main.h"
#include "cfg_bswv_wave.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_apply.h"
#include "cfg_burst.h"
#include "cfg_sweep.h"
#include "cfg_sync.h"
#include "cfg_wv_main.h"
#include "drv_fpga_reg.h"
#include "drv_para.h"
#include "lib_ch.h"

#include <cmath>
#include <optional>
#include <vector>

namespace
{
lib_unit_data_t rec(long double v, int32 unit = LIB_UNIT_BASE)
{
    return lib_unit_data_t{v, unit, false};
}

using CfgBswvFreq = cfg_fixture_t;
} // namespace

TEST_F(CfgBswvFreq, FrequencyIsCheckedAgainstTheWaveAndRunModeLimits)
{
    struct case_t
    {
        int32 type;
        int32 run_mode;
        long double value;
        int32 code;
    };
    // Codes: 0 inside, -10 above the maximum, -11 below the minimum, -12 no frequency.
    const std::vector<case_t> cases = {
        {0, 3, 2000.0L, 0}, {0, 3, 1e12L, -10}, {0, 3, -1.0L, -11}, {1, 3, 5000.0L, 0},
        {2, 3, 1e12L, -10}, {3, 3, 3000.0L, 0}, {0, 2, 1e-9L, -11}, {8, 3, 1e12L, -10},
        {4, 3, 2000.0L, -12}, {5, 3, 2000.0L, -12},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " mode " << c.run_mode << " value " << c.value);
        cfg_bswv_main_t *b = cfg_get_bswv_main(0);
        b->store_freq_raw(rec(1000.0L));
        b->store_wave_type_raw(c.type);
        cfg_get_wv_main(0)->store_run_mode(c.run_mode);
        const long double max = b->get_current_wave()->get_max_freq(0);
        const long double min = b->get_current_wave()->get_min_freq(0);
        const long double expected = c.code == -12 ? 1000.0L : c.code == -10 ? max : c.code == -11 ? min : c.value;
        EXPECT_EQ(b->set_freq(rec(c.value)), c.code);
        EXPECT_EQ(b->get_freq_raw().data, expected);
    }
}

TEST_F(CfgBswvFreq, PeriodSetsTheInverseFrequencyInAnyUnit)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    EXPECT_EQ(b->set_period(rec(0.002L)), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->get_freq_raw().data), 500.0);
    // 1 ms given in code 13.
    EXPECT_EQ(b->set_period(rec(1.0L, 13)), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->get_freq_raw().data), 1000.0);
    // A period of 0 is an infinite frequency, pulled to the maximum.
    EXPECT_EQ(b->set_period(rec(0.0L)), -10);
    EXPECT_EQ(b->get_freq_raw().data, b->get_current_wave()->get_max_freq(0));
    // The tracked channel's store: no re-apply, same frequency.
    EXPECT_EQ(b->store_period(rec(0.004L)), 0);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->get_freq_raw().data), 250.0);
}

TEST_F(CfgBswvFreq, ApplyFollowsOnlyAChangeOnAChannelThatPlaysOrFollows)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    cfg_ch_couple_t *couple = cfg_get_couple();
    struct case_t
    {
        const char *what;
        int32 output;
        int32 track;
        int32 freq_couple;
        int32 prbs_link;
        int32 expected;
    };
    const std::vector<case_t> cases = {
        {"output off, nothing couples", 0, 0, 0, 0, 0}, {"output on", 1, 0, 0, 0, 1},
        {"tracking source", 0, 1, 0, 0, 1},             {"frequency coupled", 0, 0, 1, 0, 1},
        {"linked PRBS", 0, 0, 0, 1, 1},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        cfg_get_wv_main(0)->store_output(c.output);
        couple->set_track_en(c.track);
        couple->set_src_ch_raw(0);
        couple->set_couple_en(0, c.freq_couple);
        b->store_wave_type_raw(c.prbs_link ? 8 : 0);
        b->store_prbs_link_raw(c.prbs_link);
        b->store_freq_raw(rec(1000.0L));
        b->store_freq(rec(2500.0L));
        EXPECT_EQ(b->freq_needs_apply(), c.expected);
        // The same value again leaves changed at 0: nothing to apply.
        b->store_freq(rec(2500.0L));
        EXPECT_EQ(b->freq_needs_apply(), 0);
    }
}

TEST_F(CfgBswvFreq, FrequencyChangeReChecksTheSquareDuty)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(1);
    lib_unit_data_t duty = rec(10.0L);
    EXPECT_EQ(b->set_duty(&duty), 1);
    // Above 12.5 MHz the square's duty range narrows: 10 % is raised.
    b->set_freq(rec(20e6L));
    EXPECT_GT(b->get_duty_raw().data, 10.0L);
}

TEST_F(CfgBswvFreq, PulseKeepsWidthOrDutyAsItsHoldSays)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(3);
    // Hold 0 keeps the width 0.0002 s: at 2000 Hz that is 40 %.
    EXPECT_EQ(b->set_freq(rec(2000.0L)), 0);
    EXPECT_EQ(b->get_pulse_width_raw().data, 0.0002L);
    EXPECT_NEAR(static_cast<double>(b->get_pulse_duty_raw().data), 40.0, 1e-9);
    // Hold 1 keeps the duty: 40 % at 4000 Hz is 0.0001 s.
    EXPECT_EQ(b->set_pulse_hold(1), 1);
    EXPECT_EQ(b->set_freq(rec(4000.0L)), 0);
    EXPECT_NEAR(static_cast<double>(b->get_pulse_duty_raw().data), 40.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(b->get_pulse_width_raw().data), 0.0001, 1e-15);
}

TEST_F(CfgBswvFreq, PulseDelayFollowsTheNewPeriodAsAPhase)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(3);
    EXPECT_EQ(b->set_pulse_delay(rec(0.00025L)), 1);
    EXPECT_DOUBLE_EQ(static_cast<double>(b->get_phase_raw().data), -90.0);
    lib_unit_data_t delay{};
    b->get_pulse_delay(&delay);
    EXPECT_NEAR(static_cast<double>(delay.data), 0.00025, 1e-15);
}

TEST_F(CfgBswvFreq, ArbitrarySampleRatePathStoresTheDerivedRate)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(6);
    b->store_sample_rate_mode_raw(1);
    const int32 len = b->get_wave_len();
    ASSERT_GT(len, 0);
    EXPECT_EQ(b->set_freq(rec(2000.0L)), 1);
    EXPECT_EQ(b->get_sample_rate_raw().data, 2000.0L * len);
    EXPECT_EQ(b->get_freq_raw().data, 2000.0L);
    // Below channel 0's minimum: raised to it, -11.
    cfg_get_wv_main(0)->store_run_mode(2);
    const long double min = b->get_current_wave()->get_min_freq(0);
    EXPECT_EQ(b->set_freq(rec(min / 2)), -11);
    EXPECT_EQ(b->get_freq_raw().data, min);
}

TEST_F(CfgBswvFreq, SampleRateModeIsRefusedInSweepAndBurst)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    struct case_t
    {
        int32 run_mode;
        int32 on;
        int32 code;
    };
    for (const case_t &c : std::vector<case_t>{{2, 1, -12}, {1, 1, -12}, {1, 0, 1}, {3, 1, 1}, {0, 1, 1}})
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.run_mode << " on " << c.on);
        b->store_sample_rate_mode_raw(7);
        cfg_get_wv_main(0)->store_run_mode(c.run_mode);
        EXPECT_EQ(b->set_sample_rate_mode(c.on), c.code);
        EXPECT_EQ(b->get_sample_rate_mode(), c.code == -12 ? 7 : c.on);
    }
}

TEST_F(CfgBswvFreq, LinkedPrbsCopiesItsSettingsToTheOtherChannel)
{
    cfg_bswv_main_t *b0 = cfg_get_bswv_main(0);
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    b0->store_wave_type_raw(8);
    lib_unit_data_t length = rec(7.0L);
    b0->store_prbs_length(length);
    EXPECT_EQ(b0->set_prbs_link(1), 1);
    EXPECT_EQ(b1->get_prbs_link_raw(), 1);
    EXPECT_EQ(b1->get_wave_type(), 8);
    EXPECT_EQ(b0->set_freq(rec(3000.0L)), 0);
    EXPECT_EQ(b1->get_freq_raw().data, 3000.0L);
    EXPECT_EQ(b1->get_prbs_length_raw().data, 7.0L);
    EXPECT_EQ(b1->get_ampl_raw().data, b0->get_ampl_raw().data);
    // Switching off clears both channels.
    EXPECT_EQ(b1->set_prbs_link(0), 1);
    EXPECT_EQ(b0->get_prbs_link_raw(), 0);
    EXPECT_EQ(b1->get_prbs_link_raw(), 0);
}

TEST_F(CfgBswvFreq, FrequencyZeroClearsThePulseTiming)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(3);
    b->store_freq_raw(rec(0.0L));
    b->recheck_after_freq();
    EXPECT_EQ(b->get_pulse_width_raw().data, 0.0L);
    EXPECT_EQ(b->get_pulse_duty_raw().data, 0.0L);
    EXPECT_EQ(b->get_rise_edge_raw().data, 0.0L);
    EXPECT_EQ(b->get_fall_edge_raw().data, 0.0L);
    // The pulse setters refuse at frequency 0 and keep the width.
    EXPECT_EQ(b->set_width(rec(0.0001L)), -13);
    EXPECT_EQ(b->get_pulse_width_raw().data, 0.0L);
}

namespace
{
// The channel's tuning word as last written, low word first; nullopt when one of its
// three registers was not written since the log was cleared.
std::optional<std::uint64_t> tuning_word(const sim_fpga_t &sim, int32 ch)
{
    std::uint64_t word = 0;
    for (int i = 0; i < 3; ++i)
    {
        bool written = false;
        for (const sim_op_t &op : sim.log())
            written = written || (op.kind == sim_op_kind_t::write && op.address == DRV_FPGA_REG_FREQ_WORD[ch][i]);
        if (!written)
            return std::nullopt;
        word |= static_cast<std::uint64_t>(*sim.last_write(DRV_FPGA_REG_FREQ_WORD[ch][i])) << (16 * i);
    }
    return word;
}
} // namespace

// Frequency coupling by ratio 2 from reference channel 0, both outputs on: a change
// through the setter reaches the other channel only from the current channel.
TEST_F(CfgBswvFreq, CoupledFrequencyChangeWritesBothTuningWords)
{
    struct case_t
    {
        const char *what;
        int32 couple_on;
        int32 current;
        bool through_command;
        long double expected_other;
    };
    const std::vector<case_t> cases = {
        {"coupling off", 0, 0, false, 700.0L},
        {"ratio 2, channel 0 current", 1, 0, false, 2000.0L},
        {"ratio 2 through the channel command", 1, 0, true, 2000.0L},
        {"ratio 2, channel 1 current", 1, 1, false, 700.0L},
    };
    cfg_ch_couple_t *couple = cfg_get_couple();
    ASSERT_EQ(couple->set_couple_mode(0, CFG_COUPLE_BY_RATIO), 1);
    ASSERT_EQ(couple->set_freq_ratio(2.0L), 1);
    cfg_get_wv_main(0)->store_output(1);
    cfg_get_wv_main(1)->store_output(1);
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        cfg_main_t::get_instance()->set_current_channel(0);
        ASSERT_EQ(couple->set_couple_en(0, c.couple_on), 1);
        cfg_main_t::get_instance()->set_current_channel(c.current);
        // Values the coupling does not produce, so that a follow shows.
        cfg_get_bswv_main(0)->store_freq_raw(rec(250.0L));
        cfg_get_bswv_main(1)->store_freq_raw(rec(700.0L));
        sim.clear_log();

        if (c.through_command)
            EXPECT_EQ(lib_ch_set_freq(0, 1.0L, 15), 0);
        else
            EXPECT_EQ(cfg_get_bswv_main(0)->set_freq(rec(1000.0L)), 0);

        EXPECT_EQ(cfg_get_bswv_main(0)->get_freq_raw().data, 1000.0L);
        EXPECT_EQ(cfg_get_bswv_main(1)->get_freq_raw().data, c.expected_other);
        // Both words go out in one driver call; the other channel's is its own frequency.
        const std::optional<std::uint64_t> w0 = tuning_word(sim, 0);
        const std::optional<std::uint64_t> w1 = tuning_word(sim, 1);
        ASSERT_TRUE(w0.has_value());
        ASSERT_TRUE(w1.has_value());
        EXPECT_NEAR(static_cast<double>(*w1), static_cast<double>(*w0) * static_cast<double>(c.expected_other / 1000.0L),
                    2.0);
    }
}

// A frequency change re-checks the sweep, the burst and the sync output of its channel.
TEST_F(CfgBswvFreq, FrequencyChangeReChecksSweepBurstAndSync)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    cfg_wv_main_t *w = cfg_get_wv_main(0);

    // Sweep: start and stop move around the new centre with the span kept.
    ASSERT_EQ(w->set_run_mode(1), 1);
    cfg_sweep_t *sweep = cfg_get_sweep(0);
    const long double span = sweep->get_span_value();
    ASSERT_GT(span, 0.0L);
    sim.clear_log();
    EXPECT_EQ(b->set_freq(rec(5000.0L)), 0);
    EXPECT_EQ(sweep->get_start_value(), 5000.0L - span / 2);
    EXPECT_EQ(sweep->get_stop_value(), 5000.0L + span / 2);
    // The sweep deviation (half the span) goes out again through the modulation word.
    EXPECT_TRUE(sim.last_write(DRV_FPGA_REG_MOD_WORD[0][0]).has_value());

    // Burst with the output on: the period is re-clamped to the slower carrier and the
    // burst goes out again with finite timing.
    ASSERT_EQ(w->set_run_mode(2), 1);
    w->store_output(1);
    cfg_burst_t *burst = cfg_get_burst(0);
    lib_unit_data_t short_period = rec(1e-6L);
    burst->set_period_raw(short_period);
    sim.clear_log();
    EXPECT_EQ(b->set_freq(rec(100.0L)), 0);
    lib_unit_data_t period{};
    burst->get_period(&period);
    EXPECT_GE(period.data, burst->get_min_period());
    EXPECT_TRUE(sim.last_write(DRV_FPGA_REG_BURST_DELAY[0][0]).has_value());
    const drv_burst_para_t para = cfg_build_burst_para();
    for (long double v : {para.ch0_freq, para.ch0_delay, para.ch0_period})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(para.ch0_freq, 100.0L);

    // Sync: a channel raised above 10 MHz switches the sync output off.
    ASSERT_EQ(w->set_run_mode(3), 1);
    cfg_sync_t *sync = cfg_get_sync();
    ASSERT_EQ(sync->set_enable(1), 1);
    EXPECT_EQ(b->set_freq(rec(20e6L)), 0);
    EXPECT_EQ(sync->get_enable(), 0);
}
