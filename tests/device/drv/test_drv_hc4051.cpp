// The multiplexer lines: the base class does nothing; the module's lines are bits of
// register 96, each changed by a read-modify-write.
#include "drv_hc4051.h"
#include "drv_hc4051_vextral.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using DrvHc4051 = sim_driver_fixture_t;

} // namespace

TEST_F(DrvHc4051, ModuleLinesChangeOnlyTheirBits)
{
    drv_hc4051_t *mux = manager->get_hc4051();
    ASSERT_NE(dynamic_cast<drv_hc4051_vextral_t *>(mux), nullptr);
    struct
    {
        const char *name;
        std::function<void()> call;
        uint16 before;
        std::vector<uint16> writes;
    } cases[] = {
        {"select 7", [&] { mux->select_input(7); }, 0xFF08, {0xFF0F, 0xFF07}},
        {"select 2", [&] { mux->select_input(2); }, 0x00FF, {0x00FA, 0x00F2}},
        {"select 0x0C keeps three bits", [&] { mux->select_input(0x0C); }, 0x0000, {0x0004, 0x0004}},
        {"line 4 for channel 0", [&] { mux->set_channel_select_1(0); }, 0xFFFF, {0xFFEF}},
        {"line 4 for channel 1", [&] { mux->set_channel_select_1(1); }, 0x0000, {0x0010}},
        {"line 3 for channel 0", [&] { mux->set_channel_select_2(0); }, 0x0000, {0x0008}},
        {"line 3 for channel 1", [&] { mux->set_channel_select_2(1); }, 0xFFFF, {0xFFF7}},
        {"line 4 for channel 2", [&] { mux->set_channel_select_1(2); }, 0x1234, {}},
        {"line 3 for channel -1", [&] { mux->set_channel_select_2(-1); }, 0x1234, {}},
        {"init", [&] { mux->init(); }, 0x1234, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim.poke(96, c.before);
        sim.clear_log();
        c.call();
        EXPECT_EQ(sim.writes_to(96), c.writes);
        std::size_t reads = 0;
        for (const sim_op_t &op : sim.log())
            reads += op.kind == sim_op_kind_t::read;
        EXPECT_EQ(reads, c.writes.size());
    }
}

TEST_F(DrvHc4051, BaseClassDoesNothingAndSaysSo)
{
    drv_hc4051_t base;
    base.init();
    base.set_channel_select_1(1);
    base.set_channel_select_2(0);
    base.select_input(4);
    EXPECT_TRUE(log_is({}));
    EXPECT_FALSE(base.replaces_select_input());
    EXPECT_TRUE(manager->get_hc4051()->replaces_select_input());
}
