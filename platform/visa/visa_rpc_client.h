#pragma once
#include "visa_rpc_stream.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The client end of ONC RPC over one TCP connection: a call goes out as one record, its
// reply's header is checked (transaction id, accepted, success) and the results are
// read from stream() up to finish(). Any status but VI_SUCCESS leaves the connection in
// an unknown state: the caller closes it.
class visa_rpc_client_t
{
public:
    visa_rpc_client_t();

    ViStatus connect(const std::string &host, std::uint16_t port, std::uint32_t connect_ms)
    {
        return m_stream.connect(host, port, connect_ms);
    }
    bool is_open() const { return m_stream.is_open(); }
    void close() { m_stream.close(); }

    // Sends a call whose arguments are `args` followed, when `payload_bytes` is not 0 or
    // `payload` is given, by the body of an opaque whose length word ends `args`; the
    // payload goes out from the caller's memory and its padding after it. Then reads the
    // reply's header before the deadline; the results, at most `max_results` bytes, follow.
    ViStatus call(std::uint32_t prog, std::uint32_t vers, std::uint32_t proc, const std::string &args,
                  const void *payload, std::size_t payload_bytes, std::uint64_t max_results,
                  const visa_deadline_t &deadline);
    visa_rpc_stream_t &stream() { return m_stream; }
    // VI_SUCCESS when the reply ended with the results read.
    ViStatus finish() { return m_stream.end_record(); }

    // The transaction id of the last call.
    std::uint32_t xid() const { return m_xid; }

private:
    ViStatus read_reply_header(std::uint64_t max_results, const visa_deadline_t &deadline);

    visa_rpc_stream_t m_stream;
    std::uint32_t m_xid;
};
