// The FPGA driver's word writers, update strobe, hold and sample-rate-mode load through
// a counting transport, each beside the same transport calls made directly; compared as
// ratios by compare_device_fpga.py. Allocations per call are reported as counters.
#include "bench_alloc_count.h"
#include "bench_counting_transport.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace {

drv_fpga_t *fpga()
{
    bench_counting_transport();
    return drv_instance_manage_t::get_instance()->get_fpga();
}

void report_allocations(benchmark::State &state, unsigned long long before)
{
    state.counters["allocs_per_call"] =
        static_cast<double>(bench_allocation_count() - before) / static_cast<double>(state.iterations());
}

// The sample-rate load prints one line per call; while a benchmark runs it goes to
// /dev/null, as under the comparison script.
class stdout_to_null_t
{
public:
    stdout_to_null_t()
    {
        std::fflush(stdout);
        _saved = dup(1);
        const int null_fd = open("/dev/null", O_WRONLY);
        dup2(null_fd, 1);
        close(null_fd);
    }
    ~stdout_to_null_t()
    {
        std::fflush(stdout);
        dup2(_saved, 1);
        close(_saved);
    }

private:
    int _saved = -1;
};

void BM_fpga_set_freq_word(benchmark::State &state)
{
    drv_fpga_t *f = fpga();
    uint64 word = 2251799813u;
    unsigned long long before = bench_allocation_count();
    for (auto _ : state) {
        benchmark::DoNotOptimize(f->set_freq_word(0, word));
        ++word;
    }
    report_allocations(state, before);
}

void BM_direct_set_freq_word(benchmark::State &state)
{
    drv_reg_spi_t *t = bench_counting_transport();
    uint64 word = 2251799813u;
    for (auto _ : state) {
        t->reg_write_fpga_reg(16, static_cast<uint32>(word & 0xFFFF));
        t->reg_write_fpga_reg(18, static_cast<uint32>((word >> 16) & 0xFFFF));
        t->reg_write_fpga_reg(20, static_cast<uint32>((word >> 32) & 0xFFFF));
        ++word;
    }
}

void BM_fpga_update(benchmark::State &state)
{
    drv_fpga_t *f = fpga();
    unsigned long long before = bench_allocation_count();
    for (auto _ : state)
        f->update();
    report_allocations(state, before);
}

void BM_direct_update(benchmark::State &state)
{
    drv_reg_spi_t *t = bench_counting_transport();
    for (auto _ : state) {
        const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(10)) & 0xFFFF;
        t->reg_write_fpga_reg(10, (v | 0x8000) & 0xFFFF);
        t->reg_write_fpga_reg(10, (v | 0x9000) & 0xFFFF);
        t->reg_write_fpga_reg(10, (v | 0x8000) & 0xEFFF);
        t->reg_write_fpga_reg(10, v & 0x6FFF);
    }
}

void BM_fpga_hold_pair(benchmark::State &state)
{
    drv_fpga_t *f = fpga();
    unsigned long long before = bench_allocation_count();
    for (auto _ : state) {
        f->begin_hold();
        f->end_hold();
    }
    report_allocations(state, before);
}

void BM_direct_hold_pair(benchmark::State &state)
{
    drv_reg_spi_t *t = bench_counting_transport();
    int hold = 0;
    for (auto _ : state) {
        uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(36)) & 0xFFFF;
        t->reg_write_fpga_reg(36, v | 0x8);
        ++hold;
        if (--hold == 0) {
            v = static_cast<uint32>(t->reg_read_fpga_reg(36)) & 0xFFFF;
            t->reg_write_fpga_reg(36, v & ~0x8u);
        }
        benchmark::DoNotOptimize(hold);
    }
}

std::vector<uint16> samples(int64_t n)
{
    std::vector<uint16> s(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<uint16>(i * 7);
    return s;
}

void BM_fpga_sample_rate_load(benchmark::State &state)
{
    drv_fpga_t *f = fpga();
    const std::vector<uint16> wave = samples(state.range(0));
    stdout_to_null_t quiet;
    unsigned long long before = bench_allocation_count();
    for (auto _ : state)
        f->write_true_arb_wave_data(0, &wave, 100);
    report_allocations(state, before);
}

// The load's register calls (six read-modify-writes of register 65, length and offset)
// and its block, the block already padded.
void BM_direct_sample_rate_load(benchmark::State &state)
{
    drv_reg_spi_t *t = bench_counting_transport();
    const std::vector<uint16> wave = samples(state.range(0));
    std::vector<uint16> padded = wave;
    padded.resize((wave.size() + 7) / 8 * 8, 0);
    const uint32 n = static_cast<uint32>(wave.size());
    const uint32 pad = (8 - n % 8) % 8;
    for (auto _ : state) {
        uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(65)) & 0xFFFF;
        t->reg_write_fpga_reg(65, v & ~0x200u);
        v = static_cast<uint32>(t->reg_read_fpga_reg(65)) & 0xFFFF;
        t->reg_write_fpga_reg(65, v & ~0x800u);
        v = static_cast<uint32>(t->reg_read_fpga_reg(65)) & 0xFFFF;
        t->reg_write_fpga_reg(65, v | 0x80);
        v = static_cast<uint32>(t->reg_read_fpga_reg(65)) & 0xFFFF;
        t->reg_write_fpga_reg(65, (v & ~0x38u) | (pad << 3));
        t->reg_write_fpga_reg(81, n & 0xFFFF);
        t->reg_write_fpga_reg(85, n >> 16);
        t->reg_write_fpga_reg(75, 100);
        t->reg_write_fpga_reg(63, 0);
        v = static_cast<uint32>(t->reg_read_fpga_reg(65)) & 0xFFFF;
        t->reg_write_fpga_reg(65, v | 0x800);
        t->reg_write_fpga_words(67, padded.data(), static_cast<uint32>(padded.size()));
        v = static_cast<uint32>(t->reg_read_fpga_reg(65)) & 0xFFFF;
        t->reg_write_fpga_reg(65, v | 0x200);
    }
}

} // namespace

BENCHMARK(BM_fpga_set_freq_word);
BENCHMARK(BM_direct_set_freq_word);
BENCHMARK(BM_fpga_update);
BENCHMARK(BM_direct_update);
BENCHMARK(BM_fpga_hold_pair);
BENCHMARK(BM_direct_hold_pair);
BENCHMARK(BM_fpga_sample_rate_load)->Arg(16384)->Arg(16383);
BENCHMARK(BM_direct_sample_rate_load)->Arg(16384)->Arg(16383);
BENCHMARK_MAIN();
