// Opening TCPIP INSTR resources: the calls on the wire, byte by byte, and every way an
// open can fail, against scripted peers and the simulator program on loopback.
#include "plat_visa.h"
#include "rpc_peer.h"
#include "sim_process.h"
#include "visa_registry.h"
#include "visa_vxi11_backend.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Sets ONDRIX_VXI11_PORTMAPPER_PORT for a scope (unset: nullptr).
class env_port_t
{
public:
    explicit env_port_t(const char *value)
    {
        if (value)
            ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", value, 1);
        else
            ::unsetenv("ONDRIX_VXI11_PORTMAPPER_PORT");
    }
    explicit env_port_t(int port) : env_port_t(std::to_string(port).c_str()) {}
    ~env_port_t() { ::unsetenv("ONDRIX_VXI11_PORTMAPPER_PORT"); }
};

// A listening socket on 127.0.0.1 that never accepts: with its one-place queue taken,
// further connection attempts get no answer at all, as with a host that is unreachable.
class black_hole_t
{
public:
    black_hole_t()
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof addr;
        ::bind(m_listen, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        ::listen(m_listen, 0);
        ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&addr), &len);
        port = ntohs(addr.sin_port);
        // Fill the queue.
        for (int &fd : m_fillers) {
            fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
        }
        usleep(100000);
    }
    ~black_hole_t()
    {
        for (int fd : m_fillers)
            ::close(fd);
        ::close(m_listen);
    }
    int port = 0;

private:
    int m_listen = -1;
    int m_fillers[2] = {-1, -1};
};

// A port on 127.0.0.1 where nothing listens.
int closed_port()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len);
    ::close(fd);
    return ntohs(addr.sin_port);
}

class VisaVxi11Backend : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The built-in backends, never a test override.
        visa_registry_t::instance().set_override(nullptr);
        ASSERT_EQ(viOpenDefaultRM(&rm), VI_SUCCESS);
    }
    void TearDown() override { viClose(rm); }

    ViStatus open(const std::string &name, ViSession &vi) { return viOpen(rm, name.c_str(), 0, 0, &vi); }

    ViSession rm = 0;
};

} // namespace

TEST_F(VisaVxi11Backend, CallsOnTheWireAreTheProtocolsBytes)
{
    // The core channel refuses the link, so the open ends after create_link.
    rpc_peer_t core([](const rpc_peer_t::call_t &c) {
        return rpc_peer_t::answer_t{rpc_reply(c.xid, rpc_words({11, 0, 0, 0})), rpc_peer_t::answer_t::CLOSE};
    });
    rpc_peer_t pmap([&core](const rpc_peer_t::call_t &c) {
        return rpc_peer_t::answer_t{rpc_reply(c.xid, rpc_words({core.port()})), rpc_peer_t::answer_t::CLOSE};
    });
    env_port_t env(pmap.port());
    ViSession vi = 0;
    EXPECT_EQ(open("TCPIP0::127.0.0.1::INSTR", vi), VI_ERROR_RSRC_BUSY);

    // GETPORT, from RFC 5531 (call header, AUTH_NONE) and RFC 1833 (mapping): 56 bytes.
    const unsigned char getport[] = {
        0x80, 0x00, 0x00, 0x38, // record mark: last fragment, 56 bytes
        0x00, 0x00, 0x00, 0x00, // xid (the client's own, copied below)
        0x00, 0x00, 0x00, 0x00, // CALL
        0x00, 0x00, 0x00, 0x02, // RPC version 2
        0x00, 0x01, 0x86, 0xA0, // program 100000, the portmapper
        0x00, 0x00, 0x00, 0x02, // version 2
        0x00, 0x00, 0x00, 0x03, // procedure 3, GETPORT
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // credentials AUTH_NONE, no body
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // verifier AUTH_NONE, no body
        0x00, 0x06, 0x07, 0xAF, // program 0x0607AF, DEVICE_CORE
        0x00, 0x00, 0x00, 0x01, // version 1
        0x00, 0x00, 0x00, 0x06, // protocol 6, TCP
        0x00, 0x00, 0x00, 0x00, // port 0
    };
    // create_link, from the VXI-11 RPC definition (Create_LinkParms): 64 bytes.
    const unsigned char create_link[] = {
        0x80, 0x00, 0x00, 0x40, // record mark: last fragment, 64 bytes
        0x00, 0x00, 0x00, 0x00, // xid (copied below)
        0x00, 0x00, 0x00, 0x00, // CALL
        0x00, 0x00, 0x00, 0x02, // RPC version 2
        0x00, 0x06, 0x07, 0xAF, // program DEVICE_CORE
        0x00, 0x00, 0x00, 0x01, // version 1
        0x00, 0x00, 0x00, 0x0A, // procedure 10, create_link
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // credentials
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, // verifier
        0x00, 0x00, 0x00, 0x00, // clientId (the process id, copied below)
        0x00, 0x00, 0x00, 0x00, // lockDevice: false
        0x00, 0x00, 0x00, 0x00, // lock_timeout 0
        0x00, 0x00, 0x00, 0x05, // device: 5 bytes
        'i',  'n',  's',  't',  '0', 0x00, 0x00, 0x00, // "inst0" and 3 bytes of padding
    };
    const auto pmap_calls = pmap.calls();
    const auto core_calls = core.calls();
    ASSERT_EQ(pmap_calls.size(), 1u);
    ASSERT_EQ(core_calls.size(), 1u);
    std::string want_getport(reinterpret_cast<const char *>(getport), sizeof getport);
    want_getport.replace(4, 4, pmap_calls[0].record.substr(4, 4));
    EXPECT_EQ(pmap_calls[0].record, want_getport);
    std::string want_link(reinterpret_cast<const char *>(create_link), sizeof create_link);
    want_link.replace(4, 4, core_calls[0].record.substr(4, 4));
    want_link.replace(44, 4, rpc_words({std::uint32_t(::getpid()) & 0x7FFFFFFF}));
    EXPECT_EQ(core_calls[0].record, want_link);
}

TEST_F(VisaVxi11Backend, FailedOpens)
{
    using A = rpc_peer_t::answer_t;
    const struct {
        const char *name;
        std::uint32_t port_reply; // what GETPORT answers (0: no VXI-11 server; 1: the core peer's)
        std::string link_reply;   // Create_LinkResp
        ViStatus status;
    } cases[] = {
        {"no VXI-11 server on the host", 0, "", VI_ERROR_RSRC_NFOUND},
        {"a port that does not exist", 70000, "", VI_ERROR_IO},
        {"device locked by another link", 1, rpc_words({11, 0, 0, 0}), VI_ERROR_RSRC_BUSY},
        {"no such device", 1, rpc_words({21, 0, 0, 0}), VI_ERROR_RSRC_NFOUND},
        {"out of resources", 1, rpc_words({9, 0, 0, 0}), VI_ERROR_IO},
        {"a maxRecvSize of nothing", 1, rpc_words({0, 1, 0, 0}), VI_ERROR_IO},
        {"a short Create_LinkResp", 1, rpc_words({0, 1, 0}), VI_ERROR_IO},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        rpc_peer_t core([&c](const rpc_peer_t::call_t &call) {
            return A{rpc_reply(call.xid, c.link_reply), A::CLOSE};
        });
        rpc_peer_t pmap([&](const rpc_peer_t::call_t &call) {
            const std::uint32_t port = c.port_reply == 1 ? core.port() : c.port_reply;
            return A{rpc_reply(call.xid, rpc_words({port})), A::CLOSE};
        });
        env_port_t env(pmap.port());
        ViSession vi = 5;
        EXPECT_EQ(open("TCPIP0::127.0.0.1::INSTR", vi), c.status);
        EXPECT_EQ(vi, 0u);
    }
}

TEST_F(VisaVxi11Backend, RefusedAndUnreachableHostsFailWithinTheConnectBound)
{
    black_hole_t hole;
    const struct {
        const char *name;
        int port;
        ViStatus status;
    } cases[] = {
        {"refused", closed_port(), VI_ERROR_RSRC_NFOUND},
        {"no answer", hole.port, VI_ERROR_TMO},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        env_port_t env(c.port);
        ViSession vi = 0;
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(open("TCPIP0::127.0.0.1::INSTR", vi), c.status);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(ms, visa_vxi11_backend_t::k_connect_ms + 1000);
    }
}

TEST_F(VisaVxi11Backend, PortmapperPortFromTheEnvironment)
{
    const struct {
        const char *value;
        bool ok;
        std::uint16_t port;
    } cases[] = {
        {nullptr, true, 111}, {"4321", true, 4321}, {"65535", true, 65535}, {"", false, 0},
        {"0", false, 0},      {"65536", false, 0},  {"12a", false, 0},      {"-5", false, 0},
        {" 80", false, 0},    {"99999999999999999999", false, 0},
    };
    for (const auto &c : cases) {
        env_port_t env(c.value);
        std::uint16_t port = 0;
        EXPECT_EQ(visa_vxi11_portmapper_port(port), c.ok) << (c.value ? c.value : "(unset)");
        if (c.ok) {
            EXPECT_EQ(port, c.port);
        }
    }
    // A bad setting fails the open rather than trying port 111.
    env_port_t env("twelve");
    ViSession vi = 0;
    EXPECT_EQ(open("TCPIP0::127.0.0.1::INSTR", vi), VI_ERROR_RSRC_NFOUND);
}

TEST_F(VisaVxi11Backend, OpenAndCloseAgainstTheSimulator)
{
    sim_process_t sim({{"", "generator:2"}, {"", "scope:4"}}, {0, false, false, {"--fault", "127.0.0.3:refuse-open"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    const struct {
        std::string name;
        ViStatus status;
    } cases[] = {
        {sim.resource(0), VI_SUCCESS},
        {"tcpip::" + sim.address(0) + "::INST0::instr", VI_SUCCESS},
        {"TCPIP0::" + sim.address(0) + "::inst3::INSTR", VI_SUCCESS},
        {"TCPIP0::" + sim.address(0) + "::gpib0,5::INSTR", VI_ERROR_RSRC_NFOUND},
        {sim.resource(1), VI_ERROR_RSRC_BUSY},
        {"TCPIP0::127.0.0.200::INSTR", VI_ERROR_RSRC_NFOUND},
        {"TCPIP0::" + sim.address(0), VI_ERROR_INV_RSRC_NAME},
        {"TCPIP0::localhost::INSTR", VI_ERROR_INV_RSRC_NAME},
        {"TCPIP0::127.0.0.2::inst0::SOCKET", VI_ERROR_INV_RSRC_NAME},
        {"TCPIP0::127.0.0.2::5025::SOCKET", VI_ERROR_INV_RSRC_NAME},
        {"TCPIP0::127.0.0.2::hislip0::INSTR::x", VI_ERROR_INV_RSRC_NAME},
    };
    int opened = 0;
    for (const auto &c : cases) {
        ViSession vi = 0;
        EXPECT_EQ(open(c.name, vi), c.status) << c.name;
        if (c.status == VI_SUCCESS) {
            ++opened;
            EXPECT_EQ(viClose(vi), VI_SUCCESS);
        }
    }
    // Every link made was destroyed on close; the refused ones were never made.
    int opens = 0, closes = 0;
    for (const auto &e : sim.journal()) {
        opens += e.kind == sim_journal_entry_t::OPEN && e.status == VI_SUCCESS;
        closes += e.kind == sim_journal_entry_t::CLOSE;
    }
    EXPECT_EQ(opens, opened);
    EXPECT_EQ(closes, opened);
    EXPECT_EQ(sim.stop(), 0);
}

TEST_F(VisaVxi11Backend, ClosingTheResourceManagerDestroysItsLinks)
{
    sim_process_t sim({{"", "generator:2"}});
    ASSERT_TRUE(sim.started()) << sim.output();
    ViSession a = 0, b = 0;
    ASSERT_EQ(open(sim.resource(0), a), VI_SUCCESS);
    ASSERT_EQ(open(sim.resource(0), b), VI_SUCCESS);
    EXPECT_EQ(viClose(rm), VI_SUCCESS);
    rm = 0;
    int closes = 0;
    for (const auto &e : sim.journal())
        closes += e.kind == sim_journal_entry_t::CLOSE;
    EXPECT_EQ(closes, 2);
}
