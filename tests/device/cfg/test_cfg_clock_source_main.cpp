// The clock source over the simulated registers: the clock-output bit (register 4
// bit 8, set while the output is off), source changes, the external-reference check
// with its message, and the switch-completion callback.
#include "cfg_clock_source_dravine.h"
#include "cfg_clock_source_main.h"
#include "cfg_fixture.h"
#include "drv_arb_wave.h"
#include "drv_instance_manage.h"

#include <vector>

namespace
{
constexpr std::uint32_t CLOCK_REG = 4;
constexpr std::uint16_t OUT_OFF = 0x100;
constexpr std::uint16_t REF_PRESENT = 0x10;

using CfgClockSource = cfg_fixture_t;

size_t sleeps_of(const sim_fpga_t &sim, std::uint32_t ms)
{
    size_t n = 0;
    for (const sim_op_t &op : sim.log())
        n += op.kind == sim_op_kind_t::sleep && op.value == ms ? 1 : 0;
    return n;
}
} // namespace

TEST_F(CfgClockSource, StartsInternalWithTheClockOutputOn)
{
    cfg_clock_source_main_t *c = cfg_get_clock_source();
    EXPECT_EQ(c->get_source(), 0);
    EXPECT_EQ(c->get_out_enable(), 1);
    EXPECT_EQ(sim.peek(CLOCK_REG) & OUT_OFF, 0);
    EXPECT_EQ(c->query_flag(), 0);
}

TEST_F(CfgClockSource, SourceAndOutputFlagDriveRegisterFourBitEight)
{
    cfg_clock_source_main_t *c = cfg_get_clock_source();
    sim.poke(CLOCK_REG, 0x0005);
    struct step_t
    {
        const char *what;
        bool source; // set_source, else set_out_enable
        int32 value;
        int32 source_after, out_after;
        std::vector<sim_op_t> log;
    };
    const step_t steps[] = {
        {"output off", false, 0, 0, 0, {sim_read(4, 0x5), sim_write(4, 0x105), sim_read(4, 0x105)}},
        {"output on", false, 1, 0, 1, {sim_read(4, 0x105), sim_write(4, 0x5), sim_read(4, 0x5)}},
        // The external source turns the output off for good.
        {"external", true, 1, 1, 0, {sim_read(4, 0x5), sim_write(4, 0x105), sim_read(4, 0x105)}},
        {"output on refused while external", false, 1, 1, 0, {sim_read(4, 0x105), sim_read(4, 0x105)}},
        {"internal again", true, 0, 0, 0, {sim_read(4, 0x105), sim_read(4, 0x105)}},
        {"output on again", false, 1, 0, 1, {sim_read(4, 0x105), sim_write(4, 0x5), sim_read(4, 0x5)}},
        // Any flag but 1 means off.
        {"output flag 2", false, 2, 0, 2, {sim_read(4, 0x5), sim_write(4, 0x105), sim_read(4, 0x105)}},
    };
    for (const step_t &s : steps)
    {
        SCOPED_TRACE(s.what);
        sim.clear_log();
        EXPECT_EQ(s.source ? c->set_source(s.value) : c->set_out_enable(s.value), 1);
        EXPECT_EQ(c->get_source(), s.source_after);
        EXPECT_EQ(c->get_out_enable(), s.out_after);
        EXPECT_EQ(sim.diff(s.log, sim.log()), "");
    }
}

TEST_F(CfgClockSource, ReapplyKeepsTheStoredSettings)
{
    cfg_clock_source_main_t *c = cfg_get_clock_source();
    c->set_out_enable(0);
    sim.poke(CLOCK_REG, 0); // as after a reset of the FPGA
    c->reapply();
    EXPECT_EQ(sim.peek(CLOCK_REG) & OUT_OFF, OUT_OFF);
    c->set_source_raw(0);
    c->set_out_enable_raw(1);
    cfg_main_t::get_instance()->apply_all();
    EXPECT_EQ(sim.peek(CLOCK_REG) & OUT_OFF, 0);
}

TEST_F(CfgClockSource, ExternalCheckFallsBackWithMessageOne)
{
    cfg_clock_source_main_t *c = cfg_get_clock_source();
    cfg_main_t::get_instance()->take_messages();
    c->set_source(1);
    sim.poke(CLOCK_REG, REF_PRESENT | OUT_OFF);
    EXPECT_EQ(c->check_external(), 1);
    EXPECT_EQ(c->get_source(), 1);
    EXPECT_TRUE(cfg_main_t::get_instance()->take_messages().empty());

    sim.poke(CLOCK_REG, OUT_OFF);
    EXPECT_EQ(c->check_external(), 0);
    EXPECT_EQ(c->get_source(), 0);
    const std::vector<cfg_msg_t> msgs = cfg_main_t::get_instance()->take_messages();
    ASSERT_EQ(msgs.size(), 1u);
    EXPECT_EQ(msgs[0].words[0], 1);
    EXPECT_EQ(msgs[0].words[1], 0);
    EXPECT_EQ(msgs[0].words[2], 0);
}

TEST_F(CfgClockSource, SwitchDoneReselectsBothChannelsOrPostsTheFailure)
{
    drv_arb_wave_t *arb = drv_instance_manage_t::get_instance()->get_arb_wave();
    cfg_main_t::get_instance()->take_messages();
    EXPECT_EQ(cfg_clock_switch_done(-1), 0);
    ASSERT_EQ(cfg_main_t::get_instance()->take_messages().size(), 1u);
    EXPECT_TRUE(sim.log().empty());

    arb->set_sr_reload(0, false);
    arb->set_sr_reload(1, false);
    cfg_get_bswv_main(1)->store_wave_type_raw(2);
    EXPECT_EQ(cfg_clock_switch_done(1), 1);
    EXPECT_TRUE(arb->get_sr_reload(0));
    EXPECT_TRUE(arb->get_sr_reload(1));
    EXPECT_EQ(sleeps_of(sim, 5), 2u);
    EXPECT_EQ(cfg_get_bswv_main(0)->get_wave_type(), 0);
    EXPECT_EQ(cfg_get_bswv_main(1)->get_wave_type(), 2);
    EXPECT_TRUE(cfg_main_t::get_instance()->take_messages().empty());
}

TEST_F(CfgClockSource, SecondPlatformFollowsTheFlagAloneWithoutFallback)
{
    cfg_clock_source_dravine_t c;
    EXPECT_EQ(c.query_flag(), 1);
    sim.poke(CLOCK_REG, 0);
    c.set_source(1);
    EXPECT_EQ(c.set_out_enable(1), 1);
    EXPECT_EQ(c.get_out_enable(), 1);
    EXPECT_EQ(sim.peek(CLOCK_REG) & OUT_OFF, 0);
    c.set_out_enable(0);
    EXPECT_EQ(sim.peek(CLOCK_REG) & OUT_OFF, OUT_OFF);
    c.init();
    EXPECT_EQ(c.get_source(), 1);
    EXPECT_EQ(c.get_out_enable(), 0);
}
