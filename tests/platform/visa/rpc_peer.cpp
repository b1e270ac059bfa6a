#include "rpc_peer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::uint32_t word_at(const std::string &s, std::size_t at)
{
    const unsigned char *p = reinterpret_cast<const unsigned char *>(s.data()) + at;
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
}

// Reads exactly n bytes within a few seconds: false on close, time-out or stop.
bool read_exact(int fd, std::string &out, std::size_t n, const std::atomic<bool> &stop)
{
    std::size_t at = out.size();
    out.resize(at + n);
    while (n > 0) {
        pollfd p{fd, POLLIN, 0};
        if (stop || ::poll(&p, 1, 100) < 0)
            return false;
        if (!(p.revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        const ssize_t got = ::recv(fd, &out[at], n, 0);
        if (got <= 0)
            return false;
        at += std::size_t(got);
        n -= std::size_t(got);
    }
    return true;
}

} // namespace

std::string rpc_words(std::initializer_list<std::uint32_t> words)
{
    std::string out;
    for (std::uint32_t w : words) {
        const char b[4] = {char(w >> 24), char(w >> 16), char(w >> 8), char(w)};
        out.append(b, 4);
    }
    return out;
}

std::string rpc_record(const std::string &body) { return rpc_words({0x80000000u | std::uint32_t(body.size())}) + body; }

std::string rpc_reply(std::uint32_t xid, const std::string &results)
{
    // xid, REPLY, MSG_ACCEPTED, verifier AUTH_NONE of no bytes, SUCCESS.
    return rpc_record(rpc_words({xid, 1, 0, 0, 0, 0}) + results);
}

rpc_peer_t::rpc_peer_t(handler_t handler) : m_handler(std::move(handler))
{
    m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(m_listen, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0 && ::listen(m_listen, 8) == 0 &&
        ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&addr), &len) == 0)
        m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { run(); });
}

rpc_peer_t::~rpc_peer_t()
{
    m_stop = true;
    m_thread.join();
    ::close(m_listen);
    for (int fd : m_held)
        ::close(fd);
}

std::vector<rpc_peer_t::call_t> rpc_peer_t::calls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

void rpc_peer_t::run()
{
    while (!m_stop) {
        pollfd p{m_listen, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        const int fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            serve(fd);
    }
}

void rpc_peer_t::serve(int fd)
{
    for (;;) {
        call_t call;
        std::string body;
        bool last = false;
        while (!last) {
            std::string mark;
            if (!read_exact(fd, mark, 4, m_stop))
                break;
            const std::uint32_t w = word_at(mark, 0);
            last = (w & 0x80000000u) != 0;
            call.record += mark;
            std::string fragment;
            if (!read_exact(fd, fragment, w & 0x7FFFFFFFu, m_stop))
                break;
            call.record += fragment;
            body += fragment;
        }
        if (!last || body.size() < 40) {
            ::close(fd);
            return;
        }
        call.xid = word_at(body, 0);
        call.prog = word_at(body, 12);
        call.vers = word_at(body, 16);
        call.proc = word_at(body, 20);
        call.args = body.substr(40);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_calls.push_back(call);
        }
        const answer_t answer = m_handler(call);
        if (!answer.bytes.empty())
            ::send(fd, answer.bytes.data(), answer.bytes.size(), MSG_NOSIGNAL);
        if (answer.after == answer_t::CLOSE) {
            ::close(fd);
            return;
        }
        if (answer.after == answer_t::HANG) {
            m_held.push_back(fd);
            return;
        }
    }
}

vxi11_peer_t::vxi11_peer_t(rpc_peer_t::handler_t core_calls)
    : m_core([core_calls](const rpc_peer_t::call_t &c) {
          if (c.proc == 10) // create_link: no error, link 7, abort port 0, maxRecvSize 4096
              return rpc_peer_t::answer_t{rpc_reply(c.xid, rpc_words({0, 7, 0, 4096}))};
          if (c.proc == 23) // destroy_link
              return rpc_peer_t::answer_t{rpc_reply(c.xid, rpc_words({0}))};
          return core_calls(c);
      }),
      m_pmap([this](const rpc_peer_t::call_t &c) {
          return rpc_peer_t::answer_t{rpc_reply(c.xid, rpc_words({m_core.port()})), rpc_peer_t::answer_t::CLOSE};
      })
{
}
