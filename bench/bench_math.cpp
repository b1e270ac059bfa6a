// The math engines file to file: a Hanning window, the arithmetic and the compile of a
// one-period sine on 20,971,520 samples; the equation compile on 1,000,000 samples with
// and without its compiled path. compare_math.py runs this beside numpy doing the same work and prints the
// ratios. `bench_math --peak=<name>` instead runs one operation and prints the peak
// resident memory in KiB (one fresh process per operation).
#include "bench_peak.h"
#include "lib_equation_compile.h"
#include "lib_file_io.h"
#include "lib_window_func.h"
#include "lib_wv_arith.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using record_t = lib_wv_data_t<short int>;

constexpr uint32 k_points = 20971520;
constexpr int32 k_equation_points = 1000000;

// The same sample files compare_math.py reads for numpy: written once per process.
void fill(record_t &rec, uint32 n, int seed)
{
    std::vector<short> block(1 << 20);
    rec.samples.truncate(0);
    for (uint32 at = 0; at < n; at += uint32(block.size())) {
        for (std::size_t i = 0; i < block.size(); ++i)
            block[i] = short(((at + i) * 7919u + uint32(seed) * 104729u) % 65535u) - 32767;
        rec.samples.write(at, block.data(), std::min<uint32>(uint32(block.size()), n - at));
    }
}

// Two records and a pristine copy of the second, which the arithmetic overwrites.
struct arith_input_t
{
    record_t a, b;
    std::string pristine = "bench_math_pristine.bin";

    arith_input_t()
    {
        fill(a, k_points, 1);
        a.amp = 3.0f;
        a.offset = 0.5f;
        fill(b, k_points, 2);
        restore();
        lib_fd_t in = lib_open_read(b.samples.path), out = lib_open_trunc(pristine);
        lib_copy_bytes(in.get(), 0, out.get(), 0, uint64(k_points) * 2);
    }
    ~arith_input_t() { std::remove(pristine.c_str()); }

    void restore()
    {
        b.amp = 2.0f;
        b.offset = -0.25f;
        lib_fd_t in = lib_open_read(pristine);
        if (!in.ok())
            return;
        lib_fd_t out = lib_open_rw(b.samples.path);
        lib_copy_bytes(in.get(), 0, out.get(), 0, uint64(k_points) * 2);
    }
};

using arith_fn_t = int32 (*)(const record_t *, uint32, record_t *, range_data_t);

arith_fn_t arith_of(const std::string &name)
{
    if (name == "add")
        return lib_math_get_data_by_add;
    if (name == "mul")
        return lib_math_get_data_by_mul;
    return lib_math_get_data_by_div;
}

const QStringList k_equation = {"k1=2.5", "k1*sin(2*pi*x)*exp(0-3*x)+x^2"};

int32 compile_once(bool fast)
{
    record_t result;
    int32 line = 0;
    lib_equation_span_t span;
    lib_equation_set_fast_path(fast);
    return lib_equation_compile(k_equation, k_equation_points, &result, &line, &span);
}

const QStringList k_sine = {"sin(2*pi*x)"};

// The one-period sine compiled into all 20,971,520 samples.
int32 compile_sine()
{
    record_t result;
    int32 line = 0;
    lib_equation_span_t span;
    lib_equation_set_fast_path(true);
    const int32 status = lib_equation_compile(k_sine, int32(k_points), &result, &line, &span);
    return status > 37 && result.samples.size() == k_points ? 0 : 1;
}

void BM_window_hanning(benchmark::State &state)
{
    record_t src, dst;
    fill(src, k_points, 1);
    for (auto _ : state) {
        if (lib_window_func().window_hanning(&src, &dst, 1.0f) != 0)
            state.SkipWithError("window failed");
    }
}

void BM_arith(benchmark::State &state, const std::string &name)
{
    arith_input_t in;
    const arith_fn_t fn = arith_of(name);
    for (auto _ : state) {
        state.PauseTiming();
        in.restore();
        state.ResumeTiming();
        if (fn(&in.a, k_points, &in.b, {0.0, double(k_points)}) != 0)
            state.SkipWithError("arithmetic failed");
    }
}

void BM_compile(benchmark::State &state)
{
    for (auto _ : state) {
        if (compile_once(state.range(0) != 0) <= 37)
            state.SkipWithError("compile failed");
    }
}

void BM_compile_sine(benchmark::State &state)
{
    for (auto _ : state) {
        if (compile_sine() != 0)
            state.SkipWithError("compile failed");
    }
}

int peak_mode(const std::string &name)
{
    int32 rc = 0;
    if (name == "hanning") {
        record_t src, dst;
        fill(src, k_points, 1);
        rc = lib_window_func().window_hanning(&src, &dst, 1.0f);
    } else if (name == "add" || name == "mul" || name == "div") {
        arith_input_t in;
        rc = arith_of(name)(&in.a, k_points, &in.b, {0.0, double(k_points)});
    } else if (name == "compile_sine") {
        rc = compile_sine();
    } else if (name == "compile_fast" || name == "compile_text") {
        rc = compile_once(name == "compile_fast") > 37 ? 0 : 1;
    } else {
        return 2;
    }
    std::fprintf(stderr, "%s %ld\n", name.c_str(), bench_peak_kib());
    return rc == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--peak=", 7) == 0)
            return peak_mode(argv[i] + 7);
    BENCHMARK(BM_window_hanning)->Unit(benchmark::kMillisecond)->UseRealTime();
    for (const char *name : {"add", "mul", "div"})
        benchmark::RegisterBenchmark((std::string("BM_arith/") + name).c_str(), BM_arith, std::string(name))
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    BENCHMARK(BM_compile_sine)->Unit(benchmark::kMillisecond)->UseRealTime();
    BENCHMARK(BM_compile)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
