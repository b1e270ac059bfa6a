#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A scripted ONC RPC server on 127.0.0.1 for the client's tests: it reads each call
// record and answers with whatever bytes the test's handler gives (well-formed or not),
// so replies the simulator never sends can be tried.
class rpc_peer_t
{
public:
    struct call_t
    {
        std::string record; // the whole record as received, record marks included
        std::uint32_t xid = 0, prog = 0, vers = 0, proc = 0;
        std::string args; // the body after the call header
    };
    struct answer_t
    {
        enum after_t { KEEP, CLOSE, HANG };
        std::string bytes; // sent as they are
        after_t after = KEEP;
    };
    using handler_t = std::function<answer_t(const call_t &call)>;

    explicit rpc_peer_t(handler_t handler);
    ~rpc_peer_t();
    rpc_peer_t(const rpc_peer_t &) = delete;
    rpc_peer_t &operator=(const rpc_peer_t &) = delete;

    std::uint16_t port() const { return m_port; }
    std::vector<call_t> calls() const;

private:
    void run();
    void serve(int fd);

    handler_t m_handler;
    int m_listen = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    std::vector<call_t> m_calls;
    std::vector<int> m_held; // connections left hanging until the end
    std::thread m_thread;
};

// One record of one fragment around `body`.
std::string rpc_record(const std::string &body);
// The words as big-endian bytes.
std::string rpc_words(std::initializer_list<std::uint32_t> words);
// A whole accepted, successful reply record with these results.
std::string rpc_reply(std::uint32_t xid, const std::string &results);

// A VXI-11 instrument made of two scripted peers: a portmapper that answers GETPORT with
// the core peer's port, and the core peer, whose create_link and destroy_link succeed
// and whose other calls go to the handler.
class vxi11_peer_t
{
public:
    explicit vxi11_peer_t(rpc_peer_t::handler_t core_calls);
    std::uint16_t portmapper_port() const { return m_pmap.port(); }
    std::vector<rpc_peer_t::call_t> core_calls() const { return m_core.calls(); }

private:
    rpc_peer_t m_core;
    rpc_peer_t m_pmap;
};
