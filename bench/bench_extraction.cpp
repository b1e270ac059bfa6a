// Display extraction of a long waveform to 3000 points, against a plain sequential read
// of the same sample file in the same run (counter "x_seq_read": extraction time divided
// by read time; "bytes_per_second": bytes of the stretch scanned per second).
#include "lib_file_io.h"
#include "lib_wv_extract.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;

// A sample record of n samples: a slow ramp with a few spikes, written in pieces.
std::unique_ptr<lib_wv_data_t<short int>> make_waveform(uint32 n)
{
    auto data = std::make_unique<lib_wv_data_t<short int>>();
    std::vector<short int> piece(1 << 20);
    for (uint32 at = 0; at < n;) {
        uint32 k = std::min<uint32>(static_cast<uint32>(piece.size()), n - at);
        for (uint32 i = 0; i < k; ++i) {
            uint32 s = at + i;
            piece[i] = static_cast<short int>((s % 65536) - 32768);
            if (s % 100003 == 0)
                piece[i] = 32767;
        }
        data->samples.write(at, piece.data(), k);
        at += k;
    }
    return data;
}

// One thread reading the whole file front to back in 4 MiB blocks.
double sequential_read_seconds(const std::string &path)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        clock_type::time_point t0 = clock_type::now();
        lib_fd_t fd = lib_open_read(path);
        char *buf = lib_transfer_buffer();
        std::uint64_t off = 0, sum = 0;
        for (;;) {
            std::size_t got = lib_pread_all(fd.get(), buf, LIB_TRANSFER_BYTES, off);
            if (got == 0)
                break;
            sum += static_cast<unsigned char>(buf[got - 1]);
            off += got;
        }
        benchmark::DoNotOptimize(sum);
        best = std::min(best, std::chrono::duration<double>(clock_type::now() - t0).count());
    }
    return best;
}

void BM_extract_to_3000(benchmark::State &state)
{
    const uint32 n = static_cast<uint32>(state.range(0));
    auto data = make_waveform(n);
    const double read_s = sequential_read_seconds(data->samples.get_path());
    std::vector<int16> out(3000);
    lib_math_extract_data(data.get(), n, out.data(), 3000, 0); // warm the page cache
    double total = 0;
    for (auto _ : state) {
        clock_type::time_point t0 = clock_type::now();
        lib_math_extract_data(data.get(), n, out.data(), 3000, 0);
        total += std::chrono::duration<double>(clock_type::now() - t0).count();
        benchmark::DoNotOptimize(out.data());
    }
    const double per_call = total / state.iterations();
    state.SetBytesProcessed(int64_t(state.iterations()) * n * 2);
    state.counters["x_seq_read"] = per_call / read_s;
    state.counters["seq_read_ms"] = read_s * 1e3;
    state.counters["scan_GBps"] = n * 2.0 / per_call / 1e9;
}

} // namespace

BENCHMARK(BM_extract_to_3000)->Arg(20971520)->Arg(100000000)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    // sample files are made in the working directory: keep them out of the build tree
    std::string tmpl = (std::filesystem::temp_directory_path() / "ondrix_bench_XXXXXX").string();
    std::vector<char> dir(tmpl.begin(), tmpl.end());
    dir.push_back('\0');
    if (!mkdtemp(dir.data()) || chdir(dir.data()) != 0)
        return 2;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(dir.data(), ec);
    return 0;
}
