// The device library's utilities beside their baselines, compared as ratios by
// compare_device_lib.py: unit conversion, auto-prefix and auto-range against a plain
// long double division, with allocations per call; sample decimation of 20,971,520
// samples against a memcpy of its output (16384 and 3000 samples) and, dense, of its
// input; the negated byte-sum checksum of 1 MiB against a plain byte-sum loop.
#include "bench_alloc_count.h"
#include "lib_number.h"
#include "lib_unit_convert.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t k_source_samples = 20971520;
constexpr std::size_t k_checksum_bytes = 1 << 20;

// Values that cycle through several decades, so that each call takes another branch.
const long double k_values[8] = {2.5L, 0.0004L, 3.7e7L, 1e-10L, 999.0L, 12345.0L, 7e-4L, 6e10L};

template <typename F>
void per_call(benchmark::State &state, F &&call)
{
    unsigned long long calls = 0;
    const unsigned long long before = bench_allocation_count();
    for (auto _ : state) {
        call(k_values[calls & 7]);
        ++calls;
    }
    state.counters["allocs_per_call"] =
        static_cast<double>(bench_allocation_count() - before) / static_cast<double>(calls ? calls : 1);
}

void BM_unit_convert(benchmark::State &state)
{
    per_call(state, [](long double v) {
        lib_unit_data_t destination{0.0L, 0, false};
        benchmark::DoNotOptimize(lib_unit_convert({v, 14, false}, destination, 12));
        benchmark::DoNotOptimize(destination);
    });
}

void BM_unit_auto_prefix(benchmark::State &state)
{
    per_call(state, [](long double v) {
        lib_unit_data_t record{v, 14, false};
        benchmark::DoNotOptimize(lib_unit_auto_prefix(record));
        benchmark::DoNotOptimize(record);
    });
}

void BM_unit_auto_range(benchmark::State &state)
{
    per_call(state, [](long double v) {
        lib_unit_data_t record = lib_unit_auto_range(v);
        benchmark::DoNotOptimize(record);
    });
}

void BM_ldouble_divide(benchmark::State &state)
{
    long double divisor = 1000.0L;
    per_call(state, [&](long double v) {
        benchmark::DoNotOptimize(divisor);
        long double q = v / divisor;
        benchmark::DoNotOptimize(q);
    });
}

const std::vector<uint16> &source_samples()
{
    static const std::vector<uint16> samples = [] {
        std::vector<uint16> s(k_source_samples);
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<uint16>(i * 2654435761u >> 16);
        return s;
    }();
    return samples;
}

void BM_decimate(benchmark::State &state)
{
    const std::vector<uint16> &source = source_samples();
    const int32 n = static_cast<int32>(state.range(0));
    std::vector<uint16> destination;
    destination.reserve(static_cast<std::size_t>(n));
    for (auto _ : state) {
        destination.clear();
        lib_decimate_samples(&source, &destination, n);
        benchmark::DoNotOptimize(destination.data());
    }
}

void BM_memcpy_samples(benchmark::State &state)
{
    const std::vector<uint16> &source = source_samples();
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    std::vector<uint16> destination(n);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), n * sizeof(uint16));
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
}

const std::vector<u8> &checksum_bytes()
{
    static const std::vector<u8> bytes = [] {
        std::vector<u8> b(k_checksum_bytes);
        for (std::size_t i = 0; i < b.size(); ++i)
            b[i] = static_cast<u8>(i * 131u + 7u);
        return b;
    }();
    return bytes;
}

void BM_checksum_negsum_1M(benchmark::State &state)
{
    const std::vector<u8> &bytes = checksum_bytes();
    for (auto _ : state) {
        u32 sum = 0;
        lib_checksum_negsum(&sum, bytes.data(), static_cast<u32>(bytes.size()));
        benchmark::DoNotOptimize(sum);
    }
}

void BM_byte_sum_1M(benchmark::State &state)
{
    const std::vector<u8> &bytes = checksum_bytes();
    for (auto _ : state) {
        const u8 *data = bytes.data();
        benchmark::DoNotOptimize(data);
        u32 sum = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i)
            sum += data[i];
        benchmark::DoNotOptimize(sum);
    }
}

} // namespace

BENCHMARK(BM_unit_convert);
BENCHMARK(BM_unit_auto_prefix);
BENCHMARK(BM_unit_auto_range);
BENCHMARK(BM_ldouble_divide);
BENCHMARK(BM_decimate)->Arg(16384)->Arg(3000)->Arg(10485760)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_memcpy_samples)->Arg(16384)->Arg(3000)->Arg(20971520)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_checksum_negsum_1M)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_byte_sum_1M)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
