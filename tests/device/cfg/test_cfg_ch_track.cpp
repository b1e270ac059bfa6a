// Channel tracking and the phase synchronisation of the two channels: tracking copies
// the reference channel and locks the phase offset, refuses a data-pattern reference,
// and the synchronisation reaches the driver only under its rules.
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_phase.h"

#include <gtest/gtest.h>

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

constexpr uint32_t UPDATE_REG = 10;
constexpr uint16_t PHASE_LOCK_BIT = 1u << 14;
} // namespace

class CfgChTrack : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        c = cfg_get_couple();
        b0 = cfg_get_bswv_main(0);
        b1 = cfg_get_bswv_main(1);
    }

    // The register traffic of a sequence of driver calls, for comparison.
    template <typename calls_t>
    std::vector<sim_op_t> traffic(calls_t &&calls)
    {
        sim.clear_log();
        calls();
        std::vector<sim_op_t> log = sim.log();
        sim.clear_log();
        return log;
    }

    cfg_ch_couple_t *c = nullptr;
    cfg_bswv_main_t *b0 = nullptr;
    cfg_bswv_main_t *b1 = nullptr;
};

TEST_F(CfgChTrack, SwitchingOnCopiesTheReferenceAndLocksThePhaseOffset)
{
    b0->store_freq_raw(base(5000.0L));
    b0->store_ampl_raw(base(2.0L));
    c->set_phase_dev_raw(30.0L);
    // Coupling that was on is cleared first, so the copy is not refused.
    c->set_freq_couple_en_raw(1);
    c->set_ampl_couple_en_raw(1);
    cfg_main_t::get_instance()->set_current_channel(1);

    EXPECT_EQ(c->set_track_en(1), 1);
    EXPECT_EQ(c->get_track_en(), 1);
    EXPECT_EQ(b1->get_freq_raw().data, 5000.0L);
    EXPECT_EQ(b1->get_ampl_raw().data, 2.0L);
    EXPECT_EQ(cfg_main_t::get_instance()->get_current_channel(), 0);
    EXPECT_EQ(c->get_couple_en(0), 0);
    EXPECT_EQ(c->get_couple_en(1), 0);
    EXPECT_EQ(c->get_couple_en(2), 1);
    EXPECT_EQ(c->get_couple_mode(2), 1);
    // The other channel's phase follows with the offset.
    EXPECT_EQ(b1->get_phase_raw().data, 30.0L);
    EXPECT_EQ(c->is_track_src(0), 1);
    EXPECT_EQ(c->is_track_src(1), 0);

    EXPECT_EQ(c->set_track_en(0), 1);
    EXPECT_EQ(c->is_track_off(), 1);
    for (int32 idx : {0, 1, 2})
        EXPECT_EQ(c->get_couple_en(idx), 0) << idx;
    EXPECT_EQ(b1->get_freq_raw().data, 5000.0L);
}

TEST_F(CfgChTrack, DataPatternReferenceIsRefused)
{
    for (int32 type : {12, 16})
    {
        b0->store_wave_type_raw(type);
        EXPECT_EQ(c->set_track_en(1), 0) << type;
        EXPECT_EQ(c->get_track_en(), 0);
    }
}

TEST_F(CfgChTrack, OtherChannelAccessors)
{
    EXPECT_EQ(cfg_ch_couple_t::get_other_ch(0), 1);
    EXPECT_EQ(cfg_ch_couple_t::get_other_ch(1), 0);
    EXPECT_EQ(cfg_ch_couple_t::get_other_ch(5), 0);
    EXPECT_EQ(cfg_ch_couple_t::get_other_wv_main(0), cfg_get_wv_main(1));
    EXPECT_EQ(cfg_ch_couple_t::get_other_bswv_main(1), b0);
    EXPECT_EQ(cfg_ch_couple_t::get_other_mod_main(0), cfg_get_mod_main(1));
    EXPECT_EQ(cfg_ch_couple_t::get_other_sweep(1), cfg_get_sweep(0));
    EXPECT_EQ(cfg_ch_couple_t::get_other_burst(0), cfg_get_burst(1));
}

TEST_F(CfgChTrack, SynchronisesOnlyWhenTheDriverReportsThePhaseLock)
{
    drv_interface_t *drv = drv_interface_t::get_instance();
    for (bool locked : {false, true})
    {
        SCOPED_TRACE(locked);
        sim.poke(UPDATE_REG, locked ? PHASE_LOCK_BIT : 0);
        const std::vector<sim_op_t> expected = traffic([&] {
            drv->get_phase_lock();
            if (drv->get_phase_lock())
                drv->sync_phase(0);
        });
        EXPECT_EQ(traffic([&] { c->sync_phase(); }), expected);
        EXPECT_EQ(c->get_drv_sync_state_raw(), locked);
    }
}

TEST_F(CfgChTrack, OneTimeSynchronisationWhileTheFrequenciesStayTheSame)
{
    c->set_track_en_raw(1);
    EXPECT_EQ(c->sync_phase_once(), 1);
    EXPECT_EQ(c->sync_phase_once(), 0);
    c->set_track_en_raw(0);
    EXPECT_EQ(c->sync_phase_once(), 0);
    EXPECT_FALSE(cfg_ch_couple_t::get_sync_done_raw());
    c->set_track_en_raw(1);
    EXPECT_EQ(c->sync_phase_once(), 1);
    // A whole re-apply allows it once more; phase mode 0 never.
    c->apply();
    EXPECT_EQ(c->sync_phase_once(), 1);
    c->set_phase_sync_mode_raw(0);
    cfg_ch_couple_t::set_sync_done_raw(false);
    EXPECT_EQ(c->sync_phase_once(), 0);
}

TEST_F(CfgChTrack, PhasesAreWrittenOnlyForTheSameFrequency)
{
    drv_interface_t *drv = drv_interface_t::get_instance();
    b0->store_phase_raw(base(45.0L));
    b1->store_phase_raw(base(90.0L));
    EXPECT_TRUE(traffic([&] { c->write_phases(); }).empty());
    c->set_freq_couple_en_raw(1);
    const std::vector<sim_op_t> expected = traffic([&] {
        drv->set_phase(0, 45.0L);
        drv->set_phase(1, 90.0L);
    });
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(traffic([&] { c->write_phases(); }), expected);
}

TEST_F(CfgChTrack, PhaseSyncModeReachesThePhaseDriver)
{
    drv_phase_t *phase = drv_instance_manage_t::get_instance()->get_phase();
    struct case_t
    {
        int32 mode;
        bool couple;
        int32 off;
    };
    for (const case_t &k : std::vector<case_t>{{0, false, 1}, {1, true, 0}, {2, false, 0}})
    {
        EXPECT_EQ(c->set_phase_sync_mode(k.mode), 1);
        EXPECT_EQ(c->get_phase_sync_mode(), k.mode);
        EXPECT_EQ(phase->is_couple(), k.couple) << k.mode;
        EXPECT_EQ(c->is_phase_sync_off(), k.off);
    }
}
