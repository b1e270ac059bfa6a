// The start-up range re-apply, the overload reset and status, and the driver map.
#include "cfg_bswv_main.h"
#include "cfg_drv_info_map.h"
#include "cfg_fixture.h"
#include "cfg_reapply.h"
#include "drv_amp.h"
#include "drv_fpga_atten.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"

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

constexpr uint32_t OVERLOAD_STATUS = 31;
constexpr uint32_t OVERLOAD_RESET = 0x9e;
} // namespace

using CfgReapply = cfg_fixture_t;

TEST_F(CfgReapply, StartUpEndsWithTheRangeWordsOfBothChannels)
{
    EXPECT_EQ(startup_result, 1);
    EXPECT_EQ(cfg_get_reapply()->get_overload_reset(), 0);
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv_amp_t *amp = drv_instance_manage_t::get_instance()->get_amp();
    drv_fpga_atten_t info{};
    // Both channels start as 4 V sines without offset.
    const int32 word = drv->select_amp_range_word(4.0L, 0.0L, &info);
    EXPECT_EQ(amp->get_applied_range(0), word);
    EXPECT_EQ(amp->get_applied_range(1), word);
}

TEST_F(CfgReapply, SineTakesItsRangeFromAmplitudeAndOffsetDcFromItsLevel)
{
    drv_interface_t *drv = drv_interface_t::get_instance();
    drv_amp_t *amp = drv_instance_manage_t::get_instance()->get_amp();
    cfg_bswv_main_t *b0 = cfg_get_bswv_main(0);
    cfg_bswv_main_t *b1 = cfg_get_bswv_main(1);
    b0->store_ampl_raw(base(0.05L));
    b0->store_offset_raw(base(0.0L));
    b1->store_wave_type_raw(5);
    // The DC channel's amplitude is read but not used.
    b1->store_ampl_raw(base(0.01L));
    b1->store_dc_level_raw(base(1.5L));
    drv_fpga_atten_t info{};
    const int32 sine_word = drv->select_amp_range_word(0.05L, 0.0L, &info);
    const int32 dc_word = drv->select_dc_range_word(1, 1.5L);
    ASSERT_NE(sine_word, dc_word);

    sim.clear_log();
    drv->set_amp_range(0, sine_word);
    drv->set_amp_range(1, dc_word);
    drv->reset_overload(0);
    const std::vector<sim_op_t> expected = sim.log();
    sim.clear_log();
    cfg_reapply_t *reapply = cfg_get_reapply();
    reapply->set_overload_reset_raw(7);
    EXPECT_EQ(reapply->apply_ranges(), 1);
    EXPECT_EQ(sim.log(), expected);
    EXPECT_EQ(amp->get_applied_range(0), sine_word);
    EXPECT_EQ(amp->get_applied_range(1), dc_word);
    EXPECT_EQ(reapply->get_overload_reset(), 0);
}

TEST_F(CfgReapply, OverloadResetAndStatus)
{
    struct case_t
    {
        int32 value;
        bool writes;
    };
    for (const case_t &c : std::vector<case_t>{{0, true}, {1, true}, {2, false}})
    {
        sim.clear_log();
        EXPECT_EQ(cfg_set_overload_reset(c.value), 1);
        EXPECT_EQ(cfg_get_overload_reset(), c.value);
        EXPECT_EQ(sim.writes_to(OVERLOAD_RESET).empty(), !c.writes) << c.value;
    }
    // The root's instance is a separate one.
    EXPECT_NE(cfg_reapply_t::get_instance(), cfg_get_reapply());
    EXPECT_EQ(cfg_get_reapply()->get_overload_reset(), 0);

    // Status 0 is reported while bit 1 of the status register is clear; the module
    // reports no status otherwise.
    struct status_t
    {
        uint16 reg;
        int32 asked;
        uint8 result;
    };
    for (const status_t &s : std::vector<status_t>{{0x0000, 0, 1}, {0x0002, 0, 0}, {0x0000, 1, 0}, {0x0006, 1, 0}})
    {
        sim.poke(OVERLOAD_STATUS, s.reg);
        EXPECT_EQ(cfg_check_overload_status(s.asked), s.result) << s.reg << " " << s.asked;
    }
}

TEST_F(CfgReapply, DriverMapStaysEmptyOnTheModule)
{
    cfg_drv_info_map_t *map = cfg_get_drv_map();
    EXPECT_EQ(map->refresh(), 0);
    EXPECT_EQ(map->get_result(), 0);
    cfg_drv_info_map_t other;
    other.entries()["kept"] = "yes";
    EXPECT_EQ(map->copy_to(&other), -12);
    EXPECT_EQ(other.entries().size(), 1u);
    EXPECT_EQ(cfg_check_drv_info(), 0);
    // Entries that a driver would supply are copied over the other map's.
    map->entries()["name"] = "text";
    EXPECT_EQ(map->copy_to(&other), 0);
    EXPECT_EQ(other.entries(), map->entries());
    EXPECT_EQ(map->copy_to(map), 0);
    map->entries().clear();
}
