#include "sim_server.h"

#include "sim_journal_file.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

// Tries to find a port free on every address.
constexpr int k_port_attempts = 64;

// A listening TCP socket on address:port (0: any free port); -1 with errno set.
int listen_on(const std::string &address, int port)
{
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(std::uint16_t(port));
    if (inet_pton(AF_INET, address.c_str(), &addr.sin_addr) != 1) {
        errno = EINVAL;
        return -1;
    }
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0) {
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return -1;
    }
    return fd;
}

int local_port(int fd)
{
    sockaddr_in addr{};
    socklen_t len = sizeof addr;
    return ::getsockname(fd, reinterpret_cast<sockaddr *>(&addr), &len) == 0 ? ntohs(addr.sin_port) : 0;
}

// A capture every oscilloscope channel holds when its length is given: a triangle
// over the full code range, different on each channel.
std::vector<std::int8_t> triangle_capture(std::uint64_t points, int channel)
{
    std::vector<std::int8_t> codes(points);
    for (std::uint64_t i = 0; i < points; ++i) {
        const int phase = int((i + std::uint64_t(channel) * 37) % 240);
        codes[i] = std::int8_t(phase < 120 ? phase - 60 : 180 - phase);
    }
    return codes;
}

} // namespace

sim_server_t::sim_server_t(sim_options_t options)
    : m_options(std::move(options)), m_journal(std::make_shared<sim_journal_t>())
{
    m_config.max_recv_size = m_options.max_recv_size;
    m_config.fast_timeouts = m_options.fast_timeouts;
    m_config.write_accept = m_options.write_accept;
    m_config.input_limit = m_options.input_limit;
    m_config.read_chunk = m_options.read_chunk;
}

sim_server_t::~sim_server_t()
{
    reap(true);
    close_listeners();
    if (m_journal_file)
        std::fclose(m_journal_file);
}

sim_server_t::start_t sim_server_t::start(std::string &error)
{
    if (!m_options.store.empty() && !m_store.open(m_options.store, error))
        return FAILED;
    if (!m_options.journal.empty()) {
        m_journal_file = std::fopen(m_options.journal.c_str(), "w");
        if (!m_journal_file) {
            error = "cannot write the journal " + m_options.journal + ": " + std::strerror(errno);
            return FAILED;
        }
        std::FILE *file = m_journal_file;
        m_journal->set_sink([file](const sim_journal_entry_t &e) {
            std::fputs((sim_journal_line(e) + "\n").c_str(), file);
            std::fflush(file);
        });
    } else {
        // Nobody reads the entries: keeping them would only grow the process.
        m_journal->set_sink([](const sim_journal_entry_t &) {});
    }

    for (const sim_instrument_opt_t &opt : m_options.instruments) {
        auto inst = std::make_unique<sim_instrument_t>();
        inst->address = opt.address;
        inst->resource = "TCPIP0::" + opt.address + "::INSTR";
        inst->engine = std::make_shared<sim_engine_t>(opt.model);
        inst->engine->faults() = opt.faults;
        inst->engine->share_journal(m_journal);
        inst->engine->keep_samples = !m_options.discard;
        if (m_store.is_open()) {
            const std::string address = opt.address;
            inst->engine->on_downloaded = [this, address](const sim_wave_t &wave) {
                std::string why;
                if (!m_store.save(address, wave, why))
                    std::fprintf(stderr, "ondrix_instrument_sim: %s\n", why.c_str());
            };
        }
        if (m_options.trace_points && opt.model.scope)
            for (int ch = 0; ch < opt.model.scope_channels; ++ch)
                inst->engine->scope_channel(ch).codes = triangle_capture(m_options.trace_points, ch);
        m_instruments.push_back(std::move(inst));
    }
    return listen_all(error);
}

sim_server_t::start_t sim_server_t::listen_all(std::string &error)
{
    for (auto &inst : m_instruments) {
        for (sim_vxi11_conn_t::role_t role : {sim_vxi11_conn_t::CORE, sim_vxi11_conn_t::ABORT}) {
            const int fd = listen_on(inst->address, 0);
            if (fd < 0) {
                error = "cannot listen on " + inst->address + ": " + std::strerror(errno);
                return CANNOT_LISTEN;
            }
            m_listeners.push_back(listener_t{fd, role, inst.get()});
            (role == sim_vxi11_conn_t::CORE ? inst->core_port : inst->abort_port) = std::uint16_t(local_port(fd));
        }
    }
    return listen_portmapper(error);
}

sim_server_t::start_t sim_server_t::listen_portmapper(std::string &error)
{
    const std::size_t first = m_listeners.size();
    for (int attempt = 0; attempt < k_port_attempts; ++attempt) {
        int port = m_options.portmapper_port;
        bool ok = true;
        for (auto &inst : m_instruments) {
            const int fd = listen_on(inst->address, port);
            if (fd < 0) {
                error = "cannot listen on " + inst->address + " port " + std::to_string(port) + ": " +
                        std::strerror(errno);
                ok = false;
                break;
            }
            m_listeners.push_back(listener_t{fd, sim_vxi11_conn_t::PORTMAPPER, nullptr});
            if (port == 0)
                port = local_port(fd);
        }
        if (ok) {
            m_pmap_port = port;
            return STARTED;
        }
        close_listeners(first);
        // A picked port may be taken on another address: pick again. A given one stays.
        if (m_options.portmapper_port != 0 || errno != EADDRINUSE)
            break;
    }
    return CANNOT_LISTEN;
}

void sim_server_t::close_listeners(std::size_t from)
{
    for (std::size_t i = from; i < m_listeners.size(); ++i)
        ::close(m_listeners[i].fd);
    m_listeners.resize(std::min(from, m_listeners.size()));
}

void sim_server_t::accept_one(const listener_t &listener, int stop_fd)
{
    const int fd = ::accept4(listener.fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    auto done = std::make_shared<std::atomic<bool>>(false);
    sim_instrument_t *inst = listener.instrument;
    const sim_vxi11_conn_t::role_t role = listener.role;
    std::thread thread([this, fd, role, inst, stop_fd, done] {
        {
            sim_vxi11_conn_t conn(fd, role, inst, m_instruments, m_config, stop_fd);
            conn.serve();
        }
        *done = true;
    });
    m_workers.push_back(worker_t{std::move(thread), std::move(done)});
}

void sim_server_t::reap(bool all)
{
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if (all || *it->done) {
            it->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}

void sim_server_t::run(int stop_fd)
{
    std::vector<pollfd> fds;
    for (const listener_t &l : m_listeners)
        fds.push_back(pollfd{l.fd, POLLIN, 0});
    fds.push_back(pollfd{stop_fd, POLLIN, 0});
    for (;;) {
        const int n = ::poll(fds.data(), fds.size(), 1000);
        if (n < 0 && errno != EINTR)
            break;
        if (fds.back().revents)
            break;
        for (std::size_t i = 0; n > 0 && i < m_listeners.size(); ++i)
            if (fds[i].revents & POLLIN)
                accept_one(m_listeners[i], stop_fd);
        reap(false);
    }
    // The stop descriptor stays readable, so every connection's wait ends too.
    close_listeners();
    reap(true);
}
