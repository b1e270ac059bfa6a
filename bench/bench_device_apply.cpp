// One wave apply per wave type through a counting transport (sine, square, ramp, pulse, noise,
// DC, arbitrary in DDS and in sample-rate mode, PRBS), each beside a direct caller that
// makes the same transport calls and waits: those of one apply are recorded once, after
// warm-up applies have settled the drivers' own state, and replayed. Waits go to a sleep
// hook that only adds them up. Compared as ratios by compare_device_apply.py; the
// transport operations, waits and allocations per apply are reported as counters.
#include "bench_device_replay.h"
#include "drv_instance_manage.h"
#include "drv_para.h"
#include "drv_wave_manage.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

drv_wave_manage_t *manage()
{
    bench_replay_install();
    return drv_instance_manage_t::get_instance()->get_wave_manage();
}

drv_wave_para_t wave_para()
{
    drv_wave_para_t p{};
    p.freq = 1000.0L;
    p.ch0_freq = 1000.0L;
    p.ch1_freq = 2500.0L;
    p.ampl = 2.0L;
    p.offset = 0.5L;
    p.phase = 30.0L;
    p.load = 50.0L;
    p.symmetry = 25.0L;
    p.duty = 40.0L;
    p.pulse_width = 200e-6L;
    p.rise_edge = 20e-9L;
    p.fall_edge = 30e-9L;
    p.srate_word = 4194303.0L;
    p.prbs_length = 7.0L;
    p.prbs_edge = 5e-9L;
    p.prbs_link = 1;
    return p;
}

const drv_wave_para_t s_wave = wave_para();
const drv_wave_para_t s_arb_sr = [] {
    drv_wave_para_t p = wave_para();
    p.sample_rate_mode = 1;
    return p;
}();
const drv_noise_para_t s_noise{1.5L, -0.25L, 0, 0.0L, 50.0L};
const drv_dc_para_t s_dc{0.75L, 50.0L, 0.0L};

const std::map<std::string, std::function<void()>> &applies()
{
    static const std::map<std::string, std::function<void()>> table = {
        {"sine", [] { manage()->set_sine_wave(1, 0, &s_wave); }},
        {"square", [] { manage()->set_square_wave(1, 0, &s_wave); }},
        {"ramp", [] { manage()->set_ramp_wave(1, 0, &s_wave); }},
        {"pulse", [] { manage()->set_pulse_wave(1, 0, &s_wave); }},
        {"noise", [] { manage()->set_noise_wave(0, &s_noise); }},
        {"dc", [] { manage()->set_dc_wave(0, &s_dc); }},
        {"arb_dds", [] { manage()->set_arb_wave(1, 0, &s_wave); }},
        {"arb_sample_rate", [] { manage()->set_arb_wave(1, 0, &s_arb_sr); }},
        {"prbs", [] { manage()->set_prbs_wave(1, 0, &s_wave); }},
    };
    return table;
}

// The transport calls of one apply in the drivers' settled state.
std::vector<bench_transport_op_t> record(const std::function<void()> &apply)
{
    return bench_replay_record([&](unsigned long long) { apply(); }, 2, 1);
}

void BM_driver_apply(benchmark::State &state, const std::string &type)
{
    const std::function<void()> &apply = applies().at(type);
    const double ops = bench_replay_transport_ops(record(apply));
    const bench_replay_counts_t counts;
    for (auto _ : state)
        apply();
    counts.report(state, ops);
}

void BM_direct_apply(benchmark::State &state, const std::string &type)
{
    const std::vector<bench_transport_op_t> ops = record(applies().at(type));
    const bench_replay_counts_t counts;
    bench_replay_each(state, ops);
    counts.report(state, bench_replay_transport_ops(ops));
}

} // namespace

#define BENCH_WAVE(type)                                                                                             \
    BENCHMARK_CAPTURE(BM_driver_apply, type, std::string(#type));                                                    \
    BENCHMARK_CAPTURE(BM_direct_apply, type, std::string(#type))

BENCH_WAVE(sine);
BENCH_WAVE(square);
BENCH_WAVE(ramp);
BENCH_WAVE(pulse);
BENCH_WAVE(noise);
BENCH_WAVE(dc);
BENCH_WAVE(arb_dds);
BENCH_WAVE(arb_sample_rate);
BENCH_WAVE(prbs);
BENCHMARK_MAIN();
