#include "visa_vxi11_session.h"

#include "visa_vxi11.h"
#include "visa_xdr.h"

#include <algorithm>
#include <unistd.h>
#include <utility>

namespace {

// Larger chunks than this are split even if the server would take them.
constexpr std::uint32_t k_chunk_cap = 1u << 30;
// The instrument gets this long to drop the link when the session closes.
constexpr std::uint32_t k_destroy_ms = 1000;

// The socket's deadline for a call the instrument may spend `io_timeout` on.
visa_deadline_t call_deadline(std::uint32_t io_timeout)
{
    if (io_timeout == VI_TMO_INFINITE)
        return visa_deadline_t::never();
    return visa_deadline_t::after_ms(std::uint64_t(io_timeout) + visa_vxi11_session_t::k_margin_ms);
}

std::string u32_args(std::initializer_list<std::uint32_t> values)
{
    std::string out;
    for (std::uint32_t v : values)
        visa_xdr_put_u32(out, v);
    return out;
}

} // namespace

ViStatus visa_vxi11_session_t::create(std::unique_ptr<visa_rpc_client_t> client, const std::string &lan_device,
                                      std::uint32_t wait_ms, std::unique_ptr<visa_session_t> &session)
{
    // Create_LinkParms: client id, lockDevice, lock_timeout, device name.
    std::string args = u32_args({static_cast<std::uint32_t>(::getpid()) & 0x7FFFFFFF, 0, 0});
    visa_xdr_put_opaque(args, lan_device);
    ViStatus st = client->call(VISA_VXI11_CORE_PROG, VISA_VXI11_VERS, VXI11_CREATE_LINK, args, nullptr, 0, 16,
                               visa_deadline_t::after_ms(wait_ms));
    // Create_LinkResp: error, link id, abort port, maxRecvSize.
    std::uint32_t error = 0, link = 0, abort_port = 0, max_recv = 0;
    visa_rpc_stream_t &in = client->stream();
    if (st == VI_SUCCESS && (st = in.read_u32(error)) == VI_SUCCESS && (st = in.read_u32(link)) == VI_SUCCESS &&
        (st = in.read_u32(abort_port)) == VI_SUCCESS && (st = in.read_u32(max_recv)) == VI_SUCCESS)
        st = client->finish();
    if (st != VI_SUCCESS)
        return st;
    if (error != VXI11_OK)
        return visa_vxi11_status(error);
    // A server that takes no bytes at all could never be written to.
    if (max_recv == 0)
        return VI_ERROR_IO;
    session.reset(new visa_vxi11_session_t(std::move(client), link, std::min(max_recv, k_chunk_cap)));
    return VI_SUCCESS;
}

visa_vxi11_session_t::visa_vxi11_session_t(std::unique_ptr<visa_rpc_client_t> client, std::uint32_t link,
                                           std::uint32_t max_chunk)
    : m_client(std::move(client)), m_link(link), m_max_chunk(max_chunk)
{
}

visa_vxi11_session_t::~visa_vxi11_session_t()
{
    if (!m_client->is_open())
        return;
    // The server drops the link with the connection anyway; asking first lets it
    // tidy up at once. Its answer changes nothing here.
    std::uint32_t error = 0;
    if (m_client->call(VISA_VXI11_CORE_PROG, VISA_VXI11_VERS, VXI11_DESTROY_LINK, u32_args({m_link}), nullptr, 0, 4,
                       visa_deadline_t::after_ms(k_destroy_ms)) == VI_SUCCESS &&
        m_client->stream().read_u32(error) == VI_SUCCESS)
        m_client->finish();
    m_client->close();
}

ViStatus visa_vxi11_session_t::transport_failed(ViStatus status)
{
    m_client->close();
    return status;
}

ViStatus visa_vxi11_session_t::device_error(std::uint32_t error)
{
    const ViStatus st = visa_vxi11_status(error);
    // The server no longer knows the link: nothing more can go over it.
    return st == VI_ERROR_CONN_LOST ? transport_failed(st) : st;
}

ViStatus visa_vxi11_session_t::write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32 timeout_ms)
{
    written = 0;
    if (!m_client->is_open())
        return VI_ERROR_CONN_LOST;
    std::uint32_t at = 0;
    do {
        const std::uint32_t chunk = std::min(count - at, m_max_chunk);
        const bool last = at + chunk == count;
        // Device_WriteParms: link, io_timeout, lock_timeout, flags, then the data.
        const std::string args = u32_args({m_link, timeout_ms, 0, last ? VXI11_FLAG_END : 0u, chunk});
        ViStatus st = m_client->call(VISA_VXI11_CORE_PROG, VISA_VXI11_VERS, VXI11_DEVICE_WRITE, args, buf + at, chunk,
                                     8, call_deadline(timeout_ms));
        std::uint32_t error = 0, size = 0;
        visa_rpc_stream_t &in = m_client->stream();
        if (st == VI_SUCCESS && (st = in.read_u32(error)) == VI_SUCCESS && (st = in.read_u32(size)) == VI_SUCCESS)
            st = m_client->finish();
        if (st == VI_SUCCESS && size > chunk)
            st = VI_ERROR_IO;
        if (st != VI_SUCCESS)
            return transport_failed(st);
        at += size;
        written = at;
        if (error != VXI11_OK)
            return device_error(error);
        // A server that takes nothing without saying why would be asked for ever.
        if (size == 0 && chunk > 0)
            return VI_ERROR_IO;
    } while (at < count);
    return VI_SUCCESS;
}

ViStatus visa_vxi11_session_t::read_once(ViByte *buf, std::uint32_t request, std::uint32_t io_timeout,
                                         std::uint32_t &got, std::uint32_t &error, std::uint32_t &reason)
{
    got = 0;
    // Device_ReadParms: link, requestSize, io_timeout, lock_timeout, flags, termChar.
    const std::string args = u32_args({m_link, request, io_timeout, 0, 0, 0});
    ViStatus st = m_client->call(VISA_VXI11_CORE_PROG, VISA_VXI11_VERS, VXI11_DEVICE_READ, args, nullptr, 0,
                                 12 + std::uint64_t(request) + 3, call_deadline(io_timeout));
    std::uint32_t length = 0;
    visa_rpc_stream_t &in = m_client->stream();
    if (st == VI_SUCCESS && (st = in.read_u32(error)) == VI_SUCCESS && (st = in.read_u32(reason)) == VI_SUCCESS)
        st = in.read_u32(length);
    // More than was asked for would run past the caller's buffer.
    if (st == VI_SUCCESS && length > request)
        st = VI_ERROR_IO;
    if (st == VI_SUCCESS && (st = in.read(buf, length)) == VI_SUCCESS &&
        (st = in.skip(visa_xdr_pad(length))) == VI_SUCCESS)
        st = m_client->finish();
    if (st == VI_SUCCESS)
        got = length;
    return st;
}

ViStatus visa_vxi11_session_t::read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32 timeout_ms)
{
    got = 0;
    if (!m_client->is_open())
        return VI_ERROR_CONN_LOST;
    if (capacity == 0)
        return VI_SUCCESS_MAX_CNT;
    // The whole message must come within the time-out, however many calls it takes.
    const visa_deadline_t deadline = visa_deadline_t::after_ms(timeout_ms);
    for (;;) {
        std::uint32_t n = 0, error = 0, reason = 0;
        const ViStatus st = read_once(buf + got, capacity - got, deadline.left_ms(), n, error, reason);
        if (st != VI_SUCCESS)
            return transport_failed(st);
        got += n;
        if (error != VXI11_OK)
            return device_error(error);
        if (reason & VXI11_REASON_END)
            return VI_SUCCESS;
        if (got == capacity)
            return VI_SUCCESS_MAX_CNT;
        // Nothing and no end: the server would be asked for ever.
        if (n == 0)
            return VI_ERROR_IO;
    }
}

ViStatus visa_vxi11_session_t::clear(ViUInt32 timeout_ms)
{
    if (!m_client->is_open())
        return VI_ERROR_CONN_LOST;
    // Device_GenericParms: link, flags, lock_timeout, io_timeout.
    ViStatus st = m_client->call(VISA_VXI11_CORE_PROG, VISA_VXI11_VERS, VXI11_DEVICE_CLEAR,
                                 u32_args({m_link, 0, 0, timeout_ms}), nullptr, 0, 4, call_deadline(timeout_ms));
    std::uint32_t error = 0;
    if (st == VI_SUCCESS && (st = m_client->stream().read_u32(error)) == VI_SUCCESS)
        st = m_client->finish();
    if (st != VI_SUCCESS)
        return transport_failed(st);
    return device_error(error);
}
