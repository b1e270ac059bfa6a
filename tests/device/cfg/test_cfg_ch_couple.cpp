// The channel coupling: coupled limits, ratio and deviation coupling of frequency,
// amplitude and phase from either channel, the configuration setters' clamps and
// refusals, and the entry points' current-channel rule.
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
lib_unit_data_t base(long double v)
{
    lib_unit_data_t r{};
    r.data = v;
    r.unit = LIB_UNIT_BASE;
    return r;
}
} // namespace

class CfgChCouple : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        c = cfg_get_couple();
        b0 = cfg_get_bswv_main(0);
        b1 = cfg_get_bswv_main(1);
    }

    long double freq(cfg_bswv_main_t *b) { return b->get_freq_raw().data; }

    cfg_ch_couple_t *c = nullptr;
    cfg_bswv_main_t *b0 = nullptr;
    cfg_bswv_main_t *b1 = nullptr;
};

TEST_F(CfgChCouple, StartsUncoupledInDeviationModeWithPhaseSyncOn)
{
    for (int32 idx : {0, 1, 2})
    {
        EXPECT_EQ(c->get_couple_en(idx), 0);
        EXPECT_EQ(c->get_couple_mode(idx), 1);
        EXPECT_EQ(c->get_ratio(idx), 1.0L);
        EXPECT_EQ(c->get_deviation(idx), 0.0L);
    }
    EXPECT_EQ(c->get_couple_mode(3), 0);
    EXPECT_EQ(c->get_ratio(-1), 0.0L);
    EXPECT_EQ(c->get_src_ch(), 0);
    EXPECT_EQ(c->get_track_en(), 0);
    EXPECT_EQ(c->get_phase_sync_mode(), 1);
    EXPECT_FALSE(c->get_drv_sync_state_raw());
}

TEST_F(CfgChCouple, SwitchingFrequencyCouplingOnAlignsTheOtherChannel)
{
    b0->store_freq_raw(base(5000.0L));
    EXPECT_EQ(c->set_couple_en(0, 1), 1);
    EXPECT_EQ(freq(b1), 5000.0L);
    EXPECT_EQ(c->is_freq_same(), 1);
}

TEST_F(CfgChCouple, FrequencyByRatioAndDeviationFromEitherChannel)
{
    const long double max = b0->get_max_freq();
    ASSERT_EQ(max, b1->get_max_freq());
    struct case_t
    {
        const char *name;
        int32 mode;
        long double factor;
        int32 current;
        long double value;
        int32 status;
        long double own;
        long double other;
    };
    const std::vector<case_t> cases = {
        {"ratio 2, reference current, above the joint maximum", 0, 2.0L, 0, 0.8L * max, -10, max / 2, max},
        {"ratio 2, other current", 0, 2.0L, 1, 0.8L * max, 1, 0.8L * max, 0.4L * max},
        {"ratio 2, reference current, inside", 0, 2.0L, 0, 1000.0L, 1, 1000.0L, 2000.0L},
        {"deviation 1000, reference current", 1, 1000.0L, 0, 10000.0L, 1, 10000.0L, 11000.0L},
        {"deviation 1000, other current", 1, 1000.0L, 1, 5000.0L, 1, 5000.0L, 4000.0L},
        {"deviation 1000, other current, below", 1, 1000.0L, 1, 0.0L, -11, 1000.0L + b0->get_min_freq(),
         b0->get_min_freq()},
    };
    for (const case_t &k : cases)
    {
        SCOPED_TRACE(k.name);
        c->set_freq_couple_en_raw(1);
        c->set_freq_couple_mode_raw(k.mode);
        c->set_freq_ratio_raw(k.mode == 0 ? k.factor : 1.0L);
        c->set_freq_dev_raw(k.mode == 1 ? k.factor : 0.0L);
        cfg_main_t::get_instance()->set_current_channel(k.current);
        long double v = k.value;
        EXPECT_EQ(c->couple_freq_if_on(k.current, &v), k.status);
        EXPECT_EQ(v, k.own);
        EXPECT_EQ(freq(cfg_get_bswv_main(1 - k.current)), k.other);
    }
}

TEST_F(CfgChCouple, EntryPointsActOnlyForTheCurrentChannelAndNotWhileTracking)
{
    c->set_freq_couple_en_raw(1);
    c->set_ampl_couple_en_raw(1);
    c->set_phase_couple_en_raw(1);
    c->set_freq_dev_raw(100.0L);
    cfg_main_t::get_instance()->set_current_channel(1);
    long double v = 123.0L;
    EXPECT_EQ(c->couple_freq_if_on(0, &v), 0);
    EXPECT_EQ(c->couple_ampl_if_on(0, &v), 0);
    EXPECT_EQ(c->couple_phase_if_on(0, &v), 0);
    EXPECT_EQ(v, 123.0L);
    EXPECT_EQ(freq(b1), 1000.0L);
    EXPECT_EQ(b1->get_ampl_raw().data, 4.0L);
    EXPECT_EQ(b1->get_phase_raw().data, 0.0L);

    // Tracking stops frequency and amplitude coupling, not the phase.
    cfg_main_t::get_instance()->set_current_channel(0);
    c->set_track_en_raw(1);
    EXPECT_EQ(c->is_freq_couple_active(0), 0);
    EXPECT_EQ(c->is_ampl_couple_active(0), 0);
    EXPECT_EQ(c->is_phase_couple_active(0), 1);
    EXPECT_EQ(c->couple_phase_track(1, &v), -12);
    c->set_track_en_raw(0);
    EXPECT_EQ(c->couple_phase_track(0, &v), -12);
}

TEST_F(CfgChCouple, EmptyRangeTestsTheMaximumFirst)
{
    const long double max = 10.0L;
    const long double min = 20.0L;
    struct case_t
    {
        long double value;
        long double fitted;
        int32 status;
    };
    for (const case_t &k : std::vector<case_t>{{30.0L, 10.0L, -10}, {15.0L, 10.0L, -10}, {5.0L, 20.0L, -11}})
    {
        long double v = k.value;
        long double out = 0;
        EXPECT_EQ(c->couple_by_ratio(2.0L, 0, &v, &max, &min, &out), k.status);
        EXPECT_EQ(v, k.fitted);
        EXPECT_EQ(out, k.fitted * 2);
        v = k.value;
        EXPECT_EQ(c->couple_by_deviation(3.0L, 1, &v, &max, &min, &out), k.status);
        EXPECT_EQ(out, k.fitted - 3);
    }
    // NaN passes unchanged.
    long double v = NAN;
    long double out = 0;
    EXPECT_EQ(c->couple_by_ratio(2.0L, 0, &v, &max, &min, &out), 1);
    EXPECT_TRUE(std::isnan(out));
}

TEST_F(CfgChCouple, AmplitudeAndPhaseFollowTheReference)
{
    c->set_ampl_couple_en_raw(1);
    c->set_ampl_couple_mode_raw(0);
    c->set_ampl_ratio_raw(0.5L);
    long double v = 2.0L;
    EXPECT_EQ(c->couple_ampl_if_on(0, &v), 1);
    EXPECT_EQ(b1->get_ampl_raw().data, 1.0L);

    // A phase is reduced before it is stored or coupled; the limits never clamp then.
    c->set_phase_couple_en_raw(1);
    c->set_phase_dev_raw(20.0L);
    v = 370.0L;
    EXPECT_EQ(c->couple_phase_if_on(0, &v), 1);
    EXPECT_EQ(v, 10.0L);
    EXPECT_EQ(b1->get_phase_raw().data, 30.0L);
    cfg_main_t::get_instance()->set_current_channel(1);
    v = -400.0L;
    EXPECT_EQ(c->couple_phase_if_on(1, &v), 1);
    EXPECT_EQ(v, -40.0L);
    EXPECT_EQ(b0->get_phase_raw().data, -60.0L);
}

TEST_F(CfgChCouple, SettersClampAndRefuse)
{
    enum setting_t
    {
        FREQ_RATIO,
        AMPL_RATIO,
        PHASE_RATIO,
        FREQ_DEV,
        AMPL_DEV,
        PHASE_DEV
    };
    struct case_t
    {
        const char *name;
        setting_t what;
        long double value;
        int32 result;
        long double stored;
    };
    const long double freq_dev_max = b1->get_max_freq() - b0->get_min_freq();
    const long double ampl_dev_min = b1->get_min_ampl() - b0->get_max_ampl();
    const std::vector<case_t> cases = {
        {"freq ratio above", FREQ_RATIO, 2e6L, -10, 1e6L},
        {"freq ratio below", FREQ_RATIO, 1e-7L, -11, 1e-6L},
        {"ampl ratio below", AMPL_RATIO, 1e-4L, -11, 0.001L},
        {"phase ratio above", PHASE_RATIO, 200.0L, -10, 100.0L},
        {"phase ratio inside", PHASE_RATIO, 3.0L, 1, 3.0L},
        {"phase deviation above", PHASE_DEV, 1000.0L, -10, 720.0L},
        {"phase deviation below", PHASE_DEV, -1000.0L, -11, -720.0L},
        {"freq deviation above", FREQ_DEV, 1e12L, -10, freq_dev_max},
        {"ampl deviation below", AMPL_DEV, -100.0L, -11, ampl_dev_min},
    };
    for (const case_t &k : cases)
    {
        const int32 idx = k.what % 3;
        const bool ratio = k.what < FREQ_DEV;
        EXPECT_EQ(ratio ? c->set_ratio(idx, k.value) : c->set_deviation(idx, k.value), k.result) << k.name;
        EXPECT_EQ(ratio ? c->get_ratio(idx) : c->get_deviation(idx), k.stored) << k.name;
    }
    EXPECT_EQ(c->set_ratio(3, 2.0L), 0);
    EXPECT_EQ(c->set_deviation(-1, 2.0L), 0);

    // A mode other than ratio or deviation is refused and nothing is stored.
    EXPECT_EQ(c->set_couple_mode(0, 2), -13);
    EXPECT_EQ(c->set_couple_mode(2, -1), -13);
    EXPECT_EQ(c->get_couple_mode(0), 1);
    EXPECT_EQ(c->get_couple_mode(2), 1);
    EXPECT_EQ(c->set_couple_mode(0, 0), 1);
    EXPECT_EQ(c->get_couple_mode(0), 0);
}

TEST_F(CfgChCouple, TrackingRefusesWhatWouldBreakThePhaseLock)
{
    c->set_track_en_raw(1);
    const int32 refused = -12;
    EXPECT_EQ(c->set_freq_ratio(2.0L), refused);
    EXPECT_EQ(c->set_ampl_ratio(2.0L), refused);
    EXPECT_EQ(c->set_phase_ratio(2.0L), refused);
    EXPECT_EQ(c->set_freq_deviation(5.0L), refused);
    EXPECT_EQ(c->set_ampl_deviation(0.5L), refused);
    EXPECT_EQ(c->set_couple_mode(0, 0), refused);
    EXPECT_EQ(c->set_couple_mode(1, 1), refused);
    EXPECT_EQ(c->set_couple_mode(2, 0), refused);
    EXPECT_EQ(c->get_freq_ratio_raw(), 1.0L);
    EXPECT_EQ(c->get_freq_dev_raw(), 0.0L);
    // The phase deviation stays adjustable; the phase switch only in deviation mode.
    EXPECT_EQ(c->set_phase_deviation(1000.0L), -10);
    EXPECT_EQ(c->set_couple_en(2, 1), 1);
    c->set_phase_couple_mode_raw(0);
    c->set_phase_couple_en_raw(0);
    EXPECT_EQ(c->set_couple_en(2, 1), refused);
    EXPECT_EQ(c->get_couple_en(2), 0);
}

TEST_F(CfgChCouple, SameFrequencyRule)
{
    struct case_t
    {
        int32 track;
        int32 en;
        int32 mode;
        long double ratio;
        long double dev;
        int32 same;
    };
    const std::vector<case_t> cases = {
        {1, 0, 0, 5.0L, 5.0L, 1},         {0, 0, 0, 1.0L, 0.0L, 0},     {0, 1, 0, 1.0L, 9.0L, 1},
        {0, 1, 0, 1.0L + 1e-9L, 0.0L, 0}, {0, 1, 1, 2.0L, 5e-11L, 1},   {0, 1, 1, 1.0L, 1e-10L, 0},
        {0, 1, 0, 1.0L + 5e-11L, 3.0L, 1},
    };
    for (const case_t &k : cases)
    {
        c->set_track_en_raw(k.track);
        c->set_freq_couple_en_raw(k.en);
        c->set_freq_couple_mode_raw(k.mode);
        c->set_freq_ratio_raw(k.ratio);
        c->set_freq_dev_raw(k.dev);
        EXPECT_EQ(c->is_freq_same(), k.same) << k.track << k.en << k.mode;
        EXPECT_EQ(c->needs_phase_sync(0), 1 - k.same);
    }
}

TEST_F(CfgChCouple, CoupledLimitsOfEachChannel)
{
    // S limits 100 and 10, O limits 60 and 5.
    EXPECT_EQ(c->calc_ratio_max(0, 100.0L, 60.0L, 2.0L), 30.0L);
    EXPECT_EQ(c->calc_ratio_max(1, 100.0L, 60.0L, 2.0L), 60.0L);
    EXPECT_EQ(c->calc_ratio_min(0, 10.0L, 5.0L, 0.25L), 20.0L);
    EXPECT_EQ(c->calc_ratio_min(1, 10.0L, 5.0L, 0.25L), 5.0L);
    EXPECT_EQ(c->calc_dev_max(0, 100.0L, 60.0L, 10.0L), 50.0L);
    EXPECT_EQ(c->calc_dev_max(1, 100.0L, 60.0L, 10.0L), 60.0L);
    EXPECT_EQ(c->calc_dev_min(0, 10.0L, 5.0L, -10.0L), 15.0L);
    EXPECT_EQ(c->calc_dev_min(1, 10.0L, 5.0L, -10.0L), 5.0L);
    EXPECT_EQ(c->get_deviation_max(2), 720.0L);
    EXPECT_EQ(c->get_deviation_min(2), -720.0L);
    EXPECT_EQ(c->get_phase_max_by_ratio(1, 9.0L), 360.0L);
    EXPECT_EQ(c->get_phase_min_by_dev(0, 9.0L), -360.0L);
    EXPECT_EQ(c->get_deviation_max(5), 0.0L);
}

TEST_F(CfgChCouple, ReferenceChannelStaysOnTheModule)
{
    // The module has no coupling capability: the reference channel cannot move.
    EXPECT_EQ(c->set_src_ch(1), 1);
    EXPECT_EQ(c->get_src_ch(), 0);
}
