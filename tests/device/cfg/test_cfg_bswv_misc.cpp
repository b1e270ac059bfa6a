// Phase, noise bandwidth and the PRBS settings of the channel settings.
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "lib_quantity.h"

#include <vector>

namespace
{
lib_unit_data_t rec(long double v)
{
    return lib_unit_data_t{v, LIB_UNIT_BASE, false};
}

using CfgBswvMisc = cfg_fixture_t;
} // namespace

TEST_F(CfgBswvMisc, PhaseIsReducedModulo360KeepingItsSign)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    const std::vector<std::pair<long double, long double>> cases = {
        {370.0L, 10.0L}, {-370.0L, -10.0L}, {360.0L, 360.0L}, {-90.0L, -90.0L}, {725.0L, 5.0L}};
    for (const auto &c : cases)
    {
        SCOPED_TRACE(static_cast<double>(c.first));
        lib_unit_data_t v = rec(c.first);
        EXPECT_EQ(b->set_phase(&v), 0);
        EXPECT_EQ(b->get_phase_raw().data, c.second);
    }
    // A PRBS stores the phase but plays none.
    b->store_wave_type_raw(8);
    lib_unit_data_t v = rec(45.0L);
    EXPECT_EQ(b->set_phase(&v), 0);
    EXPECT_EQ(b->get_phase_raw().data, 45.0L);
    lib_unit_data_t read{};
    b->get_phase(&read);
    EXPECT_EQ(read.data, 0.0L);
}

TEST_F(CfgBswvMisc, PrbsLengthAndEdgeAreClamped)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(8);
    struct case_t
    {
        long double length;
        long double stored;
        int32 code;
    };
    for (const case_t &c : std::vector<case_t>{{40.0L, 32.0L, -10}, {2.0L, 3.0L, -11}, {15.0L, 15.0L, 1}})
    {
        SCOPED_TRACE(static_cast<double>(c.length));
        lib_unit_data_t v = rec(c.length);
        EXPECT_EQ(b->set_prbs_length(&v), c.code);
        EXPECT_EQ(b->get_prbs_length_raw().data, c.stored);
    }
    lib_unit_data_t edge = rec(1.0L);
    EXPECT_EQ(b->set_prbs_edge(&edge), -10);
    EXPECT_LT(b->get_prbs_edge_raw().data, 1.0L);
    EXPECT_EQ(b->recheck_prbs_edge(), 1);
}

TEST_F(CfgBswvMisc, LinkedPrbsLengthReachesTheOtherChannel)
{
    cfg_bswv_main_t *b0 = cfg_get_bswv_main(0);
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    b0->store_wave_type_raw(8);
    b0->set_prbs_link(1);
    lib_unit_data_t v = rec(40.0L);
    EXPECT_EQ(b0->set_prbs_length(&v), -10);
    EXPECT_EQ(b1->get_prbs_length_raw().data, 32.0L);
    // Link 0 from either channel clears both.
    EXPECT_EQ(b0->set_prbs_link(0), 1);
    EXPECT_EQ(b1->get_prbs_link_raw(), 0);
}

TEST_F(CfgBswvMisc, NoiseBandwidthIsCheckedAndTheDeviationFollows)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(4);
    // The module has no bandwidth setting: its range is 0 .. 0.
    EXPECT_EQ(b->set_noise_bandwidth(rec(1e6L)), -10);
    EXPECT_EQ(b->get_noise_bandwidth_raw().data, 0.0L);
    EXPECT_NEAR(static_cast<double>(b->get_noise_stdev_raw().data),
                static_cast<double>(b->get_ampl_raw().data * 0.05L), 1e-12);
}

// Phase coupling through the setter: the other channel follows by the coupling's
// deviation or ratio, only from the current channel.
TEST_F(CfgBswvMisc, CoupledPhaseFollowsOnTheOtherChannel)
{
    struct case_t
    {
        const char *what;
        int32 mode;
        long double factor;
        int32 current;
        long double phase;
        long double expected_other;
    };
    const std::vector<case_t> cases = {
        {"deviation 30", CFG_COUPLE_BY_DEVIATION, 30.0L, 0, 10.0L, 40.0L},
        {"ratio 2", CFG_COUPLE_BY_RATIO, 2.0L, 0, 50.0L, 100.0L},
        {"reduced first, then coupled", CFG_COUPLE_BY_DEVIATION, 30.0L, 0, 370.0L, 40.0L},
        {"channel 1 current: no follow", CFG_COUPLE_BY_DEVIATION, 30.0L, 1, 10.0L, 5.0L},
    };
    cfg_ch_couple_t *couple = cfg_get_couple();
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        cfg_main_t::get_instance()->set_current_channel(0);
        couple->set_phase_couple_en_raw(0);
        couple->set_phase_couple_mode_raw(c.mode);
        couple->set_phase_ratio_raw(c.mode == CFG_COUPLE_BY_RATIO ? c.factor : 1.0L);
        couple->set_phase_dev_raw(c.mode == CFG_COUPLE_BY_DEVIATION ? c.factor : 0.0L);
        couple->set_phase_couple_en_raw(1);
        cfg_main_t::get_instance()->set_current_channel(c.current);
        cfg_get_bswv_main(1)->store_phase_raw(rec(5.0L));
        const lib_unit_data_t p = rec(c.phase);
        EXPECT_EQ(cfg_get_bswv_main(0)->set_phase(&p), 0);
        EXPECT_EQ(cfg_get_bswv_main(0)->get_phase_raw().data, lib_phase_mod_360(c.phase));
        EXPECT_EQ(cfg_get_bswv_main(1)->get_phase_raw().data, c.expected_other);
    }
}
