// Display extraction of a long waveform to 3000 points, against plain reads of the same
// sample file in the same run: one thread reading it front to back, and as many threads
// as the extraction uses each reading its share. Rounds alternate the three; the
// counters are medians: "extract_ms", "seq_read_ms", "par_read_ms", the ratios
// "x_seq_read" and "x_par_read", and "threads", the extraction's (and the parallel
// read's) thread count.
#include "lib_file_io.h"
#include "lib_parallel.h"
#include "lib_wv_extract.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <omp.h>
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

// `threads` threads reading the whole file, each its share front to back in 4 MiB
// blocks; seconds.
double read_seconds(const std::string &path, int threads)
{
    const std::uint64_t len = std::uint64_t(lib_file_length(path));
    clock_type::time_point t0 = clock_type::now();
    std::uint64_t sum = 0;
#pragma omp parallel num_threads(threads) reduction(+ : sum)
    {
        const std::uint64_t t = std::uint64_t(omp_get_thread_num()), T = std::uint64_t(omp_get_num_threads());
        const std::uint64_t begin = len / T * t, end = t + 1 == T ? len : len / T * (t + 1);
        lib_fd_t fd = lib_open_read(path);
        std::vector<char> buf(LIB_TRANSFER_BYTES);
        for (std::uint64_t off = begin; off < end;) {
            const std::size_t got =
                lib_pread_all(fd.get(), buf.data(), std::min<std::uint64_t>(buf.size(), end - off), off);
            if (got == 0)
                break;
            sum += static_cast<unsigned char>(buf[got - 1]);
            off += got;
        }
    }
    benchmark::DoNotOptimize(sum);
    return std::chrono::duration<double>(clock_type::now() - t0).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void BM_extract_to_3000(benchmark::State &state)
{
    const uint32 n = static_cast<uint32>(state.range(0));
    auto data = make_waveform(n);
    const std::string &path = data->samples.get_path();
    // The extraction's team: one thread per MiB-sized share of the samples it scans.
    const int threads = std::min(lib_team_size(uint64(n), 1u << 20), 3000);
    std::vector<int16> out(3000);
    lib_math_extract_data(data.get(), n, out.data(), 3000, 0); // warm the page cache
    std::vector<double> ext, seq, par;
    auto extract = [&] {
        clock_type::time_point t0 = clock_type::now();
        lib_math_extract_data(data.get(), n, out.data(), 3000, 0);
        ext.push_back(std::chrono::duration<double>(clock_type::now() - t0).count());
        benchmark::DoNotOptimize(out.data());
    };
    for (auto _ : state) {
        for (int round = 0; round < 15; ++round) {
            if (round % 2 == 0) {
                extract();
                seq.push_back(read_seconds(path, 1));
                par.push_back(read_seconds(path, threads));
            } else {
                par.push_back(read_seconds(path, threads));
                seq.push_back(read_seconds(path, 1));
                extract();
            }
        }
    }
    state.SetBytesProcessed(int64_t(ext.size()) * n * 2);
    state.counters["extract_ms"] = median(ext) * 1e3;
    state.counters["seq_read_ms"] = median(seq) * 1e3;
    state.counters["par_read_ms"] = median(par) * 1e3;
    state.counters["x_seq_read"] = median(ext) / median(seq);
    state.counters["x_par_read"] = median(ext) / median(par);
    state.counters["threads"] = threads;
}

} // namespace

BENCHMARK(BM_extract_to_3000)->Arg(20971520)->Arg(100000000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

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
