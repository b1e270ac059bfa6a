// The channel-0 calibration (cali_t::calibrate) beside its own transport operations made
// directly. The transport keeps a register file and a flash image and answers the
// feedback ADC (register 98) from a small linear model of the analog path, so the
// searches converge as on a module. One calibration is recorded (every transport call,
// every wait and its console text); the direct caller replays exactly those calls, waits
// and bytes on the same transport. The waits go to a hook that only adds them up; their
// total per calibration is reported as a counter. Compared by compare_device_calibrate.py.
#include "bench_counting_transport.h"
#include "cali.h"
#include "drv_instance_manage.h"
#include "gos.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>


namespace {

enum class op_kind_t { read, write, words, block, byte_write, byte_read, wait };

struct op_t
{
    op_kind_t kind;
    uint32 address;
    uint32 value;
    std::vector<uint16> words;
    std::vector<uint8> bytes;
};

std::vector<op_t> *s_recording = nullptr;
unsigned long long s_waited_ms = 0;

void add_wait(void *, uint32 milliseconds)
{
    s_waited_ms += milliseconds;
    if (s_recording)
        s_recording->push_back({op_kind_t::wait, 0, milliseconds, {}, {}});
}

double signed16(uint16 v)
{
    return static_cast<int16>(v);
}

// Registers, a flash image and the analog path of channel 0 behind the feedback ADC.
class plant_transport_t : public bench_counting_transport_t
{
public:
    plant_transport_t() : regs(65536, 0), image(65536, 0xFF) {}

    int32 reg_read_fpga_reg(uint32 address) override
    {
        record(op_kind_t::read, address, 0);
        return address == 98 ? adc() : regs[address & 0xFFFF];
    }
    int32 reg_write_fpga_reg(uint32 address, uint32 value) override
    {
        record(op_kind_t::write, address, value);
        regs[address & 0xFFFF] = static_cast<uint16>(value);
        return 0;
    }
    int32 reg_write_fpga_words(uint32 address, const uint16 *words, uint32 count) override
    {
        record_words(op_kind_t::words, address, words, count);
        return keep_wave(words, count);
    }
    int32 reg_write_block(uint32 address, const uint16 *words, uint32 count) override
    {
        record_words(op_kind_t::block, address, words, count);
        return keep_wave(words, count);
    }
    int32 reg_write_fpga_data_by_byte(uint16 address, const uint8 *data, uint32 length) override
    {
        return write_bytes(address, data, length);
    }
    int32 reg_write_fpga_data_by_byte(uint32 address, const uint8 *data, uint32 length) override
    {
        return write_bytes(address & 0xFFFF, data, length);
    }
    int32 reg_read_fpga_data(uint16 address, uint8 *data, uint32 length) override
    {
        if (s_recording)
            s_recording->push_back({op_kind_t::byte_read, address, length, {}, {}});
        const uint32 n = std::min<uint32>(length, 65536u - address);
        std::memcpy(data, image.data() + address, n);
        return 0;
    }

    std::vector<uint16> regs;
    std::vector<uint8> image;
    int wave = 0;

private:
    void record(op_kind_t kind, uint32 address, uint32 value)
    {
        if (s_recording)
            s_recording->push_back({kind, address, value, {}, {}});
    }
    void record_words(op_kind_t kind, uint32 address, const uint16 *words, uint32 count)
    {
        if (s_recording)
            s_recording->push_back({kind, address, count, std::vector<uint16>(words, words + count), {}});
    }
    int32 keep_wave(const uint16 *words, uint32 count)
    {
        // The samples are read as a real transport would read them to send them.
        unsigned long long sum = 0;
        for (uint32 i = 0; i < count; ++i)
            sum += words[i];
        block_sum += sum;
        if (count > 0) {
            int code = words[0] & 0x3FFF;
            wave = code >= 0x2000 ? code - 0x4000 : code;
        }
        return 1;
    }
    int32 write_bytes(uint32 address, const uint8 *data, uint32 length)
    {
        if (s_recording)
            s_recording->push_back({op_kind_t::byte_write, address, length, {}, std::vector<uint8>(data, data + length)});
        std::memcpy(image.data() + address, data, std::min<uint32>(length, 65536u - address));
        return 0;
    }
    // The same path as the test plant: reference, trim, DC DAC and range relays.
    int32 adc() const
    {
        const double r = (signed16(regs[41]) - 12.0) / 10922.0;
        const double w = wave / 8191.5;
        double gain = 0.8;
        if (regs[24] & 0x2)
            gain *= 0.5;
        if (regs[24] & 0x4)
            gain *= 0.25;
        double v = 0.0;
        switch (regs[96] & 0x7) {
        case 0: v = r; break;
        case 2: v = w * r * 0.5 + (7.0 - signed16(regs[44])) * 0.0002; break;
        case 4: v = gain * (w * r * 0.5 + (signed16(regs[132]) + 25.0) / 10922.0); break;
        default: break;
        }
        const double code = std::fmin(4095.0, std::fmax(0.0, std::round(2044.1 - 1365.0 * v)));
        return 0x8000 | static_cast<int32>(code);
    }
};

plant_transport_t *transport()
{
    static plant_transport_t *const installed = [] {
        gos_set_sleep_hook(add_wait, nullptr);
        drv_set_reg_transport_factory([] { return std::make_unique<plant_transport_t>(); });
        return static_cast<plant_transport_t *>(drv_instance_manage_t::get_instance()->get_reg_transport());
    }();
    return installed;
}

// One calibration recorded: its transport calls and waits, and its console output as
// the chunks the library flushed, so the replay writes the same bytes in as many writes.
struct recorded_t
{
    std::vector<op_t> ops;
    std::vector<std::string> chunks;
};

ssize_t keep_chunk(void *cookie, const char *data, size_t size)
{
    static_cast<std::vector<std::string> *>(cookie)->emplace_back(data, size);
    return static_cast<ssize_t>(size);
}

const recorded_t &recorded()
{
    static const recorded_t once = [] {
        transport();
        recorded_t r;
        std::fflush(stdout);
        cookie_io_functions_t io{};
        io.write = keep_chunk;
        std::FILE *console = stdout;
        stdout = fopencookie(&r.chunks, "w", io);
        s_recording = &r.ops;
        cali_get_instance()->calibrate();
        s_recording = nullptr;
        std::fclose(stdout);
        stdout = console;
        return r;
    }();
    return once;
}

void BM_driver_calibrate(benchmark::State &state)
{
    recorded();
    cali_t *cali = cali_get_instance();
    const unsigned long long waited = s_waited_ms;
    for (auto _ : state)
        cali->calibrate();
    state.counters["waited_ms_per_call"] =
        static_cast<double>(s_waited_ms - waited) / static_cast<double>(state.iterations());
    state.counters["transport_ops"] = static_cast<double>(recorded().ops.size());
    state.counters["console_writes"] = static_cast<double>(recorded().chunks.size());
}

void BM_direct_calibrate(benchmark::State &state)
{
    const recorded_t &r = recorded();
    plant_transport_t *t = transport();
    for (auto _ : state) {
        uint8 piece[256];
        for (const op_t &op : r.ops) {
            switch (op.kind) {
            case op_kind_t::read: benchmark::DoNotOptimize(t->reg_read_fpga_reg(op.address)); break;
            case op_kind_t::write: t->reg_write_fpga_reg(op.address, op.value); break;
            case op_kind_t::words: t->reg_write_fpga_words(op.address, op.words.data(), op.value); break;
            case op_kind_t::block: t->reg_write_block(op.address, op.words.data(), op.value); break;
            case op_kind_t::byte_write:
                t->reg_write_fpga_data_by_byte(static_cast<uint16>(op.address), op.bytes.data(), op.value);
                break;
            case op_kind_t::byte_read:
                t->reg_read_fpga_data(static_cast<uint16>(op.address), piece, std::min<uint32>(op.value, sizeof piece));
                break;
            case op_kind_t::wait: gos_sleep_ms(op.value); break;
            }
        }
        for (const std::string &chunk : r.chunks)
            gos_printf("%s", chunk.c_str());
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_driver_calibrate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_direct_calibrate)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
