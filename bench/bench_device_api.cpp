// The exported API and its file readers.
//
// Exports: awg_set_freqency, awg_set_wave_ampl and awg_set_wave_type on channel 0 with
// its output on, over a counting transport, each beside a direct caller that replays
// the transport calls one export makes (recorded after warm-up calls); waits go to a
// hook that only records them. Every call alternates between two values so that each
// one changes the setting. The transport operations per export are a counter.
//
// Text import: cfg_text2bin_wave_data_t::convert of an Amplitude-form export of 524288
// lines and of one of 100 lines (files written once into the working directory, where
// compare_device_api.py also times numpy and pandas on them).
//
// Raw file: cfg_builtin_wave_map_t::read_file of a 32 MiB file beside one read() of the
// whole file into a buffer allocated per round.
#include "bench_device_replay.h"
#include "cfg_builtin_wave_map.h"
#include "cfg_text2bin_wave_data.h"
#include "cfg_wv_main.h"
#include "qelmod.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

void started()
{
    static const bool done = [] {
        bench_replay_install();
        // The start-up's lines go to /dev/null, the benchmark's report to stdout.
        std::fflush(stdout);
        const int saved = ::dup(STDOUT_FILENO);
        const int null_fd = ::open("/dev/null", O_WRONLY);
        ::dup2(null_fd, STDOUT_FILENO);
        awg_cfg_init();
        awg_set_ch_switch(1, true);
        std::fflush(stdout);
        ::dup2(saved, STDOUT_FILENO);
        ::close(saved);
        ::close(null_fd);
        return true;
    }();
    (void)done;
}

const std::map<std::string, std::function<void(unsigned long long)>> &exports()
{
    static const std::map<std::string, std::function<void(unsigned long long)>> table = {
        {"freq", [](unsigned long long i) { awg_set_freqency((i & 1) ? 1000.0L : 1500.0L); }},
        {"ampl", [](unsigned long long i) { awg_set_wave_ampl((i & 1) ? 2.0L : 3.0L); }},
        {"wave_type", [](unsigned long long i) { awg_set_wave_type((i & 1) ? 0 : 2, true); }},
    };
    return table;
}

std::vector<bench_transport_op_t> record(const std::function<void(unsigned long long)> &call)
{
    started();
    return bench_replay_record(call, 4, 2);
}

void BM_export(benchmark::State &state, const std::string &name)
{
    const std::function<void(unsigned long long)> &call = exports().at(name);
    const std::vector<bench_transport_op_t> ops = record(call);
    unsigned long long i = 0;
    for (auto _ : state)
        call(i++);
    state.counters["transport_ops"] = bench_replay_transport_ops(ops, 2);
    state.counters["register_writes"] = bench_replay_transport_ops(ops, 2, true);
}

void BM_direct(benchmark::State &state, const std::string &name)
{
    const std::vector<bench_transport_op_t> ops = record(exports().at(name));
    bench_replay_halves(state, ops);
    state.counters["transport_ops"] = bench_replay_transport_ops(ops, 2);
}

// An Amplitude-form export of lines values (a noisy sine, printed as an instrument does).
const std::string &export_file(int lines)
{
    static std::map<int, std::string> names;
    auto it = names.find(lines);
    if (it != names.end())
        return it->second;
    const std::string name = "amplitude_" + std::to_string(lines) + ".csv";
    std::FILE *out = std::fopen(name.c_str(), "w");
    std::fputs("Amplitude\n", out);
    unsigned state = 12345;
    for (int i = 0; i < lines; ++i) {
        state = state * 1103515245u + 12345u;
        const double noise = static_cast<double>((state >> 16) & 0x7fff) / 32768.0 - 0.5;
        std::fprintf(out, "%.6e\n", 1.7 * __builtin_sin(i * 0.0647) + 0.1 * noise);
    }
    std::fclose(out);
    return names.emplace(lines, name).first->second;
}

void BM_import(benchmark::State &state)
{
    const std::string &path = export_file(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        std::string out_name;
        cfg_text2bin_wave_data_t().convert(path, "import", out_name);
        benchmark::DoNotOptimize(out_name);
    }
}

const std::string &raw_file()
{
    static const std::string name = [] {
        const std::string n = "raw_32mib.bin";
        std::vector<char> bytes(32u << 20);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 7);
        std::ofstream(n, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return n;
    }();
    return name;
}

void BM_map_read_file(benchmark::State &state)
{
    const std::string &path = raw_file();
    cfg_builtin_wave_map_t map;
    for (auto _ : state) {
        std::vector<int16> samples;
        benchmark::DoNotOptimize(map.read_file(path, samples));
        benchmark::DoNotOptimize(samples.data());
    }
}

void BM_plain_read(benchmark::State &state)
{
    const std::string &path = raw_file();
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        const off_t size = ::lseek(fd, 0, SEEK_END);
        ::lseek(fd, 0, SEEK_SET);
        std::unique_ptr<char[]> buffer(new char[static_cast<std::size_t>(size)]);
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(size)) {
            const ssize_t got = ::read(fd, buffer.get() + done, static_cast<std::size_t>(size) - done);
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        ::close(fd);
        benchmark::DoNotOptimize(buffer.get());
    }
}

} // namespace

BENCHMARK_CAPTURE(BM_export, freq, std::string("freq"));
BENCHMARK_CAPTURE(BM_direct, freq, std::string("freq"));
BENCHMARK_CAPTURE(BM_export, ampl, std::string("ampl"));
BENCHMARK_CAPTURE(BM_direct, ampl, std::string("ampl"));
BENCHMARK_CAPTURE(BM_export, wave_type, std::string("wave_type"));
BENCHMARK_CAPTURE(BM_direct, wave_type, std::string("wave_type"));
BENCHMARK(BM_import)->Arg(524288)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_map_read_file)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_plain_read)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
