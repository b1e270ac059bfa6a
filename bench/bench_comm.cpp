// The instrument layer's bulk transfers beside the plain file operation each must keep
// up with: building and writing one full download segment (classes 2 and 6) against one
// fread of the 40 MB sample file, and the read-back of a full reply and the import of a
// full trace against one fwrite of the sample file each produces. The instrument is a
// backend that discards what it is sent and serves canned replies from memory, and the
// pauses are skipped: they are fixed waits, not work.
#include "instr_scope.h"
#include "instr_send_wv.h"
#include "instr_wave_list.h"
#include "drv_device_comm.h"
#include "lib_alloc.h"
#include "lib_wv_data.h"
#include "plat_sleep.h"
#include "visa_backend.h"
#include "visa_registry.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_points = INSTR_SEGMENT_POINTS;
constexpr std::size_t k_readback_reply = 41943142;
constexpr std::size_t k_trace_reply = 29360640;

std::string &readback_reply()
{
    static std::string r;
    return r;
}

std::string &trace_reply()
{
    static std::string r;
    return r;
}

class bench_session_t : public visa_session_t
{
public:
    ViStatus write(const ViByte *buf, ViUInt32 count, ViUInt32 &written, ViUInt32) override
    {
        // Commands are told apart by their start; the samples of a download are not read.
        std::string head(reinterpret_cast<const char *>(buf), std::min<ViUInt32>(count, 64));
        m_reply = nullptr;
        m_at = 0;
        if (head.find("WVDT?") != std::string::npos)
            m_reply = &readback_reply();
        else if (head.find("WF? ALL") != std::string::npos)
            m_reply = &trace_reply();
        else if (head.find("vdiv?") != std::string::npos || head.find("ofst?") != std::string::npos)
            m_reply = &(m_small = "1.00E+00V\n");
        else if (head.find("tdiv?") != std::string::npos)
            m_reply = &(m_small = "1.00E-03S\n");
        else if (head.find("sara?") != std::string::npos)
            m_reply = &(m_small = "1.00E+09Sa/s\n");
        written = count;
        return VI_SUCCESS;
    }

    ViStatus read(ViByte *buf, ViUInt32 capacity, ViUInt32 &got, ViUInt32) override
    {
        got = 0;
        if (!m_reply)
            return VI_ERROR_TMO;
        std::size_t n = std::min<std::size_t>(capacity, m_reply->size() - m_at);
        std::memcpy(buf, m_reply->data() + m_at, n);
        m_at += n;
        got = ViUInt32(n);
        if (m_at < m_reply->size())
            return VI_SUCCESS_MAX_CNT;
        m_reply = nullptr;
        return VI_SUCCESS;
    }

    ViStatus clear(ViUInt32) override { return VI_SUCCESS; }

private:
    const std::string *m_reply = nullptr;
    std::size_t m_at = 0;
    std::string m_small;
};

class bench_backend_t : public visa_backend_t
{
public:
    void list_resources(std::vector<std::string> &) override {}
    bool claims(const visa_rsrc_name_t &) override { return true; }
    ViStatus open(const visa_rsrc_name_t &, ViUInt32, std::unique_ptr<visa_session_t> &session) override
    {
        session = std::make_unique<bench_session_t>();
        return VI_SUCCESS;
    }
};

ViSession open_session()
{
    ViSession s = 0;
    drv_device_comm_t::get_instance()->open_instr("TCPIP0::127.0.0.1::INSTR", s);
    return s;
}

// A full segment of samples in the record's file.
void fill(lib_wv_data_t<short> &rec) { rec.resize(k_points, 1234); }

// One fwrite of `bytes` bytes into a new file, from memory that is already there.
void fwrite_baseline(benchmark::State &state, std::size_t bytes)
{
    std::vector<char> data(bytes, 'x');
    for (auto _ : state) {
        FILE *f = std::fopen("bench_fwrite.bin", "wb");
        if (!f || std::fwrite(data.data(), 1, data.size(), f) != data.size())
            state.SkipWithError("fwrite failed");
        if (f)
            std::fclose(f);
    }
    std::remove("bench_fwrite.bin");
}

void BM_fread_segment(benchmark::State &state)
{
    lib_wv_data_t<short> rec;
    fill(rec);
    // A send builds a full segment's command in memory it keeps between sends; the
    // fread reads into a buffer kept the same way, so the comparison is of the work.
    const std::size_t bytes = std::size_t(k_points) * 2;
    auto buf = lib_alloc_array<char>(bytes);
    for (auto _ : state) {
        FILE *f = std::fopen(rec.samples.path.c_str(), "rb");
        std::size_t got = f && buf ? std::fread(buf.get(), 1, bytes, f) : 0;
        if (f)
            std::fclose(f);
        benchmark::DoNotOptimize(buf.get());
        if (got != bytes)
            state.SkipWithError("short read");
    }
}

void send_segment(benchmark::State &state, uint32 model)
{
    lib_wv_data_t<short> rec;
    fill(rec);
    ViSession s = open_session();
    for (auto _ : state) {
        if (instr_send_wave(s, 0, 2.0f, 0.0f, 1000.0, 1000.0 * k_points, 0.0f, int(k_points), "bench", rec, "ARB1",
                            model, 1, false) != 1)
            state.SkipWithError("send failed");
    }
}

void BM_send_class2(benchmark::State &state) { send_segment(state, 2); }
void BM_send_class6(benchmark::State &state) { send_segment(state, 6); }

// The read-back reply: 102 bytes of header with nine commas, then 20,971,520 samples.
void make_readback_reply()
{
    std::string head = "WVDT WVNM,bench,LENGTH,41943040B,FREQ,1000,AMPL,2,WAVEDATA,";
    head.insert(10, 102 - head.size(), 'n');
    std::string &r = readback_reply();
    r = head;
    r.resize(k_readback_reply);
    for (std::size_t i = head.size(); i < r.size(); ++i)
        r[i] = char(i * 13);
}

void BM_fwrite_readback(benchmark::State &state) { fwrite_baseline(state, k_readback_reply - 102); }

void BM_read_back(benchmark::State &state)
{
    make_readback_reply();
    lib_wv_data_t<short> dest;
    ViSession s = open_session();
    for (auto _ : state) {
        if (instr_read_wave(s, 2, "M0", dest) != int32(k_readback_reply))
            state.SkipWithError("read-back failed");
    }
}

// A trace reply: the header up to 357 bytes after its "#", the codes, two line feeds.
void make_trace_reply()
{
    std::string &r = trace_reply();
    r = "C1:WF ALL,#9";
    r.resize(10 + 357, '0');
    r.reserve(k_trace_reply);
    while (r.size() < k_trace_reply - 2)
        r.push_back(char(int(r.size() % 200) - 100));
    r += "\n\n";
}

void BM_fwrite_trace(benchmark::State &state) { fwrite_baseline(state, (k_trace_reply - 10 - 357 - 2) * 2); }

void BM_trace_import(benchmark::State &state)
{
    make_trace_reply();
    lib_wv_data_t<short> dest;
    ViSession s = open_session();
    instr_scope_t scope;
    for (auto _ : state) {
        if (scope.scope_read_waveform(s, 0, dest) != 0)
            state.SkipWithError("import failed");
    }
}

} // namespace

BENCHMARK(BM_fread_segment)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_send_class2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_send_class6)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_fwrite_readback)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_read_back)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_fwrite_trace)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_trace_import)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    plat_set_sleep_hook([](std::uint32_t) {});
    visa_registry_t::instance().set_override(std::make_shared<bench_backend_t>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
