// The configuration layer's start-up and wave-type selection against the transport
// operations they cause, made directly. A recording transport keeps every register,
// block and flash-byte call of one run (after warm-up runs have settled the drivers'
// own state), with the waits, which a sleep hook only adds up, and the lines printed;
// the direct caller replays exactly that: the same calls, the same waits to the hook
// and the same lines written and flushed. Compared in CPU time as ratios by
// compare_device_cfg_wave.py; the transport operations per run are a counter.
#include "bench_device_replay.h"
#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void started()
{
    static const bool done = [] {
        bench_replay_install();
        cfg_main();
        return true;
    }();
    (void)done;
}

struct recording_t
{
    std::vector<bench_transport_op_t> ops;
    std::vector<std::string> lines;
    std::size_t transport_ops = 0;
};

// One settled run of the action: its transport calls and waits, and its printed lines.
recording_t record(const std::function<void()> &action)
{
    started();
    action();
    action();
    recording_t r;
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    FILE *capture = std::tmpfile();
    dup2(fileno(capture), STDOUT_FILENO);
    bench_counting_transport()->recording = &r.ops;
    bench_replay_wait_recording = &r.ops;
    action();
    bench_counting_transport()->recording = nullptr;
    bench_replay_wait_recording = nullptr;
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::rewind(capture);
    char line[4096];
    while (std::fgets(line, sizeof line, capture))
        r.lines.emplace_back(line);
    std::fclose(capture);
    r.transport_ops = std::size_t(bench_replay_transport_ops(r.ops));
    return r;
}

void replay(const recording_t &r)
{
    bench_replay(bench_counting_transport(), r.ops, 0, r.ops.size());
    for (const std::string &line : r.lines) {
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
    }
}

void BM_layer(benchmark::State &state, const std::function<void()> &action)
{
    const recording_t r = record(action);
    for (auto _ : state)
        action();
    state.counters["transport_ops"] = static_cast<double>(r.transport_ops);
    state.counters["lines"] = static_cast<double>(r.lines.size());
}

void BM_direct(benchmark::State &state, const std::function<void()> &action)
{
    const recording_t r = record(action);
    for (auto _ : state)
        replay(r);
    state.counters["transport_ops"] = static_cast<double>(r.transport_ops);
    state.counters["lines"] = static_cast<double>(r.lines.size());
}

// From the state of a fresh start: both outputs off (the selections below leave
// channel 0's on).
void run_cfg_main()
{
    cfg_get_wv_main(0)->store_output(0);
    cfg_get_wv_main(1)->store_output(0);
    benchmark::DoNotOptimize(cfg_main());
}

// Channel 0 with its output on selects the type again: every step of the selection
// and the type's apply run.
std::function<void()> choose_type(int32 type)
{
    return [type] {
        cfg_get_wv_main(0)->store_output(1);
        benchmark::DoNotOptimize(cfg_get_bswv_main(0)->set_wave_type(type));
    };
}

} // namespace

BENCHMARK_CAPTURE(BM_layer, cfg_main, run_cfg_main);
BENCHMARK_CAPTURE(BM_direct, cfg_main, run_cfg_main);

#define BENCH_TYPE(name, type)                                                                                       \
    BENCHMARK_CAPTURE(BM_layer, set_wave_type_##name, choose_type(type));                                                 \
    BENCHMARK_CAPTURE(BM_direct, set_wave_type_##name, choose_type(type))

BENCH_TYPE(sine, 0);
BENCH_TYPE(square, 1);
BENCH_TYPE(ramp, 2);
BENCH_TYPE(pulse, 3);
BENCH_TYPE(noise, 4);
BENCH_TYPE(dc, 5);
BENCH_TYPE(arb, 6);
BENCH_TYPE(prbs, 8);
BENCHMARK_MAIN();
