#include "sim_engine.h"

#include <cstring>
#include <gtest/gtest.h>

namespace {

std::string ask(sim_engine_t &e, const std::string &message)
{
    std::string reply;
    return e.handle(message, reply) ? reply : "<none>";
}

std::string samples_bytes(std::initializer_list<int16_t> values)
{
    std::string out;
    for (int16_t v : values)
        out.append(reinterpret_cast<const char *>(&v), 2);
    return out;
}

} // namespace

TEST(SimEngine, ProfilesIntroduceThemselves)
{
    const struct {
        sim_profile_t profile;
        const char *query;
        const char *reply;
    } cases[] = {
        {sim_generator_profile(4), "*IDN?", "Korvane,ZQWP080V,SIM1004,1.2.3\n"},
        {sim_generator_profile(4), "PROD?\n", "PROD,ZQWP080V,HW1\n"},
        {sim_generator_profile(4), "IDN-KRVN-AWG?", "<none>"},
        {sim_generator_profile(9), "IDN-KRVN-AWG?", "Korvane,MZKU55,SIM1009,2.1.0\n"},
        {sim_generator_profile(9), "PROD?", "<none>"},
        {sim_generator_profile(10), "IDN-KRVN-AWG?", "Korvane, ,SIM1010,2.1.0\n"},
        {sim_generator_profile(10), "*IDN?", "Korvane,OVTP120V Wide,SIM1010,1.0.0\n"},
        {sim_generator_profile(0), "IDN-KRVN-PRI?", "PRI,SIM1000\n"},
        {sim_scope_profile(8), "CHS?", "CHS 8\n"},
        {sim_scope_profile(2), "*IDN?\r\n", "Korvane,OVTN200V-L,SIM1102,3.4.5\n"},
        {sim_other_profile(), "*IDN?", "Elsewhere Inc,DMM-7,SN42,0.9\n"},
        {sim_other_profile(), "STL?", "<none>"},
        {sim_silent_profile(), "*IDN?", "<none>"},
    };
    for (const auto &c : cases) {
        sim_engine_t e(c.profile);
        EXPECT_EQ(ask(e, c.query), c.reply) << c.query;
    }
}

TEST(SimEngine, StoresOnePieceAndSegmentedDownloads)
{
    sim_engine_t e(sim_generator_profile(2));
    const std::string a = samples_bytes({1, -2, 3});
    EXPECT_EQ(ask(e, "C1:WVDT TYPE,5,FREQ,1000,AMPL,2,OFST,0,PHASE,0,WVNM,one,LENGTH,6,WAVEDATA," + a), "<none>");
    ASSERT_NE(e.wave("one"), nullptr);
    EXPECT_EQ(e.wave("one")->data, a);
    EXPECT_EQ(e.wave("one")->channel, 0);
    EXPECT_EQ(e.wave("one")->fields.at("FREQ"), "1000");

    const std::string head = "C2:WVDT:SEGMENT TYPE,5,FREQ,1,AMPL,2,OFST,0,PHASE,0,WVNM,seg,LENGTH,10,";
    ask(e, head + "BEGIN,WAVEDATA," + samples_bytes({1, 2}));
    ask(e, head + "WAVEDATA," + samples_bytes({3, 4}));
    EXPECT_EQ(e.wave("seg"), nullptr);
    ask(e, head + "END,WAVEDATA," + samples_bytes({5}));
    ASSERT_NE(e.wave("seg"), nullptr);
    EXPECT_EQ(e.wave("seg")->data, samples_bytes({1, 2, 3, 4, 5}));
    EXPECT_EQ(e.wave("seg")->segments, 3);
    EXPECT_TRUE(e.errors().empty()) << e.errors().front();

    ask(e, "C2:ARWV NAME,seg");
    EXPECT_EQ(e.selected(1), "NAME,seg");
}

TEST(SimEngine, ReportsDownloadsThatBreakTheFraming)
{
    const struct {
        const char *name;
        std::vector<std::string> messages;
    } cases[] = {
        {"segment without BEGIN", {"WVDT:SEGMENT WVNM,x,LENGTH,2,END,WAVEDATA,ab"}},
        {"length mismatch", {"WVDT WVNM,x,LENGTH,4,WAVEDATA,ab"}},
        {"BEGIN in a one-piece download", {"WVDT WVNM,x,LENGTH,2,BEGIN,WAVEDATA,ab"}},
        {"unknown field", {"WVDT WVNM,x,COLOR,red,LENGTH,2,WAVEDATA,ab"}},
        {"second BEGIN", {"WVDT:SEGMENT WVNM,x,LENGTH,4,BEGIN,WAVEDATA,ab",
                          "WVDT:SEGMENT WVNM,x,LENGTH,4,BEGIN,WAVEDATA,ab"}},
        {"unknown command", {"FOO?"}},
    };
    for (const auto &c : cases) {
        sim_engine_t e(sim_generator_profile(2));
        for (const std::string &m : c.messages)
            ask(e, m);
        EXPECT_FALSE(e.errors().empty()) << c.name;
    }
}

TEST(SimEngine, FourteenBitClassesKeepSlotsAndKilobytes)
{
    sim_engine_t e(sim_generator_profile(6));
    std::string data(2048, '\x01');
    ask(e, "C1:WVDT M5,TYPE,5,FREQ,1,AMPL,1,OFST,0,PHASE,0,WVNM,w,LENGTH,2KB,WAVEDATA," + data);
    ASSERT_NE(e.wave("w"), nullptr);
    EXPECT_EQ(e.wave("w")->slot, 5);
    EXPECT_TRUE(e.errors().empty());
    EXPECT_EQ(ask(e, "STL?"), "STL M0, SINE, M1, NOISE, M2, STAIRUP, M3, EMPTY, M5, w\n");
    std::string reply = ask(e, "WVDT? M5");
    EXPECT_EQ(reply.substr(reply.size() - 2048), data);
}

TEST(SimEngine, ReadBackHasNineCommasBeforeTheSamples)
{
    for (unsigned cls : {2u, 9u}) {
        sim_engine_t e(sim_generator_profile(cls));
        const std::string data = samples_bytes({400, -400});
        ask(e, "C1:WVDT TYPE,5,FREQ,50,AMPL,3,OFST,0,PHASE,0,WVNM,rb,LENGTH,4,WAVEDATA," + data);
        std::string reply = ask(e, "WVDT? USER,rb");
        std::size_t at = 0;
        for (int i = 0; i < 9; ++i)
            at = reply.find(',', at) + 1;
        EXPECT_EQ(reply.substr(0, at), "WVDT WVNM,rb,LENGTH,4B,FREQ,50,AMPL,3,WAVEDATA,");
        // Classes 9 and 10 answer with 14-bit codes.
        EXPECT_EQ(reply.substr(at), cls == 2 ? data : samples_bytes({100, -100})) << cls;
        EXPECT_EQ(ask(e, "WVDT? \"user,rb\""), reply);
        EXPECT_EQ(ask(e, "STL? USER\n"), "STL WVNM,rb\n");
        EXPECT_EQ(ask(e, "WVPR? M0\n"), "WVPR M0,FREQ,50HZ,AMPL,3V,OFST,0V,PHASE,0\n");
    }
}

TEST(SimEngine, ScopeTraceHeaderEndsAt357BytesAfterTheHash)
{
    sim_engine_t e(sim_scope_profile(4));
    e.scope_channel(2).codes = {1, -1, 30};
    e.scope_channel(2).vdiv = 0.5;
    EXPECT_EQ(ask(e, "C3:vdiv?"), "C3:VDIV 5.00E-01V\n");
    ask(e, "chdr off\n");
    EXPECT_EQ(ask(e, "C3:vdiv?"), "5.00E-01V\n");
    EXPECT_EQ(ask(e, "tdiv?\n"), "1.00E-03S\n");
    std::string trace = ask(e, "C3:WF? ALL");
    std::size_t hash = trace.find('#');
    ASSERT_NE(hash, std::string::npos);
    EXPECT_EQ(trace.substr(hash + 357), std::string("\x01\xff\x1e\n\n", 5));
    EXPECT_EQ(ask(e, "C5:WF? ALL"), "<none>");
}

TEST(SimEngine, ReplyFaultsAndCannedReplies)
{
    sim_engine_t e(sim_generator_profile(2));
    e.profile().canned["*IDN?"] = "canned,reply";
    EXPECT_EQ(ask(e, "*IDN?"), "canned,reply");
    e.faults().reply_extra_bytes = 3;
    EXPECT_EQ(ask(e, "*IDN?"), "canned,replyXXX");
    e.faults().garble = "IDN";
    std::string garbled = ask(e, "*IDN?");
    ASSERT_EQ(garbled.size(), 15u);
    for (std::size_t i = 0; i < 12; ++i)
        EXPECT_GE(static_cast<unsigned char>(garbled[i]), 0x80);
    EXPECT_EQ(garbled.substr(12), "XXX");
    e.faults().no_reply = "";
    EXPECT_EQ(ask(e, "PROD?"), "<none>");
}
