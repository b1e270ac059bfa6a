// Switching a channel's burst or sweep on and applying it, through the configuration
// layer over a counting transport, each beside a direct caller that makes the same
// transport calls and waits (those of one switch-on are recorded once, after warm-up
// switches have settled the drivers' own state, and replayed) and beside the same
// driver-interface calls made directly, which shows the drivers' own share. Waits go to a sleep hook
// that only adds them up. Compared as ratios by compare_device_mode.py; the transport
// operations, waits and allocations per switch-on are reported as counters.
#include "bench_device_replay.h"
#include "cfg_burst.h"
#include "cfg_main.h"
#include "cfg_sweep.h"
#include "cfg_wv_main.h"
#include "drv_freq.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// The layer started once per process over the counting transport; channel 0's output
// on, so that every apply reaches the driver.
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

const std::map<std::string, std::function<void()>> &operations()
{
    static const std::map<std::string, std::function<void()>> table = {
        {"burst_on",
         [] {
             cfg_get_sweep(0)->set_sweep_on_raw(0);
             cfg_get_wv_main(0)->store_run_mode(cfg_wv_main_t::RUN_MODE_BURST);
             cfg_get_burst(0)->set_switch(1);
         }},
        {"sweep_on",
         [] {
             cfg_get_burst(0)->set_burst_on_raw(0);
             cfg_get_wv_main(0)->store_run_mode(cfg_wv_main_t::RUN_MODE_SWEEP);
             cfg_get_sweep(0)->set_switch(1);
         }},
    };
    return table;
}

// The driver-interface calls that one switch-on makes on the started layer's state
// (channel 0 at 1 kHz with its output on, channel 1 continuous).
const std::map<std::string, std::function<void()>> &driver_calls()
{
    static const std::map<std::string, std::function<void()>> table = {
        {"burst_on",
         [] {
             drv_interface_t *d = drv_interface_t::get_instance();
             const long double delay = static_cast<double>(5.2103515625e-07);
             const long double rate = 100.0L;
             d->set_burst_switch(0, 1);
             drv_instance_manage_t::get_instance()->get_freq()->set_burst_freq(0, &rate);
             d->set_burst_both(0, 1000.0L, 1000.0L, delay, delay, 0.01L, 0.01L);
             d->set_burst_switch(0, 1);
             d->set_burst_trigger_source(0, 0, 0);
             d->set_burst_mode(0, 0, 0);
             d->set_burst_trig_out(0, 2);
             d->set_burst_cycles(0, 1);
             d->toggle_burst_trigger_edge(0);
             d->set_burst_both(0, 1000.0L, 1000.0L, delay, delay, 0.01L, 0.01L);
         }},
        {"sweep_on",
         [] {
             drv_interface_t *d = drv_interface_t::get_instance();
             d->set_sweep_center_span(0, 1000.0L, 1000.0L);
             d->set_sweep_trigger_edge(0, 0);
             d->set_sweep_trigger_source(0, 0);
             d->set_sweep_trig_out(0, 0);
             d->set_sweep_time(0, 1.0L, 1);
             d->set_sweep_center_span(0, 1000.0L, 1000.0L);
             d->set_sweep_wave(0, 0, 0, 500.0L, 1500.0L, 1.0L);
             d->set_sweep_switch(0, 1);
         }},
    };
    return table;
}

std::vector<bench_transport_op_t> record(const std::function<void()> &operation)
{
    started();
    return bench_replay_record([&](unsigned long long) { operation(); }, 2, 1);
}

void BM_cfg_switch_on(benchmark::State &state, const std::string &name)
{
    const std::function<void()> &operation = operations().at(name);
    const double ops = bench_replay_transport_ops(record(operation));
    const bench_replay_counts_t counts;
    for (auto _ : state)
        operation();
    counts.report(state, ops);
}

void BM_driver_switch_on(benchmark::State &state, const std::string &name)
{
    // The layer's own switch-on first, so the drivers hold the same state.
    record(operations().at(name));
    const std::function<void()> &calls = driver_calls().at(name);
    const double ops = bench_replay_transport_ops(record(calls));
    const bench_replay_counts_t counts;
    for (auto _ : state)
        calls();
    counts.report(state, ops);
}

void BM_direct_switch_on(benchmark::State &state, const std::string &name)
{
    const std::vector<bench_transport_op_t> ops = record(operations().at(name));
    const bench_replay_counts_t counts;
    bench_replay_each(state, ops);
    counts.report(state, bench_replay_transport_ops(ops));
}

} // namespace

#define BENCH_MODE(name)                                                                                             \
    BENCHMARK_CAPTURE(BM_cfg_switch_on, name, std::string(#name));                                                   \
    BENCHMARK_CAPTURE(BM_driver_switch_on, name, std::string(#name));                                                \
    BENCHMARK_CAPTURE(BM_direct_switch_on, name, std::string(#name))

BENCH_MODE(burst_on);
BENCH_MODE(sweep_on);
BENCHMARK_MAIN();
