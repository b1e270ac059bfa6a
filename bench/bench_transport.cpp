// The network instrument path against plain TCP on loopback, in one run: a full download
// segment sent through the command layer and the VXI-11 backend to the simulator program
// (discarding and hashing what it gets), against the same byte count sent to a plain
// sink; the read-back of a full user waveform and the import of a full trace from the
// simulator, against receiving the same bytes from the sink plus one fwrite of the
// sample file each produces. Peers are this binary (as "--sink") and the simulator,
// spawned directly; the pauses of the command layer are skipped, being fixed waits.
#include "bench_peak.h"
#include "bench_peer.h"
#include "drv_device_comm.h"
#include "instr_scope.h"
#include "instr_send_wv.h"
#include "instr_wave_list.h"
#include "lib_wv_data.h"
#include "plat_sleep.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32 k_points = INSTR_SEGMENT_POINTS;
constexpr std::size_t k_trace_reply = 29360640;
// A trace reply: "C1:WF ALL," (10 bytes), a header of 357 bytes from its "#", the codes
// and two line feeds.
constexpr std::size_t k_trace_codes = k_trace_reply - 10 - 357 - 2;
const char *const k_generator = "127.0.0.2";
const char *const k_keeper = "127.0.0.3";
const char *const k_scope = "127.0.0.4";

std::string self_path()
{
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, std::size_t(n)) : std::string();
}

// The plain sink's protocol: 'S' and a 64-bit count, then that many bytes, answered by
// one byte; 'R' and a count, answered by that many bytes.
bool send_all(int fd, const char *p, std::size_t n)
{
    while (n > 0) {
        const ssize_t r = ::send(fd, p, n, MSG_NOSIGNAL);
        if (r <= 0)
            return false;
        p += r;
        n -= std::size_t(r);
    }
    return true;
}

bool recv_all(int fd, char *p, std::size_t n)
{
    while (n > 0) {
        const ssize_t r = ::recv(fd, p, n, 0);
        if (r <= 0)
            return false;
        p += r;
        n -= std::size_t(r);
    }
    return true;
}

int connect_to(int port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(std::uint16_t(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int one = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int run_sink()
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof addr) != 0 || ::listen(listener, 4) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len) != 0)
        return 1;
    std::printf("ready: port %d\n", ntohs(addr.sin_port));
    std::fflush(stdout);
    std::vector<char> scratch(1u << 20), source;
    for (;;) {
        const int fd = ::accept(listener, nullptr, nullptr);
        if (fd < 0)
            continue;
        char cmd[9];
        while (recv_all(fd, cmd, sizeof cmd)) {
            std::uint64_t n = 0;
            std::memcpy(&n, cmd + 1, 8);
            bool ok = true;
            if (cmd[0] == 'S') {
                while (ok && n > 0) {
                    const std::size_t take = std::min<std::uint64_t>(n, scratch.size());
                    ok = recv_all(fd, scratch.data(), take);
                    n -= take;
                }
                ok = ok && send_all(fd, "k", 1);
            } else {
                if (source.size() < n)
                    source.assign(n, 'r');
                ok = send_all(fd, source.data(), n);
            }
            if (!ok)
                break;
        }
        ::close(fd);
    }
}

std::string sim_program() { return ONDRIX_INSTRUMENT_SIM_PROGRAM; }

ViSession open_at(int portmapper, const char *address)
{
    ::setenv("ONDRIX_VXI11_PORTMAPPER_PORT", std::to_string(portmapper).c_str(), 1);
    ViSession s = 0;
    drv_device_comm_t::get_instance()->open_instr(std::string("TCPIP0::") + address + "::INSTR", s);
    return s;
}

int32 send_segment(ViSession s, const lib_wv_data_t<short> &rec)
{
    return instr_send_wave(s, 0, 2.0f, 0.0f, 1000.0, 1000.0 * k_points, 0.0f, int(k_points), "bench", rec, "/Local",
                           2, 1, false);
}

// The command a full segment's download writes, in bytes.
std::size_t download_bytes()
{
    instr_send_wv_t w;
    w.set_params(0, 0, 2.0f, 0.0f, 1000.0, 1000.0 * k_points, 0.0f, "bench", int(k_points), 2);
    return w.build_wave_head("/Local", 1, false).size() + std::size_t(k_points) * 2;
}

void BM_send(benchmark::State &state)
{
    bench_peer_t sim({sim_program(), "--instrument", std::string(k_generator) + "=generator:2", "--discard", "--timeouts",
                "fast"});
    lib_wv_data_t<short> rec;
    rec.resize(k_points, 1234);
    const ViSession s = open_at(sim.port, k_generator);
    // One untimed round first, as for every benchmark here: both ends then work in
    // memory they already have, as the plain peers do.
    send_segment(s, rec);
    for (auto _ : state)
        if (send_segment(s, rec) != 1)
            state.SkipWithError("send failed");
    drv_device_comm_t::get_instance()->close_instr(s);
    state.counters["peak_MB"] = double(bench_peak_kib()) / 1024.0;
}

void BM_raw_send(benchmark::State &state)
{
    bench_peer_t sink({self_path(), "--sink"});
    const int fd = connect_to(sink.port);
    const std::size_t n = download_bytes();
    std::vector<char> data(n, 'd');
    auto once = [&] {
        char cmd[9] = {'S'};
        const std::uint64_t count = n;
        std::memcpy(cmd + 1, &count, 8);
        char ack = 0;
        return send_all(fd, cmd, 9) && send_all(fd, data.data(), n) && recv_all(fd, &ack, 1);
    };
    once();
    for (auto _ : state)
        if (!once())
            state.SkipWithError("raw send failed");
    ::close(fd);
}

// The simulator keeping what it is sent, with a full user waveform stored and an
// oscilloscope whose captures are full traces.
class keeper_t
{
public:
    keeper_t()
        : sim({sim_program(), "--instrument", std::string(k_keeper) + "=generator:2", "--instrument",
               std::string(k_scope) + "=scope:2", "--trace-points", std::to_string(k_trace_codes), "--timeouts",
               "fast"})
    {
    }
    bench_peer_t sim;
};

// The sample file the read-back writes.
constexpr std::size_t k_readback_samples_bytes = std::size_t(k_points) * 2;

void BM_read_back(benchmark::State &state)
{
    keeper_t keeper;
    const ViSession s = open_at(keeper.sim.port, k_keeper);
    {
        lib_wv_data_t<short> rec;
        rec.resize(k_points, 1234);
        if (send_segment(s, rec) != 1)
            state.SkipWithError("storing the waveform failed");
    }
    lib_wv_data_t<short> dest;
    instr_read_wave(s, 2, "USER,bench", dest);
    for (auto _ : state)
        if (instr_read_wave(s, 2, "USER,bench", dest) <= int32(k_readback_samples_bytes))
            state.SkipWithError("read-back failed");
    drv_device_comm_t::get_instance()->close_instr(s);
}

// Receives `reply` bytes from the sink and writes `file_bytes` of them with one fwrite.
void raw_receive_and_fwrite(benchmark::State &state, std::size_t reply, std::size_t file_bytes)
{
    bench_peer_t sink({self_path(), "--sink"});
    const int fd = connect_to(sink.port);
    std::vector<char> buf(std::max(reply, file_bytes), 'x');
    auto once = [&] {
        char cmd[9] = {'R'};
        const std::uint64_t count = reply;
        std::memcpy(cmd + 1, &count, 8);
        if (!send_all(fd, cmd, 9) || !recv_all(fd, buf.data(), reply))
            return false;
        std::FILE *f = std::fopen("bench_fwrite.bin", "wb");
        const bool written = f && std::fwrite(buf.data(), 1, file_bytes, f) == file_bytes;
        if (f)
            std::fclose(f);
        return written;
    };
    once();
    for (auto _ : state)
        if (!once())
            state.SkipWithError("raw receive or fwrite failed");
    ::close(fd);
    std::remove("bench_fwrite.bin");
}

void BM_raw_read_back(benchmark::State &state)
{
    const std::string head = "WVDT WVNM,bench,LENGTH,41943040B,FREQ,1000,AMPL,2,WAVEDATA,";
    raw_receive_and_fwrite(state, head.size() + k_readback_samples_bytes, k_readback_samples_bytes);
}

void BM_trace_import(benchmark::State &state)
{
    keeper_t keeper;
    const ViSession s = open_at(keeper.sim.port, k_scope);
    lib_wv_data_t<short> dest;
    instr_scope_t scope;
    scope.scope_read_waveform(s, 0, dest);
    for (auto _ : state)
        if (scope.scope_read_waveform(s, 0, dest) != 0)
            state.SkipWithError("import failed");
    drv_device_comm_t::get_instance()->close_instr(s);
}

void BM_raw_trace(benchmark::State &state) { raw_receive_and_fwrite(state, k_trace_reply, k_trace_codes * 2); }

} // namespace

BENCHMARK(BM_send)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_raw_send)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_read_back)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_raw_read_back)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_trace_import)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_raw_trace)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--sink") == 0)
        return run_sink();
    std::signal(SIGPIPE, SIG_IGN);
    plat_set_sleep_hook([](std::uint32_t) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
