#pragma once
#include "sim_instrument.h"
#include "sim_options.h"
#include "sim_store.h"
#include "sim_vxi11_conn.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The simulator program's server: one engine per instrument, a core and an abort
// channel on each instrument's address, the portmapper on one port of every address,
// and a thread for every client connection, so several links are served at once.
class sim_server_t
{
public:
    enum start_t { STARTED, CANNOT_LISTEN, FAILED };

    explicit sim_server_t(sim_options_t options);
    ~sim_server_t();
    sim_server_t(const sim_server_t &) = delete;
    sim_server_t &operator=(const sim_server_t &) = delete;

    // Opens the store folder and the journal and starts listening. CANNOT_LISTEN when an
    // address or port cannot be bound; `error` says what failed.
    start_t start(std::string &error);
    int portmapper_port() const { return m_pmap_port; }
    const std::vector<std::unique_ptr<sim_instrument_t>> &instruments() const { return m_instruments; }

    // Serves until `stop_fd` becomes readable, then ends every connection.
    void run(int stop_fd);

private:
    struct listener_t
    {
        int fd;
        sim_vxi11_conn_t::role_t role;
        sim_instrument_t *instrument;
    };
    struct worker_t
    {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    start_t listen_all(std::string &error);
    start_t listen_portmapper(std::string &error);
    void accept_one(const listener_t &listener, int stop_fd);
    void reap(bool all);
    void close_listeners(std::size_t from = 0);

    sim_options_t m_options;
    sim_serve_config_t m_config;
    sim_store_t m_store;
    std::shared_ptr<sim_journal_t> m_journal;
    std::FILE *m_journal_file = nullptr;
    std::vector<std::unique_ptr<sim_instrument_t>> m_instruments;
    std::vector<listener_t> m_listeners;
    int m_pmap_port = 0;
    std::vector<worker_t> m_workers;
};
