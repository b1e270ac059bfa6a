// The flash record's chunked write and read, the pulse driver's parameter writes and
// the modulation word through a counting transport, each beside a direct caller that
// makes the same transport calls and waits from the same inputs (for the pulse driver:
// the same conversions, each edge converted once). Waits go to a sleep hook that only
// adds them up. Compared as ratios by compare_device_drv.py; allocations per call are
// reported as counters.
#include "bench_alloc_count.h"
#include "bench_counting_transport.h"
#include "drv_flash_file.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_pulse.h"
#include "gos.h"
#include "lib_trunc.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr uint32 RECORD_OFFSET = 32768;
constexpr uint32 RECORD_BYTES = 1496;
constexpr uint32 PIECE = 128;

unsigned long long s_waited_ms = 0;

void add_wait(void *, uint32 milliseconds)
{
    s_waited_ms += milliseconds;
}

drv_instance_manage_t *manager()
{
    bench_counting_transport();
    static const bool hooked = [] {
        gos_set_sleep_hook(add_wait, nullptr);
        return true;
    }();
    (void)hooked;
    return drv_instance_manage_t::get_instance();
}

void report(benchmark::State &state, unsigned long long allocations_before, unsigned long long waited_before)
{
    const double calls = static_cast<double>(state.iterations());
    state.counters["allocs_per_call"] = static_cast<double>(bench_allocation_count() - allocations_before) / calls;
    state.counters["waited_ms_per_call"] = static_cast<double>(s_waited_ms - waited_before) / calls;
}

std::vector<uint8> record()
{
    std::vector<uint8> bytes(RECORD_BYTES);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8>(i * 7 + 1);
    return bytes;
}

void BM_driver_flash_write(benchmark::State &state)
{
    manager();
    const std::vector<uint8> data = record();
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state)
        benchmark::DoNotOptimize(drv_flash_write(RECORD_OFFSET, RECORD_BYTES, data.data()));
    report(state, allocations, waited);
}

// What a caller of the transport must do itself: select the user flash, send the pieces
// (the last one padded with 0xFF) with their waits, release the flash.
void BM_direct_flash_write(benchmark::State &state)
{
    manager();
    drv_reg_spi_t *t = bench_counting_transport();
    const std::vector<uint8> data = record();
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state) {
        const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(24)) & 0xFFFF;
        t->reg_write_fpga_reg(24, (v & ~0x200u) | 0x100u);
        gos_usleep(10000);
        uint32 done = 0;
        for (; done + PIECE < RECORD_BYTES; done += PIECE) {
            t->reg_write_fpga_data_by_byte(static_cast<uint16>(RECORD_OFFSET + done), data.data() + done, PIECE);
            gos_usleep(300000);
        }
        uint8 last[PIECE];
        std::memset(last, 0xFF, PIECE);
        std::memcpy(last, data.data() + done, RECORD_BYTES - done);
        t->reg_write_fpga_data_by_byte(static_cast<uint16>(RECORD_OFFSET + done), last, PIECE);
        gos_usleep(300000);
        t->reg_write_fpga_reg(255, 0xFFFF);
        gos_usleep(10000);
    }
    report(state, allocations, waited);
}

void BM_driver_flash_read(benchmark::State &state)
{
    manager();
    std::vector<uint8> out(RECORD_BYTES);
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state) {
        benchmark::DoNotOptimize(drv_flash_read(RECORD_OFFSET, RECORD_BYTES, out.data()));
        benchmark::ClobberMemory();
    }
    report(state, allocations, waited);
}

// Whole pieces straight into the caller's buffer, the last through a piece buffer.
void BM_direct_flash_read(benchmark::State &state)
{
    manager();
    drv_reg_spi_t *t = bench_counting_transport();
    std::vector<uint8> out(RECORD_BYTES);
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state) {
        const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(24)) & 0xFFFF;
        t->reg_write_fpga_reg(24, (v & ~0x200u) | 0x100u);
        gos_usleep(10000);
        uint32 done = 0;
        for (; done + PIECE < RECORD_BYTES; done += PIECE) {
            t->reg_read_fpga_data(static_cast<uint16>(RECORD_OFFSET + done), out.data() + done, PIECE);
            gos_usleep(10000);
        }
        uint8 last[PIECE];
        t->reg_read_fpga_data(static_cast<uint16>(RECORD_OFFSET + done), last, PIECE);
        std::memcpy(out.data() + done, last, RECORD_BYTES - done);
        gos_usleep(10000);
        t->reg_write_fpga_reg(255, 0xFFFF);
        gos_usleep(10000);
        benchmark::ClobberMemory();
    }
    report(state, allocations, waited);
}

// Pulse parameters that vary from call to call, so nothing is computed once.
struct pulse_input_t
{
    long double width, fall, rise, hz;
};

std::vector<pulse_input_t> pulse_inputs()
{
    std::vector<pulse_input_t> inputs;
    for (int i = 0; i < 64; ++i)
        inputs.push_back({1e-6L + i * 1e-9L, 20e-9L + i * 1e-10L, 10e-9L + i * 2e-10L, 100000.0L + i});
    return inputs;
}

void BM_driver_set_pulse(benchmark::State &state)
{
    drv_pulse_t *pulse = manager()->get_pulse();
    const std::vector<pulse_input_t> inputs = pulse_inputs();
    std::size_t i = 0;
    const unsigned long long allocations = bench_allocation_count();
    for (auto _ : state) {
        const pulse_input_t &p = inputs[i++ & 63];
        pulse->set_pulse(0, p.width, p.fall, p.rise, p.hz);
    }
    report(state, allocations, s_waited_ms);
}

// The module's pulse words computed once per edge from the same inputs, and the same
// register calls: the count (after reading the modulation register), the fraction, the
// fall edge, the rise edge and the update strobe.
long double direct_ramp(long double t)
{
    constexpr long double edge = 5e-9;
    double radicand = static_cast<double>(t * t - edge * edge);
    if (radicand < 0)
        radicand = 0;
    return std::sqrt(static_cast<long double>(radicand)) / static_cast<long double>(0.8);
}

long double direct_scale(uint64 step, long double word)
{
    if (word == 0)
        return 4294967295.0L;
    const long double scale = static_cast<long double>(step) * 1048576.0L / word;
    return scale >= 4294967296.0L ? 4294967295.0L : scale;
}

void direct_word37(drv_reg_spi_t *t, uint32 top, uint32 mid, uint32 low, uint64 word)
{
    t->reg_write_fpga_reg(top, static_cast<uint32>((word >> 32) & 0x1F));
    t->reg_write_fpga_reg(mid, static_cast<uint32>((word >> 16) & 0xFFFF));
    t->reg_write_fpga_reg(low, static_cast<uint32>(word & 0xFFFF));
}

void BM_direct_set_pulse(benchmark::State &state)
{
    manager();
    drv_reg_spi_t *t = bench_counting_transport();
    const std::vector<pulse_input_t> inputs = pulse_inputs();
    constexpr long double clock = 8e-9;
    const long double word_per_micro_hz = 281474976710656.0L / 1.25e14L;
    std::size_t i = 0;
    for (auto _ : state) {
        const pulse_input_t &p = inputs[i++ & 63];
        const long double rise_ramp = direct_ramp(p.rise);
        const long double fall_ramp = direct_ramp(p.fall);
        const long double count = p.width / clock + 0.5L * rise_ramp / clock - 0.5L * fall_ramp / clock;
        const uint64 rise_step = lib_trunc_u64(4294967296.0L / (rise_ramp / clock));
        const uint64 fall_step = lib_trunc_u64(4294967296.0L / (fall_ramp / clock));
        const long double whole_part = lib_trunc_ld(count);
        const long double fraction = count - whole_part;
        long double whole = whole_part;
        long double frac = 0;
        if (fraction != 0 || count == 1.0L) {
            whole = whole_part + 1;
            frac = static_cast<long double>(fall_step) * (1 - fraction);
        }
        const long double word = p.hz * 1000000 * word_per_micro_hz;
        const uint64 whole_word = lib_trunc_u64(whole);

        const uint32 mod = static_cast<uint32>(t->reg_read_fpga_reg(40)) & 0xFFFF;
        t->reg_write_fpga_reg(196, static_cast<uint32>((whole_word >> 32) & 0x3F) | ((mod & 0x1F) == 0 ? 0x8000 : 0));
        t->reg_write_fpga_reg(194, static_cast<uint32>((whole_word >> 16) & 0xFFFF));
        t->reg_write_fpga_reg(192, static_cast<uint32>(whole_word & 0xFFFF));
        direct_word37(t, 206, 174, 172, lib_trunc_u64(frac));
        direct_word37(t, 246, 244, 204, fall_step);
        const uint64 fall_scale = lib_trunc_u64(direct_scale(fall_step, word));
        t->reg_write_fpga_reg(230, static_cast<uint32>((fall_scale >> 16) & 0xFFFF));
        t->reg_write_fpga_reg(228, static_cast<uint32>(fall_scale & 0xFFFF));
        direct_word37(t, 202, 200, 198, rise_step);
        const uint64 rise_scale = lib_trunc_u64(direct_scale(rise_step, word));
        t->reg_write_fpga_reg(226, static_cast<uint32>((rise_scale >> 16) & 0xFFFF));
        t->reg_write_fpga_reg(224, static_cast<uint32>(rise_scale & 0xFFFF));

        const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(10)) & 0xFFFF;
        t->reg_write_fpga_reg(10, (v | 0x8000) & 0xFFFF);
        t->reg_write_fpga_reg(10, (v | 0x9000) & 0xFFFF);
        t->reg_write_fpga_reg(10, (v | 0x8000) & 0xEFFF);
        t->reg_write_fpga_reg(10, v & 0x6FFF);
    }
}

void BM_driver_set_mod_word(benchmark::State &state)
{
    drv_fpga_t *fpga = manager()->get_fpga();
    uint64 word = 34359738367ull;
    const unsigned long long allocations = bench_allocation_count();
    for (auto _ : state)
        fpga->set_mod_word(0, word--);
    report(state, allocations, s_waited_ms);
}

void BM_direct_set_mod_word(benchmark::State &state)
{
    manager();
    drv_reg_spi_t *t = bench_counting_transport();
    uint64 word = 34359738367ull;
    for (auto _ : state) {
        t->reg_write_fpga_reg(38, static_cast<uint32>(word & 0xFFFF));
        t->reg_write_fpga_reg(170, static_cast<uint32>((word >> 16) & 0xFFFF));
        t->reg_write_fpga_reg(100, static_cast<uint32>((word >> 32) & 0x1F));
        --word;
    }
}

} // namespace

BENCHMARK(BM_driver_flash_write);
BENCHMARK(BM_direct_flash_write);
BENCHMARK(BM_driver_flash_read);
BENCHMARK(BM_direct_flash_read);
BENCHMARK(BM_driver_set_pulse);
BENCHMARK(BM_direct_set_pulse);
BENCHMARK(BM_driver_set_mod_word);
BENCHMARK(BM_direct_set_mod_word);
BENCHMARK_MAIN();
