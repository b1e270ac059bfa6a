// Reading and writing a 20,971,520-point .csv waveform, the largest a text file may
// hold. compare_files.py runs this beside pandas and prints the ratios; the file the
// write leaves in the working directory is the one both readers read.
#include "cfg_file_main.h"
#include "cfg_if_wv.h"
#include "lib_file_io.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;
const char *const k_csv_path = "bench_files.csv";

class bench_wave_t : public cfg_if_wv_t
{
public:
    int create_wv_data() override { return 0; }
};

// A sine with a little deterministic noise, so the value texts vary like real data.
bench_wave_t &source_wave()
{
    static std::unique_ptr<bench_wave_t> wave;
    if (!wave) {
        wave = std::make_unique<bench_wave_t>();
        wave->set_amp(2.5f);
        wave->set_offset(0.1f);
        std::vector<short int> block(1u << 20);
        unsigned noise = 12345;
        for (uint32 first = 0; first < k_points; first += static_cast<uint32>(block.size())) {
            for (size_t i = 0; i < block.size(); ++i) {
                noise = noise * 1103515245u + 12345u;
                double x = std::sin(2.0 * M_PI * double(first + i) / 16384.0) * 32000.0 + double((noise >> 16) % 512) - 256.0;
                block[i] = static_cast<short int>(std::lround(x));
            }
            wave->get_wv_data()->samples.write(first, block.data(), static_cast<uint32>(block.size()));
        }
    }
    return *wave;
}

void BM_csv_write(benchmark::State &state)
{
    bench_wave_t &wave = source_wave();
    for (auto _ : state) {
        cfg_file_main_t file(k_csv_path);
        file.reader->set_points(k_points);
        file.reader->set_freq(1000.0f);
        file.reader->set_amp(*wave.get_amp());
        file.reader->set_offset(*wave.get_offset());
        file.reader->set_phase(0.0f);
        if (file.save_outside_file(k_csv_path, &wave) != 0)
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * lib_file_length(k_csv_path));
}

void BM_csv_read(benchmark::State &state)
{
    if (lib_file_length(k_csv_path) <= 0)
        BM_csv_write(state);
    bench_wave_t wave;
    for (auto _ : state) {
        cfg_file_main_t file(k_csv_path);
        if (file.open_outside_file(k_csv_path, *wave.get_wv_data()) != 1 || *file.reader->get_points() != k_points)
            state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(state.iterations() * lib_file_length(k_csv_path));
}

BENCHMARK(BM_csv_write)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_csv_read)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
