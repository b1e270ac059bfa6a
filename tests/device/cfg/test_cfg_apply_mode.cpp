// The burst, sweep and output applies: which driver call each makes for which channel
// states, with the values of both channels in the driver's order.
#include "cfg_apply.h"
#include "cfg_burst.h"
#include "cfg_ch_couple.h"
#include "cfg_replay_fixture.h"
#include "cfg_sweep.h"
#include "drv_para.h"

#include <functional>

namespace
{
using CfgApplyMode = cfg_replay_fixture_t;

void set_sweeps(int32 on0, int32 on1)
{
    cfg_get_sweep(0)->set_sweep_on_raw(on0);
    cfg_get_sweep(1)->set_sweep_on_raw(on1);
}
} // namespace

TEST_F(CfgApplyMode, BurstTimingOfBothChannelsInTheDriverOrder)
{
    cfg_get_bswv_main(0)->store_freq_raw(rec(2000.0L));
    cfg_get_bswv_main(1)->store_freq_raw(rec(3000.0L));
    cfg_get_burst(0)->set_delay_raw(rec(2e-6L));
    // Channel 1's delay equal to channel 0's minimum delay (0 here) reaches the driver as 0.
    cfg_get_burst(1)->set_delay_raw(rec(0.0L));
    cfg_get_burst(0)->set_period_raw(rec(0.02L));
    cfg_get_burst(1)->set_period_raw(rec(0.03L));
    cfg_get_wv_main(0)->store_run_mode(2);

    drv_burst_para_t para = cfg_build_burst_para();
    EXPECT_EQ(para.hold, 0); // only channel 0 bursts
    EXPECT_EQ(para.ch0_freq, 2000.0L);
    EXPECT_EQ(para.ch1_freq, 3000.0L);
    // The delays travel in double precision.
    EXPECT_EQ(para.ch0_delay, static_cast<long double>(static_cast<double>(2e-6L)));
    EXPECT_EQ(para.ch1_delay, 0.0L);
    EXPECT_EQ(para.ch0_period, 0.02L);
    EXPECT_EQ(para.ch1_period, 0.03L);

    // Both channels in burst change under one held update; not while tracking.
    cfg_get_wv_main(1)->store_run_mode(2);
    EXPECT_EQ(cfg_build_burst_para().hold, 1);
    // Only the flag: switching tracking on for real would copy channel 0 onto channel 1.
    cfg_get_couple()->set_track_en_raw(1);
    EXPECT_EQ(cfg_build_burst_para().hold, 0);
    cfg_get_couple()->set_track_en_raw(0);

    const long double d0 = para.ch0_delay;
    EXPECT_TRUE(same_traffic([] { cfg_apply_burst_both(); },
                             [&](drv_interface_t *d) { d->set_burst_both(1, 2000.0L, 3000.0L, d0, 0.0L, 0.02L, 0.03L); }));

    // A negative difference is sent as its size.
    cfg_get_burst(1)->set_delay_raw(rec(-1e-6L));
    EXPECT_EQ(cfg_build_burst_para().ch1_delay, static_cast<long double>(static_cast<double>(1e-6L)));
}

TEST_F(CfgApplyMode, SweepTimeUsesTheBothChannelCallOnlyWhileBothSweep)
{
    cfg_get_sweep(0)->set_sweep_time_raw(rec(2.0L));
    cfg_get_sweep(1)->set_sweep_time_raw(rec(3.0L));
    struct case_t
    {
        const char *name;
        int32 on0, on1, ch, phase_mode;
        std::function<void(drv_interface_t *)> expected;
    };
    const case_t cases[] = {
        {"only channel 1", 0, 1, 1, 1, [](drv_interface_t *d) { d->set_sweep_time(1, 3.0L, 1); }},
        {"neither, channel 0", 0, 0, 0, 1, [](drv_interface_t *d) { d->set_sweep_time(0, 2.0L, 1); }},
        {"both", 1, 1, 0, 1, [](drv_interface_t *d) { d->set_sweep_time_both(1, 2.0L, 3.0L); }},
        {"both, phase mode 0", 1, 1, 1, 0, [](drv_interface_t *d) { d->set_sweep_time_both(0, 2.0L, 3.0L); }},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        set_sweeps(c.on0, c.on1);
        cfg_get_couple()->set_phase_sync_mode_raw(c.phase_mode);
        EXPECT_TRUE(same_traffic([&] { cfg_apply_sweep_time(c.ch); }, c.expected));
    }
}

TEST_F(CfgApplyMode, SweepProfileOnlyForLogarithmicSweepsTheOtherChannelFirst)
{
    for (int32 ch : {0, 1})
    {
        cfg_sweep_t *s = cfg_get_sweep(ch);
        s->set_sweep_type_raw(1);
        s->set_direction_raw(ch);
        s->set_start_freq_raw(rec(100.0L * (ch + 1)));
        s->set_stop_freq_raw(rec(1000.0L * (ch + 1)));
        s->set_sweep_time_raw(rec(0.5L * (ch + 1)));
    }
    set_sweeps(1, 1);
    EXPECT_TRUE(same_traffic([] { cfg_apply_sweep_wave(0); },
                             [](drv_interface_t *d) {
                                 d->set_sweep_wave(1, 1, 1, 200.0L, 2000.0L, 1.0L);
                                 d->set_sweep_wave(0, 1, 0, 100.0L, 1000.0L, 0.5L);
                             }));
    // A linear sweep and a channel that does not sweep are skipped.
    cfg_get_sweep(1)->set_sweep_type_raw(0);
    EXPECT_TRUE(same_traffic([] { cfg_apply_sweep_wave(1); },
                             [](drv_interface_t *d) { d->set_sweep_wave(0, 1, 0, 100.0L, 1000.0L, 0.5L); }));
    set_sweeps(0, 0);
    EXPECT_TRUE(no_traffic([] { cfg_apply_sweep_wave(0); }));
}

TEST_F(CfgApplyMode, SweepCentreAndSpanOfOneOrBothChannels)
{
    cfg_get_bswv_main(0)->store_freq_raw(rec(2000.0L));
    cfg_get_bswv_main(1)->store_freq_raw(rec(5000.0L));
    cfg_get_sweep(0)->set_span_raw(rec(100.0L));
    cfg_get_sweep(1)->set_span_raw(rec(400.0L));
    set_sweeps(1, 0);
    // The amplitude of each channel whose centre and span changed follows them.
    EXPECT_TRUE(same_traffic([] { cfg_apply_sweep_center_span(0); },
                             [](drv_interface_t *d) {
                                 d->set_sweep_center_span(0, 2000.0L, 100.0L);
                                 const drv_ampl_para_t ampl0 = initial_ampl(2000.0L);
                                 d->set_ampl_offset(0, &ampl0);
                             }));
    set_sweeps(1, 1);
    cfg_get_couple()->set_phase_sync_mode_raw(0);
    EXPECT_TRUE(same_traffic([] { cfg_apply_sweep_center_span(1); },
                             [](drv_interface_t *d) {
                                 d->set_sweep_center_span_both(0, 2000.0L, 100.0L, 5000.0L, 400.0L);
                                 const drv_ampl_para_t ampl0 = initial_ampl(2000.0L);
                                 const drv_ampl_para_t ampl1 = initial_ampl(5000.0L);
                                 d->set_ampl_offset(0, &ampl0);
                                 d->set_ampl_offset(1, &ampl1);
                             }));
}

TEST_F(CfgApplyMode, OutputTakesTheOutputHoldAndRestoreBringsBothBack)
{
    // Phase mode 2 tells the one-time phase-mode hold (no held update) from the wave
    // hold (1, the channels' frequencies are not coupled).
    cfg_get_couple()->set_phase_sync_mode_raw(2);
    cfg_get_wv_main(0)->store_output(1);
    cfg_get_wv_main(1)->store_output(1);
    EXPECT_TRUE(same_traffic([] { cfg_apply_output(0, 1); }, [](drv_interface_t *d) { d->set_output(2, 0, 1); }));
    EXPECT_TRUE(same_traffic([] { cfg_apply_output(1, 1); }, [](drv_interface_t *d) { d->set_output(1, 1, 1); }));
    EXPECT_TRUE(same_traffic([] { cfg_restore_outputs(); }, [](drv_interface_t *d) { d->restore_outputs(1); }));
}

TEST_F(CfgApplyMode, BurstPhaseAndDelayWithoutCaller)
{
    ASSERT_EQ(cfg_get_wv_main(0)->set_run_mode(2), 1);
    cfg_get_bswv_main(0)->store_phase_raw(rec(30.0L));
    EXPECT_TRUE(same_traffic([] { cfg_apply_burst_phase(); }, [](drv_interface_t *d) { d->set_burst_phase(30.0L, 0.0L); }));
    cfg_get_burst(0)->set_delay_raw(rec(4e-6L));
    cfg_get_burst(1)->set_delay_raw(rec(6e-6L));
    EXPECT_TRUE(same_traffic([] { cfg_apply_burst_delay(); },
                             [](drv_interface_t *d) {
                                 d->set_burst_delay(0, 4e-6L);
                                 d->set_burst_delay(1, 6e-6L);
                             }));
}
