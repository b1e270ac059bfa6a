// Framing of a 41,943,040-byte USB-TMC write (headers, padding, the split into 1 MiB
// messages) into a sink that discards each transfer, beside one memcpy of the payload.
#include "visa_usbtmc_io.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr std::size_t k_bytes = 41943040;

// Takes every transfer whole and keeps nothing.
class discard_port_t : public visa_usbtmc_port_t
{
public:
    visa_usb_xfer_t bulk_out(const std::uint8_t *data, std::size_t size, std::size_t &taken, std::uint32_t) override
    {
        benchmark::DoNotOptimize(data);
        taken = size;
        ++transfers;
        return visa_usb_xfer_t::OK;
    }
    visa_usb_xfer_t bulk_in(std::uint8_t *, std::size_t, std::size_t &got, std::uint32_t) override
    {
        got = 0;
        return visa_usb_xfer_t::FAILED;
    }
    std::size_t in_packet_size() const override { return 512; }

    std::size_t transfers = 0;
};

std::vector<std::uint8_t> payload()
{
    std::vector<std::uint8_t> data(k_bytes);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(i * 7 + 3);
    return data;
}

void BM_frame_write(benchmark::State &state)
{
    const std::vector<std::uint8_t> data = payload();
    discard_port_t port;
    visa_usbtmc_io_t io;
    for (auto _ : state) {
        std::uint32_t written = 0;
        if (io.write(port, data.data(), static_cast<std::uint32_t>(data.size()), written, 1000) !=
                visa_usbtmc_end_t::DONE ||
            written != k_bytes)
            state.SkipWithError("the write did not go out whole");
    }
    state.counters["transfers"] = static_cast<double>(port.transfers) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * k_bytes));
}

void BM_memcpy_payload(benchmark::State &state)
{
    const std::vector<std::uint8_t> data = payload();
    std::vector<std::uint8_t> copy(k_bytes, 1); // touched, as the framing's buffer is after its first use
    for (auto _ : state) {
        std::memcpy(copy.data(), data.data(), k_bytes);
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * k_bytes));
}

} // namespace

BENCHMARK(BM_frame_write)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_memcpy_payload)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
