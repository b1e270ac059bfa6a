#pragma once
#include "sim_faults.h"
#include "sim_profile.h"

#include <cstdint>
#include <string>
#include <vector>

// One simulated instrument of the simulator program: where it listens and what it is.
struct sim_instrument_opt_t
{
    std::string address;  // a loopback IPv4 address, "127.0.0.2"
    std::string profile;  // as given: "generator:2", "scope:4", "other", "silent"
    sim_profile_t model;  // what the profile text stands for
    sim_faults_t faults;
};

// The command line of the simulator program.
struct sim_options_t
{
    std::vector<sim_instrument_opt_t> instruments;
    int portmapper_port = 0; // 0: one the program picks
    std::string journal;     // "" none
    std::string store;       // "" none
    bool discard = false;    // count and hash downloads, keep nothing
    std::uint32_t max_recv_size = 1u << 20;
    bool fast_timeouts = false; // a read with nothing to answer times out at once
    std::uint32_t write_accept = 0;  // each device_write takes at most this many bytes (0: all)
    std::uint64_t input_limit = 0;   // a message past this many bytes times out (0: none)
    std::uint32_t read_chunk = 0;    // each device_read answers at most this many bytes (0: all)
    std::uint64_t trace_points = 0;  // points of every oscilloscope capture (0: the default)
    bool help = false;
};

// Parses the arguments after the program name: true, or false with `error` set.
bool sim_parse_options(const std::vector<std::string> &args, sim_options_t &out, std::string &error);
// The help text of the command line.
std::string sim_usage();
// The model a profile text names: "generator:<class 0-10>", "scope:<2|4|8>", "other", "silent".
bool sim_parse_profile(const std::string &text, sim_profile_t &out);
