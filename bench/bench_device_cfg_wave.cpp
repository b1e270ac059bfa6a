// The configuration layer's start-up and wave-type selection against the transport
// operations they cause, made directly. A recording transport keeps every register,
// block and flash-byte call of one run (after warm-up runs have settled the drivers'
// own state), with the waits, which a sleep hook only adds up, and the lines printed;
// the direct caller replays exactly that: the same calls, the same waits to the hook
// and the same lines written and flushed. Compared in CPU time as ratios by
// compare_device_cfg_wave.py; the transport operations per run are a counter.
#include "cfg_bswv_main.h"
#include "cfg_main.h"
#include "cfg_wv_main.h"
#include "drv_instance_manage.h"
#include "drv_reg_spi.h"
#include "gos.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct op_t
{
    enum kind_t { read, write, block, byte_write16, byte_write24, byte_read, wait } kind;
    uint32 address;
    uint32 value;
    std::vector<uint16> words;
    std::vector<uint8> bytes;
};

std::vector<op_t> *s_recording = nullptr;
unsigned long long s_waited_ms = 0;

void add_wait(void *, uint32 milliseconds)
{
    if (s_recording)
        s_recording->push_back({op_t::wait, 0, milliseconds, {}, {}});
    s_waited_ms += milliseconds;
}

// Reads answer the register number; blocks and byte writes are summed as a real
// transport has to read every byte it sends; byte reads fill the caller's buffer.
class recording_transport_t : public drv_reg_spi_t
{
public:
    int32 reg_read_fpga_reg(uint32 address) override
    {
        if (s_recording)
            s_recording->push_back({op_t::read, address, 0, {}, {}});
        return static_cast<int32>(address & 0xFFFF);
    }
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override
    {
        if (s_recording)
            s_recording->push_back({op_t::write, address, value, {}, {}});
        return 0;
    }
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override
    {
        if (s_recording)
            s_recording->push_back({op_t::block, address, count, {words, words + count}, {}});
        for (uint32 i = 0; i < count; ++i)
            sum += words[i];
        return 1;
    }
    int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length) override
    {
        if (s_recording)
            s_recording->push_back({op_t::byte_write16, address, length, {}, {data, data + length}});
        return add_bytes(data, length);
    }
    int32 reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length) override
    {
        if (s_recording)
            s_recording->push_back({op_t::byte_write24, address, length, {}, {data, data + length}});
        return add_bytes(data, length);
    }
    int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length) override
    {
        if (s_recording)
            s_recording->push_back({op_t::byte_read, address, length, {}, {}});
        std::memset(data, address & 0xFF, length);
        return 0;
    }
    int32 add_bytes(const uint8 *data, uint32 length)
    {
        for (uint32 i = 0; i < length; ++i)
            sum += data[i];
        return 0;
    }
    unsigned long long sum = 0;
};

recording_transport_t *transport()
{
    static recording_transport_t *const installed = [] {
        drv_set_reg_transport_factory([] { return std::make_unique<recording_transport_t>(); });
        gos_set_sleep_hook(add_wait, nullptr);
        return static_cast<recording_transport_t *>(drv_instance_manage_t::get_instance()->get_reg_transport());
    }();
    return installed;
}

void started()
{
    static const bool done = [] {
        transport();
        cfg_main();
        return true;
    }();
    (void)done;
}

struct recording_t
{
    std::vector<op_t> ops;
    std::vector<std::string> lines;
    std::size_t transport_ops = 0;
};

// One settled run of the action: its transport calls and waits, and its printed lines.
recording_t record(const std::function<void()> &action)
{
    started();
    action();
    action();
    recording_t r;
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    FILE *capture = std::tmpfile();
    dup2(fileno(capture), STDOUT_FILENO);
    s_recording = &r.ops;
    action();
    s_recording = nullptr;
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    std::rewind(capture);
    char line[4096];
    while (std::fgets(line, sizeof line, capture))
        r.lines.emplace_back(line);
    std::fclose(capture);
    for (const op_t &op : r.ops)
        r.transport_ops += op.kind != op_t::wait;
    return r;
}

void replay(const recording_t &r)
{
    drv_reg_spi_t *t = transport();
    uint8 buffer[256];
    for (const op_t &op : r.ops) {
        switch (op.kind) {
        case op_t::read:
            benchmark::DoNotOptimize(t->reg_read_fpga_reg(op.address));
            break;
        case op_t::write:
            t->reg_write_fpga_reg(op.address, op.value);
            break;
        case op_t::block:
            t->reg_write_block(op.address, op.words.data(), op.value);
            break;
        case op_t::byte_write16:
            t->reg_write_fpga_data_by_byte(static_cast<uint16>(op.address), op.bytes.data(), op.value);
            break;
        case op_t::byte_write24:
            t->reg_write_fpga_data_by_byte(op.address, op.bytes.data(), op.value);
            break;
        case op_t::byte_read:
            t->reg_read_fpga_data(static_cast<uint16>(op.address), buffer, op.value < sizeof buffer ? op.value : sizeof buffer);
            benchmark::DoNotOptimize(buffer);
            break;
        case op_t::wait:
            gos_sleep_ms(op.value);
            break;
        }
    }
    for (const std::string &line : r.lines) {
        std::fputs(line.c_str(), stdout);
        std::fflush(stdout);
    }
}

void BM_layer(benchmark::State &state, const std::function<void()> &action)
{
    const recording_t r = record(action);
    for (auto _ : state)
        action();
    state.counters["transport_ops"] = static_cast<double>(r.transport_ops);
    state.counters["lines"] = static_cast<double>(r.lines.size());
}

void BM_direct(benchmark::State &state, const std::function<void()> &action)
{
    const recording_t r = record(action);
    for (auto _ : state)
        replay(r);
    state.counters["transport_ops"] = static_cast<double>(r.transport_ops);
    state.counters["lines"] = static_cast<double>(r.lines.size());
}

// From the state of a fresh start: both outputs off (the selections below leave
// channel 0's on).
void run_cfg_main()
{
    cfg_get_wv_main(0)->store_output(0);
    cfg_get_wv_main(1)->store_output(0);
    benchmark::DoNotOptimize(cfg_main());
}

// Channel 0 with its output on selects the type again: every step of the selection
// and the type's apply run.
std::function<void()> choose_type(int32 type)
{
    return [type] {
        cfg_get_wv_main(0)->store_output(1);
        benchmark::DoNotOptimize(cfg_get_bswv_main(0)->set_wave_type(type));
    };
}

} // namespace

BENCHMARK_CAPTURE(BM_layer, cfg_main, run_cfg_main);
BENCHMARK_CAPTURE(BM_direct, cfg_main, run_cfg_main);

#define BENCH_TYPE(name, type)                                                                                       \
    BENCHMARK_CAPTURE(BM_layer, set_wave_type_##name, choose_type(type));                                                 \
    BENCHMARK_CAPTURE(BM_direct, set_wave_type_##name, choose_type(type))

BENCH_TYPE(sine, 0);
BENCH_TYPE(square, 1);
BENCH_TYPE(ramp, 2);
BENCH_TYPE(pulse, 3);
BENCH_TYPE(noise, 4);
BENCH_TYPE(dc, 5);
BENCH_TYPE(arb, 6);
BENCH_TYPE(prbs, 8);
BENCHMARK_MAIN();
