// The harmonic synthesis and a coupled frequency change, compared as ratios by
// compare_device_couple.py:
// - the synthesis of one period with harmonics of orders 2 to 10 over the built-in
//   waves (16384 samples, long double), beside numpy computing the same formula in the
//   compare script;
// - a frequency change on channel 0 with frequency coupling by ratio 2 on and both
//   outputs on, through the channel's frequency setter: the coupling derives and stores
//   channel 1's frequency, the re-checks run and the change is applied (both tuning
//   words), against a direct caller replaying the same transport calls; the transport
//   operations per change are a counter.
#include "bench_device_replay.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"

#include <benchmark/benchmark.h>

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

void BM_harmonic_synthesis(benchmark::State &state)
{
    started();
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_harmonic_switch_raw(1);
    b->store_harmonic_type_raw(2);
    // Small orders at different phases, the sum kept below full scale as often as not.
    for (int32 order = 2; order <= 10; ++order)
    {
        b->put_harmonic_ampl(order, 0.4L / order);
        b->put_harmonic_phase(order, 37.0L * order);
    }
    for (auto _ : state)
    {
        b->update_harmonic_wave_data();
        benchmark::DoNotOptimize(b->get_harmonic_samples().data());
    }
    state.counters["scale"] = static_cast<double>(b->get_harmonic_scale());
}

long double s_freq = 1000.0L;

// One change: 1 kHz and 2 kHz alternate so that every change is a new value.
void coupled_change()
{
    s_freq = s_freq == 1000.0L ? 2000.0L : 1000.0L;
    cfg_get_bswv_main(0)->set_freq(lib_unit_data_t{s_freq, LIB_UNIT_BASE, false});
}

void couple_setup()
{
    started();
    cfg_ch_couple_t *c = cfg_get_couple();
    c->set_freq_couple_mode_raw(0);
    c->set_freq_ratio_raw(2.0L);
    c->set_freq_couple_en_raw(1);
    cfg_main_t::get_instance()->set_current_channel(0);
    cfg_get_wv_main(0)->store_output(1);
    cfg_get_wv_main(1)->store_output(1);
}

// The transport calls of one change (the same value as the timed loop's next change,
// after warm-up changes settled the drivers).
std::vector<bench_transport_op_t> record()
{
    return bench_replay_record([](unsigned long long) { coupled_change(); }, 2, 1);
}

void BM_coupled_freq_change(benchmark::State &state)
{
    couple_setup();
    const double ops = bench_replay_transport_ops(record());
    for (auto _ : state)
        coupled_change();
    state.counters["transport_ops"] = ops;
}

void BM_direct_freq_change(benchmark::State &state)
{
    couple_setup();
    const std::vector<bench_transport_op_t> ops = record();
    bench_replay_each(state, ops);
    state.counters["transport_ops"] = bench_replay_transport_ops(ops);
}

} // namespace

BENCHMARK(BM_harmonic_synthesis);
BENCHMARK(BM_coupled_freq_change);
BENCHMARK(BM_direct_freq_change);
BENCHMARK_MAIN();
