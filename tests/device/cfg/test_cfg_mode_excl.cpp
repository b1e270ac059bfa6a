// The mode exclusion: the conflict search with claim and release on both channels,
// the notice of the first feature switched off, and the run-mode rule, as a table over
// the two channels' shared-resource settings.
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_mode_excl.h"
#include "cfg_sync.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace
{
// The settings that use a shared resource, per channel where they belong to one.
struct shared_t
{
    int32 run[2] = {3, 3};
    int32 sweep_src[2] = {0, 0};
    int32 sweep_out[2] = {0, 0};
    int32 burst_src[2] = {0, 0};
    int32 burst_out[2] = {2, 2};
    int32 mod_src[2] = {0, 0};
    int32 sync_on = 0;
    int32 sync_ch = 0;

    bool operator==(const shared_t &o) const
    {
        for (int32 k : {0, 1})
            if (run[k] != o.run[k] || sweep_src[k] != o.sweep_src[k] || sweep_out[k] != o.sweep_out[k] ||
                burst_src[k] != o.burst_src[k] || burst_out[k] != o.burst_out[k] || mod_src[k] != o.mod_src[k])
                return false;
        return sync_on == o.sync_on && sync_ch == o.sync_ch;
    }
};

std::ostream &operator<<(std::ostream &os, const shared_t &s)
{
    for (int32 k : {0, 1})
        os << "ch" << k << " run " << s.run[k] << " sweep " << s.sweep_src[k] << "/" << s.sweep_out[k] << " burst "
           << s.burst_src[k] << "/" << s.burst_out[k] << " mod " << s.mod_src[k] << "; ";
    return os << "sync " << s.sync_on << "@" << s.sync_ch;
}

// Stored without telling the exclusion object.
void store(const shared_t &s)
{
    for (int32 k : {0, 1})
    {
        cfg_get_wv_main(k)->store_run_mode(s.run[k]);
        cfg_get_sweep(k)->set_trig_src_raw(s.sweep_src[k]);
        cfg_get_sweep(k)->set_trig_out_raw(s.sweep_out[k]);
        cfg_get_burst(k)->set_trig_src_raw(s.burst_src[k]);
        cfg_get_burst(k)->set_trig_out_raw(s.burst_out[k]);
        // The burst takes its settings only while its run mode has it on, releases included.
        cfg_get_burst(k)->set_burst_on_raw(s.run[k] == 2 ? 1 : 0);
    }
    cfg_get_sync()->set_enable_raw(0);
    // With nothing else in use, switching the modulation sources claims nothing.
    // The modulation likewise, so it is on while its source is set.
    for (int32 k : {0, 1})
    {
        cfg_get_mod_main(k)->store_state(1);
        cfg_get_mod_main(k)->set_source(s.mod_src[k]);
        cfg_get_mod_main(k)->store_state(s.run[k] == 0 ? 1 : 0);
    }
    cfg_get_sync()->set_enable_raw(s.sync_on);
    cfg_get_sync()->set_source_ch_raw(s.sync_ch);
}

shared_t read()
{
    shared_t s;
    for (int32 k : {0, 1})
    {
        s.run[k] = cfg_get_wv_main(k)->get_run_mode();
        s.sweep_src[k] = cfg_get_sweep(k)->get_trig_src();
        s.sweep_out[k] = cfg_get_sweep(k)->get_trig_out();
        s.burst_src[k] = cfg_get_burst(k)->get_trig_src();
        s.burst_out[k] = cfg_get_burst(k)->get_trig_out();
        s.mod_src[k] = cfg_get_mod_main(k)->get_source();
    }
    s.sync_on = cfg_get_sync()->get_enable();
    s.sync_ch = cfg_get_sync()->get_source_ch();
    return s;
}
} // namespace

using CfgModeExcl = cfg_fixture_t;

TEST_F(CfgModeExcl, ClaimsAndRunModeChangesSwitchOffWhatConflicts)
{
    enum action_t
    {
        ON_MOD_SOURCE,
        ON_SYNC,
        ON_SWEEP_SOURCE,
        ON_SWEEP_OUT,
        ON_BURST_SOURCE,
        ON_BURST_OUT,
        ON_RUN_MODE
    };
    struct case_t
    {
        const char *name;
        shared_t before;
        int32 tracking;
        action_t action;
        int32 ch;
        shared_t after;
        // The notices posted: code and channel (the third word is always 0).
        std::vector<std::pair<int32, int32>> notices;
    };
    std::vector<case_t> cases;
    auto add = [&cases](const char *name, shared_t before, int32 tracking, action_t action, int32 ch,
                        auto change, std::vector<std::pair<int32, int32>> notices) {
        shared_t after = before;
        change(after);
        cases.push_back({name, before, tracking, action, ch, after, notices});
    };
    const auto nothing = [](shared_t &) {};

    shared_t s;
    s.run[0] = 1;
    s.sweep_out[0] = 1;
    s.run[1] = 2;
    s.burst_src[1] = 1;
    add("sweep output on while the other channel's burst triggers externally", s, 0, ON_SWEEP_OUT, 0,
        [](shared_t &a) { a.burst_src[1] = 0; }, {{9, 1}});

    s = shared_t();
    s.run[0] = 1;
    s.sweep_src[0] = 1;
    s.run[1] = 2;
    s.burst_src[1] = 1;
    add("two external triggers tolerate each other", s, 0, ON_SWEEP_SOURCE, 0, nothing, {});

    s = shared_t();
    s.run[0] = 0;
    s.mod_src[0] = 1;
    s.sync_on = 1;
    s.sync_ch = 1;
    add("sync output on ends external modulation", s, 0, ON_SYNC, 1, [](shared_t &a) { a.mod_src[0] = 0; },
        {{5, 0}});

    s = shared_t();
    s.run[0] = 0;
    s.mod_src[0] = 1;
    s.run[1] = 0;
    s.mod_src[1] = 1;
    add("external modulation tolerates the other channel's", s, 0, ON_MOD_SOURCE, 0, nothing, {});

    s = shared_t();
    s.run[0] = 0;
    s.mod_src[0] = 1;
    s.sync_on = 1;
    s.sync_ch = 1;
    s.run[1] = 1;
    s.sweep_src[1] = 1;
    add("conflicts on both channels: one release each, one notice", s, 0, ON_MOD_SOURCE, 0,
        [](shared_t &a) {
            a.sync_on = 0;
            a.sweep_src[1] = 0;
        },
        {{6, 1}});

    s = shared_t();
    s.run[0] = 2;
    s.burst_src[0] = 1;
    s.run[1] = 2;
    s.burst_out[1] = 0;
    add("a burst trigger output is stored off", s, 0, ON_BURST_SOURCE, 0, [](shared_t &a) { a.burst_out[1] = 2; },
        {{10, 1}});

    s = shared_t();
    s.run[0] = 2;
    s.burst_out[0] = 1;
    add("a trigger output tolerates itself", s, 0, ON_BURST_OUT, 0, nothing, {});

    s = shared_t();
    s.sync_on = 1;
    s.sync_ch = 0;
    s.run[1] = 0;
    s.mod_src[1] = 1;
    add("continuous with the sync output ends the other's external modulation", s, 0, ON_RUN_MODE, 0,
        [](shared_t &a) { a.mod_src[1] = 0; }, {});
    s.sync_ch = 1;
    add("the sync output of the other channel changes nothing", s, 0, ON_RUN_MODE, 0, nothing, {});

    s = shared_t();
    s.run[0] = 0;
    s.mod_src[0] = 1;
    s.sync_on = 1;
    s.sync_ch = 1;
    add("external modulation switches the other channel's sync output off", s, 0, ON_RUN_MODE, 0,
        [](shared_t &a) { a.sync_on = 0; }, {});

    s = shared_t();
    s.run[0] = 1;
    s.sweep_src[0] = 1;
    s.run[1] = 1;
    s.sweep_src[1] = 1;
    s.sweep_out[1] = 1;
    add("tracking: an external trigger alone claims nothing", s, 1, ON_RUN_MODE, 0, nothing, {});
    s.sweep_out[0] = 1;
    add("tracking: an output ends the other's output and keeps its trigger", s, 1, ON_RUN_MODE, 0,
        [](shared_t &a) { a.sweep_out[1] = 0; }, {});

    s = shared_t();
    s.run[0] = 2;
    s.burst_src[0] = 1;
    s.run[1] = 2;
    s.burst_src[1] = 1;
    s.burst_out[1] = 0;
    add("burst run mode: the other's trigger output goes off, its external trigger stays", s, 0, ON_RUN_MODE, 0,
        [](shared_t &a) { a.burst_out[1] = 2; }, {});

    cfg_mode_excl_t *excl = cfg_get_mode_excl();
    for (const case_t &k : cases)
    {
        SCOPED_TRACE(k.name);
        cfg_get_couple()->set_track_en_raw(k.tracking);
        store(k.before);
        cfg_main_t::get_instance()->take_messages();
        sim.clear_log();
        int32 result = 0;
        switch (k.action)
        {
        case ON_MOD_SOURCE:
            result = excl->on_mod_source(k.ch, 1);
            break;
        case ON_SYNC:
            result = excl->on_sync(k.ch, 1);
            break;
        case ON_SWEEP_SOURCE:
            result = excl->on_sweep_trigger_source(k.ch, 1);
            break;
        case ON_SWEEP_OUT:
            result = excl->on_sweep_trig_out(k.ch, 1);
            break;
        case ON_BURST_SOURCE:
            result = excl->on_burst_trigger_source(k.ch, 1);
            break;
        case ON_BURST_OUT:
            result = excl->on_burst_trig_out(k.ch, 1);
            break;
        case ON_RUN_MODE:
            result = excl->on_run_mode(k.ch);
            break;
        }
        EXPECT_EQ(result, 1);
        EXPECT_EQ(read(), k.after);
        std::vector<std::pair<int32, int32>> notices;
        for (const cfg_msg_t &m : cfg_main_t::get_instance()->take_messages())
        {
            EXPECT_EQ(m.words[2], 0);
            notices.emplace_back(m.words[0], m.words[1]);
        }
        EXPECT_EQ(notices, k.notices);
        // A release goes through the feature's own setter, which applies it; without
        // one nothing reaches the driver (a burst trigger output is only stored).
        const bool released = !(k.before == k.after);
        if (!released)
            EXPECT_TRUE(sim.log().empty());
    }
}

TEST_F(CfgModeExcl, ValuesThatClaimNothing)
{
    shared_t s;
    s.run[0] = 1;
    s.sweep_src[0] = 1;
    s.sync_on = 1;
    store(s);
    cfg_mode_excl_t *excl = cfg_get_mode_excl();
    cfg_main_t::get_instance()->take_messages();
    excl->on_mod_source(1, 0);
    excl->on_sync(1, 0);
    excl->on_sweep_trigger_source(1, 0);
    excl->on_sweep_trig_out(1, 0);
    excl->on_burst_trigger_source(1, 2);
    excl->on_burst_trig_out(1, 2);
    EXPECT_EQ(read(), s);
    EXPECT_TRUE(cfg_main_t::get_instance()->take_messages().empty());
    EXPECT_EQ(excl->find_conflict(0, 0, 6), 7);
    EXPECT_EQ(excl->find_conflict(0, 1, 7), 6);
    EXPECT_EQ(excl->find_conflict(0, 0, 9), 6);
}

// A feature whose owner's setter refuses (its own mode off) is still switched off: the
// conflict would otherwise stay in place.
TEST_F(CfgModeExcl, SwitchOffsHoldWhereTheOwnersSetterRefuses)
{
    struct case_t
    {
        const char *name;
        std::function<void()> arrange;
        std::function<void()> act;
        std::function<bool()> switched_off;
    };
    const std::vector<case_t> cases = {
        {"burst off by its wave, external trigger; sweep output claimed",
         [] {
             shared_t s;
             s.run[1] = 2;
             s.burst_src[1] = 1;
             store(s);
             cfg_get_burst(1)->set_burst_on_raw(0);
         },
         [] { cfg_get_sweep(0)->set_trig_out(1); }, [] { return cfg_get_burst(1)->get_trig_src() == 0; }},
        {"gated burst with a trigger output; the other channel enters burst with its own",
         [] {
             shared_t s;
             s.run[0] = 2;
             s.burst_out[0] = 1;
             s.run[1] = 2;
             s.burst_out[1] = 1;
             store(s);
             cfg_get_burst(1)->set_mode_raw(1);
         },
         [] { cfg_get_mode_excl()->on_run_mode(0); }, [] { return cfg_get_burst(1)->get_trig_out() == 2; }},
        {"modulation off by its carrier, external source; sync output claimed",
         [] {
             shared_t s;
             s.run[1] = 0;
             s.mod_src[1] = 1;
             store(s);
             cfg_get_mod_main(1)->store_state(0);
         },
         [] { cfg_get_mode_excl()->on_sync(0, 1); }, [] { return cfg_get_mod_main(1)->get_source() == 0; }},
    };
    for (const case_t &c : cases)
    {
        SCOPED_TRACE(c.name);
        c.arrange();
        c.act();
        EXPECT_TRUE(c.switched_off());
    }
}
