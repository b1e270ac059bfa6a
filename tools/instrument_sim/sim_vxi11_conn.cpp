#include "sim_vxi11_conn.h"

#include "visa_vxi11.h"
#include "visa_xdr.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cctype>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <utility>

namespace {

// Arguments of every call but a write fit in this many bytes.
constexpr std::size_t k_max_args = 4096;
// A client that takes no reply bytes for this long is given up.
constexpr std::uint32_t k_send_ms = 60000;
// Longest device name a link may ask for.
constexpr std::size_t k_max_device_name = 256;
// The largest message an instrument takes in (ten full download segments).
constexpr std::uint64_t k_max_message = 400ull << 20;

// Reads XDR items from the arguments of a call.
class args_reader_t
{
public:
    explicit args_reader_t(const std::string &bytes) : m_bytes(bytes) {}

    std::uint32_t u32()
    {
        if (m_at + 4 > m_bytes.size()) {
            m_ok = false;
            return 0;
        }
        const std::uint32_t v = visa_xdr_get_u32(reinterpret_cast<const unsigned char *>(m_bytes.data()) + m_at);
        m_at += 4;
        return v;
    }

    std::string opaque(std::size_t max)
    {
        const std::uint32_t n = u32();
        const std::size_t padded = std::size_t(n) + visa_xdr_pad(n);
        if (!m_ok || n > max || m_at + padded > m_bytes.size()) {
            m_ok = false;
            return std::string();
        }
        std::string out = m_bytes.substr(m_at, n);
        m_at += padded;
        return out;
    }

    // Every item read and nothing left over.
    bool complete() const { return m_ok && m_at == m_bytes.size(); }

private:
    const std::string &m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

std::string u32s(std::initializer_list<std::uint32_t> values)
{
    std::string out;
    for (std::uint32_t v : values)
        visa_xdr_put_u32(out, v);
    return out;
}

// Device names a link may ask for: "inst" and a number, as instruments call themselves.
bool known_device(const std::string &name)
{
    if (name.size() < 5 || name.size() > 12)
        return false;
    for (std::size_t i = 0; i < 4; ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != "inst"[i])
            return false;
    for (std::size_t i = 4; i < name.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return false;
    return true;
}

} // namespace

char *sim_vxi11_conn_t::message_t::reserve(std::size_t more)
{
    if (size + more > capacity) {
        const std::size_t grown = std::max(size + more, capacity * 2);
        std::unique_ptr<char[]> bigger(new char[grown]);
        if (size > 0)
            std::memcpy(bigger.get(), bytes.get(), size);
        bytes = std::move(bigger);
        capacity = grown;
    }
    return bytes.get() + size;
}

sim_vxi11_conn_t::sim_vxi11_conn_t(int fd, role_t role, sim_instrument_t *own,
                                   const std::vector<std::unique_ptr<sim_instrument_t>> &instruments,
                                   sim_serve_config_t &config, int stop_fd)
    : m_in(fd), m_role(role), m_own(own), m_instruments(instruments), m_config(config), m_stop_fd(stop_fd)
{
    m_in.set_stop_fd(stop_fd);
}

sim_vxi11_conn_t::~sim_vxi11_conn_t()
{
    for (std::size_t i = 0; i < m_links.size(); ++i)
        m_own->engine->journal().add(sim_journal_entry_t{sim_journal_entry_t::CLOSE, m_own->resource});
}

void sim_vxi11_conn_t::serve()
{
    while (serve_call()) {
    }
}

bool sim_vxi11_conn_t::serve_call()
{
    const std::uint64_t max_body = m_role == CORE ? std::uint64_t(m_config.max_recv_size) + k_max_args : k_max_args;
    if (m_in.begin_record(max_body, visa_deadline_t::never()) != VI_SUCCESS)
        return false;
    // Call header: xid, CALL, RPC version, program, version, procedure, credentials, verifier.
    std::uint32_t head[6];
    for (std::uint32_t &v : head)
        if (m_in.read_u32(v) != VI_SUCCESS)
            return false;
    const std::uint32_t xid = head[0];
    if (head[1] != VISA_RPC_CALL)
        return false;
    for (int auth = 0; auth < 2; ++auth) {
        std::uint32_t flavor = 0, bytes = 0;
        if (m_in.read_u32(flavor) != VI_SUCCESS || m_in.read_u32(bytes) != VI_SUCCESS ||
            bytes > VISA_RPC_MAX_AUTH_BYTES || m_in.skip(bytes + visa_xdr_pad(bytes)) != VI_SUCCESS)
            return false;
    }
    if (head[2] != VISA_RPC_VERSION)
        return m_in.skip_rest() == VI_SUCCESS && reply_denied(xid);

    const std::uint32_t prog = head[3], vers = head[4], proc = head[5];
    const std::uint32_t want_prog = m_role == PORTMAPPER ? VISA_PMAP_PROG
                                    : m_role == CORE     ? VISA_VXI11_CORE_PROG
                                                         : VISA_VXI11_ASYNC_PROG;
    const std::uint32_t want_vers = m_role == PORTMAPPER ? VISA_PMAP_VERS : VISA_VXI11_VERS;
    if (prog != want_prog || vers != want_vers) {
        if (m_in.skip_rest() != VI_SUCCESS)
            return false;
        if (prog != want_prog)
            return reply_error(xid, VISA_RPC_PROG_UNAVAIL);
        std::string out;
        visa_xdr_begin_record(out);
        visa_xdr_put_reply(out, xid, VISA_RPC_PROG_MISMATCH);
        out += u32s({want_vers, want_vers});
        visa_xdr_end_record(out, 0);
        iovec iov{&out[0], out.size()};
        return m_in.send(&iov, 1, visa_deadline_t::after_ms(k_send_ms)) == VI_SUCCESS;
    }
    switch (m_role) {
    case PORTMAPPER:
        return serve_portmapper(xid, proc);
    case CORE:
        return serve_core(xid, proc);
    default:
        return serve_abort(xid, proc);
    }
}

bool sim_vxi11_conn_t::read_args(std::uint32_t xid, std::string &args, bool &keep)
{
    const ViStatus st = m_in.read_rest(args, k_max_args);
    if (st == VI_SUCCESS)
        return true;
    // Arguments longer than any call has: drop them and say so, if the stream allows.
    keep = st == VI_ERROR_IO && m_in.skip_rest() == VI_SUCCESS && reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    return false;
}

bool sim_vxi11_conn_t::serve_portmapper(std::uint32_t xid, std::uint32_t proc)
{
    std::string args;
    bool keep = false;
    if (!read_args(xid, args, keep))
        return keep;
    if (proc == VISA_PMAP_NULL)
        return args.empty() ? reply(xid, "") : reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    if (proc != VISA_PMAP_GETPORT)
        return reply_error(xid, VISA_RPC_PROC_UNAVAIL);
    args_reader_t in(args);
    const std::uint32_t prog = in.u32(), vers = in.u32(), prot = in.u32();
    in.u32();
    if (!in.complete())
        return reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    // The instrument is the one whose address the client reached.
    sockaddr_in local{};
    socklen_t len = sizeof local;
    char address[INET_ADDRSTRLEN] = "";
    if (::getsockname(m_in.fd(), reinterpret_cast<sockaddr *>(&local), &len) == 0)
        ::inet_ntop(AF_INET, &local.sin_addr, address, sizeof address);
    std::uint32_t port = 0;
    for (const auto &inst : m_instruments) {
        if (inst->address != address || vers != VISA_VXI11_VERS || prot != VISA_IPPROTO_TCP)
            continue;
        if (prog == VISA_VXI11_CORE_PROG)
            port = inst->core_port;
        else if (prog == VISA_VXI11_ASYNC_PROG)
            port = inst->abort_port;
    }
    return reply(xid, u32s({port}));
}

bool sim_vxi11_conn_t::serve_abort(std::uint32_t xid, std::uint32_t proc)
{
    std::string args;
    bool keep = false;
    if (!read_args(xid, args, keep))
        return keep;
    if (proc == VXI11_NULL)
        return reply(xid, "");
    if (proc != VXI11_DEVICE_ABORT)
        return reply_error(xid, VISA_RPC_PROC_UNAVAIL);
    args_reader_t in(args);
    in.u32();
    if (!in.complete())
        return reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    // Nothing an instrument here does can be cut short: the abort succeeds at once.
    return reply(xid, u32s({VXI11_OK}));
}

sim_vxi11_conn_t::link_t *sim_vxi11_conn_t::find_link(std::uint32_t id)
{
    auto it = m_links.find(id);
    return it == m_links.end() ? nullptr : &it->second;
}

void sim_vxi11_conn_t::note_timeout(link_t &link, std::uint32_t io_timeout)
{
    if (link.timeout_known && link.io_timeout == io_timeout)
        return;
    link.timeout_known = true;
    link.io_timeout = io_timeout;
    sim_journal_entry_t e{sim_journal_entry_t::TIMEOUT, m_own->resource};
    e.size = io_timeout;
    m_own->engine->journal().add(std::move(e));
}

bool sim_vxi11_conn_t::wait_io(std::uint32_t ms)
{
    pollfd stop{m_stop_fd, POLLIN, 0};
    const visa_deadline_t deadline = visa_deadline_t::after_ms(ms);
    for (;;) {
        const int n = ::poll(&stop, 1, deadline.poll_ms());
        if (n == 0)
            return true;
        if (n > 0)
            return false;
    }
}

bool sim_vxi11_conn_t::serve_core(std::uint32_t xid, std::uint32_t proc)
{
    if (proc == VXI11_DEVICE_WRITE)
        return device_write(xid);
    std::string args;
    bool keep = false;
    if (!read_args(xid, args, keep))
        return keep;
    if (proc == VXI11_NULL)
        return reply(xid, "");
    if (proc == VXI11_CREATE_LINK)
        return create_link(xid, args);
    if (proc == VXI11_DEVICE_READ)
        return device_read(xid, args);

    args_reader_t in(args);
    const std::uint32_t id = in.u32();
    link_t *link = find_link(id);
    switch (proc) {
    case VXI11_DESTROY_LINK:
        if (!in.complete())
            return reply_error(xid, VISA_RPC_GARBAGE_ARGS);
        if (!link)
            return reply(xid, u32s({VXI11_INVALID_LINK}));
        m_links.erase(id);
        m_own->engine->journal().add(sim_journal_entry_t{sim_journal_entry_t::CLOSE, m_own->resource});
        return reply(xid, u32s({VXI11_OK}));
    case VXI11_DEVICE_CLEAR: {
        // Device_GenericParms: link, flags, lock_timeout, io_timeout.
        in.u32();
        in.u32();
        const std::uint32_t io_timeout = in.u32();
        if (!in.complete())
            return reply_error(xid, VISA_RPC_GARBAGE_ARGS);
        if (!link)
            return reply(xid, u32s({VXI11_INVALID_LINK}));
        note_timeout(*link, io_timeout);
        link->pending = false;
        link->reply.clear();
        link->reply_at = 0;
        link->message.size = 0;
        m_own->engine->journal().add(sim_journal_entry_t{sim_journal_entry_t::CLEAR, m_own->resource});
        return reply(xid, u32s({VXI11_OK}));
    }
    case VXI11_DEVICE_READSTB:
        return reply(xid, link ? u32s({VXI11_OK, 0}) : u32s({VXI11_INVALID_LINK, 0}));
    case VXI11_DEVICE_TRIGGER:
    case VXI11_DEVICE_REMOTE:
    case VXI11_DEVICE_LOCAL:
    case VXI11_DEVICE_LOCK:
    case VXI11_DEVICE_UNLOCK:
        return reply(xid, u32s({link ? VXI11_OK : VXI11_INVALID_LINK}));
    case VXI11_DEVICE_ENABLE_SRQ:
    case VXI11_CREATE_INTR_CHAN:
    case VXI11_DESTROY_INTR_CHAN:
        return reply(xid, u32s({VXI11_OPERATION_NOT_SUPPORTED}));
    case VXI11_DEVICE_DOCMD:
        // Device_DocmdResp: error and no data.
        return reply(xid, u32s({VXI11_OPERATION_NOT_SUPPORTED, 0}));
    default:
        return reply_error(xid, VISA_RPC_PROC_UNAVAIL);
    }
}

bool sim_vxi11_conn_t::create_link(std::uint32_t xid, const std::string &args)
{
    // Create_LinkParms: client id, lockDevice, lock_timeout, device name.
    args_reader_t in(args);
    in.u32();
    in.u32();
    in.u32();
    const std::string device = in.opaque(k_max_device_name);
    if (!in.complete())
        return reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    sim_journal_entry_t e{sim_journal_entry_t::OPEN, m_own->resource};
    std::uint32_t error = VXI11_OK;
    if (!known_device(device)) {
        error = VXI11_INVALID_ADDRESS;
        e.status = VI_ERROR_RSRC_NFOUND;
    } else if (m_own->engine->faults().refuse_open) {
        error = VXI11_DEVICE_LOCKED;
        e.status = VI_ERROR_RSRC_BUSY;
    }
    e.text = device;
    m_own->engine->journal().add(std::move(e));
    if (error != VXI11_OK)
        return reply(xid, u32s({error, 0, 0, 0}));
    const std::uint32_t id = m_config.next_link++;
    m_links[id];
    return reply(xid, u32s({VXI11_OK, id, m_own->abort_port, m_config.max_recv_size}));
}

bool sim_vxi11_conn_t::device_write(std::uint32_t xid)
{
    // Device_WriteParms: link, io_timeout, lock_timeout, flags, then the data.
    std::uint32_t f[5];
    for (std::uint32_t &v : f) {
        const ViStatus st = m_in.read_u32(v);
        if (st == VI_ERROR_IO)
            return m_in.skip_rest() == VI_SUCCESS && reply_error(xid, VISA_RPC_GARBAGE_ARGS);
        if (st != VI_SUCCESS)
            return false;
    }
    const std::uint32_t id = f[0], io_timeout = f[1], flags = f[3], length = f[4];
    link_t *link = find_link(id);
    if (!link || length > m_config.max_recv_size) {
        if (m_in.skip_rest() != VI_SUCCESS)
            return false;
        return reply(xid, u32s({link ? VXI11_PARAMETER_ERROR : VXI11_INVALID_LINK, 0}));
    }
    note_timeout(*link, io_timeout);

    std::uint32_t accept = length;
    if (m_config.write_accept)
        accept = std::min(accept, m_config.write_accept);
    // A message past the input limit times out; one past any sensible size is refused.
    const std::uint64_t limit = m_config.input_limit ? m_config.input_limit : k_max_message;
    bool full = false;
    if (link->message.size + accept > limit) {
        accept = std::uint32_t(limit - std::min<std::uint64_t>(link->message.size, limit));
        full = true;
    }
    // The bytes past what is taken are read and dropped: the client sends them again.
    char *into = link->message.reserve(accept);
    ViStatus st = m_in.read(into, accept);
    if (st == VI_SUCCESS)
        st = m_in.skip(length - accept + visa_xdr_pad(length));
    if (st == VI_SUCCESS)
        st = m_in.end_record();
    if (st == VI_ERROR_IO)
        return m_in.skip_rest() == VI_SUCCESS && reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    if (st != VI_SUCCESS)
        return false;
    link->message.size += accept;

    const sim_faults_t &faults = m_own->engine->faults();
    if (sim_faults_t::hits(faults.drop_in_write, link->message.view())) {
        m_own->engine->journal().add_write(m_own->resource, link->message.view(), VI_ERROR_CONN_LOST);
        return false;
    }
    if (full) {
        // The instrument's input is full: the message is lost, and with an input limit
        // the client's time-out runs out first.
        const bool timed_out = m_config.input_limit != 0;
        m_own->engine->journal().add_write(m_own->resource, link->message.view(),
                                           timed_out ? VI_ERROR_TMO : VI_ERROR_IO);
        link->message.size = 0;
        if (timed_out && !m_config.fast_timeouts && !wait_io(io_timeout))
            return false;
        return reply(xid, u32s({timed_out ? VXI11_IO_TIMEOUT : VXI11_OUT_OF_RESOURCES, accept}));
    }
    std::uint32_t error = VXI11_OK;
    if ((flags & VXI11_FLAG_END) && accept == length) {
        if (sim_faults_t::hits(faults.refuse_write, link->message.view())) {
            m_own->engine->journal().add_write(m_own->resource, link->message.view(), VI_ERROR_IO);
            link->message.size = 0;
            error = VXI11_IO_ERROR;
            accept = 0;
        } else {
            take_message(*link);
        }
    }
    return reply(xid, u32s({error, accept}));
}

void sim_vxi11_conn_t::take_message(link_t &link)
{
    const std::string_view message = link.message.view();
    sim_engine_t &engine = *m_own->engine;
    engine.journal().add_write(m_own->resource, message, VI_SUCCESS);
    // A new message ends whatever was left of the previous reply; the reply's memory
    // is kept for the next one.
    bool pending = false;
    {
        std::lock_guard<std::mutex> lock(m_own->mutex);
        pending = engine.handle(message, link.reply);
    }
    link.reply_at = 0;
    link.pending = pending;
    link.drop_at = pending && sim_faults_t::hits(engine.faults().drop_in_reply, message) ? link.reply.size() / 2
                                                                                         : std::string::npos;
    link.message.size = 0;
}

bool sim_vxi11_conn_t::device_read(std::uint32_t xid, const std::string &args)
{
    // Device_ReadParms: link, requestSize, io_timeout, lock_timeout, flags, termChar.
    args_reader_t in(args);
    const std::uint32_t id = in.u32(), request = in.u32(), io_timeout = in.u32();
    in.u32();
    const std::uint32_t flags = in.u32(), term_char = in.u32();
    if (!in.complete())
        return reply_error(xid, VISA_RPC_GARBAGE_ARGS);
    link_t *link = find_link(id);
    if (!link)
        return reply(xid, u32s({VXI11_INVALID_LINK, 0, 0}));
    note_timeout(*link, io_timeout);

    sim_journal_entry_t e{sim_journal_entry_t::READ, m_own->resource};
    e.size = request;
    if (!link->pending) {
        e.status = VI_ERROR_TMO;
        m_own->engine->journal().add(std::move(e));
        if (!m_config.fast_timeouts && !wait_io(io_timeout))
            return false;
        return reply(xid, u32s({VXI11_IO_TIMEOUT, 0, 0}));
    }

    const char *from = link->reply.data() + link->reply_at;
    std::size_t n = std::min<std::size_t>(request, link->reply.size() - link->reply_at);
    if (m_config.read_chunk)
        n = std::min<std::size_t>(n, m_config.read_chunk);
    std::uint32_t reason = 0;
    if (flags & VXI11_FLAG_TERMCHRSET) {
        const void *term = std::memchr(from, int(term_char & 0xFF), n);
        if (term) {
            n = std::size_t(static_cast<const char *>(term) - from) + 1;
            reason |= VXI11_REASON_CHR;
        }
    }
    const bool end = link->reply_at + n == link->reply.size();
    if (end)
        reason |= VXI11_REASON_END;
    if (n == request)
        reason |= VXI11_REASON_REQCNT;
    const bool drop = link->drop_at != std::string::npos && link->reply_at + n > link->drop_at;
    e.status = drop ? VI_ERROR_CONN_LOST : end ? VI_SUCCESS : VI_SUCCESS_MAX_CNT;
    m_own->engine->journal().add(std::move(e));
    if (drop) {
        // Half the reply, then the connection is gone.
        reply(xid, u32s({VXI11_OK, reason, std::uint32_t(n)}), from, n, link->drop_at - link->reply_at);
        return false;
    }
    if (!reply(xid, u32s({VXI11_OK, reason, std::uint32_t(n)}), from, n))
        return false;
    link->reply_at += n;
    if (end) {
        link->pending = false;
        link->reply.clear();
        link->reply_at = 0;
    }
    return true;
}

bool sim_vxi11_conn_t::reply(std::uint32_t xid, const std::string &results, const char *data, std::size_t bytes,
                             std::size_t send_bytes)
{
    const std::size_t pad = data ? visa_xdr_pad(bytes) : 0;
    std::string head;
    visa_xdr_begin_record(head);
    visa_xdr_put_reply(head, xid, VISA_RPC_SUCCESS);
    head += results;
    visa_xdr_end_record(head, 0, (data ? bytes : 0) + pad);
    static const char zeros[4] = {0, 0, 0, 0};
    const bool whole = send_bytes >= bytes;
    iovec iov[3] = {{&head[0], head.size()},
                    {const_cast<char *>(data), data ? std::min(bytes, send_bytes) : 0},
                    {const_cast<char *>(zeros), whole ? pad : 0}};
    return m_in.send(iov, 3, visa_deadline_t::after_ms(k_send_ms)) == VI_SUCCESS;
}

bool sim_vxi11_conn_t::reply_error(std::uint32_t xid, std::uint32_t accept_stat)
{
    std::string out;
    visa_xdr_begin_record(out);
    visa_xdr_put_reply(out, xid, accept_stat);
    visa_xdr_end_record(out, 0);
    iovec iov{&out[0], out.size()};
    return m_in.send(&iov, 1, visa_deadline_t::after_ms(k_send_ms)) == VI_SUCCESS;
}

bool sim_vxi11_conn_t::reply_denied(std::uint32_t xid)
{
    std::string out;
    visa_xdr_begin_record(out);
    out += u32s({xid, VISA_RPC_REPLY, VISA_RPC_MSG_DENIED, VISA_RPC_MISMATCH, VISA_RPC_VERSION, VISA_RPC_VERSION});
    visa_xdr_end_record(out, 0);
    iovec iov{&out[0], out.size()};
    return m_in.send(&iov, 1, visa_deadline_t::after_ms(k_send_ms)) == VI_SUCCESS;
}
