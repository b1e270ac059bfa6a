#pragma once
// What the device benchmarks share to set a layer beside a direct caller of the same
// traffic: the transport calls and waits of one operation are recorded over the
// counting transport after warm-up calls have settled the drivers' own state, and a
// direct caller replays them. Waits go to a sleep hook that only records and adds them
// up.
#include "bench_alloc_count.h"
#include "bench_counting_transport.h"
#include "gos.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <functional>
#include <vector>

// Milliseconds the sleep hook was asked to wait.
inline unsigned long long bench_replay_waited_ms = 0;
// Where the waits of a recording go, beside its transport calls.
inline std::vector<bench_transport_op_t> *bench_replay_wait_recording = nullptr;

inline void bench_replay_add_wait(void *, uint32 milliseconds)
{
    if (bench_replay_wait_recording)
        bench_replay_wait_recording->push_back({bench_transport_op_t::wait, 0, milliseconds, {}, {}});
    bench_replay_waited_ms += milliseconds;
}

// Installs the counting transport, then the sleep hook (once per process).
inline void bench_replay_install()
{
    static const bool done = [] {
        bench_counting_transport();
        gos_set_sleep_hook(bench_replay_add_wait, nullptr);
        return true;
    }();
    (void)done;
}

// call(i) for i below warm_up, then the transport calls and waits of call(0) up to
// call(recorded - 1).
inline std::vector<bench_transport_op_t> bench_replay_record(const std::function<void(unsigned long long)> &call,
                                                             unsigned warm_up, unsigned recorded)
{
    bench_counting_transport_t *t = bench_counting_transport();
    for (unsigned long long i = 0; i < warm_up; ++i)
        call(i);
    std::vector<bench_transport_op_t> ops;
    t->recording = &ops;
    bench_replay_wait_recording = &ops;
    for (unsigned long long i = 0; i < recorded; ++i)
        call(i);
    t->recording = nullptr;
    bench_replay_wait_recording = nullptr;
    return ops;
}

// The transport operations (waits left out), or the register and block writes only,
// per call of a recording of calls.
inline double bench_replay_transport_ops(const std::vector<bench_transport_op_t> &ops, std::size_t calls = 1,
                                         bool writes_only = false)
{
    std::size_t n = 0;
    for (const bench_transport_op_t &op : ops)
        n += writes_only ? (op.kind == bench_transport_op_t::write || op.kind == bench_transport_op_t::block)
                         : op.kind != bench_transport_op_t::wait;
    return static_cast<double>(n) / static_cast<double>(calls);
}

// Makes the recorded operations from begin to end.
inline void bench_replay(drv_reg_spi_t *t, const std::vector<bench_transport_op_t> &ops, std::size_t begin,
                         std::size_t end)
{
    uint8 buffer[256];
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
        case bench_transport_op_t::byte_write16:
            t->reg_write_fpga_data_by_byte(static_cast<uint16>(op.address), op.bytes.data(), op.value);
            break;
        case bench_transport_op_t::byte_write24:
            t->reg_write_fpga_data_by_byte(op.address, op.bytes.data(), op.value);
            break;
        case bench_transport_op_t::byte_read:
            t->reg_read_fpga_data(static_cast<uint16>(op.address), buffer,
                                  op.value < sizeof buffer ? op.value : sizeof buffer);
            benchmark::DoNotOptimize(buffer);
            break;
        case bench_transport_op_t::wait:
            gos_sleep_ms(op.value);
            break;
        }
    }
}

// Every iteration replays the whole recording.
inline void bench_replay_each(benchmark::State &state, const std::vector<bench_transport_op_t> &ops)
{
    drv_reg_spi_t *t = bench_counting_transport();
    for (auto _ : state)
        bench_replay(t, ops, 0, ops.size());
}

// A recording of two calls (one per value): the iterations replay its halves in turn.
inline void bench_replay_halves(benchmark::State &state, const std::vector<bench_transport_op_t> &ops)
{
    drv_reg_spi_t *t = bench_counting_transport();
    const std::size_t half = ops.size() / 2;
    unsigned long long i = 0;
    for (auto _ : state) {
        const std::size_t begin = (i & 1) ? half : 0;
        const std::size_t end = (i & 1) ? ops.size() : half;
        ++i;
        bench_replay(t, ops, begin, end);
    }
}

// The allocations and the waits counted from construction, reported per iteration with
// the transport operations of one call (for benchmarks linking bench_alloc_count.cpp).
struct bench_replay_counts_t
{
    unsigned long long allocations = bench_allocation_count();
    unsigned long long waited = bench_replay_waited_ms;

    void report(benchmark::State &state, double transport_ops) const
    {
        const double calls = static_cast<double>(state.iterations());
        state.counters["allocs_per_call"] = static_cast<double>(bench_allocation_count() - allocations) / calls;
        state.counters["waited_ms_per_call"] = static_cast<double>(bench_replay_waited_ms - waited) / calls;
        state.counters["transport_ops"] = transport_ops;
    }
};
