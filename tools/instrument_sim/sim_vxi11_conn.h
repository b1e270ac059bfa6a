#pragma once
#include "sim_instrument.h"
#include "visa_rpc_stream.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One client connection of the simulator program: it answers the ONC RPC calls of one
// channel, the portmapper (GETPORT and the null procedure), an instrument's VXI-11 core
// channel or its abort channel, until the client leaves, the server stops, or the
// client sends something that is no RPC call (then the connection is dropped; a call
// with bad arguments gets an RPC error reply and the connection goes on).
class sim_vxi11_conn_t
{
public:
    enum role_t { PORTMAPPER, CORE, ABORT };

    // `own` is the instrument of a core or abort channel; the portmapper answers for the
    // instrument whose address the call came to. `stop_fd` ends every wait when readable.
    sim_vxi11_conn_t(int fd, role_t role, sim_instrument_t *own,
                     const std::vector<std::unique_ptr<sim_instrument_t>> &instruments, sim_serve_config_t &config,
                     int stop_fd);
    // Links still open end with the connection.
    ~sim_vxi11_conn_t();
    sim_vxi11_conn_t(const sim_vxi11_conn_t &) = delete;
    sim_vxi11_conn_t &operator=(const sim_vxi11_conn_t &) = delete;

    void serve();

private:
    // A message as it arrives, without the zero-filling a std::string's growth costs.
    struct message_t
    {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t capacity = 0;
        // Room for `more` bytes after the current ones.
        char *reserve(std::size_t more);
        std::string_view view() const { return std::string_view(bytes.get(), size); }
    };
    struct link_t
    {
        message_t message;
        std::string reply;
        std::size_t reply_at = 0;
        bool pending = false;
        std::size_t drop_at = std::string::npos;
        bool timeout_known = false;
        std::uint32_t io_timeout = 0;
    };

    // One call: false when the connection is to end.
    bool serve_call();
    bool serve_portmapper(std::uint32_t xid, std::uint32_t proc);
    bool serve_core(std::uint32_t xid, std::uint32_t proc);
    bool serve_abort(std::uint32_t xid, std::uint32_t proc);
    bool device_write(std::uint32_t xid);
    bool device_read(std::uint32_t xid, const std::string &args);
    bool create_link(std::uint32_t xid, const std::string &args);
    // The message is complete: to the engine, with the faults of the instrument.
    void take_message(link_t &link);
    void note_timeout(link_t &link, std::uint32_t io_timeout);
    // Waits out a real time-out; false when the server stops meanwhile.
    bool wait_io(std::uint32_t ms);

    // Reads the rest of a call's arguments (at most a few kB): false, with the connection
    // to be ended in `keep`, when they could not be read.
    bool read_args(std::uint32_t xid, std::string &args, bool &keep);
    bool reply(std::uint32_t xid, const std::string &results, const char *data = nullptr, std::size_t bytes = 0,
               std::size_t send_bytes = std::size_t(-1));
    bool reply_error(std::uint32_t xid, std::uint32_t accept_stat);
    bool reply_denied(std::uint32_t xid);
    link_t *find_link(std::uint32_t id);

    visa_rpc_stream_t m_in;
    role_t m_role;
    sim_instrument_t *m_own;
    const std::vector<std::unique_ptr<sim_instrument_t>> &m_instruments;
    sim_serve_config_t &m_config;
    int m_stop_fd;
    std::map<std::uint32_t, link_t> m_links;
};
