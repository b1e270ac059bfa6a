// The channel commands lib_ch_set_freq and lib_ch_set_ampl on channel 0 playing a sine
// with its output on, over a counting transport, each beside a direct caller that makes
// the same transport calls: those of one command are recorded once, after warm-up
// calls, and replayed. Every call alternates between two values so that each one
// changes the setting and reaches the driver. Waits go to a hook that only adds them
// up. Compared as CPU-time ratios by compare_device_setter.py; the transport operations
// per command are reported as a counter.
#include "bench_device_replay.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "lib_ch.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

void started()
{
    static const bool done = [] {
        bench_replay_install();
        cfg_main();
        cfg_get_wv_main(0)->store_output(1);
        return true;
    }();
    (void)done;
}

// One command with the value of call number i.
const std::map<std::string, std::function<void(unsigned long long)>> &commands()
{
    static const std::map<std::string, std::function<void(unsigned long long)>> table = {
        {"freq", [](unsigned long long i) { lib_ch_set_freq(0, (i & 1) ? 1000.0L : 1500.0L, LIB_UNIT_BASE); }},
        {"ampl", [](unsigned long long i) { lib_ch_set_ampl(0, (i & 1) ? 2.0L : 3.0L, LIB_UNIT_BASE); }},
    };
    return table;
}

// The transport calls of two consecutive commands (one per value).
std::vector<bench_transport_op_t> record(const std::function<void(unsigned long long)> &command)
{
    started();
    return bench_replay_record(command, 4, 2);
}

void BM_command(benchmark::State &state, const std::string &name)
{
    const std::function<void(unsigned long long)> &command = commands().at(name);
    const double ops = bench_replay_transport_ops(record(command), 2);
    unsigned long long i = 0;
    for (auto _ : state)
        command(i++);
    state.counters["transport_ops"] = ops;
}

// The same transport calls and waits, replayed; one iteration is one command's share.
void BM_direct(benchmark::State &state, const std::string &name)
{
    const std::vector<bench_transport_op_t> ops = record(commands().at(name));
    bench_replay_halves(state, ops);
    state.counters["transport_ops"] = bench_replay_transport_ops(ops, 2);
}

} // namespace

BENCHMARK_CAPTURE(BM_command, freq, std::string("freq"));
BENCHMARK_CAPTURE(BM_direct, freq, std::string("freq"));
BENCHMARK_CAPTURE(BM_command, ampl, std::string("ampl"));
BENCHMARK_CAPTURE(BM_direct, ampl, std::string("ampl"));
BENCHMARK_MAIN();
