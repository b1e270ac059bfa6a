#include "sim_engine.h"
#include "sim_session.h"

#include <gtest/gtest.h>

namespace {

ViStatus send(sim_session_t &s, const std::string &m)
{
    ViUInt32 n = 0;
    return s.write(reinterpret_cast<const ViByte *>(m.data()), ViUInt32(m.size()), n, 2000);
}

ViStatus take(sim_session_t &s, ViUInt32 capacity, std::string &got)
{
    std::string buf(capacity, '\0');
    ViUInt32 n = 0;
    ViStatus st = s.read(reinterpret_cast<ViByte *>(&buf[0]), capacity, n, 2000);
    got = buf.substr(0, n);
    return st;
}

} // namespace

TEST(SimSession, JournalsMessagesReadsAndTimeouts)
{
    auto engine = std::make_shared<sim_engine_t>(sim_generator_profile(2));
    {
        sim_session_t s(engine, "R");
        std::string big = "C1:WVDT WVNM,w,LENGTH,4000,WAVEDATA," + std::string(4000, 'z');
        std::string got;
        EXPECT_EQ(send(s, "*IDN?"), VI_SUCCESS);
        EXPECT_EQ(take(s, 100, got), VI_SUCCESS);
        s.timeout_changed(60000);
        EXPECT_EQ(send(s, big), VI_SUCCESS);
        EXPECT_EQ(take(s, 10, got), VI_ERROR_TMO);
        EXPECT_EQ(send(s, std::string(3000, 'q')), VI_SUCCESS);
    }
    auto j = engine->journal().entries();
    ASSERT_EQ(j.size(), 7u);
    EXPECT_EQ(j[0].kind, sim_journal_entry_t::WRITE);
    EXPECT_EQ(j[0].text, "*IDN?");
    EXPECT_EQ(j[1].kind, sim_journal_entry_t::READ);
    EXPECT_EQ(j[1].size, 100u);
    EXPECT_EQ(j[2].kind, sim_journal_entry_t::TIMEOUT);
    EXPECT_EQ(j[2].size, 60000u);
    EXPECT_EQ(j[3].text, "C1:WVDT WVNM,w,LENGTH,4000,WAVEDATA,");
    EXPECT_EQ(j[3].size, 4036u);
    EXPECT_EQ(j[3].checksum, sim_checksum(std::string(4000, 'z').data(), 4000));
    EXPECT_EQ(j[4].status, VI_ERROR_TMO);
    EXPECT_EQ(j[5].text, std::string(64, 'q'));
    EXPECT_EQ(j[6].kind, sim_journal_entry_t::CLOSE);
}

TEST(SimSession, EmptyRepliesAndConnectionLostInTheReply)
{
    auto engine = std::make_shared<sim_engine_t>(sim_generator_profile(2));
    engine->profile().canned["EMPTY?"] = "";
    sim_session_t s(engine, "R");
    std::string got;
    ASSERT_EQ(send(s, "EMPTY?"), VI_SUCCESS);
    EXPECT_EQ(take(s, 10, got), VI_SUCCESS);
    EXPECT_EQ(got, "");
    EXPECT_EQ(take(s, 10, got), VI_ERROR_TMO);

    engine->faults().drop_in_reply = "*IDN?";
    ASSERT_EQ(send(s, "*IDN?"), VI_SUCCESS);
    EXPECT_EQ(take(s, 256, got), VI_ERROR_CONN_LOST);
    EXPECT_EQ(got, "Korvane,ZQWR120");
    EXPECT_EQ(send(s, "PROD?"), VI_ERROR_CONN_LOST);
}
