// The instrument simulator program: serves simulated waveform generators and
// oscilloscopes over VXI-11 on loopback addresses, for tests, benchmarks and trying the
// program without instruments.
#include "sim_options.h"
#include "sim_server.h"

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Exit codes: 2 a bad command line, 3 an address or port that cannot be bound (another
// program has it, or it needs privileges), 1 any other failure to start.
constexpr int k_exit_usage = 2;
constexpr int k_exit_cannot_listen = 3;

int g_stop_write = -1;

void on_stop_signal(int)
{
    const char byte = 1;
    // Nothing else is safe in a signal handler; the pipe is never full with one byte.
    [[maybe_unused]] ssize_t n = ::write(g_stop_write, &byte, 1);
}

} // namespace

int main(int argc, char **argv)
{
    sim_options_t options;
    std::string error;
    if (!sim_parse_options(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "ondrix_instrument_sim: %s\n\n%s", error.c_str(), sim_usage().c_str());
        return k_exit_usage;
    }
    if (options.help) {
        std::fputs(sim_usage().c_str(), stdout);
        return 0;
    }

    int stop[2];
    if (::pipe2(stop, O_CLOEXEC) != 0) {
        std::perror("ondrix_instrument_sim: pipe");
        return 1;
    }
    g_stop_write = stop[1];
    struct sigaction sa{};
    sa.sa_handler = on_stop_signal;
    sigemptyset(&sa.sa_mask);
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    sim_server_t server(options);
    const sim_server_t::start_t started = server.start(error);
    if (started != sim_server_t::STARTED) {
        std::fprintf(stderr, "ondrix_instrument_sim: %s\n", error.c_str());
        return started == sim_server_t::CANNOT_LISTEN ? k_exit_cannot_listen : 1;
    }
    for (std::size_t i = 0; i < server.instruments().size(); ++i)
        std::printf("%s\t%s\n", server.instruments()[i]->resource.c_str(), options.instruments[i].profile.c_str());
    std::printf("ready: portmapper port %d\n", server.portmapper_port());
    std::fflush(stdout);
    server.run(stop[0]);
    return 0;
}
