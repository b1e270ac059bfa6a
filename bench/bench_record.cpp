// Whole-waveform edits of the sample record on 20,971,520 samples, beside `cp` of the
// same 40 MB file to a new file (spawned directly) and the kernel's copy of it.
#include "bench_copy_baseline.h"
#include "lib_wv_data.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;

void fill(lib_wv_data_t<short> &rec, uint32 n)
{
    std::vector<short> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<short>(i * 7);
    rec.samples.truncate(0);
    for (uint32 at = 0; at < n; at += block.size())
        rec.samples.write(at, block.data(), std::min<uint32>(block.size(), n - at));
}

void BM_cp(benchmark::State &state)
{
    lib_wv_data_t<short> rec;
    fill(rec, k_points);
    bench_copy_loop(state, rec.samples.path, bench_spawn_cp);
}

void BM_copy_file_range(benchmark::State &state)
{
    lib_wv_data_t<short> rec;
    fill(rec, k_points);
    bench_copy_loop(state, rec.samples.path, bench_copy_file_range);
}

void BM_assign(benchmark::State &state)
{
    lib_wv_data_t<short> src, dst;
    fill(src, k_points);
    for (auto _ : state)
        dst.assign(src);
}

void BM_erase_middle(benchmark::State &state)
{
    lib_wv_data_t<short> rec;
    for (auto _ : state) {
        state.PauseTiming();
        fill(rec, k_points);
        state.ResumeTiming();
        rec.erase_range(k_points / 4, k_points / 2);
    }
}

void BM_insert_1M(benchmark::State &state)
{
    lib_wv_data_t<short> rec, ins;
    fill(ins, 1 << 20);
    for (auto _ : state) {
        state.PauseTiming();
        fill(rec, k_points);
        state.ResumeTiming();
        rec.replace_range(k_points / 2, k_points / 2, ins);
    }
}

} // namespace

BENCHMARK(BM_cp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_copy_file_range)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_assign)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_erase_middle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_insert_1M)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
