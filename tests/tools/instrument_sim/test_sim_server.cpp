// The simulator program as users and tests start it: its ready line, its exit codes,
// what it stores and journals, and its protocol manners towards clients good and bad.
#include "sim_journal.h"
#include "sim_process.h"
#include "visa_rpc_client.h"
#include "visa_vxi11.h"
#include "visa_xdr.h"

#include <arpa/inet.h>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string words(std::initializer_list<std::uint32_t> values)
{
    std::string out;
    for (std::uint32_t v : values)
        visa_xdr_put_u32(out, v);
    return out;
}

// A client of one channel of the simulator.
class channel_t
{
public:
    channel_t(const std::string &address, std::uint16_t port) { m_status = m_rpc.connect(address, port, 2000); }

    // One call; the result words read into `out` (as many as it has room for).
    ViStatus call(std::uint32_t prog, std::uint32_t vers, std::uint32_t proc, const std::string &args,
                  std::vector<std::uint32_t> &out, const std::string &payload = "")
    {
        if (m_status != VI_SUCCESS)
            return m_status;
        ViStatus st = m_rpc.call(prog, vers, proc, args, payload.empty() ? nullptr : payload.data(), payload.size(),
                                 4096, visa_deadline_t::after_ms(5000));
        for (std::uint32_t &v : out)
            if (st == VI_SUCCESS)
                st = m_rpc.stream().read_u32(v);
        return st == VI_SUCCESS ? m_rpc.finish() : st;
    }

    visa_rpc_client_t &rpc() { return m_rpc; }

private:
    visa_rpc_client_t m_rpc;
    ViStatus m_status;
};

// The port GETPORT gives for the program on the instrument's address.
std::uint32_t get_port(const sim_process_t &sim, std::size_t i, std::uint32_t prog, std::uint32_t vers = 1)
{
    channel_t pmap(sim.address(i), std::uint16_t(sim.portmapper_port()));
    std::vector<std::uint32_t> port(1);
    EXPECT_EQ(pmap.call(VISA_PMAP_PROG, VISA_PMAP_VERS, VISA_PMAP_GETPORT, words({prog, vers, 6, 0}), port),
              VI_SUCCESS);
    return port[0];
}

// A raw connection to address:port, for bytes no client library would send.
class raw_conn_t
{
public:
    raw_conn_t(const std::string &address, std::uint32_t port)
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(std::uint16_t(port));
        inet_pton(AF_INET, address.c_str(), &addr.sin_addr);
        timeval tv{2, 0};
        ::setsockopt(m_fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        m_ok = ::connect(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    }
    ~raw_conn_t() { ::close(m_fd); }

    // Sends the bytes, takes `reply_bytes` of the answer, then says whether the server
    // left the connection "<open>" or "<closed>" it.
    std::string exchange(const std::string &bytes, std::size_t reply_bytes)
    {
        if (!m_ok)
            return "<no connection>";
        ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        std::string got(reply_bytes, '\0');
        std::size_t at = 0;
        while (at < reply_bytes) {
            const ssize_t n = ::recv(m_fd, &got[at], reply_bytes - at, 0);
            if (n <= 0)
                break;
            at += std::size_t(n);
        }
        got.resize(at);
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, reply_bytes ? 100 : 2000) <= 0)
            return got + "<open>";
        char more;
        const ssize_t n = ::recv(m_fd, &more, 1, MSG_DONTWAIT);
        return got + (n > 0 ? "<more>" : "<closed>");
    }

private:
    int m_fd = -1;
    bool m_ok = false;
};
// A call record, header and arguments as given.
std::string call_record(std::uint32_t rpcvers, std::uint32_t prog, std::uint32_t vers, std::uint32_t proc,
                        const std::string &args)
{
    std::string body = words({77, 0, rpcvers, prog, vers, proc, 0, 0, 0, 0}) + args;
    return words({0x80000000u | std::uint32_t(body.size())}) + body;
}

// The reply the server gives to call_record's calls: accepted with this status.
std::string accepted(std::uint32_t accept_stat, const std::string &results = "")
{
    const std::string body = words({77, 1, 0, 0, 0, accept_stat}) + results;
    return words({0x80000000u | std::uint32_t(body.size())}) + body;
}

} // namespace

TEST(SimServer, ExitCodesTellWhyItDidNotStart)
{
    std::ofstream("blocker") << "a file";
    // Someone else's listener on the address and port the portmapper wants.
    const int taken = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.2", &addr.sin_addr);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::bind(taken, reinterpret_cast<sockaddr *>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(taken, 1), 0);
    ::getsockname(taken, reinterpret_cast<sockaddr *>(&addr), &len);

    const struct {
        const char *name;
        int port;
        std::vector<std::string> extra;
        int code;
        const char *says;
    } cases[] = {
        {"a bad command line", 0, {"--timeouts", "never"}, 2, "Usage:"},
        {"a store folder that cannot be made", 0, {"--store", "blocker/store"}, 1, "cannot create the store folder"},
        {"a journal that cannot be written", 0, {"--journal", "blocker/journal.txt"}, 1, "cannot write the journal"},
        {"a port that is taken", ntohs(addr.sin_port), {}, 3, "cannot listen"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim_process_t sim({{"127.0.0.2", "generator:2"}}, {c.port, false, false, c.extra});
        EXPECT_FALSE(sim.started());
        EXPECT_EQ(sim.exit_code(), c.code);
        EXPECT_NE(sim.output().find(c.says), std::string::npos) << sim.output();
    }
    ::close(taken);
}

TEST(SimServer, ReadyLineThenACleanExitOnSigterm)
{
    sim_process_t sim({{"", "generator:2"}, {"", "generator:6"}, {"", "scope:4"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    EXPECT_GT(sim.portmapper_port(), 0);
    EXPECT_NE(sim.output().find("TCPIP0::127.0.0.4::INSTR\tscope:4\n"), std::string::npos) << sim.output();
    // Each instrument answers on its own address with a core and an abort channel.
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint32_t core = get_port(sim, i, VISA_VXI11_CORE_PROG);
        const std::uint32_t abort = get_port(sim, i, VISA_VXI11_ASYNC_PROG);
        EXPECT_NE(core, 0u);
        EXPECT_NE(abort, 0u);
        EXPECT_NE(core, abort);
        EXPECT_EQ(get_port(sim, i, 0x20000), 0u);
        EXPECT_EQ(get_port(sim, i, VISA_VXI11_CORE_PROG, 2), 0u);
    }
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimServer, MalformedRequestsGetAnErrorOrLoseTheirConnectionOnly)
{
    sim_process_t sim({{"", "generator:2"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    const std::string address = sim.address(0);
    const std::uint32_t core = get_port(sim, 0, VISA_VXI11_CORE_PROG);
    const std::uint32_t pmap = std::uint32_t(sim.portmapper_port());
    const std::string closed = "<closed>";
    const struct {
        const char *name;
        std::uint32_t port;
        std::string request;
        std::string answer;
    } cases[] = {
        {"text instead of RPC", core, "GET / HTTP/1.1\r\n\r\n", closed},
        {"a record longer than the server takes", core, words({0xFFFFFFFFu}) + std::string(64, 'x'), closed},
        {"a reply instead of a call", core, accepted(0), closed},
        {"a call cut short", core, words({0x80000000u | 12, 77, 0, 2}), closed},
        {"a credential longer than allowed", core, words({0x80000000u | 32, 77, 0, 2, 0x0607AF, 1, 0, 0, 500}),
         closed},
        {"RPC version 3", core, call_record(3, VISA_VXI11_CORE_PROG, 1, 0, ""),
         words({0x80000000u | 24, 77, 1, 1, 0, 2, 2}) + "<open>"},
        {"another program", core, call_record(2, 0x20000, 1, 0, ""), accepted(VISA_RPC_PROG_UNAVAIL) + "<open>"},
        {"another version", core, call_record(2, VISA_VXI11_CORE_PROG, 3, 0, ""),
         accepted(VISA_RPC_PROG_MISMATCH, words({1, 1})) + "<open>"},
        {"an unknown procedure", core, call_record(2, VISA_VXI11_CORE_PROG, 1, 99, ""),
         accepted(VISA_RPC_PROC_UNAVAIL) + "<open>"},
        {"create_link without its device name", core, call_record(2, VISA_VXI11_CORE_PROG, 1, 10, words({1, 0, 0})),
         accepted(VISA_RPC_GARBAGE_ARGS) + "<open>"},
        {"a device name longer than its record", core,
         call_record(2, VISA_VXI11_CORE_PROG, 1, 10, words({1, 0, 0, 1000}) + "inst0"),
         accepted(VISA_RPC_GARBAGE_ARGS) + "<open>"},
        {"arguments longer than any call has", core,
         call_record(2, VISA_VXI11_CORE_PROG, 1, 12, std::string(8000, 'a')),
         accepted(VISA_RPC_GARBAGE_ARGS) + "<open>"},
        {"a write on no link", core, call_record(2, VISA_VXI11_CORE_PROG, 1, 11, words({999, 0, 0, 8, 4}) + "abcd"),
         accepted(0, words({VXI11_INVALID_LINK, 0})) + "<open>"},
        {"a read on no link", core, call_record(2, VISA_VXI11_CORE_PROG, 1, 12, words({999, 10, 0, 0, 0, 0})),
         accepted(0, words({VXI11_INVALID_LINK, 0, 0})) + "<open>"},
        {"destroying no link", core, call_record(2, VISA_VXI11_CORE_PROG, 1, 23, words({999})),
         accepted(0, words({VXI11_INVALID_LINK})) + "<open>"},
        {"a portmapper procedure it does not offer", pmap, call_record(2, VISA_PMAP_PROG, 2, 4, ""),
         accepted(VISA_RPC_PROC_UNAVAIL) + "<open>"},
        {"the portmapper's null procedure", pmap, call_record(2, VISA_PMAP_PROG, 2, 0, ""), accepted(0) + "<open>"},
    };
    for (const auto &c : cases) {
        raw_conn_t raw(address, c.port);
        const std::size_t reply_bytes = c.answer == closed ? 0 : c.answer.size() - std::strlen("<open>");
        EXPECT_EQ(raw.exchange(c.request, reply_bytes), c.answer) << c.name;
    }

    // A write whose data stop short of the length it gives, on a link of its connection.
    {
        raw_conn_t raw(address, core);
        std::string args = words({1, 0, 0});
        visa_xdr_put_opaque(args, "inst0");
        const std::string linked = raw.exchange(call_record(2, VISA_VXI11_CORE_PROG, 1, 10, args), 44);
        ASSERT_EQ(linked.size(), 44u + std::strlen("<open>"));
        const std::uint32_t lid = visa_xdr_get_u32(reinterpret_cast<const unsigned char *>(linked.data()) + 32);
        EXPECT_EQ(raw.exchange(call_record(2, VISA_VXI11_CORE_PROG, 1, 11, words({lid, 0, 0, 8, 400}) + "abc"),
                               accepted(VISA_RPC_GARBAGE_ARGS).size()),
                  accepted(VISA_RPC_GARBAGE_ARGS) + "<open>");
    }

    // Through all that the instrument kept serving.
    channel_t ch(address, std::uint16_t(core));
    std::vector<std::uint32_t> link(4);
    std::string args = words({1, 0, 0});
    visa_xdr_put_opaque(args, "inst0");
    ASSERT_EQ(ch.call(VISA_VXI11_CORE_PROG, 1, VXI11_CREATE_LINK, args, link), VI_SUCCESS);
    EXPECT_EQ(link[0], 0u);
    EXPECT_EQ(link[3], 1u << 20);
    std::vector<std::uint32_t> written(2);
    ASSERT_EQ(ch.call(VISA_VXI11_CORE_PROG, 1, VXI11_DEVICE_WRITE, words({link[1], 1000, 0, 8, 5}), written, "*IDN?"),
              VI_SUCCESS);
    EXPECT_EQ(written, (std::vector<std::uint32_t>{0, 5}));
    // The abort channel answers.
    channel_t abort(address, std::uint16_t(link[2]));
    std::vector<std::uint32_t> error(1, 99);
    EXPECT_EQ(abort.call(VISA_VXI11_ASYNC_PROG, 1, VXI11_DEVICE_ABORT, words({link[1]}), error), VI_SUCCESS);
    EXPECT_EQ(error[0], 0u);
    EXPECT_EQ(sim.stop(), 0);
}

TEST(SimServer, SeveralLinksAtOnceEachGetTheirOwnReplies)
{
    sim_process_t sim({{"", "generator:2"}, {"", "scope:4"}}, {0, false, true, {}});
    ASSERT_TRUE(sim.started()) << sim.output();
    // One link waits out a long read while the others go on.
    std::vector<std::unique_ptr<channel_t>> chans;
    std::vector<std::uint32_t> links;
    const std::size_t of[] = {0, 0, 0, 1};
    for (std::size_t inst : of) {
        chans.push_back(std::make_unique<channel_t>(sim.address(inst), get_port(sim, inst, VISA_VXI11_CORE_PROG)));
        std::vector<std::uint32_t> link(4);
        std::string args = words({1, 0, 0});
        visa_xdr_put_opaque(args, "inst0");
        ASSERT_EQ(chans.back()->call(VISA_VXI11_CORE_PROG, 1, VXI11_CREATE_LINK, args, link), VI_SUCCESS);
        links.push_back(link[1]);
    }
    auto waiting = std::async(std::launch::async, [&] {
        std::vector<std::uint32_t> r(3);
        return chans[0]->call(VISA_VXI11_CORE_PROG, 1, VXI11_DEVICE_READ, words({links[0], 100, 1500, 0, 0, 0}), r) ==
                       VI_SUCCESS
                   ? r[0]
                   : 0u;
    });
    const char *queries[] = {"", "*IDN?", "PROD?", "CHS?"};
    for (std::size_t i = 1; i < chans.size(); ++i) {
        std::vector<std::uint32_t> w(2);
        ASSERT_EQ(chans[i]->call(VISA_VXI11_CORE_PROG, 1, VXI11_DEVICE_WRITE,
                                 words({links[i], 1000, 0, 8, std::uint32_t(std::strlen(queries[i]))}), w, queries[i]),
                  VI_SUCCESS);
    }
    for (std::size_t i = chans.size() - 1; i >= 1; --i) {
        visa_rpc_client_t &rpc = chans[i]->rpc();
        ASSERT_EQ(rpc.call(VISA_VXI11_CORE_PROG, 1, VXI11_DEVICE_READ, words({links[i], 100, 1000, 0, 0, 0}), nullptr,
                           0, 200, visa_deadline_t::after_ms(5000)),
                  VI_SUCCESS);
        std::uint32_t error = 0, reason = 0, n = 0;
        ASSERT_EQ(rpc.stream().read_u32(error), VI_SUCCESS);
        ASSERT_EQ(rpc.stream().read_u32(reason), VI_SUCCESS);
        ASSERT_EQ(rpc.stream().read_u32(n), VI_SUCCESS);
        std::string text(n, '\0');
        ASSERT_EQ(rpc.stream().read(&text[0], n), VI_SUCCESS);
        ASSERT_EQ(rpc.stream().skip(visa_xdr_pad(n)), VI_SUCCESS);
        EXPECT_EQ(rpc.finish(), VI_SUCCESS);
        EXPECT_EQ(reason & VXI11_REASON_END, VXI11_REASON_END);
        const char *want[] = {"", "Korvane,ZQWR120V", "PROD,ZQWR120V", "CHS 4"};
        EXPECT_EQ(text.substr(0, std::strlen(want[i])), want[i]) << queries[i];
    }
    EXPECT_EQ(waiting.get(), std::uint32_t(VXI11_IO_TIMEOUT));
}

TEST(SimServer, DiscardModeCountsAndHashesDownloads)
{
    sim_process_t sim({{"", "generator:2"}}, {0, true, false, {}});
    ASSERT_TRUE(sim.started()) << sim.output();
    EXPECT_EQ(sim.store_dir(), "");
    channel_t ch(sim.address(0), get_port(sim, 0, VISA_VXI11_CORE_PROG));
    std::vector<std::uint32_t> link(4);
    std::string args = words({1, 0, 0});
    visa_xdr_put_opaque(args, "inst0");
    ASSERT_EQ(ch.call(VISA_VXI11_CORE_PROG, 1, VXI11_CREATE_LINK, args, link), VI_SUCCESS);
    std::string samples(100000, '\0');
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = char(i * 7);
    const std::string message = "C1:WVDT WVNM,gone,LENGTH,100000,WAVEDATA," + samples;
    std::vector<std::uint32_t> w(2);
    ASSERT_EQ(ch.call(VISA_VXI11_CORE_PROG, 1, VXI11_DEVICE_WRITE,
                      words({link[1], 1000, 0, 8, std::uint32_t(message.size())}), w, message),
              VI_SUCCESS);
    EXPECT_EQ(w[1], message.size());
    const auto journal = sim.journal();
    ASSERT_EQ(journal.size(), 3u); // OPEN, TIMEOUT, WRITE
    EXPECT_EQ(journal[2].text, "C1:WVDT WVNM,gone,LENGTH,100000,WAVEDATA,");
    EXPECT_EQ(journal[2].checksum, sim_checksum(samples.data(), samples.size()));
}
