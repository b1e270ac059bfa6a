// The wave store: its construction from the built-in wave set against reading the same
// files with one read each (and copying the same resources); the generators, the
// resampling and the DAC scaling at one DDS period (16384 samples) against a memcpy of
// that output; and the interpolation to 16384 samples, which compare_device_wave.py
// sets beside numpy.interp on the same data. Compared as ratios there.
#include "drv_wave_data_vextral.h"
#include "drv_wave_dir.h"
#include "drv_wave_table.h"
#include "gos_resource.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int32 DDS_LEN = 16384;

// The files the store reads at start-up: every named wave of the table that is not a
// resource wave, and the extra name.
const std::vector<std::string> &store_files()
{
    static const std::vector<std::string> files = [] {
        std::set<std::string> resources;
        for (const drv_resource_wave_t &r : DRV_RESOURCE_WAVES)
            resources.insert(r.name);
        std::vector<std::string> names;
        for (const drv_wave_entry_t &e : DRV_WAVE_TABLE) {
            const std::string name = e.name;
            if (!name.empty() && resources.count(name) == 0)
                names.push_back(std::string(DRV_WAVE_DIR) + name);
            if (e.id == 140)
                names.push_back(std::string(DRV_WAVE_DIR) + DRV_WAVE_EXTRA_NAME);
        }
        return names;
    }();
    return files;
}

// A store is built once first, so that the wave files are in the page cache.
drv_wave_data_vextral_t &store()
{
    static drv_wave_data_vextral_t s;
    return s;
}

void BM_store_build(benchmark::State &state)
{
    store();
    for (auto _ : state) {
        auto s = std::make_unique<drv_wave_data_vextral_t>();
        benchmark::DoNotOptimize(s.get());
    }
}

// The same files, each opened, sized and read with one read into its own vector, and
// the five resources copied.
void BM_direct_read(benchmark::State &state)
{
    store();
    for (auto _ : state) {
        std::vector<std::vector<int16>> waves;
        waves.reserve(store_files().size() + DRV_RESOURCE_WAVE_COUNT);
        for (const drv_resource_wave_t &r : DRV_RESOURCE_WAVES) {
            const void *data = nullptr;
            u32 size = 0;
            gos_find_resource(r.resource_id, DRV_RESOURCE_WAVE_TYPE, &data, &size);
            std::vector<int16> &w = waves.emplace_back(size / 2);
            std::memcpy(w.data(), data, w.size() * 2);
        }
        for (const std::string &path : store_files()) {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat info;
            ::fstat(fd, &info);
            std::vector<int16> &w = waves.emplace_back(static_cast<std::size_t>(info.st_size / 2));
            benchmark::DoNotOptimize(::read(fd, w.data(), w.size() * 2));
            ::close(fd);
        }
        benchmark::DoNotOptimize(waves.data());
    }
}

std::vector<int16> test_wave(std::size_t n)
{
    std::vector<int16> w(n);
    for (std::size_t i = 0; i < n; ++i)
        w[i] = static_cast<int16>(static_cast<int32>((i * 7919) % 65536) - 32768);
    return w;
}

void BM_memcpy(benchmark::State &state)
{
    const std::vector<int16> in = test_wave(DDS_LEN);
    std::vector<int16> out(DDS_LEN);
    for (auto _ : state) {
        std::memcpy(out.data(), in.data(), in.size() * sizeof(int16));
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

void BM_square(benchmark::State &state)
{
    std::vector<int16> out;
    out.reserve(DDS_LEN);
    for (auto _ : state) {
        out.clear();
        store().make_square_wave(37.5L, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

void BM_ramp(benchmark::State &state)
{
    std::vector<int16> out;
    out.reserve(DDS_LEN);
    for (auto _ : state) {
        out.clear();
        store().make_ramp_wave(30.0L, DDS_LEN, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

void resample_to_dds(benchmark::State &state, std::size_t from)
{
    const std::vector<int16> in = test_wave(from);
    std::vector<int16> out;
    out.reserve(DDS_LEN);
    for (auto _ : state) {
        store().resample(DDS_LEN, in, out);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

void BM_resample_up(benchmark::State &state)
{
    resample_to_dds(state, 3000);
}

void BM_resample_down(benchmark::State &state)
{
    resample_to_dds(state, 40000);
}

void BM_scale(benchmark::State &state)
{
    std::vector<int16> w = test_wave(DDS_LEN);
    for (auto _ : state) {
        store().scale_to_dac_bits(w);
        benchmark::DoNotOptimize(w.data());
        benchmark::ClobberMemory();
    }
}

// The same input as compare_device_wave.py gives numpy.interp: 3000 samples of
// test_wave, 16384 out.
void BM_interpolate(benchmark::State &state)
{
    const std::vector<int16> in = test_wave(3000);
    std::vector<int16> out;
    out.reserve(DDS_LEN);
    for (auto _ : state) {
        store().interpolate(in, out, DDS_LEN);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_store_build)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_direct_read)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_memcpy)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_square)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ramp)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_resample_up)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_resample_down)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_scale)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_interpolate)->UseRealTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
