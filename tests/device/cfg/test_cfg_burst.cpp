// The burst object: its limits by mode, cycles, wave type and trigger source, the
// refusals, the start phase, the order of its driver calls and the finite timing that
// reaches the driver after a frequency change.
#include "cfg_apply.h"
#include "cfg_burst.h"
#include "cfg_ch_couple.h"
#include "cfg_replay_fixture.h"
#include "drv_fpga.h"
#include "drv_fpga_reg.h"
#include "drv_freq.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "lib_trunc.h"
#include "stdout_capture.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
// The delay is stored from a double constant.
constexpr long double INITIAL_DELAY = static_cast<long double>(5.2103515625e-07);

class CfgBurst : public cfg_replay_fixture_t
{
protected:
    cfg_burst_t *burst = cfg_get_burst(0);
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(0);

    // Burst switched on without its driver traffic: the settings alone.
    void on_raw(int32 type = 0, long double hz = 1000.0L)
    {
        bswv->store_wave_type_raw(type);
        bswv->store_freq_raw(rec(hz));
        burst->set_burst_on_raw(1);
    }
};

long double burst_rate(int32 ch)
{
    long double hz = 0.0L;
    drv_instance_manage_t::get_instance()->get_freq()->get_burst_freq(ch, &hz);
    return hz;
}
} // namespace

TEST_F(CfgBurst, StartsOffWithTheInitialSettings)
{
    for (int32 ch : {0, 1})
    {
        const cfg_burst_t *b = cfg_get_burst(ch);
        SCOPED_TRACE(ch);
        EXPECT_EQ(b->get_channel(), ch);
        EXPECT_EQ(b->get_switch(), 0);
        EXPECT_EQ(b->get_period().data, 0.01L);
        EXPECT_EQ(b->get_period().unit, LIB_UNIT_BASE);
        EXPECT_EQ(b->get_mode(), 0);
        EXPECT_EQ(b->get_trig_src(), 0);
        EXPECT_EQ(b->get_trig_out(), 2);
        lib_unit_data_t delay{};
        b->get_delay(&delay);
        EXPECT_EQ(delay.data, INITIAL_DELAY);
        EXPECT_EQ(b->get_cycles(), 1);
        EXPECT_EQ(b->get_infinite(), 0);
        EXPECT_EQ(b->get_gate_polarity(), 0);
        EXPECT_EQ(b->get_trig_edge(), 2);
        // Nothing sets the clock: an infinite clock period and no resolution.
        EXPECT_TRUE(std::isinf(b->get_clock_period()));
        EXPECT_EQ(b->get_freq_res(), 0.0L);
    }
}

TEST_F(CfgBurst, EveryCheckingSetterRefusesWhileOffAndChangesNothing)
{
    const lib_unit_data_t value = rec(0.5L);
    const std::pair<const char *, std::function<int32()>> setters[] = {
        {"period", [&] { return burst->set_period(&value); }},
        {"mode", [&] { return burst->set_mode(1); }},
        {"cycles", [&] { return burst->set_cycles(5); }},
        {"source", [&] { return burst->set_trig_src(1); }},
        {"output", [&] { return burst->set_trig_out(0); }},
        {"delay", [&] { return burst->set_delay(&value); }},
        {"polarity", [&] { return burst->set_gate_polarity(1); }},
        {"phase", [&] { return burst->set_phase(&value); }},
        {"edge", [&] { return burst->set_trig_edge(1); }},
    };
    for (const auto &s : setters)
    {
        SCOPED_TRACE(s.first);
        int32 result = 0;
        EXPECT_TRUE(no_traffic([&] { result = s.second(); }));
        EXPECT_EQ(result, -12);
    }
    lib_unit_data_t delay{};
    burst->get_delay(&delay);
    EXPECT_EQ(delay.data, INITIAL_DELAY);
    EXPECT_EQ(burst->get_period().data, 0.01L);
    EXPECT_EQ(burst->get_mode(), 0);
    EXPECT_EQ(burst->get_cycles(), 1);
    EXPECT_EQ(burst->get_trig_src(), 0);
    EXPECT_EQ(burst->get_trig_out(), 2);
    EXPECT_EQ(burst->get_gate_polarity(), 0);
    lib_unit_data_t phase{};
    bswv->get_phase(&phase);
    EXPECT_EQ(phase.data, 0.0L);
}

TEST_F(CfgBurst, MinimumPeriodFollowsModeCyclesAndWaveType)
{
    struct case_t
    {
        int32 type;
        long double hz;
        int32 mode;
        int32 cycles;
        long double expected;
    };
    const case_t cases[] = {
        {0, 1000.0L, 0, 5, 5.00099e-3L},   // 5 cycles of 1 ms and the fixed 0.99 us
        {0, 1000.0L, 1, 5, 2.00099e-3L},   // gated: two wave periods whatever the cycles
        {2, 1000.0L, 0, 1, 1.00099e-3L},
        {0, 2.0e8L, 0, 1, 1e-6L},          // below 1 us the minimum is 1 us
        {3, 1.0e6L, 1, 100, 2.99e-6L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " hz " << c.hz << " mode " << c.mode);
        on_raw(c.type, c.hz);
        burst->set_mode_raw(c.mode);
        burst->set_cycles_raw(c.cycles);
        EXPECT_NEAR(static_cast<double>(burst->get_min_period()), static_cast<double>(c.expected), 1e-15);
    }

    // Noise counts its cycles at the noise wave's highest frequency, in both modes.
    on_raw(4, 1000.0L);
    const long double f = static_cast<long double>(bswv->get_max_freq_int());
    ASSERT_GT(f, 0.0L);
    for (int32 mode : {0, 1})
    {
        burst->set_mode_raw(mode);
        burst->set_cycles_raw(3);
        const long double expected = std::max(3.0L / f + 9.9e-7L, 1e-6L);
        EXPECT_NEAR(static_cast<double>(burst->get_min_period()), static_cast<double>(expected), 1e-15);
    }
}

TEST_F(CfgBurst, PeriodIsClampedStoredAndSentAsTheBurstRate)
{
    on_raw();
    burst->set_cycles_raw(5);
    struct case_t
    {
        long double requested;
        int32 result;
        long double stored;
    };
    const case_t cases[] = {
        {2e-3L, -11, 5.00099e-3L},
        {2000.0L, -10, 1000.0L},
        {0.5L, 1, 0.5L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.requested));
        lib_unit_data_t r = rec(c.requested);
        r.unit = 11;
        EXPECT_EQ(burst->store_period(&r), c.result);
        EXPECT_NEAR(static_cast<double>(burst->get_period().data), static_cast<double>(c.stored), 1e-15);
        EXPECT_EQ(burst->get_period().unit, 11);
        EXPECT_NEAR(static_cast<double>(burst_rate(0)), static_cast<double>(1.0L / c.stored), 1e-9);
    }

    // Only the internal trigger has a period, and never the DC wave.
    burst->set_trig_src_raw(1);
    lib_unit_data_t r = rec(0.25L);
    EXPECT_EQ(burst->store_period(&r), -12);
    burst->set_trig_src_raw(0);
    bswv->store_wave_type_raw(5);
    EXPECT_EQ(burst->store_period(&r), -12);
    EXPECT_EQ(burst->get_period().data, 0.5L);
}

TEST_F(CfgBurst, CyclesAreClampedAndRefusedWhereTheyMeanNothing)
{
    on_raw();
    struct case_t
    {
        int32 requested;
        int32 result;
        int32 stored;
    };
    const case_t cases[] = {{0, -11, 1}, {-4, -11, 1}, {2000000, -10, 1000000}, {1000000, 1, 1000000}, {7, 1, 7}};
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.requested);
        EXPECT_EQ(burst->set_cycles(c.requested), c.result);
        EXPECT_EQ(burst->get_cycles(), c.stored);
    }
    // More cycles need a longer period: the stored one was raised with them.
    EXPECT_GE(burst->get_period().data, 7 * 1e-3L);

    burst->set_infinite_raw(1);
    EXPECT_EQ(burst->set_cycles(3), -12);
    burst->set_infinite_raw(0);
    burst->set_mode_raw(1);
    EXPECT_EQ(burst->set_cycles(3), -12);
    EXPECT_EQ(burst->get_cycles(), 7);
}

TEST_F(CfgBurst, DelayLimitsFollowSourceWaveAndPeriod)
{
    struct case_t
    {
        int32 type;
        int32 src;
        long double max;
    };
    const case_t cases[] = {
        {1, 0, 10e-3L - 1.4e-8L}, // square, internal: the period less 14 ns
        {3, 0, 10e-3L - 1.4e-8L}, {0, 0, 10e-3L - 1.4e-8L}, {1, 1, 100.0L}, {1, 2, 100.0L}, {1, 5, 0.0L},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " source " << c.src);
        on_raw(c.type);
        burst->set_period_raw(rec(10e-3L));
        burst->set_trig_src_raw(c.src);
        EXPECT_NEAR(static_cast<double>(burst->get_max_delay()), static_cast<double>(c.max), 1e-18);
    }

    // Without a clock every wave's minimum delay is its fixed part, 0 here, and finite:
    // no 0 x infinity for the DDS waves.
    for (int32 type : {0, 1, 2, 3, 4, 6, 7, 8})
    {
        SCOPED_TRACE(type);
        for (int32 src : {0, 1, 2})
        {
            on_raw(type, 2000.0L);
            burst->set_trig_src_raw(src);
            EXPECT_EQ(burst->get_min_delay(), 0.0L);
        }
    }
}

TEST_F(CfgBurst, DelayIsClampedIntoItsLimits)
{
    on_raw(1);
    burst->set_period_raw(rec(10e-3L));
    struct case_t
    {
        long double requested;
        int32 result;
        long double stored;
    };
    const case_t cases[] = {
        {1.0L, -10, 10e-3L - 1.4e-8L},
        {-1e-6L, -11, 0.0L},
        {3e-6L, 1, 3e-6L},
    };
    for (const case_t &c : cases)
    {
        lib_unit_data_t r = rec(c.requested);
        EXPECT_EQ(burst->store_delay(&r), c.result);
        lib_unit_data_t d{};
        burst->get_delay(&d);
        EXPECT_EQ(d.data, c.stored);
    }
    // A shorter period pulls a stored delay down with it.
    lib_unit_data_t d = rec(5e-3L);
    ASSERT_EQ(burst->store_delay(&d), 1);
    lib_unit_data_t p = rec(2e-3L);
    ASSERT_EQ(burst->store_period(&p), 1);
    burst->get_delay(&d);
    EXPECT_EQ(d.data, 2e-3L - 1.4e-8L);

    // Gated bursts have no delay.
    burst->set_mode_raw(1);
    EXPECT_EQ(burst->store_delay(&d), -12);
}

TEST_F(CfgBurst, TriggerSourceRules)
{
    on_raw();
    struct case_t
    {
        int32 mode;
        int32 infinite;
        int32 src;
        int32 result;
        int32 src_after;
        int32 infinite_after;
    };
    const case_t cases[] = {
        {1, 0, 2, -12, 0, 0}, // manual trigger in gated mode
        {0, 1, 0, -12, 1, 1}, // internal trigger of an endless burst
        {0, 1, 1, 1, 1, 1},   // external keeps the endless burst
        {0, 1, 2, 1, 2, 1},
        {1, 1, 0, 1, 0, 0},   // an accepted internal source clears the endless burst
        {0, 0, 0, 1, 0, 0},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " infinite " << c.infinite << " src " << c.src);
        burst->set_mode_raw(c.mode);
        burst->set_infinite_raw(c.infinite);
        burst->set_trig_src_raw(c.src == 0 ? 1 : 0);
        const int32 before = burst->get_trig_src();
        EXPECT_EQ(burst->is_trig_src_allowed(c.src), c.result == 1 ? 1 : 0);
        EXPECT_EQ(burst->set_trig_src(c.src), c.result);
        EXPECT_EQ(burst->get_trig_src(), c.result == 1 ? c.src_after : before);
        EXPECT_EQ(burst->get_infinite(), c.infinite_after);
    }

    // The edge belongs to the external trigger only.
    burst->set_mode_raw(0);
    burst->set_trig_src_raw(0);
    EXPECT_EQ(burst->set_trig_edge(1), -12);
    burst->set_trig_src_raw(1);
    EXPECT_EQ(burst->set_trig_edge(1), 1);
    EXPECT_EQ(burst->get_trig_edge(), 1);

    // Gated mode cannot keep the manual trigger: applying it falls back to internal.
    burst->set_trig_src_raw(2);
    burst->set_mode_raw(1);
    EXPECT_TRUE(same_traffic([&] { burst->apply_mode(0); },
                             [](drv_interface_t *d) {
                                 d->set_burst_mode(0, 0, 1);
                                 d->set_burst_trigger_source(0, 0, 0);
                             }));
    EXPECT_EQ(burst->get_trig_src(), 0);
}

TEST_F(CfgBurst, TriggerOutputOnlyInNCycleModeAndOnlyWithTheOutputOn)
{
    on_raw();
    EXPECT_TRUE(no_traffic([&] { EXPECT_EQ(burst->set_trig_out(1), 1); }));
    EXPECT_EQ(burst->get_trig_out(), 1);

    cfg_get_wv_main(0)->store_output(1);
    EXPECT_TRUE(same_traffic([&] { burst->set_trig_out(0); }, [](drv_interface_t *d) { d->set_burst_trig_out(0, 0); }));

    // While gated the output is always switched off, and the setter refuses.
    burst->set_mode_raw(1);
    EXPECT_TRUE(same_traffic([&] { burst->apply_trig_out(); }, [](drv_interface_t *d) { d->set_burst_trig_out(0, 2); }));
    EXPECT_EQ(burst->set_trig_out(1), -12);
    EXPECT_EQ(burst->get_trig_out(), 0);

    // The tracking reference drives both channels' outputs; the tracked channel 1 none.
    // Only the flag: switching tracking on for real copies channel 0 onto channel 1 and
    // brings the burst in line with the channel's continuous run mode.
    burst->set_mode_raw(0);
    cfg_get_couple()->set_track_en_raw(1);
    EXPECT_TRUE(same_traffic([&] { burst->apply_trig_out(); },
                             [](drv_interface_t *d) {
                                 d->set_burst_trig_out(1, 0);
                                 d->set_burst_trig_out(0, 0);
                             }));
    cfg_burst_t *other = cfg_get_burst(1);
    cfg_get_bswv_main(1)->store_wave_type_raw(0);
    other->set_burst_on_raw(1);
    cfg_get_wv_main(1)->store_output(1);
    EXPECT_TRUE(no_traffic([&] { EXPECT_EQ(other->apply_trig_out(), 0); }));
}

TEST_F(CfgBurst, StartPhaseIsTheChannelPhaseAndReachesTheDriverForBothChannels)
{
    // The driver takes the start phase only of channels whose burst runs.
    ASSERT_EQ(cfg_get_wv_main(0)->set_run_mode(2), 1);
    ASSERT_EQ(cfg_get_wv_main(1)->set_run_mode(2), 1);
    const lib_unit_data_t phase = rec(370.0L);
    EXPECT_EQ(burst->set_phase(&phase), 0);
    lib_unit_data_t stored{};
    burst->get_phase(&stored);
    EXPECT_EQ(stored.data, 10.0L);
    cfg_get_bswv_main(1)->store_phase_raw(rec(45.0L));
    EXPECT_TRUE(same_traffic([] { cfg_apply_burst_phase(); }, [](drv_interface_t *d) { d->set_burst_phase(10.0L, 45.0L); }));

    for (int32 type : {4, 5})
    {
        bswv->store_wave_type_raw(type);
        const lib_unit_data_t other = rec(90.0L);
        EXPECT_EQ(burst->set_phase(&other), -12);
        burst->get_phase(&stored);
        EXPECT_EQ(stored.data, 10.0L);
    }
}

TEST_F(CfgBurst, WaveTypeChangeSwitchesOffForcesGatedOrReportsTheType)
{
    on_raw(5);
    burst->on_wave_type_changed_if_on();
    EXPECT_EQ(burst->get_switch(), 0);
    EXPECT_EQ(drv_instance_manage_t::get_instance()->get_fpga()->get_burst_field(0), 0);

    on_raw(8);
    burst->on_wave_type_changed_if_on();
    EXPECT_EQ(burst->get_switch(), 0);

    on_raw(4);
    burst->on_wave_type_changed_if_on();
    EXPECT_EQ(burst->get_switch(), 1);
    EXPECT_EQ(burst->get_mode(), 1);

    on_raw(7);
    stdout_capture_t capture;
    burst->on_wave_type_changed_if_on();
    EXPECT_EQ(capture.finish(), "----basic_wave = 7\n");
    EXPECT_EQ(burst->get_switch(), 1);

    // Off, the hook does nothing.
    burst->set_burst_on_raw(0);
    EXPECT_TRUE(no_traffic([&] { burst->on_wave_type_changed_if_on(); }));
}

TEST_F(CfgBurst, RunModeBurstSwitchesOnAndAppliesInOrder)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    ASSERT_EQ(w->set_run_mode(2), 1);
    ASSERT_EQ(burst->get_switch(), 1);
    ASSERT_NE(drv_instance_manage_t::get_instance()->get_fpga()->get_burst_field(0), 0);
    w->store_output(1);
    // The wave path relay's state lives in the driver, not in the registers, so the
    // replay cannot restore it: switch it for the sine once before comparing.
    cfg_apply_sine_wave(0, false);

    const double delay = static_cast<double>(INITIAL_DELAY);
    EXPECT_TRUE(same_traffic([&] { burst->apply_all(false); },
                             [&](drv_interface_t *d) {
                                 d->set_burst_switch(0, 1);
                                 d->set_burst_trigger_source(0, 0, 0);
                                 d->set_burst_mode(0, 0, 0);
                                 d->set_burst_trig_out(0, 2);
                                 d->set_burst_cycles(0, 1);
                                 d->toggle_burst_trigger_edge(0);
                                 // The channel's wave again, its output being on.
                                 cfg_apply_sine_wave(0, false);
                                 // Only channel 0 bursts: no common update hold.
                                 d->set_burst_both(0, 1000.0L, 1000.0L, delay, delay, 0.01L, 0.01L);
                             }));

    // An endless burst sends -1 cycles and no count; gated sends its polarity.
    burst->set_infinite_raw(1);
    EXPECT_TRUE(same_traffic([&] { burst->apply_all(false); },
                             [&](drv_interface_t *d) {
                                 d->set_burst_switch(0, 1);
                                 d->set_burst_trigger_source(0, 0, 0);
                                 d->set_burst_mode(0, 0, 0);
                                 d->set_burst_trig_out(0, 2);
                                 d->set_burst_cycles(0, -1);
                                 cfg_apply_sine_wave(0, false);
                                 d->set_burst_both(0, 1000.0L, 1000.0L, delay, delay, 0.01L, 0.01L);
                             }));
    burst->set_infinite_raw(0);
    burst->set_mode_raw(1);
    burst->set_gate_polarity_raw(1);
    EXPECT_TRUE(same_traffic([&] { burst->apply_all(false); },
                             [&](drv_interface_t *d) {
                                 d->set_burst_switch(0, 1);
                                 d->set_burst_trigger_source(0, 0, 0);
                                 d->set_burst_mode(0, 0, 1);
                                 d->set_burst_trig_out(0, 2);
                                 d->set_burst_gate_polarity(0, 1);
                                 cfg_apply_sine_wave(0, false);
                                 d->set_burst_both(0, 1000.0L, 1000.0L, delay, delay, 0.01L, 0.01L);
                             }));

    // Leaving the burst switches the driver's burst off.
    ASSERT_EQ(w->set_run_mode(3), 1);
    EXPECT_EQ(burst->get_switch(), 0);
    EXPECT_EQ(drv_instance_manage_t::get_instance()->get_fpga()->get_burst_field(0), 0);
}

TEST_F(CfgBurst, FrequencyChangeWithOutputOnSendsFiniteTiming)
{
    cfg_wv_main_t *w = cfg_get_wv_main(0);
    ASSERT_EQ(w->set_run_mode(2), 1);
    w->store_output(1);
    ASSERT_EQ(burst->needs_apply(), 1);

    // The frequency-change road: store, re-clamp the period, re-apply when needed.
    bswv->store_freq_raw(rec(2000.0L));
    burst->recheck_period_if_on();
    sim.clear_log();
    EXPECT_EQ(burst->apply_if_needed(), 1);

    const drv_burst_para_t para = cfg_build_burst_para();
    for (long double v : {para.ch0_freq, para.ch1_freq, para.ch0_delay, para.ch1_delay, para.ch0_period, para.ch1_period})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(para.ch0_freq, 2000.0L);
    EXPECT_EQ(para.ch0_delay, INITIAL_DELAY);

    drv_fpga_t *fpga = drv_instance_manage_t::get_instance()->get_fpga();
    const long double tick = 1.0L / (fpga->get_mod_dds_clock() / 1000000.0L);
    const uint32 ticks = static_cast<uint32>(lib_trunc_i32(INITIAL_DELAY / tick));
    ASSERT_GT(ticks, 0u);
    EXPECT_EQ(sim.last_write(DRV_FPGA_REG_BURST_DELAY[0][0]), static_cast<std::uint16_t>(ticks & 0xFFFF));
    EXPECT_EQ(sim.last_write(DRV_FPGA_REG_BURST_DELAY[0][1]), static_cast<std::uint16_t>(ticks >> 16));

    // With the output off and no tracking nothing is re-applied.
    w->store_output(0);
    EXPECT_TRUE(no_traffic([&] { EXPECT_EQ(burst->apply_if_needed(), 0); }));
}

TEST_F(CfgBurst, GettersHandOutTheRecordsAndTheRate)
{
    on_raw();
    lib_unit_data_t p = rec(0.25L);
    p.unit = 11;
    ASSERT_EQ(burst->store_period(&p), 1);
    lib_unit_data_t f{0.0L, 0, true};
    burst->get_burst_freq(&f);
    EXPECT_EQ(f.data, 4.0L);
    EXPECT_EQ(f.unit, 11);
    EXPECT_TRUE(f.changed); // the caller's flag is left alone
    EXPECT_EQ(burst->clear_infinite_if_internal(), 0);
}
