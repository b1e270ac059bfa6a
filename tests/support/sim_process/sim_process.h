#pragma once
#include "sim_journal.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// How a test starts the simulator program (ondrix_instrument_sim).
struct sim_process_options_t
{
    // "" picks one; 111 is where VISA libraries look unaided.
    int portmapper_port = 0;
    // Count and hash downloads instead of storing them in the store folder.
    bool discard = false;
    // Reads with nothing to answer wait the client's time-out instead of failing at once.
    bool real_timeouts = false;
    // Further arguments as they are: "--fault", "127.0.0.2:no-reply=*IDN?", "--write-accept", "100"...
    std::vector<std::string> extra;
};

// The simulator program run by a test as a child in its own process group. The
// constructor waits for its ready line and points this process's VISA layer at it
// (ONDRIX_VXI11_PORTMAPPER_PORT); the destructor always stops it, so a failing test
// leaves nothing behind, and the child ends by itself should the test process die.
// Journal and store folder lie in the working directory, which every test has to itself.
class sim_process_t
{
public:
    // `instruments`: (address, profile) pairs such as ("127.0.0.2", "generator:2");
    // an empty address takes 127.0.0.2, 127.0.0.3... by position.
    using instruments_t = std::vector<std::pair<std::string, std::string>>;
    explicit sim_process_t(instruments_t instruments, sim_process_options_t options = {});
    // The same from a braced list, which a vector's iterator-pair constructor would make ambiguous.
    explicit sim_process_t(std::initializer_list<std::pair<std::string, std::string>> instruments,
                           sim_process_options_t options = {})
        : sim_process_t(instruments_t(instruments), std::move(options))
    {
    }
    ~sim_process_t();
    sim_process_t(const sim_process_t &) = delete;
    sim_process_t &operator=(const sim_process_t &) = delete;

    // True once the ready line came; otherwise output() and exit_code() say why.
    bool started() const { return m_port > 0; }
    int portmapper_port() const { return m_port; }
    pid_t pid() const { return m_pid; }
    std::string address(std::size_t i) const { return m_addresses.at(i); }
    // "TCPIP0::<address>::INSTR" of the i-th instrument.
    std::string resource(std::size_t i) const { return "TCPIP0::" + m_addresses.at(i) + "::INSTR"; }

    const std::string &journal_path() const { return m_journal; }
    std::vector<sim_journal_entry_t> journal() const;
    const std::string &store_dir() const { return m_store; }
    // The file a download of `name` to the i-th instrument lands in.
    std::string stored_path(std::size_t i, const std::string &name) const;
    // Its bytes, or "" when there is none.
    std::string stored(std::size_t i, const std::string &name) const;
    // What the program printed (its ready line and any complaint).
    std::string output() const;

    // SIGTERM to the group, a few seconds' grace, then SIGKILL. The exit code, or -1
    // when a signal ended it; repeated calls return the same.
    int stop();
    // SIGKILL at once: an instrument that vanishes.
    void kill_now();
    // SIGSTOP and SIGCONT: an instrument that stops answering and comes back.
    void pause();
    void resume();
    int exit_code() const { return m_exit; }

private:
    void wait_ready(int out_fd);
    void reap(bool block);

    std::vector<std::string> m_addresses;
    std::string m_journal;
    std::string m_store;
    std::string m_log;
    std::string m_ready_output;
    pid_t m_pid = -1;
    int m_port = 0;
    int m_exit = -1;
    bool m_ended = false;
    bool m_had_env = false;
    std::string m_old_env;
};
