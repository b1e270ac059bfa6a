#include "visa_rpc_client.h"

#include "visa_vxi11.h"
#include "visa_xdr.h"

#include <chrono>
#include <sys/uio.h>

namespace {

// A reply header: xid, message type, reply status, verifier flavor and length, accept status.
constexpr std::uint64_t k_reply_header = 6 * 4;

} // namespace

visa_rpc_client_t::visa_rpc_client_t()
    // Transaction ids only need to differ between the calls of one connection; starting
    // from the clock keeps a new connection's ids apart from an old one's.
    : m_xid(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()))
{
}

ViStatus visa_rpc_client_t::call(std::uint32_t prog, std::uint32_t vers, std::uint32_t proc, const std::string &args,
                                 const void *payload, std::size_t payload_bytes, std::uint64_t max_results,
                                 const visa_deadline_t &deadline)
{
    if (!m_stream.is_open())
        return VI_ERROR_CONN_LOST;
    ++m_xid;
    const std::size_t pad = payload ? visa_xdr_pad(payload_bytes) : 0;
    std::string head;
    head.reserve(64 + args.size());
    visa_xdr_begin_record(head);
    visa_xdr_put_call(head, m_xid, prog, vers, proc);
    head += args;
    visa_xdr_end_record(head, 0, (payload ? payload_bytes : 0) + pad);

    static const char zeros[4] = {0, 0, 0, 0};
    iovec iov[3] = {{&head[0], head.size()},
                    {const_cast<void *>(payload), payload ? payload_bytes : 0},
                    {const_cast<char *>(zeros), pad}};
    const ViStatus sent = m_stream.send(iov, 3, deadline);
    if (sent != VI_SUCCESS)
        return sent;
    return read_reply_header(max_results, deadline);
}

ViStatus visa_rpc_client_t::read_reply_header(std::uint64_t max_results, const visa_deadline_t &deadline)
{
    ViStatus st = m_stream.begin_record(k_reply_header + VISA_RPC_MAX_AUTH_BYTES + max_results, deadline);
    std::uint32_t xid = 0, type = 0, reply_stat = 0;
    if (st == VI_SUCCESS)
        st = m_stream.read_u32(xid);
    if (st == VI_SUCCESS)
        st = m_stream.read_u32(type);
    if (st == VI_SUCCESS)
        st = m_stream.read_u32(reply_stat);
    if (st != VI_SUCCESS)
        return st;
    if (xid != m_xid || type != VISA_RPC_REPLY || reply_stat != VISA_RPC_MSG_ACCEPTED)
        return VI_ERROR_IO;
    std::uint32_t flavor = 0, verf_bytes = 0, accept_stat = 0;
    if ((st = m_stream.read_u32(flavor)) != VI_SUCCESS || (st = m_stream.read_u32(verf_bytes)) != VI_SUCCESS)
        return st;
    if (verf_bytes > VISA_RPC_MAX_AUTH_BYTES)
        return VI_ERROR_IO;
    if ((st = m_stream.skip(verf_bytes + visa_xdr_pad(verf_bytes))) != VI_SUCCESS ||
        (st = m_stream.read_u32(accept_stat)) != VI_SUCCESS)
        return st;
    return accept_stat == VISA_RPC_SUCCESS ? VI_SUCCESS : VI_ERROR_IO;
}
