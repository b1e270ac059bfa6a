// Each modulation type's apply on an active channel 0 of the started configuration
// layer, through a counting transport, beside a direct caller that makes the same
// transport calls: those of one apply are recorded once, after warm-up applies have
// settled the drivers' own state, and replayed. The both-channel frequency update is
// measured the same way. Waits go to a sleep hook that only adds them up. Compared as
// ratios by compare_device_mod.py; the transport operations per apply are reported as
// counters.
#include "bench_device_replay.h"
#include "cfg_apply.h"
#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "cfg_mod_main.h"
#include "cfg_wv_main.h"
#include "drv_interface.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// The layer started once per process, channel 0 modulating a 20 kHz sine with its
// output on.
void started()
{
    static const bool done = [] {
        bench_replay_install();
        cfg_main();
        cfg_bswv_main_t *bswv = cfg_get_bswv_main(0);
        bswv->store_wave_type_raw(0);
        bswv->store_freq_raw({20000.0L, LIB_UNIT_BASE, false});
        cfg_wv_main_t *wv = cfg_get_wv_main(0);
        wv->store_output(1);
        wv->store_run_mode(cfg_wv_main_t::RUN_MODE_MOD);
        cfg_get_mod_main(0)->store_state(1);
        return true;
    }();
    (void)done;
}

std::function<void()> type_apply(int32 type)
{
    return [type] { cfg_get_mod_main(0)->get_mod(type)->apply(type, false); };
}

const std::map<std::string, std::function<void()>> &applies()
{
    static const std::map<std::string, std::function<void()>> table = {
        {"am", type_apply(1)},     {"fm", type_apply(2)},     {"pm", type_apply(3)},
        {"ask", type_apply(4)},    {"fsk", type_apply(5)},    {"psk", type_apply(6)},
        {"dsb_am", type_apply(7)}, {"pwm", type_apply(8)},    {"freq_both", [] { cfg_apply_mod_freq_both(); }},
        // The AM apply's driver-interface calls made directly, to show the drivers'
        // share of the apply's cost apart from the configuration layer's.
        {"am_drv_calls",
         [] {
             drv_interface_t *drv = drv_interface_t::get_instance();
             drv->set_mod_type(0, 1);
             drv->set_mod_source(0, 1, 0);
             drv->set_mod_freq(0, 1, 100.0L);
             drv->set_mod_deviation(0, 1, 100.0L);
             drv->set_mod_wave(0, "0_sine_ram.bin");
         }},
    };
    return table;
}

std::vector<bench_transport_op_t> record(const std::function<void()> &operation)
{
    started();
    return bench_replay_record([&](unsigned long long) { operation(); }, 2, 1);
}

void BM_cfg_apply(benchmark::State &state, const std::string &name)
{
    const std::function<void()> &apply = applies().at(name);
    const double ops = bench_replay_transport_ops(record(apply));
    const bench_replay_counts_t counts;
    for (auto _ : state)
        apply();
    counts.report(state, ops);
}

void BM_direct_apply(benchmark::State &state, const std::string &name)
{
    const std::vector<bench_transport_op_t> ops = record(applies().at(name));
    const bench_replay_counts_t counts;
    bench_replay_each(state, ops);
    counts.report(state, bench_replay_transport_ops(ops));
}

} // namespace

#define BENCH_MOD(name)                                                                                              \
    BENCHMARK_CAPTURE(BM_cfg_apply, name, std::string(#name));                                                      \
    BENCHMARK_CAPTURE(BM_direct_apply, name, std::string(#name))

BENCH_MOD(am);
BENCH_MOD(fm);
BENCH_MOD(pm);
BENCH_MOD(ask);
BENCH_MOD(fsk);
BENCH_MOD(psk);
BENCH_MOD(dsb_am);
BENCH_MOD(pwm);
BENCH_MOD(freq_both);
BENCH_MOD(am_drv_calls);
BENCHMARK_MAIN();
