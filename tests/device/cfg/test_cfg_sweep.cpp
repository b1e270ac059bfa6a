// The sweep object: start, stop and span around the channel frequency, the clamps, the
// time and trigger settings and the order of its driver calls.
#include "cfg_replay_fixture.h"
#include "cfg_sweep.h"

#include <functional>

namespace
{
constexpr int32 WAVE_RAMP = 2;
constexpr long double RAMP_MAX_FREQ = 5e5L;

class CfgSweep : public cfg_replay_fixture_t
{
protected:
    cfg_sweep_t *sweep = cfg_get_sweep(0);
    cfg_bswv_main_t *bswv = cfg_get_bswv_main(0);
};
} // namespace

TEST_F(CfgSweep, StartsOffWithTheInitialSettings)
{
    for (int32 ch : {0, 1})
    {
        cfg_sweep_t *s = cfg_get_sweep(ch);
        SCOPED_TRACE(ch);
        EXPECT_EQ(s->get_channel(), ch);
        EXPECT_EQ(s->get_switch(), 0);
        EXPECT_EQ(s->get_time_value(), 1.0L);
        EXPECT_EQ(s->get_start_value(), 500.0L);
        EXPECT_EQ(s->get_stop_value(), 1500.0L);
        EXPECT_EQ(s->get_span_value(), 1000.0L);
        EXPECT_EQ(s->get_start_ptr()->unit, LIB_UNIT_BASE);
        EXPECT_EQ(s->get_trig_src(), 0);
        EXPECT_EQ(s->get_trig_edge(), 0);
        EXPECT_EQ(s->get_trig_out(), 0);
        EXPECT_EQ(s->get_sweep_type(), 0);
        EXPECT_EQ(s->get_direction(), 0);
        EXPECT_EQ(s->get_min_time(), 0.001L);
        EXPECT_EQ(s->get_max_time(), 500.0L);
    }
}

TEST_F(CfgSweep, TimeIsClampedAndWrittenBack)
{
    struct case_t
    {
        long double requested;
        int32 result;
        long double stored;
    };
    const case_t cases[] = {{600.0L, -10, 500.0L}, {0.0001L, -11, 0.001L}, {2.5L, 1, 2.5L}};
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.requested));
        lib_unit_data_t r{c.requested, 12, true};
        EXPECT_EQ(sweep->store_time(&r), c.result);
        EXPECT_EQ(r.data, c.stored);
        EXPECT_EQ(sweep->get_time_value(), c.stored);
        EXPECT_EQ(sweep->get_time_ptr()->unit, 12); // the whole record is stored
    }
}

TEST_F(CfgSweep, LargestSpanKeepsTheSweepBetweenZeroAndTheMaximum)
{
    bswv->store_wave_type_raw(WAVE_RAMP);
    ASSERT_EQ(sweep->get_max_freq(), RAMP_MAX_FREQ);
    const long double min = sweep->get_min_freq();
    struct case_t
    {
        long double centre;
        long double span;
    };
    const case_t cases[] = {
        {1000.0L, 2000.0L},    // near 0: twice the centre
        {4e5L, 2e5L},          // near the top: twice the distance to the maximum
        {2.5e5L, 5e5L},        // in the middle both agree
        {min, 0.0L},           // at the minimum frequency nothing is left
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.centre));
        bswv->store_freq_raw(rec(c.centre));
        EXPECT_EQ(sweep->get_max_span(), c.span);
    }

    // A span beyond it is clamped, a negative one becomes 0.
    bswv->store_freq_raw(rec(1000.0L));
    lib_unit_data_t s = rec(5000.0L);
    EXPECT_EQ(sweep->store_span(&s), -10);
    EXPECT_EQ(s.data, 2000.0L);
    s = rec(-1.0L);
    EXPECT_EQ(sweep->store_span(&s), -11);
    EXPECT_EQ(sweep->get_span_value(), 0.0L);
}

TEST_F(CfgSweep, StartAndStopAreClampedAgainstEachOtherAndTheWaveLimits)
{
    bswv->store_wave_type_raw(WAVE_RAMP);
    struct case_t
    {
        bool start;
        long double requested;
        int32 result;
        long double stored;
    };
    const case_t cases[] = {
        {true, 2000.0L, -10, 1500.0L}, // start above the stop: the stop
        {false, 400.0L, -11, 500.0L},  // stop below the start: the start
        {false, 1e9L, -10, RAMP_MAX_FREQ},
        {true, 600.0L, 1, 600.0L},
    };
    for (const case_t &c : cases)
    {
        sweep->init(0);
        lib_unit_data_t r = rec(c.requested);
        EXPECT_EQ(c.start ? sweep->store_start_freq(&r) : sweep->store_stop_freq(&r), c.result);
        EXPECT_EQ(r.data, c.stored);
        EXPECT_EQ(c.start ? sweep->get_start_value() : sweep->get_stop_value(), c.stored);
    }
    sweep->init(0);
    lib_unit_data_t r = rec(-1.0L);
    EXPECT_EQ(sweep->store_start_freq(&r), -11);
    EXPECT_EQ(r.data, sweep->get_min_freq());
}

TEST_F(CfgSweep, ChangingTheCentreMovesStartAndStopWithTheSpanKept)
{
    bswv->store_wave_type_raw(WAVE_RAMP);
    sweep->set_sweep_on_raw(1);
    bswv->store_freq_raw(rec(5000.0L));
    // The new centre and span go out, then the channel's amplitude follows them.
    EXPECT_TRUE(same_traffic([&] { sweep->refresh(); },
                             [](drv_interface_t *d) {
                                 d->set_sweep_center_span(0, 5000.0L, 1000.0L);
                                 const drv_ampl_para_t ampl = initial_ampl(5000.0L);
                                 d->set_ampl_offset(0, &ampl);
                             }));
    EXPECT_EQ(sweep->get_start_value(), 4500.0L);
    EXPECT_EQ(sweep->get_stop_value(), 5500.0L);
    EXPECT_EQ(sweep->get_span_value(), 1000.0L);

    // Near 0 the span shrinks to what fits around the centre.
    bswv->store_freq_raw(rec(300.0L));
    sweep->refresh();
    EXPECT_EQ(sweep->get_span_value(), 600.0L);
    EXPECT_EQ(sweep->get_start_value(), 0.0L);
    EXPECT_EQ(sweep->get_stop_value(), 600.0L);

    // Off, nothing follows.
    sweep->set_sweep_on_raw(0);
    bswv->store_freq_raw(rec(9000.0L));
    EXPECT_TRUE(no_traffic([&] { sweep->refresh(); }));
    EXPECT_EQ(sweep->get_stop_value(), 600.0L);
}

TEST_F(CfgSweep, StartOrStopMoveTheChannelFrequencyToTheirMidpoint)
{
    bswv->store_wave_type_raw(WAVE_RAMP);
    lib_unit_data_t start = rec(700.0L);
    EXPECT_EQ(sweep->update_start_freq(&start), 1);
    EXPECT_EQ(sweep->get_span_value(), 800.0L);
    EXPECT_EQ(bswv->get_freq_raw().data, 1100.0L);

    lib_unit_data_t stop = rec(2700.0L);
    EXPECT_EQ(sweep->update_stop_freq(&stop), 1);
    EXPECT_EQ(sweep->get_span_value(), 2000.0L);
    EXPECT_EQ(bswv->get_freq_raw().data, 1700.0L);

    // Span and centre derive start and stop the other way round.
    lib_unit_data_t span = rec(400.0L);
    EXPECT_EQ(sweep->update_span(&span), 1);
    EXPECT_EQ(sweep->get_start_value(), 1500.0L);
    EXPECT_EQ(sweep->get_stop_value(), 1900.0L);
    lib_unit_data_t centre = rec(1800.0L);
    EXPECT_EQ(sweep->update_center(&centre), 1);
    EXPECT_EQ(bswv->get_freq_raw().data, 1800.0L);
    EXPECT_EQ(sweep->get_start_value(), 1600.0L);
    EXPECT_EQ(sweep->get_stop_value(), 2000.0L);

    // A centre too close to the maximum is pulled down by half the span.
    centre = rec(RAMP_MAX_FREQ);
    EXPECT_EQ(sweep->clamp_center(&centre), -10);
    EXPECT_EQ(centre.data, RAMP_MAX_FREQ - 200.0L);
}

TEST_F(CfgSweep, SwitchingOnAppliesEverythingInOrder)
{
    ASSERT_EQ(cfg_get_wv_main(0)->set_run_mode(1), 1);
    ASSERT_EQ(sweep->get_switch(), 1);
    sweep->set_trig_edge_raw(1);
    sweep->set_direction_raw(1);
    EXPECT_TRUE(same_traffic([&] { sweep->apply(); },
                             [](drv_interface_t *d) {
                                 // The refresh around the centre re-applies the amplitude.
                                 d->set_sweep_center_span(0, 1000.0L, 1000.0L);
                                 const drv_ampl_para_t ampl = initial_ampl(1000.0L);
                                 d->set_ampl_offset(0, &ampl);
                                 d->set_sweep_trigger_edge(0, 1);
                                 d->set_sweep_trigger_source(0, 0);
                                 d->set_sweep_trig_out(0, 0);
                                 d->set_sweep_time(0, 1.0L, 1);
                                 d->set_sweep_center_span(0, 1000.0L, 1000.0L);
                                 d->set_sweep_wave(0, 0, 1, 500.0L, 1500.0L, 1.0L);
                                 d->set_sweep_switch(0, 1);
                             }));
    EXPECT_EQ(drv_interface_t::get_instance()->is_sweep_on(0), 1);

    // Off, only the switch goes to the driver.
    EXPECT_TRUE(same_traffic([&] { sweep->set_switch(0); }, [](drv_interface_t *d) { d->set_sweep_switch(0, 0); }));
}

TEST_F(CfgSweep, PrbsSwitchesTheSweepOff)
{
    ASSERT_EQ(cfg_get_wv_main(0)->set_run_mode(1), 1);
    ASSERT_EQ(drv_interface_t::get_instance()->is_sweep_on(0), 1);
    bswv->store_wave_type_raw(8);
    sweep->refresh();
    EXPECT_EQ(sweep->get_switch(), 0);
    EXPECT_EQ(drv_interface_t::get_instance()->is_sweep_on(0), 0);
}

TEST_F(CfgSweep, TriggerOutputFollowsTheChannelOutput)
{
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(sweep->set_trig_out(1), 1); },
                             [](drv_interface_t *d) { d->set_sweep_trig_out(0, 0); }));
    EXPECT_EQ(sweep->get_trig_out(), 1);
    cfg_get_wv_main(0)->store_output(1);
    EXPECT_TRUE(same_traffic([&] { sweep->apply_trig_out(); }, [](drv_interface_t *d) { d->set_sweep_trig_out(0, 1); }));
}

TEST_F(CfgSweep, ValueSettersStoreAndApplyOnlyTheirPart)
{
    ASSERT_EQ(cfg_get_wv_main(0)->set_run_mode(1), 1);
    lib_unit_data_t t = rec(3.0L);
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(sweep->set_time(&t), 1); },
                             [](drv_interface_t *d) { d->set_sweep_time(0, 3.0L, 1); }));
    // The centre is stored as the channel frequency: its re-checks refresh the sweep
    // after the frequency and again after the amplitude, then the setter applies.
    lib_unit_data_t span = rec(200.0L);
    EXPECT_TRUE(same_traffic([&] { EXPECT_EQ(sweep->set_span(&span), 1); },
                             [](drv_interface_t *d) {
                                 for (int i = 0; i < 3; ++i)
                                 {
                                     d->set_sweep_center_span(0, 1000.0L, 200.0L);
                                     const drv_ampl_para_t ampl = initial_ampl(1000.0L);
                                     d->set_ampl_offset(0, &ampl);
                                 }
                             }));
    EXPECT_EQ(sweep->get_start_value(), 900.0L);
    EXPECT_EQ(sweep->get_stop_value(), 1100.0L);
}
