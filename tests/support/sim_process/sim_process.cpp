#include "sim_process.h"

#include "sim_journal_file.h"
#include "sim_store.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

// ASan makes the start slow on a loaded machine.
constexpr int k_ready_ms = 30000;
constexpr int k_grace_ms = 5000;

int g_instances = 0;

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

sim_process_t::sim_process_t(instruments_t instruments, sim_process_options_t options)
{
    const std::string stem = "sim" + std::to_string(++g_instances);
    char here[4096];
    const std::string dir = ::getcwd(here, sizeof here) ? here : ".";
    m_journal = dir + "/" + stem + "_journal.txt";
    m_log = dir + "/" + stem + "_stderr.txt";
    if (!options.discard)
        m_store = dir + "/" + stem + "_store";

    std::vector<std::string> args = {ONDRIX_INSTRUMENT_SIM_PROGRAM};
    for (std::size_t i = 0; i < instruments.size(); ++i) {
        const std::string address =
            instruments[i].first.empty() ? "127.0.0." + std::to_string(2 + i) : instruments[i].first;
        m_addresses.push_back(address);
        args.insert(args.end(), {"--instrument", address + "=" + instruments[i].second});
    }
    args.insert(args.end(), {"--portmapper-port", std::to_string(options.portmapper_port), "--journal", m_journal,
                             "--timeouts", options.real_timeouts ? "real" : "fast"});
    if (options.discard)
        args.push_back("--discard");
    else
        args.insert(args.end(), {"--store", m_store});
    args.insert(args.end(), options.extra.begin(), options.extra.end());

    std::vector<char *> argv;
    for (std::string &a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return;
    const int log = ::open(m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const pid_t parent = ::getpid();
    m_pid = ::fork();
    if (m_pid == 0) {
        // Its own group, so a stop reaches everything it started; and it ends with us.
        ::setpgid(0, 0);
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != parent)
            ::_exit(127);
        ::dup2(out[1], STDOUT_FILENO);
        if (log >= 0)
            ::dup2(log, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    if (log >= 0)
        ::close(log);
    if (m_pid < 0) {
        ::close(out[0]);
        return;
    }
    ::setpgid(m_pid, m_pid);
    wait_ready(out[0]);
    ::close(out[0]);
    if (!started())
        return;
    const char *old = std::getenv("ONDRIX_VXI11_PORTMAPPER_PORT");
    m_had_env = old != nullptr;
    m_old_env = old ? old : "";
    ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", std::to_string(m_port).c_str(), 1);
}

sim_process_t::~sim_process_t()
{
    stop();
    if (m_port > 0) {
        if (m_had_env)
            ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", m_old_env.c_str(), 1);
        else
            ::unsetenv("ONDRIX_VXI11_PORTMAPPER_PORT");
    }
}

void sim_process_t::wait_ready(int out_fd)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(k_ready_ms);
    std::string line;
    while (std::chrono::steady_clock::now() < until) {
        pollfd p{out_fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char c;
        const ssize_t n = ::read(out_fd, &c, 1);
        if (n <= 0)
            break; // it ended before it was ready
        m_ready_output += c;
        if (c != '\n') {
            line += c;
            continue;
        }
        int port = 0;
        if (std::sscanf(line.c_str(), "ready: portmapper port %d", &port) == 1) {
            m_port = port;
            return;
        }
        line.clear();
    }
    stop();
}

void sim_process_t::reap(bool block)
{
    if (m_ended || m_pid <= 0)
        return;
    int status = 0;
    const pid_t r = ::waitpid(m_pid, &status, block ? 0 : WNOHANG);
    if (r == m_pid) {
        m_ended = true;
        m_exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else if (r < 0 && errno != EINTR) {
        m_ended = true;
    }
}

int sim_process_t::stop()
{
    if (m_pid <= 0 || m_ended)
        return m_exit;
    reap(false);
    if (m_ended)
        return m_exit;
    // A paused child cannot act on SIGTERM until it runs again.
    ::kill(-m_pid, SIGCONT);
    ::kill(-m_pid, SIGTERM);
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(k_grace_ms);
    while (!m_ended && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        reap(false);
    }
    if (!m_ended) {
        ::kill(-m_pid, SIGKILL);
        reap(true);
    }
    return m_exit;
}

void sim_process_t::kill_now()
{
    if (m_pid <= 0 || m_ended)
        return;
    ::kill(-m_pid, SIGKILL);
    reap(true);
}

void sim_process_t::pause()
{
    if (m_pid > 0 && !m_ended)
        ::kill(-m_pid, SIGSTOP);
}

void sim_process_t::resume()
{
    if (m_pid > 0 && !m_ended)
        ::kill(-m_pid, SIGCONT);
}

std::vector<sim_journal_entry_t> sim_process_t::journal() const { return sim_journal_read(m_journal); }

std::string sim_process_t::stored_path(std::size_t i, const std::string &name) const
{
    return m_store + "/" + m_addresses.at(i) + "/" + sim_store_t::file_name(name) + ".bin";
}

std::string sim_process_t::stored(std::size_t i, const std::string &name) const
{
    return read_file(stored_path(i, name));
}

std::string sim_process_t::output() const { return m_ready_output + read_file(m_log); }
