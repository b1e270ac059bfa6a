#pragma once
#include "plat_visa.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

struct iovec;

// When a wait gives up: a point in time, or never.
struct visa_deadline_t
{
    // `ms` from now; VI_TMO_INFINITE and above never come.
    static visa_deadline_t after_ms(std::uint64_t ms);
    static visa_deadline_t never() { return visa_deadline_t(); }

    // The milliseconds left for poll(): -1 for never, 0 once passed, else rounded up.
    int poll_ms() const;
    // Milliseconds left, VI_TMO_INFINITE for never.
    std::uint32_t left_ms() const;

    bool infinite = true;
    std::chrono::steady_clock::time_point at;
};

// One TCP connection carrying ONC RPC records (record marking: each fragment starts with
// a word holding its length and a last-fragment bit). Every wait ends at a deadline, so
// a peer that stops answering costs a time-out, never a hang. Statuses: VI_ERROR_TMO when
// the deadline passed, VI_ERROR_CONN_LOST when the peer closed or reset the connection
// (or the stop descriptor became readable), VI_ERROR_IO for a malformed record.
class visa_rpc_stream_t
{
public:
    visa_rpc_stream_t() = default;
    // Takes over a connected socket.
    explicit visa_rpc_stream_t(int fd);
    ~visa_rpc_stream_t();
    visa_rpc_stream_t(const visa_rpc_stream_t &) = delete;
    visa_rpc_stream_t &operator=(const visa_rpc_stream_t &) = delete;

    bool is_open() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    void close();
    // A descriptor whose readability ends every wait (a server's stop signal); -1: none.
    void set_stop_fd(int fd) { m_stop_fd = fd; }

    // Connects to an IPv4 address within `connect_ms`: VI_SUCCESS; VI_ERROR_RSRC_NFOUND
    // when the connection is refused or the host unreachable; VI_ERROR_TMO when no answer
    // came in time.
    ViStatus connect(const std::string &host, std::uint16_t port, std::uint32_t connect_ms);

    // Sends every byte of the pieces (which it may change) before the deadline.
    ViStatus send(struct iovec *iov, int count, const visa_deadline_t &deadline);

    // Reading one record: begin_record, reads of its body, end_record. The body may come
    // in several fragments; a body longer than `max_body` in all is refused, and a read
    // past the end of the body is a truncated record (VI_ERROR_IO).
    ViStatus begin_record(std::uint64_t max_body, const visa_deadline_t &deadline);
    ViStatus read(void *dst, std::size_t n);
    ViStatus read_u32(std::uint32_t &value);
    ViStatus skip(std::size_t n);
    // VI_SUCCESS when the body ends here; VI_ERROR_IO when bytes are left over.
    ViStatus end_record();
    // The rest of the body into `out` (VI_ERROR_IO when more than `max` bytes are left).
    ViStatus read_rest(std::string &out, std::size_t max);
    // Reads and drops the rest of the body.
    ViStatus skip_rest();
    // The body bytes left in fragments already announced (more may follow).
    std::uint64_t fragment_left() const { return m_frag_left; }

private:
    ViStatus next_fragment();
    ViStatus raw_read(void *dst, std::size_t n);
    // Waits until the socket is ready for `events` or the deadline passes.
    ViStatus wait(short events, const visa_deadline_t &deadline);

    int m_fd = -1;
    int m_stop_fd = -1;
    visa_deadline_t m_deadline;
    std::uint64_t m_max_body = 0;
    std::uint64_t m_body = 0;      // body bytes announced by the fragments so far
    std::uint64_t m_frag_left = 0; // of the current fragment
    bool m_last = true;            // the current fragment is the record's last
    int m_empty_fragments = 0;     // in a row
    bool m_broken = false;         // the record was refused: nothing more of it is read
    // Read-ahead for the small fields; large reads go straight to the caller.
    char m_buf[4096];
    std::size_t m_buf_at = 0;
    std::size_t m_buf_end = 0;
};
