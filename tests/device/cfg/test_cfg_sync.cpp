// The sync output: the refusals with their messages, the routing in register 82
// (bit 3 the channel, bit 1 set while off) as a table, and how it follows the
// channel's output switch, wave type and frequency.
#include "cfg_fixture.h"
#include "cfg_sync.h"

#include <vector>

namespace
{
constexpr std::uint32_t ROUTING = 82;
constexpr std::uint16_t CH_BIT = 0x8;
constexpr std::uint16_t OFF_BIT = 0x2;

class CfgSync : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        root()->take_messages();
    }

    static cfg_main_t *root() { return cfg_main_t::get_instance(); }

    static void set_channel(int32 ch, int32 type, int32 run_mode, long double hz, int32 output)
    {
        cfg_wv_main_t *w = cfg_get_wv_main(ch);
        w->get_bswv_main()->store_wave_type_raw(type);
        w->get_bswv_main()->store_freq_raw({hz, 14, false});
        w->store_run_mode(run_mode);
        w->store_output(output);
    }

    // The words 0 to 2 of every queued message.
    static std::vector<std::vector<int32>> messages()
    {
        std::vector<std::vector<int32>> out;
        for (const cfg_msg_t &m : root()->take_messages())
            out.push_back({m.words[0], m.words[1], m.words[2]});
        return out;
    }
};

using msgs_t = std::vector<std::vector<int32>>;
} // namespace

TEST_F(CfgSync, SwitchingOnChecksTheSourceChannel)
{
    cfg_sync_t *s = cfg_get_sync();
    struct case_t
    {
        const char *what;
        int32 type, run_mode;
        long double hz;
        int32 result;
        msgs_t msgs;
    };
    const case_t cases[] = {
        {"sine, continuous", 0, 3, 1e3L, 1, {}},
        {"sine, modulated", 0, 0, 1e3L, 1, {}},
        {"noise", 4, 3, 1e3L, -12, {{2, 1, 0}}},
        {"DC", 5, 3, 1e3L, -12, {{2, 1, 0}}},
        {"sweep", 0, 1, 1e3L, -12, {}},
        {"burst", 0, 2, 1e3L, -12, {}},
        {"exactly 10 MHz", 0, 3, 1e7L, 1, {}},
        {"above 10 MHz", 0, 3, 1.0000001e7L, -12, {{2, 0, 10000000}}},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.what);
        s->set_enable_raw(0);
        set_channel(0, c.type, c.run_mode, c.hz, 1);
        sim.poke(ROUTING, 0);
        sim.clear_log();
        EXPECT_EQ(s->set_enable(1), c.result);
        EXPECT_EQ(s->get_enable(), c.result == 1 ? 1 : 0);
        EXPECT_EQ(messages(), c.msgs);
        if (c.result != 1)
        {
            EXPECT_TRUE(sim.writes().empty()) << sim.compact();
        }
    }
    // Switching off needs no check.
    set_channel(0, 4, 2, 5e7L, 1);
    EXPECT_EQ(s->set_enable(0), 1);
    EXPECT_EQ(s->get_enable(), 0);
    EXPECT_TRUE(messages().empty());
}

TEST_F(CfgSync, RoutingFollowsTheSourceChannelAndItsOutput)
{
    cfg_sync_t *s = cfg_get_sync();
    struct case_t
    {
        int32 source_ch, enable, output;
        std::uint16_t reg82;
    };
    const case_t cases[] = {
        {0, 1, 1, 0},      {0, 1, 0, OFF_BIT},          {0, 0, 1, OFF_BIT},
        {1, 1, 1, CH_BIT}, {1, 1, 0, CH_BIT | OFF_BIT}, {1, 0, 1, CH_BIT | OFF_BIT},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(testing::Message() << "ch " << c.source_ch << " on " << c.enable << " output " << c.output);
        set_channel(0, 0, 3, 1e3L, c.output);
        set_channel(1, 0, 3, 1e3L, c.output);
        s->set_enable_raw(0);
        ASSERT_EQ(s->set_source_ch(c.source_ch), 1);
        sim.poke(ROUTING, 0x4000 | OFF_BIT);
        s->set_enable(c.enable);
        EXPECT_EQ(sim.peek(ROUTING) & (CH_BIT | OFF_BIT), c.reg82);
        EXPECT_EQ(sim.peek(ROUTING) & 0x4000, 0x4000);
    }
}

TEST_F(CfgSync, MovingTheSourceIsCheckedOnlyWhileOn)
{
    cfg_sync_t *s = cfg_get_sync();
    set_channel(0, 0, 3, 1e3L, 1);
    set_channel(1, 5, 3, 1e3L, 1);
    EXPECT_EQ(s->set_source_ch(1), 1); // off: whatever channel 1 plays
    EXPECT_EQ(s->set_source_ch(0), 1);
    ASSERT_EQ(s->set_enable(1), 1);
    messages();
    EXPECT_EQ(s->set_source_ch(1), -13);
    EXPECT_EQ(s->get_source_ch(), 0);
    EXPECT_EQ(messages(), (msgs_t{{2, 1, 0}}));
    // Channels other than 0 and 1 are refused, on or off.
    EXPECT_EQ(s->set_source_ch(2), -13);
    s->set_enable(0);
    EXPECT_EQ(s->set_source_ch(-1), -13);
    EXPECT_EQ(s->get_source_ch(), 0);
}

TEST_F(CfgSync, FollowsOutputWaveTypeAndFrequencyChanges)
{
    cfg_sync_t *s = cfg_get_sync();
    set_channel(0, 0, 3, 1e7L, 1);
    set_channel(1, 0, 3, 1e3L, 1);
    ASSERT_EQ(s->set_enable(1), 1);
    EXPECT_EQ(sim.peek(ROUTING) & OFF_BIT, 0);

    // The followed channel's output off: the sync output is off in hardware only.
    cfg_get_wv_main(0)->set_output(0);
    EXPECT_EQ(sim.peek(ROUTING) & OFF_BIT, OFF_BIT);
    EXPECT_EQ(s->get_enable(), 1);
    cfg_get_wv_main(0)->set_output(1);
    EXPECT_EQ(sim.peek(ROUTING) & OFF_BIT, 0);

    // The other channel's wave type does not matter; the source's noise switches off.
    s->on_wave_type(1, 4);
    EXPECT_EQ(s->get_enable(), 1);
    s->on_wave_type(0, 5);
    EXPECT_EQ(s->get_enable(), 0);
    EXPECT_EQ(sim.peek(ROUTING) & OFF_BIT, OFF_BIT);
    EXPECT_TRUE(messages().empty());

    // A frequency above 10 MHz found by the re-check switches off with its message.
    ASSERT_EQ(s->set_enable(1), 1);
    s->recheck(1);
    EXPECT_EQ(s->get_enable(), 1);
    cfg_get_bswv_main(0)->store_freq_raw({2e7L, 14, false});
    s->recheck(0);
    EXPECT_EQ(s->get_enable(), 0);
    EXPECT_EQ(sim.peek(ROUTING) & OFF_BIT, OFF_BIT);
    EXPECT_EQ(messages(), (msgs_t{{2, 0, 10000000}}));
}

TEST_F(CfgSync, ReapplyWritesTheStoredSetting)
{
    cfg_sync_t *s = cfg_get_sync();
    set_channel(1, 0, 3, 1e3L, 1);
    s->set_source_ch(1);
    s->set_enable(1);
    sim.poke(ROUTING, 0);
    s->reapply();
    EXPECT_EQ(sim.peek(ROUTING) & (CH_BIT | OFF_BIT), CH_BIT);
    EXPECT_EQ(s->get_enable(), 1);
}
