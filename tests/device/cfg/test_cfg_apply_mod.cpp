// The modulation applies: both channels' values in one driver call under the
// modulation hold, and a channel's PSK phase.
#include "cfg_apply.h"
#include "cfg_apply_hold.h"
#include "cfg_ch_couple.h"
#include "cfg_mod_fixture.h"

#include <gtest/gtest.h>

namespace
{
constexpr int32 WAVE_SINE = 0;

class CfgApplyMod : public cfg_mod_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_mod_fixture_t::SetUp();
        for (int32 ch : {0, 1})
        {
            carrier(ch, WAVE_SINE, 1e6L);
            wv(ch)->store_run_mode(cfg_wv_main_t::RUN_MODE_MOD);
            mod(ch)->set_state(1);
        }
    }
};

// The situations of the modulation hold: phase mode, tracking, both channels'
// run modes and types.
struct hold_case_t
{
    const char *name;
    int32 phase_mode;
    int32 tracking;
    int32 run_mode1;
    int32 type0;
    int32 type1;
    int32 hold;
};

const hold_case_t HOLD_CASES[] = {
    {"phase mode 0", 0, 0, 0, 2, 2, 0},
    {"both modulating one type", 1, 0, 0, 2, 2, 1},
    {"types differ", 1, 0, 0, 2, 3, 0},
    {"channel 1 continuous", 1, 0, 3, 2, 2, 0},
    {"tracking", 1, 1, 0, 2, 2, 0},
    {"keyed types", 1, 0, 0, 5, 5, 1},
};
} // namespace

TEST_F(CfgApplyMod, BothChannelValuesGoInOneCallUnderTheModulationHold)
{
    for (const auto &c : HOLD_CASES)
    {
        SCOPED_TRACE(c.name);
        cfg_get_couple()->set_phase_sync_mode_raw(c.phase_mode);
        cfg_get_couple()->set_track_en(c.tracking);
        wv(1)->store_run_mode(c.run_mode1);
        mod(0)->set_type_only(c.type0);
        mod(1)->set_type_only(c.type1);
        for (int32 ch : {0, 1})
        {
            lib_unit_data_t hz = cfg_rec(ch == 0 ? 300.0L : 400.0L);
            mod(ch)->get_current_mod()->set_mod_freq(hz);
            lib_unit_data_t rate = cfg_rec(ch == 0 ? 500.0L : 600.0L);
            mod(ch)->get_fsk()->set_rate(rate);
            mod(ch)->get_current_mod()->store_deviation(cfg_rec(ch == 0 ? 10.0L : 20.0L));
            mod(ch)->get_fsk()->store_hop_freq(cfg_rec(ch == 0 ? 7000.0L : 8000.0L));
        }
        const bool keyed = c.type0 == 5;
        EXPECT_TRUE(same_traffic([] { cfg_apply_mod_freq_both(); },
                                 [&] {
                                     drv()->set_mod_freq_both(c.hold, c.type0, c.type1, keyed ? 500.0L : 300.0L,
                                                              keyed ? 600.0L : 400.0L);
                                 }));
        EXPECT_TRUE(same_traffic([] { cfg_apply_mod_deviation_both(); },
                                 [&] { drv()->set_mod_deviation_both(c.hold, c.type0, c.type1, 10.0L, 20.0L); }));
        EXPECT_TRUE(same_traffic([] { cfg_apply_fsk_hop_both(); },
                                 [&] { drv()->set_fsk_hop_freq_both(c.hold, 7000.0L, 8000.0L); }));
    }
}

TEST_F(CfgApplyMod, HopFrequencyIsClampedToTheCarrierLimitsOnTheWay)
{
    const long double max1 = bswv(1)->get_max_freq();
    mod(1)->get_fsk()->store_hop_freq(cfg_rec(max1 * 4));
    EXPECT_TRUE(same_traffic([] { cfg_apply_fsk_hop_both(); },
                             [&] { drv()->set_fsk_hop_freq_both(cfg_get_mod_hold(), 1000000.0L, max1); }));
    EXPECT_EQ(mod(1)->get_fsk()->get_hop_freq().data, max1);
}

TEST_F(CfgApplyMod, PhaseGoesToItsOwnChannel)
{
    for (int32 ch : {0, 1})
    {
        mod(ch)->get_psk()->set_phase(cfg_rec(ch == 0 ? 30.0L : 270.0L));
        EXPECT_TRUE(same_traffic([&] { cfg_apply_mod_phase(ch); },
                                 [&] { drv()->set_mod_phase(ch, ch == 0 ? 30.0L : 270.0L); }));
    }
}
