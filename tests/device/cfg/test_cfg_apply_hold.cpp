// The hold rules over the coupling object's states and both channels' settings, and
// the small predicates of the apply functions.
#include "cfg_apply_hold.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_mod_main.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
// The coupling and channel state a hold rule reads.
struct couple_state_t
{
    int32 phase_mode = 1;
    int32 tracking = 0;
    int32 freq_couple = 0;
    int32 freq_mode = 0;
    long double ratio = 1.0L;
    long double deviation = 0.0L;
    int32 srate_arb_ch = -1; // the channel playing a sample-rate-mode arbitrary wave
};

void apply_state(const couple_state_t &s)
{
    cfg_ch_couple_t *couple = cfg_get_couple();
    couple->set_phase_sync_mode_raw(s.phase_mode);
    couple->set_track_en(s.tracking);
    couple->set_couple_en(0, s.freq_couple);
    couple->set_freq_couple_mode_raw(s.freq_mode);
    couple->set_freq_ratio_raw(s.ratio);
    couple->set_freq_dev_raw(s.deviation);
    for (int32 ch : {0, 1})
    {
        cfg_bswv_main_t *bswv = cfg_get_bswv_main(ch);
        bswv->store_wave_type_raw(ch == s.srate_arb_ch ? 6 : 0);
        bswv->store_sample_rate_mode_raw(ch == s.srate_arb_ch ? 1 : 0);
    }
}
} // namespace

class CfgApplyHold : public cfg_fixture_t
{
};

TEST_F(CfgApplyHold, WaveHoldFollowsPhaseModeSameFrequencyAndSampleRateWaves)
{
    struct case_t
    {
        const char *name;
        couple_state_t state;
        int32 hold;
        int32 same_freq;
    };
    const std::vector<case_t> cases = {
        {"phase mode 0 whatever the frequencies", {0, 0, 0, 0, 1.0L, 0.0L, -1}, 0, 0},
        {"phase mode 0 with a sample-rate wave", {0, 1, 0, 0, 1.0L, 0.0L, 1}, 0, 1},
        {"independent channels", {1, 0, 0, 0, 1.0L, 0.0L, -1}, 1, 0},
        {"tracking, no sample-rate wave", {1, 1, 0, 0, 1.0L, 0.0L, -1}, 0, 1},
        {"tracking, sample-rate wave on 0", {1, 1, 0, 0, 1.0L, 0.0L, 0}, 1, 1},
        {"tracking, sample-rate wave on 1", {1, 1, 0, 0, 1.0L, 0.0L, 1}, 1, 1},
        {"ratio 1 coupling", {1, 0, 1, 0, 1.0L, 0.0L, -1}, 0, 1},
        {"ratio just off 1", {1, 0, 1, 0, 1.0L + 2e-10L, 0.0L, -1}, 1, 0},
        {"ratio within 1e-10", {1, 0, 1, 0, 1.0L + 5e-11L, 0.0L, -1}, 0, 1},
        {"deviation 0 coupling", {1, 0, 1, 1, 2.0L, 0.0L, -1}, 0, 1},
        {"deviation 5 Hz", {1, 0, 1, 1, 1.0L, 5.0L, -1}, 1, 0},
        {"phase mode 2 is not 0", {2, 0, 0, 0, 1.0L, 0.0L, -1}, 1, 0},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        apply_state(c.state);
        EXPECT_EQ(cfg_get_wave_hold(), c.hold);
        EXPECT_EQ(cfg_is_same_freq_coupled(), c.same_freq);
        EXPECT_EQ(cfg_select_hold(true), c.hold);
        EXPECT_EQ(cfg_select_hold(false), c.state.phase_mode);
        EXPECT_EQ(cfg_get_phase_mode(), c.state.phase_mode);
    }
}

TEST_F(CfgApplyHold, BurstAndModulationHoldsNeedBothChannelsAlike)
{
    struct case_t
    {
        const char *name;
        int32 phase_mode;
        int32 tracking;
        int32 run0;
        int32 run1;
        int32 type0;
        int32 type1;
        int32 burst;
        int32 mod;
    };
    const std::vector<case_t> cases = {
        {"phase mode 0", 0, 0, 2, 2, 1, 1, 0, 0},
        {"phase mode 2 passed on", 2, 0, 3, 3, 1, 1, 2, 2},
        {"both burst", 1, 0, 2, 2, 1, 1, 1, 0},
        {"both burst, tracking", 1, 1, 2, 2, 1, 1, 0, 0},
        {"one burst", 1, 0, 2, 3, 1, 1, 0, 0},
        {"both modulating one type", 1, 0, 0, 0, 5, 5, 0, 1},
        {"both modulating, types differ", 1, 0, 0, 0, 5, 2, 0, 0},
        {"both modulating, tracking", 1, 1, 0, 0, 5, 5, 0, 0},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        cfg_get_couple()->set_phase_sync_mode_raw(c.phase_mode);
        cfg_get_couple()->set_track_en(c.tracking);
        cfg_get_wv_main(0)->store_run_mode(c.run0);
        cfg_get_wv_main(1)->store_run_mode(c.run1);
        cfg_get_mod_main(0)->set_type_only(c.type0);
        cfg_get_mod_main(1)->set_type_only(c.type1);
        EXPECT_EQ(cfg_get_burst_hold(), c.burst);
        EXPECT_EQ(cfg_get_mod_hold(), c.mod);
    }
}

TEST_F(CfgApplyHold, OutputHoldTakesThePhaseModeOnlyOnce)
{
    // Independent channels: the wave hold is 1; phase mode 1 as well, so use 2 to tell
    // the two apart.
    cfg_get_couple()->set_phase_sync_mode_raw(2);
    cfg_get_wv_main(0)->store_output(1);
    cfg_get_wv_main(1)->store_output(0);
    EXPECT_EQ(cfg_get_output_hold(), 1);
    cfg_get_wv_main(1)->store_output(1);
    EXPECT_EQ(cfg_get_output_hold(), 2);
    EXPECT_EQ(cfg_get_output_hold(), 1);
    cfg_get_wv_main(1)->store_output(0);
    cfg_get_wv_main(1)->store_output(1);
    EXPECT_EQ(cfg_get_output_hold(), 1);
}

TEST_F(CfgApplyHold, ChannelPredicates)
{
    cfg_main_t *root = cfg_main_t::get_instance();
    root->set_current_channel(1);
    EXPECT_EQ(cfg_get_current_ch(), 1);
    EXPECT_EQ(cfg_get_other_ch(), 0);
    root->set_current_channel(0);
    EXPECT_EQ(cfg_get_other_ch(), 1);

    cfg_ch_couple_t *couple = cfg_get_couple();
    EXPECT_FALSE(cfg_is_freq_coupled(0));
    couple->set_track_en(1);
    couple->set_src_ch_raw(1);
    EXPECT_FALSE(cfg_is_freq_coupled(0));
    EXPECT_TRUE(cfg_is_freq_coupled(1));
    couple->set_track_en(0);
    couple->set_couple_en(0, 1);
    EXPECT_TRUE(cfg_is_freq_coupled(0));

    struct prbs_case_t
    {
        int32 type;
        int32 link;
        bool linked;
    };
    for (const prbs_case_t &c : std::vector<prbs_case_t>{{8, 1, true}, {8, 0, false}, {8, 2, false}, {0, 1, false}})
    {
        cfg_get_bswv_main(1)->store_wave_type_raw(c.type);
        cfg_get_bswv_main(1)->store_prbs_link_raw(c.link);
        EXPECT_EQ(cfg_is_prbs_linked(1), c.linked) << c.type << " " << c.link;
    }

    cfg_get_bswv_main(0)->store_wave_type_raw(1);
    cfg_get_bswv_main(1)->store_wave_type_raw(0);
    EXPECT_FALSE(cfg_both_ch_square());
    cfg_get_bswv_main(1)->store_wave_type_raw(1);
    EXPECT_TRUE(cfg_both_ch_square());
}
