#include "visa_rpc_stream.h"

#include "visa_vxi11.h"
#include "visa_xdr.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

visa_deadline_t visa_deadline_t::after_ms(std::uint64_t ms)
{
    visa_deadline_t d;
    if (ms >= VI_TMO_INFINITE)
        return d;
    d.infinite = false;
    d.at = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    return d;
}

int visa_deadline_t::poll_ms() const
{
    if (infinite)
        return -1;
    const auto left = at - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count() + 1;
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

std::uint32_t visa_deadline_t::left_ms() const
{
    if (infinite)
        return VI_TMO_INFINITE;
    const auto left = at - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    const long long ms = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
    return ms >= static_cast<long long>(VI_TMO_INFINITE) ? VI_TMO_INFINITE - 1 : static_cast<std::uint32_t>(ms);
}

visa_rpc_stream_t::visa_rpc_stream_t(int fd) : m_fd(fd)
{
    if (m_fd >= 0) {
        ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) | O_NONBLOCK);
        int one = 1;
        ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
}

visa_rpc_stream_t::~visa_rpc_stream_t() { close(); }

void visa_rpc_stream_t::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buf_at = m_buf_end = 0;
    m_frag_left = 0;
    m_last = true;
    m_broken = false;
}

ViStatus visa_rpc_stream_t::connect(const std::string &host, std::uint16_t port, std::uint32_t connect_ms)
{
    close();
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(port);
    if (::inet_pton(AF_INET, host.c_str(), &addr.sin_addr) != 1)
        return VI_ERROR_RSRC_NFOUND;
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return VI_ERROR_SYSTEM_ERROR;
    m_fd = fd;
    int one = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(m_fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0)
        return VI_SUCCESS;
    if (errno != EINPROGRESS) {
        close();
        return VI_ERROR_RSRC_NFOUND;
    }
    const ViStatus ready = wait(POLLOUT, visa_deadline_t::after_ms(connect_ms));
    if (ready != VI_SUCCESS) {
        close();
        return ready == VI_ERROR_TMO ? VI_ERROR_TMO : VI_ERROR_RSRC_NFOUND;
    }
    int error = 0;
    socklen_t len = sizeof error;
    if (::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &error, &len) != 0 || error != 0) {
        close();
        return VI_ERROR_RSRC_NFOUND;
    }
    return VI_SUCCESS;
}

ViStatus visa_rpc_stream_t::wait(short events, const visa_deadline_t &deadline)
{
    for (;;) {
        pollfd fds[2] = {{m_fd, events, 0}, {m_stop_fd, POLLIN, 0}};
        const int n = ::poll(fds, m_stop_fd >= 0 ? 2 : 1, deadline.poll_ms());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return VI_ERROR_CONN_LOST;
        if (n == 0)
            return VI_ERROR_TMO;
        if (m_stop_fd >= 0 && fds[1].revents)
            return VI_ERROR_CONN_LOST;
        // Errors and hang-ups show in the following call itself.
        return VI_SUCCESS;
    }
}

ViStatus visa_rpc_stream_t::send(struct iovec *iov, int count, const visa_deadline_t &deadline)
{
    if (m_fd < 0)
        return VI_ERROR_CONN_LOST;
    while (count > 0) {
        if (iov->iov_len == 0) {
            ++iov;
            --count;
            continue;
        }
        msghdr msg{};
        msg.msg_iov = iov;
        msg.msg_iovlen = static_cast<std::size_t>(count);
        const ssize_t sent = ::sendmsg(m_fd, &msg, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN && errno != EWOULDBLOCK)
                return VI_ERROR_CONN_LOST;
            const ViStatus ready = wait(POLLOUT, deadline);
            if (ready != VI_SUCCESS)
                return ready;
            continue;
        }
        std::size_t done = static_cast<std::size_t>(sent);
        while (count > 0 && done >= iov->iov_len) {
            done -= iov->iov_len;
            ++iov;
            --count;
        }
        if (count > 0) {
            iov->iov_base = static_cast<char *>(iov->iov_base) + done;
            iov->iov_len -= done;
        }
    }
    return VI_SUCCESS;
}

ViStatus visa_rpc_stream_t::raw_read(void *dst, std::size_t n)
{
    char *out = static_cast<char *>(dst);
    while (n > 0) {
        if (m_buf_at < m_buf_end) {
            const std::size_t take = std::min(n, m_buf_end - m_buf_at);
            std::memcpy(out, m_buf + m_buf_at, take);
            m_buf_at += take;
            out += take;
            n -= take;
            continue;
        }
        if (m_fd < 0)
            return VI_ERROR_CONN_LOST;
        // Large reads land where the caller wants them; small ones fill the read-ahead.
        const bool direct = n >= sizeof m_buf;
        char *into = direct ? out : m_buf;
        const ssize_t got = ::recv(m_fd, into, direct ? n : sizeof m_buf, MSG_DONTWAIT);
        if (got > 0) {
            if (direct) {
                out += got;
                n -= static_cast<std::size_t>(got);
            } else {
                m_buf_at = 0;
                m_buf_end = static_cast<std::size_t>(got);
            }
            continue;
        }
        if (got == 0)
            return VI_ERROR_CONN_LOST;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return VI_ERROR_CONN_LOST;
        const ViStatus ready = wait(POLLIN, m_deadline);
        if (ready != VI_SUCCESS)
            return ready;
    }
    return VI_SUCCESS;
}

ViStatus visa_rpc_stream_t::next_fragment()
{
    unsigned char word[4];
    const ViStatus st = raw_read(word, 4);
    if (st != VI_SUCCESS)
        return st;
    const std::uint32_t mark = visa_xdr_get_u32(word);
    m_last = (mark & VISA_RPC_LAST_FRAGMENT) != 0;
    m_frag_left = mark & ~VISA_RPC_LAST_FRAGMENT;
    m_body += m_frag_left;
    // Empty fragments carry nothing; a stream of them is garbage, not a record.
    m_empty_fragments = m_frag_left == 0 && !m_last ? m_empty_fragments + 1 : 0;
    if (m_body > m_max_body || m_empty_fragments > 64) {
        // Nothing of this record is read any more: the stream is out of step.
        m_broken = true;
        m_frag_left = 0;
        m_last = true;
        return VI_ERROR_IO;
    }
    return VI_SUCCESS;
}

ViStatus visa_rpc_stream_t::begin_record(std::uint64_t max_body, const visa_deadline_t &deadline)
{
    m_deadline = deadline;
    m_max_body = max_body;
    m_body = 0;
    m_frag_left = 0;
    m_empty_fragments = 0;
    m_last = false;
    m_broken = false;
    return next_fragment();
}

ViStatus visa_rpc_stream_t::read(void *dst, std::size_t n)
{
    char *out = static_cast<char *>(dst);
    if (m_broken && n > 0)
        return VI_ERROR_IO;
    while (n > 0) {
        while (m_frag_left == 0) {
            if (m_last)
                return VI_ERROR_IO;
            const ViStatus st = next_fragment();
            if (st != VI_SUCCESS)
                return st;
        }
        const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(n, m_frag_left));
        const ViStatus st = raw_read(out, take);
        if (st != VI_SUCCESS)
            return st;
        m_frag_left -= take;
        out += take;
        n -= take;
    }
    return VI_SUCCESS;
}

ViStatus visa_rpc_stream_t::read_u32(std::uint32_t &value)
{
    unsigned char word[4];
    const ViStatus st = read(word, 4);
    if (st == VI_SUCCESS)
        value = visa_xdr_get_u32(word);
    return st;
}

ViStatus visa_rpc_stream_t::skip(std::size_t n)
{
    char scratch[256];
    while (n > 0) {
        const std::size_t take = std::min(n, sizeof scratch);
        const ViStatus st = read(scratch, take);
        if (st != VI_SUCCESS)
            return st;
        n -= take;
    }
    return VI_SUCCESS;
}

ViStatus visa_rpc_stream_t::end_record()
{
    if (m_broken)
        return VI_ERROR_IO;
    // Empty fragments may still follow before the last one.
    while (m_frag_left == 0 && !m_last) {
        const ViStatus st = next_fragment();
        if (st != VI_SUCCESS)
            return st;
    }
    return m_frag_left == 0 ? VI_SUCCESS : VI_ERROR_IO;
}

ViStatus visa_rpc_stream_t::read_rest(std::string &out, std::size_t max)
{
    out.clear();
    for (;;) {
        const ViStatus st = end_record();
        if (st == VI_SUCCESS)
            return VI_SUCCESS;
        if (m_frag_left == 0 || out.size() + m_frag_left > max)
            return st;
        const std::size_t at = out.size();
        out.resize(at + static_cast<std::size_t>(m_frag_left));
        const ViStatus got = read(&out[at], static_cast<std::size_t>(m_frag_left));
        if (got != VI_SUCCESS)
            return got;
    }
}

ViStatus visa_rpc_stream_t::skip_rest()
{
    for (;;) {
        const ViStatus st = end_record();
        if (st == VI_SUCCESS || m_frag_left == 0)
            return st;
        const ViStatus got = skip(static_cast<std::size_t>(m_frag_left));
        if (got != VI_SUCCESS)
            return got;
    }
}
