// An amplitude change (set_ampl_offset) and the calibration record's save and load,
// each beside a direct caller making the same transport calls and waits. The transport
// counts its calls and keeps a flash image, so a saved record loads back as valid; the
// waits go to a sleep hook that only adds them up. The direct amplitude caller computes
// the same range, gain, reference and offset codes from the same inputs with the record's
// values copied once; the direct record caller makes only the byte transfers. The wait
// total of a driver start-up on an erased flash is reported as a counter. Compared as
// ratios by compare_device_cali.py.
#include "bench_alloc_count.h"
#include "bench_counting_transport.h"
#include "cali.h"
#include "drv_amp.h"
#include "drv_fpga.h"
#include "drv_instance_manage.h"
#include "drv_interface.h"
#include "drv_para.h"
#include "gos.h"
#include "lib_trunc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr uint32 RECORD_OFFSET = 32768;
constexpr uint32 RECORD_BYTES = 1496;
constexpr uint32 PIECE = 128;
constexpr int32 CH = 1;

// The counting transport with a flash image behind its byte operations.
class flash_transport_t : public bench_counting_transport_t
{
public:
    flash_transport_t() : image(65536, 0xFF) {}
    int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length) override
    {
        ++byte_writes;
        std::memcpy(image.data() + address, data, std::min<uint32>(length, 65536u - address));
        return 0;
    }
    int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length) override
    {
        ++byte_reads;
        std::memcpy(data, image.data() + address, std::min<uint32>(length, 65536u - address));
        return 0;
    }
    std::vector<uint8> image;
};

unsigned long long s_waited_ms = 0;

void add_wait(void *, uint32 milliseconds)
{
    s_waited_ms += milliseconds;
}

flash_transport_t *transport()
{
    static flash_transport_t *const installed = [] {
        gos_set_sleep_hook(add_wait, nullptr);
        drv_set_reg_transport_factory([] { return std::make_unique<flash_transport_t>(); });
        return static_cast<flash_transport_t *>(drv_instance_manage_t::get_instance()->get_reg_transport());
    }();
    return installed;
}

drv_instance_manage_t *manager()
{
    transport();
    return drv_instance_manage_t::get_instance();
}

void report(benchmark::State &state, unsigned long long allocations_before, unsigned long long waited_before)
{
    const double calls = static_cast<double>(state.iterations());
    state.counters["allocs_per_call"] = static_cast<double>(bench_allocation_count() - allocations_before) / calls;
    state.counters["waited_ms_per_call"] = static_cast<double>(s_waited_ms - waited_before) / calls;
}

// Amplitudes across every row of the range table, both offset columns and DC.
std::vector<drv_ampl_para_t> ampl_inputs()
{
    const long double amplitudes[] = {2.5L, 1.0L, 0.3L, 0.09L, 0.03L, 0.008L, 0.002L, 0.0L};
    const long double offsets[] = {0.0L, 0.1L, -0.2L, 0.4L};
    std::vector<drv_ampl_para_t> inputs;
    for (int i = 0; i < 64; ++i)
        inputs.push_back({amplitudes[i % 8] * (1 + i * 1e-4L), offsets[(i / 8) % 4], 50.0L, 1000.0L + i});
    return inputs;
}

void BM_driver_set_ampl_offset(benchmark::State &state)
{
    drv_instance_manage_t *m = manager();
    drv_fpga_t *fpga = m->get_fpga();
    drv_amp_t *amp = m->get_amp();
    fpga->set_run_mode(CH, 3);
    const std::vector<drv_ampl_para_t> inputs = ampl_inputs();
    std::size_t i = 0;
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state) {
        drv_ampl_para_t para = inputs[i++ & 63];
        benchmark::DoNotOptimize(amp->set_ampl_offset(fpga, CH, &para));
    }
    report(state, allocations, waited);
}

// The record's values a direct caller works from, copied once.
struct direct_cali_t
{
    long double zero_low, slope_low, zero_high, slope_high;
    long double first, second, ac, inv;
    long double vref[23], volt[23];
    long double step_comp[2][7];
};

direct_cali_t direct_cali()
{
    cali_t *c = cali_get_instance();
    direct_cali_t d{};
    d.zero_low = c->get_adder_delta(CH);
    d.slope_low = c->get_dc_adder_slope(CH);
    d.zero_high = c->get_adder_amplifier_delta(CH);
    d.slope_high = c->get_dc_coarse_slope(CH);
    d.first = c->get_first_coarse_gain(CH);
    d.second = c->get_second_coarse_gain(CH);
    d.ac = c->get_ac_adder_gain(CH);
    d.inv = c->get_invariable_gain(CH);
    for (int16 i = 0; i < 23; ++i) {
        d.vref[i] = c->get_dac_line_vref(CH, i);
        d.volt[i] = c->get_dac_line_volt(CH, i);
    }
    for (u8 s = 0; s < 2; ++s)
        for (u8 k = 0; k < 7; ++k)
            d.step_comp[s][k] = c->get_low_freq_resp_comp(CH, s, k);
    return d;
}

struct direct_row_t
{
    double lower, upper;
    int32 word[2];
    int32 db[2];
};

constexpr direct_row_t k_rows[] = {
    {2.0, 6.324555, {4, 4}, {0, 0}},          {0.632456, 2.0, {4, 4}, {10, 10}},
    {0.2, 0.632456, {0, 4}, {0, 20}},         {0.063246, 0.2, {0, 4}, {10, 30}},
    {0.02, 0.063246, {2, 6}, {0, 20}},        {0.006325, 0.02, {2, 6}, {10, 30}},
    {-HUGE_VAL, 0.006325, {2, 6}, {20, 30}},
};

long double direct_vref(const direct_cali_t &d, long double volt)
{
    if (std::isnan(volt) || volt <= d.volt[0])
        return d.vref[0];
    if (volt >= d.volt[22])
        return d.vref[22];
    int i = 1;
    while (i < 22 && !(d.volt[i] > volt))
        ++i;
    return d.vref[i - 1] + (volt - d.volt[i - 1]) * (d.vref[i] - d.vref[i - 1]) / (d.volt[i] - d.volt[i - 1]);
}

uint16 direct_ref_code(long double volts)
{
    constexpr long double per_volt = 10922.333333333334;
    if (volts > 3.0L || volts < -3.0L)
        return 0;
    if (volts >= 0)
        return static_cast<uint16>(lib_trunc_i32(volts * per_volt));
    return static_cast<uint16>(lib_trunc_i32(65535 + volts * per_volt));
}

// Channel 1 of the counting transport reads its output relay as closed (register 158
// answers 0x9e), so every call closes it again and a range change opens it first.
void BM_direct_set_ampl_offset(benchmark::State &state)
{
    manager();
    drv_reg_spi_t *t = transport();
    const direct_cali_t d = direct_cali();
    const std::vector<drv_ampl_para_t> inputs = ampl_inputs();
    constexpr uint32 relay_bit = 2;
    int32 applied = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const drv_ampl_para_t &p = inputs[i++ & 63];
        const long double a = p.ampl * (p.load + 50) / p.load;
        const long double o = p.offset * (p.load + 50) / p.load;
        const int high = std::fabs(o) < 0.7 ? 0 : 1;
        int32 word = 0;
        int32 db = 0;
        int step = 0;
        if (a == 0.0L) {
            word = std::fabs(o) > 0.7 ? 6 : 2;
            step = 6;
        } else {
            for (int r = 0; r < 7; ++r) {
                if (a > k_rows[r].lower && a <= k_rows[r].upper) {
                    word = k_rows[r].word[high];
                    db = k_rows[r].db[high];
                    step = r;
                    break;
                }
            }
        }
        const bool closed = (static_cast<uint32>(t->reg_read_fpga_reg(158)) & relay_bit) != 0;
        if (closed && word != applied) {
            const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(158)) & 0xFFFF;
            t->reg_write_fpga_reg(158, v & ~relay_bit);
            gos_usleep(3000);
        }
        const int32 gain = db == 10 ? 317 : db == 20 ? 103 : db == 30 ? 32 : 1024;
        t->reg_write_fpga_reg(35, static_cast<uint32>(gain));
        const long double corr = p.freq < 1000000 ? d.step_comp[high][step] : 0.0L;
        const long double g =
            d.inv + ((word & 2) ? d.first : 0) + ((word & 4) ? d.second : 0) - db + d.ac - corr;
        const long double level = a / std::pow(10.0L, g / 20);
        t->reg_write_fpga_reg(43, direct_ref_code(direct_vref(d, level)));
        const bool high_set = (word & 4) != 0;
        const long double code =
            high_set ? d.zero_high + o * d.slope_high : d.zero_low + o * d.slope_low;
        t->reg_write_fpga_reg(134, static_cast<uint32>(lib_trunc_i32(code)));
        applied = word;
        if (closed) {
            gos_usleep(3000);
            const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(158)) & 0xFFFF;
            t->reg_write_fpga_reg(158, v | relay_bit);
            gos_usleep(5000);
        }
    }
}

void BM_driver_cali_save(benchmark::State &state)
{
    manager();
    cali_t *cali = cali_get_instance();
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state)
        benchmark::DoNotOptimize(cali->save());
    report(state, allocations, waited);
}

void BM_driver_cali_load(benchmark::State &state)
{
    manager();
    cali_t *cali = cali_get_instance();
    cali->save();
    const unsigned long long allocations = bench_allocation_count();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state) {
        if (!cali->load())
            state.SkipWithError("the saved record did not load");
    }
    report(state, allocations, waited);
}

// The byte transfers of one flash access: select the user flash, the pieces with their
// waits (whole pieces straight in or out, the last through a piece buffer), release.
void direct_read(drv_reg_spi_t *t, uint8 *out)
{
    const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(24)) & 0xFFFF;
    t->reg_write_fpga_reg(24, (v & ~0x200u) | 0x100u);
    gos_usleep(10000);
    uint32 done = 0;
    for (; done + PIECE < RECORD_BYTES; done += PIECE) {
        t->reg_read_fpga_data(static_cast<uint16>(RECORD_OFFSET + done), out + done, PIECE);
        gos_usleep(10000);
    }
    uint8 last[PIECE];
    t->reg_read_fpga_data(static_cast<uint16>(RECORD_OFFSET + done), last, PIECE);
    std::memcpy(out + done, last, RECORD_BYTES - done);
    gos_usleep(10000);
    t->reg_write_fpga_reg(255, 0xFFFF);
    gos_usleep(10000);
}

void direct_write(drv_reg_spi_t *t, const uint8 *data)
{
    const uint32 v = static_cast<uint32>(t->reg_read_fpga_reg(24)) & 0xFFFF;
    t->reg_write_fpga_reg(24, (v & ~0x200u) | 0x100u);
    gos_usleep(10000);
    uint32 done = 0;
    for (; done + PIECE < RECORD_BYTES; done += PIECE) {
        t->reg_write_fpga_data_by_byte(static_cast<uint16>(RECORD_OFFSET + done), data + done, PIECE);
        gos_usleep(300000);
    }
    uint8 last[PIECE];
    std::memset(last, 0xFF, PIECE);
    std::memcpy(last, data + done, RECORD_BYTES - done);
    t->reg_write_fpga_data_by_byte(static_cast<uint16>(RECORD_OFFSET + done), last, PIECE);
    gos_usleep(300000);
    t->reg_write_fpga_reg(255, 0xFFFF);
    gos_usleep(10000);
}

// The same transfers as the driver's save (read, then write back) or load (read only);
// "printed" adds the console line that every save and load prints, so that both sides
// write the same bytes to standard output.
void direct_name_line(const uint8 *record)
{
    const char *name = reinterpret_cast<const char *>(record + 8);
    gos_printf("cali_all_data.forever_data.name =%.*s\n", static_cast<int>(strnlen(name, 16)), name);
}

void run_direct_cali(benchmark::State &state, bool write_back, bool printed)
{
    manager();
    drv_reg_spi_t *t = transport();
    std::vector<uint8> buffer(RECORD_BYTES);
    for (auto _ : state) {
        direct_read(t, buffer.data());
        if (printed)
            direct_name_line(buffer.data());
        if (write_back)
            direct_write(t, buffer.data());
        benchmark::ClobberMemory();
    }
}

void BM_direct_cali_save(benchmark::State &state) { run_direct_cali(state, true, false); }
void BM_direct_cali_load(benchmark::State &state) { run_direct_cali(state, false, false); }
void BM_direct_cali_save_printed(benchmark::State &state) { run_direct_cali(state, true, true); }
void BM_direct_cali_load_printed(benchmark::State &state) { run_direct_cali(state, false, true); }

// The driver start-up on an erased flash, for its recorded wait total.
void BM_driver_init_erased(benchmark::State &state)
{
    flash_transport_t *t = transport();
    const unsigned long long allocations = bench_allocation_count();
    unsigned long long waited = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::fill(t->image.begin(), t->image.end(), 0xFF);
        const unsigned long long before = s_waited_ms;
        state.ResumeTiming();
        benchmark::DoNotOptimize(drv_interface_t::get_instance()->init());
        waited += s_waited_ms - before;
    }
    report(state, allocations, 0);
    state.counters["waited_ms_per_call"] = static_cast<double>(waited) / static_cast<double>(state.iterations());
}

} // namespace

BENCHMARK(BM_driver_set_ampl_offset);
BENCHMARK(BM_direct_set_ampl_offset);
BENCHMARK(BM_driver_cali_save);
BENCHMARK(BM_direct_cali_save);
BENCHMARK(BM_driver_cali_load);
BENCHMARK(BM_direct_cali_load);
BENCHMARK(BM_direct_cali_save_printed);
BENCHMARK(BM_direct_cali_load_printed);
BENCHMARK(BM_driver_init_erased)->Iterations(20);
BENCHMARK_MAIN();
