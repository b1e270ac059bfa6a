// The configuration layer beside its baselines, compared as ratios by
// compare_device_cfg.py: a range check plus the store of its result, and the settings
// object's amplitude limit, against a plain long double compare-and-assign, with
// allocations per call; the start-up cfg_main against the driver initialisation alone,
// in CPU time, both over a counting transport with the sleeps only added up.
#include "bench_alloc_count.h"
#include "bench_counting_transport.h"
#include "cfg_bswv_main.h"
#include "cfg_bswv_wave.h"
#include "cfg_main.h"
#include "cfg_param_check.h"
#include "drv_interface.h"
#include "gos.h"

#include <benchmark/benchmark.h>

namespace {

// Amplitudes inside, above and below the limits, so each call takes another branch.
const long double k_values[8] = {2.0L, 7.5L, 0.0001L, 4.9L, 0.5L, 12.0L, 3.3L, 0.0005L};

void add_wait(void *, uint32) {}

// The layer started once per process over the counting transport.
void started()
{
    static const bool done = [] {
        bench_counting_transport();
        gos_set_sleep_hook(add_wait, nullptr);
        cfg_main();
        return true;
    }();
    (void)done;
}

template <typename F>
void per_call(benchmark::State &state, F &&call)
{
    started();
    unsigned long long calls = 0;
    const unsigned long long before = bench_allocation_count();
    for (auto _ : state) {
        call(k_values[calls & 7]);
        ++calls;
    }
    state.counters["allocs_per_call"] =
        static_cast<double>(bench_allocation_count() - before) / static_cast<double>(calls ? calls : 1);
}

void BM_check_and_store(benchmark::State &state)
{
    started();
    cfg_param_check_t check;
    cfg_bswv_wave_t *wave = cfg_get_bswv_main(0)->get_current_wave();
    lib_unit_data_t field{4.0L, LIB_UNIT_BASE, false};
    per_call(state, [&](long double v) {
        lib_unit_data_t value{v, LIB_UNIT_BASE, false};
        benchmark::DoNotOptimize(check.check_ampl(&value.data, 0.5L, 1e6L, 50, wave));
        cfg_store_unit_data(&field, &value);
        benchmark::DoNotOptimize(field);
    });
}

void BM_get_max_ampl(benchmark::State &state)
{
    started();
    cfg_bswv_main_t *settings = cfg_get_bswv_main(0);
    per_call(state, [&](long double) { benchmark::DoNotOptimize(settings->get_max_ampl()); });
}

void BM_plain_compare_assign(benchmark::State &state)
{
    long double max = 4.5L;
    long double field = 4.0L;
    per_call(state, [&](long double v) {
        benchmark::DoNotOptimize(max);
        if (v > max)
            v = max;
        if (v != field)
            field = v;
        benchmark::DoNotOptimize(field);
    });
}

void BM_cfg_main(benchmark::State &state)
{
    started();
    for (auto _ : state)
        benchmark::DoNotOptimize(cfg_main());
}

void BM_drv_init(benchmark::State &state)
{
    started();
    for (auto _ : state)
        benchmark::DoNotOptimize(drv_interface_t::get_instance()->init());
}

} // namespace

BENCHMARK(BM_check_and_store);
BENCHMARK(BM_get_max_ampl);
BENCHMARK(BM_plain_compare_assign);
BENCHMARK(BM_cfg_main);
BENCHMARK(BM_drv_init);
BENCHMARK_MAIN();
