#include "comm_test_util.h"
#include "ui_instr_list.h"

#include <algorithm>
#include <set>

namespace {

std::vector<std::string> resources_of(const std::vector<awg_prod_info_t> &list)
{
    std::vector<std::string> out;
    for (const auto &r : list)
        out.push_back(r.addr_res);
    return out;
}

std::vector<std::string> resources_of(const std::vector<scope_prod_info_t> &list)
{
    std::vector<std::string> out;
    for (const auto &r : list)
        out.push_back(r.addr_res);
    return out;
}

const std::string gen_t = "TCPIP0::10.0.0.2::INSTR";
const std::string other_t = "TCPIP0::10.0.0.9::INSTR";
const std::string scope_t = "TCPIP0::9.0.0.1::INSTR";

// Two USB generators and an oscilloscope, and on the network a generator, an
// oscilloscope and an instrument of neither kind, all identified by a first full
// refresh.
class UiInstrList : public comm_test_t
{
protected:
    void SetUp() override
    {
        gen1 = add_usb(sim_generator_profile(2), &gen1_name);
        gen2 = add_usb(sim_generator_profile(4), &gen2_name);
        scope = add_usb(sim_scope_profile(4), &scope_name);
        net_gen = add_tcpip(sim_generator_profile(1), gen_t);
        net_scope = add_tcpip(sim_scope_profile(2), scope_t);
        add_tcpip(sim_other_profile(), other_t);
        comm->find_usb_resources(list.get_usb_resources());
        for (const std::string &r : {gen_t, scope_t, other_t})
            list.get_tcpip_resources().emplace(r, false);
        list.refresh_instr_list(0);
    }

    std::shared_ptr<sim_engine_t> add_tcpip(const sim_profile_t &profile, const std::string &name)
    {
        auto engine = std::make_shared<sim_engine_t>(profile);
        env.backend().add_tcpip(engine, name.substr(8, name.size() - 8 - 7));
        return engine;
    }

    // The resources opened since the journal was last cleared.
    std::set<std::string> opened()
    {
        std::set<std::string> out;
        for (const auto &e : env.journal().of_kind(sim_journal_entry_t::OPEN))
            out.insert(e.resource);
        return out;
    }

    std::map<std::string, bool> flags() { return list.get_tcpip_resources(); }

    ui_instr_list_t list;
    std::string gen1_name, gen2_name, scope_name;
    std::shared_ptr<sim_engine_t> gen1, gen2, scope, net_gen, net_scope;
};

} // namespace

TEST_F(UiInstrList, FullRefreshListsUsbFirstAndFlagsWhatAnswered)
{
    EXPECT_EQ(resources_of(*list.get_awg_list()), (std::vector<std::string>{gen1_name, gen2_name, gen_t}));
    EXPECT_EQ(resources_of(*list.get_scope_list()), (std::vector<std::string>{scope_name, scope_t}));
    EXPECT_EQ(resources_of(*list.get_usb_awg_list()), (std::vector<std::string>{gen1_name, gen2_name}));
    EXPECT_EQ(resources_of(*list.get_tcpip_scope_list()), (std::vector<std::string>{scope_t}));
    // Byte order: "10.0.0.x" before "9.0.0.1"; the instrument of neither kind keeps false.
    EXPECT_EQ(flags(), (std::map<std::string, bool>{{gen_t, true}, {other_t, false}, {scope_t, true}}));
    EXPECT_EQ(list.copy_awg_list().size(), 3u);
    EXPECT_EQ((*list.get_awg_list())[2].model_class, 1);
}

// After the full refresh every instrument falls silent and a third USB generator comes:
// what each type of refresh probes, and what it keeps from the first one.
struct partial_case_t
{
    int type;
    bool usb_part, tcpip_part;
};

class UiInstrListPartial : public UiInstrList, public testing::WithParamInterface<partial_case_t>
{
};

TEST_P(UiInstrListPartial, KeepsThePartThatDoesNotRun)
{
    const partial_case_t c = GetParam();
    std::string gen3_name;
    add_usb(sim_generator_profile(2), &gen3_name);
    for (auto *e : {gen1.get(), gen2.get(), scope.get(), net_gen.get(), net_scope.get()})
        e->profile().silent = true;
    list.get_usb_resources().clear();
    comm->find_usb_resources(list.get_usb_resources());
    env.journal().clear();

    list.refresh_instr_list(c.type);

    std::vector<std::string> awgs, scopes;
    awgs.push_back(c.usb_part ? gen3_name : gen1_name);
    if (!c.usb_part) {
        awgs.push_back(gen2_name);
        scopes.push_back(scope_name);
    }
    if (!c.tcpip_part) {
        awgs.push_back(gen_t);
        scopes.push_back(scope_t);
    }
    EXPECT_EQ(resources_of(*list.get_awg_list()), awgs);
    EXPECT_EQ(resources_of(*list.get_scope_list()), scopes);
    EXPECT_EQ(flags(), (std::map<std::string, bool>{{gen_t, !c.tcpip_part}, {other_t, false},
                                                   {scope_t, !c.tcpip_part}}));
    // Every resource of a part that ran is probed, and nothing else.
    std::set<std::string> expected;
    if (c.usb_part)
        expected.insert(list.get_usb_resources().begin(), list.get_usb_resources().end());
    if (c.tcpip_part)
        expected.insert({gen_t, scope_t, other_t});
    EXPECT_EQ(opened(), expected);
}

INSTANTIATE_TEST_SUITE_P(Types, UiInstrListPartial,
                         testing::Values(partial_case_t{0, true, true}, partial_case_t{1, true, false},
                                         partial_case_t{2, false, true}, partial_case_t{3, true, true},
                                         partial_case_t{-1, true, true}));

TEST(UiInstrListEmpty, NothingToProbeLeavesEveryListEmpty)
{
    sim_visa_env_t env;
    ui_instr_list_t list;
    list.refresh_instr_list(0);
    EXPECT_TRUE(list.get_awg_list()->empty());
    EXPECT_TRUE(list.get_scope_list()->empty());
    for (auto *v : {list.get_usb_awg_list(), list.get_tcpip_awg_list()})
        EXPECT_TRUE(v->empty());
    for (auto *v : {list.get_usb_scope_list(), list.get_tcpip_scope_list()})
        EXPECT_TRUE(v->empty());
    EXPECT_TRUE(env.journal().entries().empty());
}
