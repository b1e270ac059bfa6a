// Writes, reads, clears and time-outs over VXI-11 links to the simulator program on
// loopback, and replies no good server sends, from a scripted peer.
#include "plat_visa.h"
#include "rpc_peer.h"
#include "sim_process.h"
#include "visa_registry.h"
#include "visa_vxi11_session.h"

#include <chrono>
#include <cstdlib>
#include <future>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace {

using clock_type = std::chrono::steady_clock;

long long ms_since(clock_type::time_point start)
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(clock_type::now() - start).count();
}

// A download message of `bytes` sample bytes that differ from each other's neighbours.
std::string download(const std::string &name, std::size_t bytes, std::string &samples)
{
    samples.resize(bytes);
    for (std::size_t i = 0; i < bytes; ++i)
        samples[i] = char((i * 131 + i / 251) & 0xFF);
    return "C1:WVDT WVNM," + name + ",LENGTH," + std::to_string(bytes) + ",WAVEDATA," + samples;
}

class VisaVxi11Session : public ::testing::Test
{
protected:
    void SetUp() override
    {
        visa_registry_t::instance().set_override(nullptr);
        ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    }
    void TearDown() override { viClose(rm); }

    ViSession open(const std::string &name, ViUInt32 timeout_ms = 2000)
    {
        ViSession vi = 0;
        EXPECT_EQ(viOpen(rm, name.c_str(), 0, 0, &vi), VI_SUCCESS) << name;
        EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, timeout_ms), VI_SUCCESS);
        return vi;
    }

    static ViStatus write(ViSession vi, const std::string &bytes, ViUInt32 *count = nullptr)
    {
        ViUInt32 n = 0;
        const ViStatus st = viWrite(vi, reinterpret_cast<ViConstBuf>(bytes.data()), ViUInt32(bytes.size()), &n);
        if (count)
            *count = n;
        return st;
    }

    static ViStatus read(ViSession vi, ViUInt32 capacity, std::string &got)
    {
        std::string buf(capacity, '\0');
        ViUInt32 n = 0;
        const ViStatus st = viRead(vi, reinterpret_cast<ViPBuf>(&buf[0]), capacity, &n);
        EXPECT_LE(n, capacity);
        got = buf.substr(0, n);
        return st;
    }

    ViSession rm = 0;
};

const std::string k_idn = "Korvane,ZQWR120V,SIM1002,1.2.3\n";

} // namespace

TEST_F(VisaVxi11Session, WritesArriveWholeWhateverTheServerTakesPerCall)
{
    const struct {
        const char *name;
        std::vector<std::string> args;
    } cases[] = {
        {"one call", {}},
        {"chunks of maxRecvSize", {"--max-recv-size", "1024"}},
        {"partial acceptance, continued where the server stopped", {"--max-recv-size", "1024", "--write-accept", "333"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim_process_t sim({{"", "generator:2"}}, {0, false, false, c.args});
        ASSERT_TRUE(sim.started()) << sim.output();
        ViSession vi = open(sim.resource(0));
        std::string samples;
        const std::string message = download("chunked", 10001 * 2, samples);
        ViUInt32 count = 0;
        EXPECT_EQ(write(vi, message, &count), VI_SUCCESS);
        EXPECT_EQ(count, message.size());
        // The instrument is still in step: the next message is a message of its own.
        std::string got;
        EXPECT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
        EXPECT_EQ(read(vi, 256, got), VI_SUCCESS);
        EXPECT_EQ(got, k_idn);
        viClose(vi);
        EXPECT_EQ(sim.stored(0, "chunked"), samples);
        std::vector<std::uint64_t> sizes;
        for (const auto &e : sim.journal())
            if (e.kind == sim_journal_entry_t::WRITE)
                sizes.push_back(e.size);
        EXPECT_EQ(sizes, (std::vector<std::uint64_t>{message.size(), 5}));
    }
}

TEST_F(VisaVxi11Session, ReadsEndAtTheMessageEndOrTheCapacity)
{
    for (const char *chunk : {"0", "3"}) {
        SCOPED_TRACE(std::string("server answers at most ") + chunk + " bytes a call (0: all)");
        sim_process_t sim({{"", "generator:2"}},
                          {0, false, false, chunk[0] == '0' ? std::vector<std::string>{}
                                                            : std::vector<std::string>{"--read-chunk", chunk}});
        ASSERT_TRUE(sim.started()) << sim.output();
        ViSession vi = open(sim.resource(0));
        std::string got;
        ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
        EXPECT_EQ(read(vi, 0, got), VI_SUCCESS_MAX_CNT);
        EXPECT_EQ(read(vi, 8, got), VI_SUCCESS_MAX_CNT);
        EXPECT_EQ(got, k_idn.substr(0, 8));
        EXPECT_EQ(read(vi, 256, got), VI_SUCCESS);
        EXPECT_EQ(got, k_idn.substr(8));
        // Nothing more to read: the fast simulator times out at once.
        EXPECT_EQ(read(vi, 256, got), VI_ERROR_TMO);
        EXPECT_EQ(got, "");
        // A reply exactly as long as the capacity ends with the message.
        ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
        EXPECT_EQ(read(vi, ViUInt32(k_idn.size()), got), VI_SUCCESS);
        EXPECT_EQ(got, k_idn);
        viClose(vi);
    }
}

TEST_F(VisaVxi11Session, ClearDropsTheReplyAndTheLinkGoesOn)
{
    sim_process_t sim({{"", "generator:2"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession vi = open(sim.resource(0));
    std::string got;
    ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
    EXPECT_EQ(viClear(vi), VI_SUCCESS);
    EXPECT_EQ(read(vi, 256, got), VI_ERROR_TMO);
    ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
    EXPECT_EQ(read(vi, 256, got), VI_SUCCESS);
    EXPECT_EQ(got, k_idn);
}

TEST_F(VisaVxi11Session, FaultsOfTheInstrumentBecomeStatuses)
{
    sim_process_t sim({{"", "generator:2"}},
                      {0, false, false,
                       {"--fault", "127.0.0.2:refuse-write=PROD?", "--fault", "127.0.0.2:drop-in-reply=*IDN?"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession vi = open(sim.resource(0));
    std::string got;
    EXPECT_EQ(write(vi, "PROD?"), VI_ERROR_IO);
    EXPECT_EQ(read(vi, 256, got), VI_ERROR_TMO);
    ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
    EXPECT_EQ(read(vi, 256, got), VI_ERROR_CONN_LOST);
    // The link is gone for good.
    EXPECT_EQ(write(vi, "*IDN?"), VI_ERROR_CONN_LOST);
    EXPECT_EQ(viClear(vi), VI_ERROR_CONN_LOST);
    EXPECT_EQ(viClose(vi), VI_SUCCESS);

    sim_process_t dropping({{"", "generator:2"}}, {0, false, false, {"--fault", "127.0.0.2:drop-in-write=WAVEDATA"}});
    ASSERT_TRUE(dropping.started()) << dropping.output();
    vi = open(dropping.resource(0));
    std::string samples;
    EXPECT_EQ(write(vi, download("lost", 4000, samples)), VI_ERROR_CONN_LOST);
    EXPECT_EQ(dropping.stored(0, "lost"), "");
}

TEST_F(VisaVxi11Session, WriteTimingOutPartWayReportsWhatWasTaken)
{
    sim_process_t sim({{"", "generator:2"}}, {0, false, false, {"--max-recv-size", "1024", "--input-limit", "5000"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession vi = open(sim.resource(0));
    std::string samples;
    ViUInt32 count = 0;
    EXPECT_EQ(write(vi, download("big", 20000, samples), &count), VI_ERROR_TMO);
    EXPECT_EQ(count, 5000u);
    // The link goes on.
    std::string got;
    ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
    EXPECT_EQ(read(vi, 256, got), VI_SUCCESS);
}

TEST_F(VisaVxi11Session, TimeOutsComeWithinTheTimeOutPlusTheMargin)
{
    sim_process_t sim({{"", "generator:2"}}, {0, false, true, {}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession vi = open(sim.resource(0), 300);
    std::string got;

    // The instrument waits the time-out out and says so; the link goes on.
    auto start = clock_type::now();
    EXPECT_EQ(read(vi, 256, got), VI_ERROR_TMO);
    EXPECT_GE(ms_since(start), 290);
    EXPECT_LT(ms_since(start), 300 + visa_vxi11_session_t::k_margin_ms);
    ASSERT_EQ(write(vi, "*IDN?"), VI_SUCCESS);
    EXPECT_EQ(read(vi, 256, got), VI_SUCCESS);

    // An instrument that stops answering: the socket gives up after the margin and the
    // link ends.
    sim.pause();
    start = clock_type::now();
    EXPECT_EQ(read(vi, 256, got), VI_ERROR_TMO);
    EXPECT_GE(ms_since(start), 300 + visa_vxi11_session_t::k_margin_ms - 10);
    EXPECT_LT(ms_since(start), 300 + visa_vxi11_session_t::k_margin_ms + 1000);
    sim.resume();
    EXPECT_EQ(write(vi, "*IDN?"), VI_ERROR_CONN_LOST);
    EXPECT_EQ(viClose(vi), VI_SUCCESS);
}

TEST_F(VisaVxi11Session, SimulatorKilledMidTransferIsAnErrorNotAHang)
{
    // Killed while the instrument waits out a read.
    {
        sim_process_t sim({{"", "generator:2"}}, {0, false, true, {}});
        ASSERT_TRUE(sim.started()) << sim.output();
        ViSession vi = open(sim.resource(0), 10000);
        std::thread killer([&sim] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            sim.kill_now();
        });
        const auto start = clock_type::now();
        std::string got;
        EXPECT_EQ(read(vi, 256, got), VI_ERROR_CONN_LOST);
        EXPECT_LT(ms_since(start), 5000);
        killer.join();
        EXPECT_EQ(viClose(vi), VI_SUCCESS);
    }
    // Killed in the middle of a 40 MB write: stopped first, so the write is surely under way.
    {
        sim_process_t sim({{"", "generator:2"}});
        ASSERT_TRUE(sim.started()) << sim.output();
        ViSession vi = open(sim.resource(0), 60000);
        std::string samples;
        const std::string message = download("killed", 40u << 20, samples);
        sim.pause();
        ViUInt32 count = 0;
        auto writing = std::async(std::launch::async, [&] { return write(vi, message, &count); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        sim.kill_now();
        ASSERT_EQ(writing.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_EQ(writing.get(), VI_ERROR_CONN_LOST);
        EXPECT_LT(count, message.size());
        EXPECT_EQ(viClose(vi), VI_SUCCESS);
    }
}

TEST_F(VisaVxi11Session, RepliesNoGoodServerSends)
{
    using A = rpc_peer_t::answer_t;
    const struct {
        const char *name;
        bool write; // the call tried: a 10-byte write, else a 64-byte read
        std::string results;
        ViStatus status;
        bool link_lives;
    } cases[] = {
        {"a read bringing more than asked for", false, rpc_words({0, 4, 100}) + std::string(100, 'x'), VI_ERROR_IO,
         false},
        {"a read's data cut short", false, rpc_words({0, 4, 8}) + "abc", VI_ERROR_IO, false},
        {"a read with neither data nor end", false, rpc_words({0, 0, 0}), VI_ERROR_IO, true},
        {"a read timing out", false, rpc_words({15, 0, 0}), VI_ERROR_TMO, true},
        {"a read on a link the server forgot", false, rpc_words({4, 0, 0}), VI_ERROR_CONN_LOST, false},
        {"a write taking more than it was given", true, rpc_words({0, 11}), VI_ERROR_IO, false},
        {"a write taking nothing", true, rpc_words({0, 0}), VI_ERROR_IO, true},
        {"a write with an I/O error", true, rpc_words({17, 0}), VI_ERROR_IO, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        // Calls after the first bad reply get a read of "ok" with END.
        int calls = 0;
        vxi11_peer_t peer([&](const rpc_peer_t::call_t &call) {
            if (calls++ == 0)
                return A{rpc_reply(call.xid, c.results)};
            return A{rpc_reply(call.xid, rpc_words({0, 4, 2}) + "ok" + std::string(2, '\0'))};
        });
        ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", std::to_string(peer.portmapper_port()).c_str(), 1);
        ViSession vi = open("TCPIP0::127.0.0.1::INSTR");
        std::string got;
        EXPECT_EQ(c.write ? write(vi, "0123456789") : read(vi, 64, got), c.status);
        EXPECT_EQ(read(vi, 64, got), c.link_lives ? VI_SUCCESS : VI_ERROR_CONN_LOST);
        EXPECT_EQ(got, c.link_lives ? "ok" : "");
        viClose(vi);
        ::unsetenv("ONDRIX_VXI11_PORTMAPPER_PORT");
    }
}
