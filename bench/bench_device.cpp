// The device library's hot paths beside their baselines, compared as ratios by
// compare_device.py: register access through the front end against calling the
// transport, the write trace against snprintf-made lines, the reused receive buffer
// against a fresh zero-filled one per read, and building a wave-block message against
// a plain copy of its 32 KiB.
#include "bench_alloc_count.h"
#include "bench_counting_transport.h"
#include "drv_instance_manage.h"
#include "drv_reg_access.h"
#include "usbtmc_device.h"
#include "usbtmc_frame.h"
#include "usbtmc_rx_buffer.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

drv_reg_spi_t *transport()
{
    return bench_counting_transport();
}

constexpr int k_trace_writes = 1000000;

uint64 trace_address(int i) { return static_cast<uint64>(i % 300); }
uint64 trace_value(int i) { return static_cast<uint64>(i) * 2654435761u; }

std::string snprintf_trace()
{
    std::string text;
    char line[48];
    for (int i = 0; i < k_trace_writes; ++i) {
        int n = std::snprintf(line, sizeof line, "0x%llx,0x%llx\n", static_cast<unsigned long long>(trace_address(i)),
                              static_cast<unsigned long long>(trace_value(i)));
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

void BM_reg_write_front(benchmark::State &state)
{
    transport();
    uint64 i = 0;
    unsigned long long before = bench_allocation_count();
    for (auto _ : state) {
        benchmark::DoNotOptimize(drv_fpga_write_reg(i & 0x7FFF, i));
        ++i;
    }
    state.counters["allocs_per_call"] = static_cast<double>(bench_allocation_count() - before) / static_cast<double>(i);
}

void BM_reg_write_direct(benchmark::State &state)
{
    drv_reg_spi_t *direct = transport();
    uint32 i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(direct->reg_write_fpga_reg(i & 0x7FFF, i));
        ++i;
    }
}

void BM_reg_read_front(benchmark::State &state)
{
    transport();
    uint64 i = 0;
    unsigned long long before = bench_allocation_count();
    for (auto _ : state) {
        benchmark::DoNotOptimize(drv_fpga_read_reg(i & 0x7FFF));
        ++i;
    }
    state.counters["allocs_per_call"] = static_cast<double>(bench_allocation_count() - before) / static_cast<double>(i);
}

void BM_reg_read_direct(benchmark::State &state)
{
    drv_reg_spi_t *direct = transport();
    uint32 i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(direct->reg_read_fpga_reg(i & 0x7FFF));
        ++i;
    }
}

void BM_trace_writes_1M(benchmark::State &state)
{
    transport();
    for (auto _ : state) {
        drv_fpga_set_reg_trace(1);
        for (int i = 0; i < k_trace_writes; ++i)
            drv_fpga_write_reg(trace_address(i), trace_value(i));
        benchmark::DoNotOptimize(drv_fpga_get_reg_trace()->data());
    }
    if (*drv_fpga_get_reg_trace() != snprintf_trace())
        state.SkipWithError("the trace differs from the snprintf lines");
    drv_fpga_set_reg_trace(0);
}

void BM_trace_snprintf_1M(benchmark::State &state)
{
    for (auto _ : state) {
        std::string text = snprintf_trace();
        benchmark::DoNotOptimize(text.data());
    }
}

// One register-read reply as it arrives: header and 4 payload bytes.
void receive_reply(uint8 *buffer, std::vector<uint8> &reply)
{
    uint8 transfer[16] = {2, 1, 0xFE, 0, 4, 0, 0, 0, 1, 0, 0, 0, 0x1F, 0x00, 0x34, 0x12};
    std::memcpy(buffer, transfer, sizeof transfer);
    usbtmc_header_t header;
    if (usbtmc_frame_parse_header(buffer, sizeof transfer, &header))
        reply.assign(buffer + USBTMC_HEADER_SIZE, buffer + sizeof transfer);
}

void BM_rx_reused_buffer(benchmark::State &state)
{
    usbtmc_rx_buffer_t rx;
    std::vector<uint8> reply;
    for (auto _ : state) {
        uint8 *buffer = rx.prepare();
        receive_reply(buffer, reply);
        rx.reached(16);
        benchmark::DoNotOptimize(reply.data());
    }
}

void BM_rx_fresh_buffer(benchmark::State &state)
{
    std::vector<uint8> reply;
    for (auto _ : state) {
        std::vector<uint8> buffer(usbtmc_rx_buffer_t::SIZE, 0);
        receive_reply(buffer.data(), reply);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::DoNotOptimize(reply.data());
    }
}

constexpr std::size_t k_wave_block_bytes = 32768;

void BM_wave_block_message(benchmark::State &state)
{
    usbtmc_device_t device(0, 0, "");
    std::vector<uint8> payload(k_wave_block_bytes, 0x5A);
    std::vector<uint8> message;
    for (auto _ : state) {
        device.build_msg_out(payload.data(), payload.size(), USBTMC_ATTR_EOM, &message);
        benchmark::DoNotOptimize(message.data());
    }
    if (message.size() != 32780)
        state.SkipWithError("unexpected message size");
}

void BM_memcpy_32k(benchmark::State &state)
{
    std::vector<uint8> payload(k_wave_block_bytes, 0x5A);
    std::vector<uint8> copy(k_wave_block_bytes);
    for (auto _ : state) {
        std::memcpy(copy.data(), payload.data(), payload.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_reg_write_front);
BENCHMARK(BM_reg_write_direct);
BENCHMARK(BM_reg_read_front);
BENCHMARK(BM_reg_read_direct);
BENCHMARK(BM_trace_writes_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_trace_snprintf_1M)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_rx_reused_buffer);
BENCHMARK(BM_rx_fresh_buffer);
BENCHMARK(BM_wave_block_message);
BENCHMARK(BM_memcpy_32k);
BENCHMARK_MAIN();
