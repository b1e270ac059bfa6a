// Generation of 20,971,520-point waveforms including the file write, next to the plain
// writes and reads they are measured against, and the equality test next to `cmp`
// (spawned directly). The noise also at 1,048,576 points beside an fwrite of 2 MB.
// compare_generators.py runs this beside numpy and prints the ratios.
// `bench_generators --peak=<name>[:<points>]` instead runs one generation and prints the
// peak resident memory in KiB (one fresh process per generator).
#include "bench_copy_baseline.h"
#include "bench_peak.h"
#include "cfg_if_adwv_exp.h"
#include "cfg_if_adwv_multi_pulse.h"
#include "cfg_if_adwv_sinc.h"
#include "cfg_if_adwv_stair_step.h"
#include "cfg_if_bswv_dc.h"
#include "cfg_if_bswv_noise.h"
#include "cfg_if_bswv_pulse.h"
#include "cfg_if_bswv_ramp.h"
#include "cfg_if_bswv_sine.h"
#include "cfg_if_bswv_square.h"
#include "cfg_sine_template.h"
#include "cfg_wv_data_ops.h"
#include "lib_file_io.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;
constexpr uint32 k_points_1m = 1048576;

std::unique_ptr<cfg_if_wv_t> make(const std::string &name, uint32 points = k_points)
{
    std::unique_ptr<cfg_if_wv_t> wv;
    if (name == "sine_template" || name == "sine_template_c1" || name == "sine_computed")
        wv = std::make_unique<cfg_if_bswv_sine_t>();
    else if (name == "square")
        wv = std::make_unique<cfg_if_bswv_square_t>();
    else if (name == "ramp")
        wv = std::make_unique<cfg_if_bswv_ramp_t>();
    else if (name == "pulse")
        wv = std::make_unique<cfg_if_bswv_pulse_t>();
    else if (name == "noise" || name == "noise_1M")
        wv = std::make_unique<cfg_if_bswv_noise_t>();
    else if (name == "dc")
        wv = std::make_unique<cfg_if_bswv_dc_t>();
    else if (name == "sinc" || name == "sinc_c1")
        wv = std::make_unique<cfg_if_adwv_sinc_t>();
    else if (name == "stair")
        wv = std::make_unique<cfg_if_adwv_stair_step_t>(true);
    else if (name == "exp")
        wv = std::make_unique<cfg_if_adwv_exp_t>(true);
    else if (name == "multi_pulse") {
        auto mp = std::make_unique<cfg_if_adwv_multi_pulse_t>();
        // Two pulses of a quarter of the points each, with delays to match.
        const float quarter = float(points / 4) * 1e-9f;
        for (uint32 i = 0; i < 2; ++i) {
            mp->set_pulse_width(i, quarter);
            mp->set_pulse_delay(i, quarter);
        }
        mp->set_instr_type(INSTR_ZQW8000A);
        wv = std::move(mp);
    }
    if (wv && name != "multi_pulse") {
        wv->set_wv_len(name == "noise_1M" ? k_points_1m : points);
        // Ten cycles; the sinc and the sine also at one cycle.
        wv->set_cycle(name == "sinc_c1" || name == "sine_template_c1" ? 1 : 10);
        wv->set_phase(30.0f);
    }
    return wv;
}

// The template read whole once, so that the generator and its baseline both find it in
// the page cache, whatever ran before.
void warm_template()
{
    lib_fd_t in = lib_open_read("sine.bin");
    std::vector<char> buf(1u << 20);
    for (std::uint64_t at = 0; in.ok() && lib_pread_all(in.get(), buf.data(), buf.size(), at) > 0; at += buf.size()) {
    }
}

void prepare_template(const std::string &name)
{
    if ((name == "sine_template" || name == "sine_template_c1") && lib_file_length("sine.bin") != std::int64_t(CFG_SINE_TEMPLATE_BYTES))
        cfg_write_sine_template("sine.bin");
    if (name == "sine_template" || name == "sine_template_c1")
        warm_template();
    if (name == "sine_computed")
        std::remove("sine.bin");
}

// Silences the generators' diagnostic lines while measuring.
struct quiet_stdout_t
{
    quiet_stdout_t() : saved(std::getenv("BENCH_VERBOSE") ? -1 : ::dup(1))
    {
        if (saved >= 0)
            std::freopen("/dev/null", "w", stdout);
    }
    ~quiet_stdout_t()
    {
        if (saved < 0)
            return;
        std::fflush(stdout);
        ::dup2(saved, 1);
        ::close(saved);
    }
    int saved;
};

void BM_generate(benchmark::State &state, const std::string &name)
{
    prepare_template(name);
    auto wv = make(name);
    quiet_stdout_t quiet;
    for (auto _ : state)
        if (wv->create_wv_data() != 0)
            state.SkipWithError("generation failed");
    state.SetBytesProcessed(state.iterations() * int64_t(*wv->get_wv_len()) * 2);
}

const std::vector<short int> &pattern()
{
    static std::vector<short int> v;
    if (v.empty()) {
        v.resize(k_points);
        for (uint32 i = 0; i < k_points; ++i)
            v[i] = short(i * 7u);
    }
    return v;
}

// The baseline: the same bytes written with one fwrite (40 MB, or 2 MB with argument 1)
// to a new file, as a generator writes a new file in place of the old one (emptying the
// old file instead would wait for its write-back).
void BM_fwrite(benchmark::State &state)
{
    const auto &v = pattern();
    const std::size_t n = state.range(0) ? k_points_1m : k_points;
    for (auto _ : state) {
        std::remove("fwrite.bin");
        std::FILE *f = std::fopen("fwrite.bin", "wb");
        std::fwrite(v.data(), 2, n, f);
        std::fclose(f);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(n) * 2);
}

// The template baseline: reading the 100 MB template, then that fwrite.
void BM_template_read_fwrite(benchmark::State &state)
{
    prepare_template("sine_template");
    const auto &v = pattern();
    std::vector<short int> tpl(CFG_SINE_TEMPLATE_LEN);
    for (auto _ : state) {
        std::FILE *in = std::fopen("sine.bin", "rb");
        if (std::fread(tpl.data(), 2, tpl.size(), in) != tpl.size())
            state.SkipWithError("short template");
        std::fclose(in);
        std::remove("fwrite.bin");
        std::FILE *f = std::fopen("fwrite.bin", "wb");
        std::fwrite(v.data(), 2, v.size(), f);
        std::fclose(f);
    }
}

struct equal_pair_t
{
    lib_wv_data_t<short int> a, b;
};

equal_pair_t &equal_pair(bool first_block_differs)
{
    static std::map<bool, std::unique_ptr<equal_pair_t>> pairs;
    auto &p = pairs[first_block_differs];
    if (!p) {
        p = std::make_unique<equal_pair_t>();
        std::vector<short int> v = pattern();
        p->a.samples.write(0, v.data(), k_points);
        if (first_block_differs)
            v[0] ^= 1;
        p->b.samples.write(0, v.data(), k_points);
    }
    return *p;
}

void BM_equal(benchmark::State &state)
{
    equal_pair_t &p = equal_pair(state.range(0) != 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(lib_math_is_data_equal(p.a, p.b));
    state.SetBytesProcessed(state.iterations() * int64_t(k_points) * 4);
}

void BM_cmp(benchmark::State &state)
{
    equal_pair_t &p = equal_pair(false);
    std::string cmp = "cmp", quiet = "-s", a = p.a.samples.path, b = p.b.samples.path;
    char *argv[] = {&cmp[0], &quiet[0], &a[0], &b[0], nullptr};
    for (auto _ : state) {
        pid_t pid = 0;
        int status = 0;
        if (::posix_spawnp(&pid, "cmp", nullptr, nullptr, argv, environ) != 0 || ::waitpid(pid, &status, 0) != pid ||
            !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("cmp failed");
    }
    state.SetBytesProcessed(state.iterations() * int64_t(k_points) * 4);
}

const char *const k_generators[] = {"sine_template", "sine_template_c1", "sine_computed", "square", "ramp",
                                    "pulse",         "noise",            "noise_1M",      "dc",     "sinc",
                                    "sinc_c1",       "stair",            "exp",           "multi_pulse"};

int peak_mode(const std::string &request)
{
    const std::size_t colon = request.find(':');
    const std::string name = request.substr(0, colon);
    const uint32 points = colon == std::string::npos ? k_points : uint32(std::stoul(request.substr(colon + 1)));
    prepare_template(name);
    auto wv = make(name, points);
    if (!wv)
        return 2;
    int rc;
    {
        quiet_stdout_t quiet;
        rc = wv->create_wv_data();
    }
    std::printf("%s %ld\n", name.c_str(), bench_peak_kib());
    return rc == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--peak=", 7) == 0)
            return peak_mode(argv[i] + 7);
    BENCHMARK(BM_fwrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    BENCHMARK(BM_template_read_fwrite)->Unit(benchmark::kMillisecond)->UseRealTime();
    for (const char *name : k_generators)
        benchmark::RegisterBenchmark((std::string("BM_generate/") + name).c_str(), BM_generate, std::string(name))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    BENCHMARK(BM_equal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
    BENCHMARK(BM_cmp)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
