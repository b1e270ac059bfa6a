// The counter statistics and the serial pattern beside their baselines, compared as
// ratios by compare_device_counter_pattern.py: one add_sample of the counter's
// statistics (with its allocations per call) against a plain running mean-and-variance
// update, and the build of a 1000-character serial pattern at two samples per bit
// against std::fill of the same number of 16-bit samples.
#include "bench_alloc_count.h"
#include "cfg_counter_stat_calc.h"
#include "cfg_uart_pattern.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace
{
const long double k_values[8] = {999.9L, 1000.1L, 1000.0L, 1000.3L, 999.7L, 1000.2L, 999.8L, 1000.05L};
constexpr size_t k_chars = 1000;

void BM_stat_add_sample(benchmark::State &state)
{
    cfg_counter_stat_calc_t calc;
    unsigned long long calls = 0;
    const unsigned long long before = bench_allocation_count();
    for (auto _ : state)
    {
        calc.add_sample(lib_unit_data_t{k_values[calls & 7], 14, false});
        ++calls;
    }
    benchmark::DoNotOptimize(calc.snapshot());
    state.counters["allocs_per_call"] =
        static_cast<double>(bench_allocation_count() - before) / static_cast<double>(calls ? calls : 1);
}

// The same results from running sums in long double: count, sum, sum of squares, then
// min, max, mean, deviation and range.
void BM_plain_mean_variance(benchmark::State &state)
{
    long double sum = 0.0L, sum_sq = 0.0L, mn = 0.0L, mx = 0.0L, mean = 0.0L, dev = 0.0L, range = 0.0L;
    long long n = 0;
    unsigned long long calls = 0;
    for (auto _ : state)
    {
        const long double x = k_values[calls & 7];
        ++calls;
        if (n == 0)
            mn = mx = x;
        ++n;
        sum += x;
        sum_sq += x * x;
        mn = std::min(mn, x);
        mx = std::max(mx, x);
        mean = sum / n;
        dev = std::sqrt(std::fabs(sum_sq / n - mean * mean));
        range = mx - mn;
        benchmark::DoNotOptimize(dev);
        benchmark::DoNotOptimize(range);
    }
}

std::string pattern_text()
{
    std::string text;
    for (size_t i = 0; i < k_chars; ++i)
        text += static_cast<char>('A' + i % 26);
    return text;
}

void BM_uart_build_1000(benchmark::State &state)
{
    const std::string text = pattern_text();
    cfg_uart_pattern_t p;
    p.init(0);
    std::vector<int16> out;
    for (auto _ : state)
    {
        p.build_from(text, static_cast<int32>(k_chars));
        benchmark::ClobberMemory();
    }
    p.get_samples(out);
    state.counters["samples"] = static_cast<double>(out.size());
}

// 22 samples per character with the defaults (start, 8 data, parity: 10 bits doubled,
// then 2 stop samples).
void BM_fill_22000(benchmark::State &state)
{
    std::vector<int16> out(k_chars * 22);
    int16 v = 0;
    for (auto _ : state)
    {
        std::fill(out.begin(), out.end(), v);
        v = static_cast<int16>(v ^ 1);
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(out.data());
}
} // namespace

BENCHMARK(BM_stat_add_sample);
BENCHMARK(BM_plain_mean_variance);
BENCHMARK(BM_uart_build_1000);
BENCHMARK(BM_fill_22000);
BENCHMARK_MAIN();
