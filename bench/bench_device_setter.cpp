// The channel commands lib_ch_set_freq and lib_ch_set_ampl on channel 0 playing a sine
// with its output on, over a counting transport, each beside a direct caller that makes
// the same transport calls: those of one command are recorded once, after warm-up
// calls, and replayed. Every call alternates between two values so that each one
// changes the setting and reaches the driver. Waits go to a hook that only adds them
// up. Compared as CPU-time ratios by compare_device_setter.py; the transport operations
// per command are reported as a counter.
#include "bench_counting_transport.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "gos.h"
#include "lib_ch.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

std::vector<bench_transport_op_t> *s_wait_recording = nullptr;

void add_wait(void *, uint32 milliseconds)
{
    if (s_wait_recording)
        s_wait_recording->push_back({bench_transport_op_t::wait, 0, milliseconds, {}});
}

void started()
{
    static const bool done = [] {
        bench_counting_transport();
        gos_set_sleep_hook(add_wait, nullptr);
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
    bench_counting_transport_t *t = bench_counting_transport();
    for (unsigned long long i = 0; i < 4; ++i)
        command(i);
    std::vector<bench_transport_op_t> ops;
    t->recording = &ops;
    s_wait_recording = &ops;
    command(0);
    command(1);
    t->recording = nullptr;
    s_wait_recording = nullptr;
    return ops;
}

double transport_ops_per_command(const std::vector<bench_transport_op_t> &ops)
{
    std::size_t n = 0;
    for (const bench_transport_op_t &op : ops)
        n += op.kind != bench_transport_op_t::wait;
    return static_cast<double>(n) / 2;
}

void BM_command(benchmark::State &state, const std::string &name)
{
    const std::function<void(unsigned long long)> &command = commands().at(name);
    const double ops = transport_ops_per_command(record(command));
    unsigned long long i = 0;
    for (auto _ : state)
        command(i++);
    state.counters["transport_ops"] = ops;
}

// The same transport calls and waits, replayed; one iteration is one command's share.
void BM_direct(benchmark::State &state, const std::string &name)
{
    const std::vector<bench_transport_op_t> ops = record(commands().at(name));
    drv_reg_spi_t *t = bench_counting_transport();
    // Each iteration replays half of the recording, as a command does one of two calls.
    const std::size_t half = ops.size() / 2;
    unsigned long long i = 0;
    for (auto _ : state) {
        const std::size_t begin = (i & 1) ? half : 0;
        const std::size_t end = (i & 1) ? ops.size() : half;
        ++i;
        for (std::size_t k = begin; k < end; ++k) {
            const bench_transport_op_t &op = ops[k];
            switch (op.kind) {
            case bench_transport_op_t::read:
                benchmark::DoNotOptimize(t->reg_read_fpga_reg(op.address));
                break;
            case bench_transport_op_t::write:
                t->reg_write_fpga_reg(op.address, op.value);
                break;
            case bench_transport_op_t::block:
                t->reg_write_block(op.address, op.words.data(), op.value);
                break;
            case bench_transport_op_t::wait:
                gos_sleep_ms(op.value);
                break;
            }
        }
    }
    state.counters["transport_ops"] = transport_ops_per_command(ops);
}

} // namespace

BENCHMARK_CAPTURE(BM_command, freq, std::string("freq"));
BENCHMARK_CAPTURE(BM_direct, freq, std::string("freq"));
BENCHMARK_CAPTURE(BM_command, ampl, std::string("ampl"));
BENCHMARK_CAPTURE(BM_direct, ampl, std::string("ampl"));
BENCHMARK_MAIN();
