// Repetition of a wave into the second platform's sample-rate send buffer beside a
// memcpy of the same total bytes; compared as ratios by compare_device_dma.py. The
// buffer is heap memory installed as the window source, as in the tests.
#include "drv_dma_window.h"
#include "drv_send_buffer.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int SAMPLE_RATE_BUFFER = 6;

uint8 *sample_rate_storage()
{
    static std::unique_ptr<uint8[]> storage = [] {
        std::unique_ptr<uint8[]> s(new uint8[static_cast<std::size_t>(DRV_SEND_BUFFER_CAPACITY[SAMPLE_RATE_BUFFER])]);
        std::memset(s.get(), 0, static_cast<std::size_t>(DRV_SEND_BUFFER_CAPACITY[SAMPLE_RATE_BUFFER]));
        return s;
    }();
    static drv_dma_window_source_t source = [] {
        drv_dma_window_source_t s{};
        s.buffer_storage[SAMPLE_RATE_BUFFER] = storage.get();
        return s;
    }();
    drv_dma_set_window_source(&source);
    drv_send_buffers_init();
    return storage.get();
}

std::vector<int16> wave(std::size_t samples)
{
    std::vector<int16> w(samples);
    for (std::size_t i = 0; i < samples; ++i)
        w[i] = static_cast<int16>(i * 13);
    return w;
}

// The bytes the repetition writes for a wave of that many samples.
std::size_t repeated_bytes(std::size_t samples)
{
    sample_rate_storage();
    drv_send_buffer_load(0, 1, 1, wave(samples));
    return static_cast<std::size_t>(drv_send_buffer_get(0, 1, 1)->size);
}

void BM_send_buffer_repeat(benchmark::State &state)
{
    sample_rate_storage();
    const std::vector<int16> w = wave(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        drv_send_buffer_load(0, 1, 1, w);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * drv_send_buffer_get(0, 1, 1)->size);
}

void BM_memcpy_same_bytes(benchmark::State &state)
{
    const std::size_t bytes = repeated_bytes(static_cast<std::size_t>(state.range(0)));
    uint8 *destination = sample_rate_storage();
    std::vector<uint8> source(bytes, 0x5A);
    for (auto _ : state) {
        std::memcpy(destination, source.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

} // namespace

// 1024 samples fill 8380416 bytes by 4092 copies; 16 samples by 262143 copies;
// 2000000 samples make two copies of 4000000 bytes.
BENCHMARK(BM_send_buffer_repeat)->Arg(16)->Arg(1024)->Arg(2000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_memcpy_same_bytes)->Arg(16)->Arg(1024)->Arg(2000000)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
