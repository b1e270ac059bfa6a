#pragma once
#include "sim_engine.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

class sim_store_t;

// One instrument the simulator program serves: its engine, which the connections of
// its links share under the mutex, and the ports it listens on.
struct sim_instrument_t
{
    std::string address;  // "127.0.0.2"
    std::string resource; // "TCPIP0::127.0.0.2::INSTR", as the journal names it
    std::shared_ptr<sim_engine_t> engine;
    std::mutex mutex;
    std::uint16_t core_port = 0;
    std::uint16_t abort_port = 0;
};

// How every connection of the program serves.
struct sim_serve_config_t
{
    std::uint32_t max_recv_size = 1u << 20;
    bool fast_timeouts = false;
    std::uint32_t write_accept = 0; // 0: a write call takes everything
    std::uint64_t input_limit = 0;  // 0: none
    std::uint32_t read_chunk = 0;   // 0: a read call answers as much as asked for
    std::atomic<std::uint32_t> next_link{1};
};
