// Reading and writing .csv and .dat waveforms of 20,971,520 points (the most a text file
// may hold) and of 1,048,576. compare_files.py runs this beside pandas and numpy and
// prints the ratios; the files the writes leave in the working directory are the ones
// the reads and the peers read.
//   BM_csv_write/<points>       the .csv with its parameter lines (synced, as a save is)
//   BM_dat_write/<points>       the .dat our writer makes ("xpos,value" and the rows)
//   BM_csv_plain_write/<points> a .csv as other tools write it: "xpos,value" and rows
//   BM_csv_read, BM_dat_read, BM_csv_plain_read /<points>: opening each (after one
//   untimed opening)
// `bench_files --peak=<kind>:<points>` instead opens one file (written first) and prints
// the peak resident memory in KiB; `--write=<kind>:<points>` writes one file;
// `--open=<kind>:<points>:<out>` opens one and writes its samples to <out> (raw int16),
// `--source=<points>:<out>` writes the source samples, for the peers to check against.
#include "bench_peak.h"
#include "cfg_file_main.h"
#include "cfg_if_wv.h"
#include "cfg_outside_file.h"
#include "lib_file_io.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;
constexpr uint32 k_points_1m = 1048576;

class bench_wave_t : public cfg_if_wv_t
{
public:
    int create_wv_data() override { return 0; }
};

// A sine with a little deterministic noise, so the value texts vary like real data.
bench_wave_t &source_wave(uint32 points)
{
    static std::map<uint32, std::unique_ptr<bench_wave_t>> waves;
    std::unique_ptr<bench_wave_t> &wave = waves[points];
    if (!wave) {
        wave = std::make_unique<bench_wave_t>();
        wave->set_amp(2.5f);
        wave->set_offset(0.1f);
        wave->set_wv_len(points);
        std::vector<short int> block(1u << 20);
        unsigned noise = 12345;
        for (uint32 first = 0; first < points; first += static_cast<uint32>(block.size())) {
            const uint32 n = std::min<uint32>(static_cast<uint32>(block.size()), points - first);
            for (uint32 i = 0; i < n; ++i) {
                noise = noise * 1103515245u + 12345u;
                double x = std::sin(2.0 * M_PI * double(first + i) / 16384.0) * 32000.0 + double((noise >> 16) % 512) - 256.0;
                block[i] = static_cast<short int>(std::lround(x));
            }
            wave->get_wv_data()->samples.write(first, block.data(), n);
        }
    }
    return *wave;
}

enum kind_t { k_csv, k_dat, k_csv_plain };

std::string file_name(kind_t kind, uint32 points)
{
    const char *ext = kind == k_dat ? ".dat" : ".csv";
    const char *stem = kind == k_csv_plain ? "bench_files_plain_" : "bench_files_";
    return stem + std::to_string(points) + ext;
}

bool write_file(kind_t kind, uint32 points)
{
    bench_wave_t &wave = source_wave(points);
    const std::string path = file_name(kind, points);
    cfg_file_main_t file(path);
    file.reader->set_points(points);
    file.reader->set_freq(1000.0f);
    file.reader->set_amp(*wave.get_amp());
    file.reader->set_offset(*wave.get_offset());
    file.reader->set_phase(0.0f);
    if (kind == k_csv)
        return file.save_outside_file(path, &wave) == 0;
    // Both without parameter lines: "xpos,value" and the rows.
    return file.reader->write_dat_file(path, &wave) == 0;
}

bool read_file(kind_t kind, uint32 points)
{
    const std::string path = file_name(kind, points);
    bench_wave_t wave;
    cfg_file_main_t file(path);
    return file.open_outside_file(path, *wave.get_wv_data()) == 1 && *file.reader->get_points() == points;
}

void BM_write(benchmark::State &state, kind_t kind)
{
    const uint32 points = uint32(state.range(0));
    source_wave(points);
    for (auto _ : state)
        if (!write_file(kind, points))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * lib_file_length(file_name(kind, points)));
}

void BM_read(benchmark::State &state, kind_t kind)
{
    const uint32 points = uint32(state.range(0));
    if (lib_file_length(file_name(kind, points)) <= 0 && !write_file(kind, points))
        state.SkipWithError("no file to read");
    // Once untimed, as the peers in their long-running process have read before: the
    // memory of the process is in use, not fresh.
    read_file(kind, points);
    for (auto _ : state)
        if (!read_file(kind, points))
            state.SkipWithError("read failed");
    state.SetBytesProcessed(state.iterations() * lib_file_length(file_name(kind, points)));
}

// Silences the readers' diagnostic lines.
struct quiet_stdout_t
{
    quiet_stdout_t() { std::freopen("/dev/null", "w", stdout); }
};

// "<kind>:<points>[:<path>]"
struct request_t
{
    kind_t kind;
    uint32 points;
    std::string path;
};

request_t parse_request(const std::string &text)
{
    const std::size_t a = text.find(':');
    const std::size_t b = text.find(':', a + 1);
    const std::string name = text.substr(0, a);
    request_t s;
    s.kind = name == "dat" ? k_dat : name == "csv_plain" ? k_csv_plain : k_csv;
    s.points = uint32(std::stoul(text.substr(a + 1, b == std::string::npos ? std::string::npos : b - a - 1)));
    s.path = b == std::string::npos ? std::string() : text.substr(b + 1);
    return s;
}

// Opens one file (written beforehand by a process of its own, so that only the read
// counts) and prints the peak memory in KiB on stderr.
int peak_mode(const std::string &text)
{
    const request_t s = parse_request(text);
    if (lib_file_length(file_name(s.kind, s.points)) <= 0)
        return 3;
    const bool ok = read_file(s.kind, s.points);
    std::fprintf(stderr, "%s %ld\n", text.c_str(), bench_peak_kib());
    return ok ? 0 : 1;
}

int open_mode(const std::string &text)
{
    const request_t s = parse_request(text);
    const std::string path = file_name(s.kind, s.points);
    bench_wave_t wave;
    cfg_file_main_t file(path);
    if (file.open_outside_file(path, *wave.get_wv_data()) != 1)
        return 1;
    return copy_wave_data_file(s.path, *wave.get_wv_data()) == 1 ? 0 : 1;
}

// Opens one file again and again and prints each opening's milliseconds on stderr.
int loop_mode(const std::string &text)
{
    const request_t s = parse_request(text);
    const int times = s.path.empty() ? 10 : std::stoi(s.path);
    for (int i = 0; i < times; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        const bool ok = read_file(s.kind, s.points);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        std::fprintf(stderr, "%s %.2f\n", ok ? "read" : "FAILED", ms);
    }
    return 0;
}

int source_mode(const std::string &text)
{
    const std::size_t a = text.find(':');
    const uint32 points = uint32(std::stoul(text.substr(0, a)));
    return copy_wave_data_file(text.substr(a + 1), *source_wave(points).get_wv_data()) == 1 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    static quiet_stdout_t quiet;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--peak=", 7) == 0)
            return peak_mode(argv[i] + 7);
        if (std::strncmp(argv[i], "--write=", 8) == 0) {
            const request_t s = parse_request(argv[i] + 8);
            return write_file(s.kind, s.points) ? 0 : 1;
        }
        if (std::strncmp(argv[i], "--open=", 7) == 0)
            return open_mode(argv[i] + 7);
        if (std::strncmp(argv[i], "--loop=", 7) == 0)
            return loop_mode(argv[i] + 7);
        if (std::strncmp(argv[i], "--source=", 9) == 0)
            return source_mode(argv[i] + 9);
    }
    for (kind_t kind : {k_csv, k_dat, k_csv_plain}) {
        const char *name = kind == k_csv ? "csv" : kind == k_dat ? "dat" : "csv_plain";
        benchmark::RegisterBenchmark((std::string("BM_") + name + "_write").c_str(), BM_write, kind)
            ->Arg(k_points_1m)
            ->Arg(k_points)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->UseRealTime();
        benchmark::RegisterBenchmark((std::string("BM_") + name + "_read").c_str(), BM_read, kind)
            ->Arg(k_points_1m)
            ->Arg(k_points)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1)
            ->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
