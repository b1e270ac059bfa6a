#include "comm_test_util.h"

#include <optional>

namespace {

// An instrument answering the identity queries with these replies (none: no answer;
// "*IDN?" then gets an empty one, which counts the same).
sim_profile_t identity(std::optional<std::string> idn, std::optional<std::string> priv,
                       std::optional<std::string> prod)
{
    sim_profile_t p;
    p.idn = idn.value_or("");
    p.private_idn = priv;
    p.prod = prod;
    return p;
}

struct awg_case_t
{
    const char *name;
    std::optional<std::string> idn, priv, prod;
    bool accepted;
    int model_class = 0;
    const char *manufacturer = "", *model = "", *serial = "", *firmware = "", *extra = "";
};

} // namespace

using DrvDeviceCommIdentify = comm_test_t;

TEST_F(DrvDeviceCommIdentify, GeneratorRepliesToRecords)
{
    const std::string idn4 = "Korvane,ZQWP080V,SN1,1.0\n";
    const awg_case_t cases[] = {
        {"four fields and a ZQWP product", idn4, {}, "PROD,ZQWP080V,HW\n", true, 4, "Korvane", "ZQWP080V", "SN1",
         "1.0\n", ""},
        {"product as the last field keeps its line feed", idn4, {}, "PROD,ZQWP080V\n", true, 9, "Korvane",
         "ZQWP080V", "SN1", "1.0\n", ""},
        {"first family found inside the product", idn4, {}, "PROD,xZQWT500R,HW", true, 0, "Korvane", "ZQWP080V",
         "SN1", "1.0\n", ""},
        {"ZQWN without the pattern", idn4, {}, "PROD,ZQWN12,HW", true, 7, "Korvane", "ZQWP080V", "SN1", "1.0\n",
         ""},
        {"'*' names the maker", "*,M,S,F", {}, "PROD,ZQWQ1,HW", true, 6, "Korvane", "M", "S", "F", ""},
        {"another maker is kept", "Acme Korp,M,S,F", {}, "PROD,ZQWT12,HW", true, 8, "Acme Korp", "M", "S", "F",
         ""},
        {"fifth field loses one line feed", "K,M,S,F,opt\n\n", {}, "PROD,ZQWS1,HW", true, 1, "K", "M", "S", "F",
         "opt\n"},
        {"fifth field loses a blank", "K,M,S,F,opt ", {}, "PROD,ZQWR120V,HW", true, 2, "K", "M", "S", "F", "opt"},
        {"adjacent commas make no field", "K,,M,S,F,opt\n", {}, "PROD,ZQWR120V-L,HW", true, 3, "K", "M", "S", "F",
         "opt"},
        {"three fields", "K,M,S\n", {}, "PROD,ZQWR120V,HW", false},
        {"product of no generator family", idn4, {}, "PROD,DMM-7,HW", false},
        {"product with one field", idn4, {}, "ZQWR120V", false},
        {"product never answered", idn4, {}, {}, false},
        {"nothing answered", {}, {}, "PROD,ZQWR120V,HW", false},
        {"private answer", "K,X,Y,Z,five\n", "Korvane,MZKU55,SN9,2.0\n", {}, true, 9, "Korvane", "MZKU55", "SN9",
         "2.0\n", ""},
        {"private answer without idn", {}, "Korvane,MZKU55,SN9,2.0\n", {}, true, 9, "Korvane", "MZKU55", "SN9",
         "2.0\n", ""},
        {"private blank model: the rest from idn", "K,OVTP120V Wide,SN10,1.0\n", "Maker, ,P,Q\n", {}, true, 10,
         "Maker", "OVTP120V Wide", "SN10", "1.0\n", ""},
        {"private model of no known class", idn4, "Korvane,MZKU55X,SN,1\n", "PROD,ZQWP080V,HW\n", false},
        {"private blank model and a short idn", "K,M,S", "Korvane, ,SN,1\n", {}, false},
        {"private answer of three fields", idn4, "Korvane,MZKU55,SN\n", "PROD,ZQWP080V,HW\n", false},
    };
    for (const awg_case_t &c : cases) {
        std::string name;
        add_usb(identity(c.idn, c.priv, c.prod), &name);
        std::vector<awg_prod_info_t> awgs;
        EXPECT_EQ(comm->identify_awgs_from_list(awgs, {name}), c.accepted ? 1 : 0) << c.name;
        if (!c.accepted || awgs.size() != 1)
            continue;
        const awg_prod_info_t &r = awgs[0];
        EXPECT_EQ(r.addr_res, name) << c.name;
        EXPECT_EQ(r.model_class, c.model_class) << c.name;
        EXPECT_EQ(r.manufacturer, c.manufacturer) << c.name;
        EXPECT_EQ(r.model, c.model) << c.name;
        EXPECT_EQ(r.serial_number, c.serial) << c.name;
        EXPECT_EQ(r.firmware, c.firmware) << c.name;
        EXPECT_EQ(r.extra, c.extra) << c.name;
    }
}

TEST_F(DrvDeviceCommIdentify, BadRepliesAreSkipped)
{
    std::string garbled, longer, silent;
    add_usb(sim_generator_profile(2), &garbled)->faults().garble = "*IDN?";
    add_usb(sim_generator_profile(2), &longer)->profile().idn = std::string(300, 'x') + ",M,S,F\n";
    add_usb(sim_silent_profile(), &silent);
    std::vector<awg_prod_info_t> awgs;
    EXPECT_EQ(comm->identify_awgs_from_list(awgs, {garbled, longer, silent}), 0);
}

TEST_F(DrvDeviceCommIdentify, OscilloscopeRepliesToRecords)
{
    const struct {
        const char *prod;
        bool accepted;
        int family;
    } cases[] = {
        {"PROD,OVTP400V,HW", true, 6},     {"PROD,OVTQ800V,HW", true, 7},   {"PROD,OVTN200V-L,HW", true, 4},
        {"PROD,OVTP120V Wide,HW", true, 5}, {"PROD,YMT-GB-NG,HW", true, 9}, {"PROD,OVTN9xK,HW", true, 1},
        {"PROD,KWE100,HW", false, 0},       {"PROD,ZQWR120V,HW", false, 0},
    };
    for (const auto &c : cases) {
        std::string name;
        add_usb(identity("*,SCOPE,SN,FW\n", {}, std::string(c.prod)), &name);
        std::vector<scope_prod_info_t> scopes;
        EXPECT_EQ(comm->identify_scopes_from_list(scopes, {name}), c.accepted ? 1 : 0) << c.prod;
        if (c.accepted && scopes.size() == 1) {
            EXPECT_EQ(scopes[0].model_class, c.family) << c.prod;
            EXPECT_EQ(scopes[0].manufacturer, "Korvane");
            EXPECT_EQ(scopes[0].model, "SCOPE");
            EXPECT_EQ(scopes[0].firmware, "FW\n");
        }
    }
}

TEST_F(DrvDeviceCommIdentify, PausesPerProbe)
{
    const struct {
        const char *name;
        sim_profile_t profile;
        bool scope_probe;
        bool refuse_open;
        uint64 total_ms;
    } cases[] = {
        {"generator through idn and product", sim_generator_profile(4), false, false, 1200},
        {"generator through the private answer", sim_generator_profile(9), false, false, 800},
        {"generator refusing the open", sim_generator_profile(4), false, true, 200},
        {"oscilloscope", sim_scope_profile(4), true, false, 900},
        {"oscilloscope refusing the open", sim_scope_profile(4), true, true, 200},
        {"silent instrument", sim_silent_profile(), false, false, 800},
    };
    for (const auto &c : cases) {
        std::string name;
        add_usb(c.profile, &name)->faults().refuse_open = c.refuse_open;
        env.pauses().clear();
        env.journal().clear();
        std::vector<awg_prod_info_t> awgs;
        std::vector<scope_prod_info_t> scopes;
        if (c.scope_probe)
            comm->identify_scopes_from_list(scopes, {name});
        else
            comm->identify_awgs_from_list(awgs, {name});
        EXPECT_EQ(env.pauses().total_ms(), c.total_ms) << c.name;
        for (uint32 ms : env.pauses().pauses())
            EXPECT_EQ(ms, 100u) << c.name;
        if (c.refuse_open) {
            EXPECT_TRUE(env.journal().writes().empty()) << c.name;
        }
    }
}

TEST_F(DrvDeviceCommIdentify, ProductCheckOfAnAbsentResourceKeepsItsPauses)
{
    std::string product = "unchanged";
    EXPECT_FALSE(comm->check_awg_product("USB0::0x1::0x2::GONE::INSTR", product));
    EXPECT_EQ(product, "unchanged");
    EXPECT_EQ(env.pauses().total_ms(), 400u);
}

TEST_F(DrvDeviceCommIdentify, MapProbesEveryEntryAndOnlySetsFlags)
{
    std::string gen, scope, other;
    add_usb(sim_generator_profile(2), &gen);
    add_usb(sim_scope_profile(2), &scope);
    add_usb(sim_other_profile(), &other);
    std::map<std::string, bool> map = {{gen, false}, {scope, false}, {other, true}};
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    EXPECT_EQ(comm->identify_awgs(map, awgs), 1);
    EXPECT_EQ(comm->identify_scopes(map, scopes), 1);
    EXPECT_EQ(map, (std::map<std::string, bool>{{gen, true}, {scope, true}, {other, true}}));
    // Identification appends; a second run finds them again.
    EXPECT_EQ(comm->identify_awgs(map, awgs), 2);
    EXPECT_EQ(awgs[1].addr_res, gen);
    EXPECT_EQ(env.journal().of_kind(sim_journal_entry_t::OPEN).size(),
              env.journal().of_kind(sim_journal_entry_t::CLOSE).size());
}

TEST_F(DrvDeviceCommIdentify, SecondRecordCarriesOnlyItsOwnText)
{
    std::string a, b;
    add_usb(identity("Korvane,ZQWR120V-LONGNAME,SERIAL-0000001,1.2.3.4.5,option-x\n", {}, "PROD,ZQWR120V,H"), &a);
    add_usb(identity("K,M,S,F", {}, "PROD,ZQWR120V,H"), &b);
    std::vector<awg_prod_info_t> awgs;
    ASSERT_EQ(comm->identify_awgs_from_list(awgs, {a, b}), 2);
    EXPECT_EQ(awgs[1].model, "M");
    EXPECT_EQ(awgs[1].serial_number, "S");
    EXPECT_EQ(awgs[1].firmware, "F");
    EXPECT_EQ(awgs[1].extra, "");
}

TEST_F(DrvDeviceCommIdentify, EmptyListOpensNothing)
{
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    EXPECT_EQ(comm->identify_awgs_from_list(awgs, {}), -1);
    EXPECT_EQ(comm->identify_scopes_from_list(scopes, {}), -1);
    EXPECT_TRUE(env.journal().entries().empty());
}

TEST_F(DrvDeviceCommIdentify, FindAndIdentifyAll)
{
    add_usb(sim_generator_profile(2));
    add_usb(sim_scope_profile(4));
    add_usb(sim_generator_profile(10)); // a generator inside an oscilloscope: in both lists
    add_usb(sim_other_profile());
    std::vector<awg_prod_info_t> awgs;
    std::vector<scope_prod_info_t> scopes;
    EXPECT_EQ(comm->find_and_identify_all(awgs, scopes), 0);
    ASSERT_EQ(awgs.size(), 2u);
    EXPECT_EQ(awgs[0].model_class, 2);
    EXPECT_EQ(awgs[1].model_class, 10);
    ASSERT_EQ(scopes.size(), 2u);
    EXPECT_EQ(scopes[0].model_class, 6);
    EXPECT_EQ(scopes[1].model_class, 5);

    std::vector<awg_prod_info_t> copy = {awg_prod_info_t()};
    EXPECT_EQ(comm->copy_awg_records(awgs, copy), 0);
    EXPECT_EQ(copy.size(), 2u);
    EXPECT_EQ(copy[1].serial_number, "SIM1010");
}

TEST_F(DrvDeviceCommIdentify, PrivateIdQuery)
{
    ViSession s = connect(sim_generator_profile(2));
    char buf[32];
    EXPECT_EQ(comm->query_private_id(s, buf), 12);
    EXPECT_EQ(std::string(buf, 12), "PRI,SIM1002\n");
    EXPECT_EQ(env.journal().writes(), std::vector<std::string>{"IDN-KRVN-PRI?"});
    EXPECT_EQ(pauses(), (std::vector<uint32>{100, 100}));
}

TEST_F(DrvDeviceCommIdentify, EverySimulatedFamilyIsIdentified)
{
    std::vector<std::string> names;
    for (unsigned cls = 0; cls <= 10; ++cls) {
        names.emplace_back();
        add_usb(sim_generator_profile(cls), &names.back());
    }
    std::vector<awg_prod_info_t> awgs;
    ASSERT_EQ(comm->identify_awgs_from_list(awgs, names), 11);
    for (int cls = 0; cls <= 10; ++cls) {
        EXPECT_EQ(awgs[cls].model_class, cls);
        EXPECT_EQ(awgs[cls].addr_res, names[cls]);
    }
    std::vector<scope_prod_info_t> scopes;
    for (int channels : {2, 4, 8}) {
        std::string name;
        add_usb(sim_scope_profile(channels), &name);
        int32 count = comm->identify_scopes_from_list(scopes, {name});
        EXPECT_EQ(count, int32(scopes.size()));
    }
    ASSERT_EQ(scopes.size(), 3u);
    EXPECT_EQ(scopes[0].model_class, 4);
    EXPECT_EQ(scopes[1].model_class, 6);
    EXPECT_EQ(scopes[2].model_class, 7);
}
