// The filter engine on 20,971,520 samples: the cascade alone, the whole file-to-file
// filtering, and design plus response table at each family's highest order.
// `--write-inputs=DIR` writes what the comparison script feeds scipy: the cascade's
// input (float32), its sections with the gain folded into the first, the source
// waveform (int16) with its window, and the design specifications.
#include "iir_filter.h"
#include "math_sos_cascade.h"
#include "zqw_filter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;
constexpr float k_amp = 2.0f, k_offset = 0.1f;

// The eighth-order design (four sections): Butterworth low-pass at 48 kHz.
struct spec_t
{
    int family, band;
    float fs, e[4], apass, astop;
};
constexpr spec_t k_design8 = {0, 0, 48000, {6000, 10600}, -1, -40};

// Each family's highest accepted order: 200 (the elliptic estimate stays far below it).
constexpr spec_t k_highest[] = {
    {0, 0, 48000, {4000, 4147.3604f}, -1, -60},
    {1, 0, 48000, {4000, 4007.821f}, -1, -99},
    {2, 0, 48000, {4000, 4007.821f}, -1, -99},
    {3, 0, 48000, {4000, 4000.41f}, -0.02f, -99},
};

int design(IirFilter &f, const spec_t &s)
{
    const int rc = f.setParams(s.fs, s.e[0], s.apass, s.e[1], s.astop);
    return rc != 0 ? rc : f.design();
}

float noise_value(uint32 i)
{
    uint32 s = i * 2654435761u + 12345u;
    s ^= s >> 13;
    s *= 0x5bd1e995u;
    s ^= s >> 15;
    return static_cast<float>(static_cast<int>(s % 60001u) - 30000) / 32767.0f;
}

short int noise_sample(uint32 i) { return static_cast<short int>(noise_value(i) * 32767.0f); }

// Writes the source in 1 Mi-sample blocks so the set-up adds nothing to peak memory.
void write_source(const std::string &path)
{
    std::vector<short int> block(1u << 20);
    std::FILE *f = std::fopen(path.c_str(), "wb");
    for (uint32 at = 0; at < k_points; at += block.size()) {
        for (uint32 i = 0; i < block.size(); ++i)
            block[i] = noise_sample(at + i);
        std::fwrite(block.data(), sizeof(short int), block.size(), f);
    }
    std::fclose(f);
}

void BM_cascade(benchmark::State &state)
{
    IirFilter f(k_design8.band, k_design8.family);
    if (design(f, k_design8) != 0 || f.order != 8) {
        state.SkipWithError("design failed");
        return;
    }
    std::vector<float> x(k_points), y(k_points);
    for (uint32 i = 0; i < k_points; ++i)
        x[i] = noise_value(i);
    for (auto _ : state) {
        math_sos_cascade_t cascade(f.numCoefs, f.denCoefs, f.getWideGain());
        cascade.run(x.data(), y.data(), k_points);
        benchmark::DoNotOptimize(y.data());
    }
}

void BM_do_filter(benchmark::State &state)
{
    lib_wv_data_t<short int> src, dst;
    write_source(src.samples.path);
    src.amp = k_amp;
    src.offset = k_offset;
    ZqwFilter z;
    const spec_t &s = k_design8;
    for (auto _ : state) {
        if (z.butterworth_lowpass(&src, k_points, &dst, s.fs, s.e[0], s.e[1], s.apass, s.astop) != 0)
            state.SkipWithError("filtering failed");
    }
}

void BM_filter_cal(benchmark::State &state)
{
    IirFilter f(k_design8.band, k_design8.family);
    design(f, k_design8);
    std::vector<float> b, a;
    ZqwFilter::sections_to_poly(f.numCoefs, f.order, b);
    ZqwFilter::sections_to_poly(f.denCoefs, f.order, a);
    for (float &c : b)
        c *= f.overallGain;
    lib_wv_data_t<short int> src, dst;
    write_source(src.samples.path);
    src.amp = k_amp;
    src.offset = k_offset;
    ZqwFilter z;
    for (auto _ : state) {
        if (z.filter_cal(&src, k_points, b, a, f.order, &dst) != 0)
            state.SkipWithError("filtering failed");
    }
}

void BM_design(benchmark::State &state)
{
    const spec_t &s = k_highest[state.range(0)];
    for (auto _ : state) {
        IirFilter f(s.band, s.family);
        if (design(f, s) != 0)
            state.SkipWithError("design failed");
        benchmark::DoNotOptimize(f.responseTable());
    }
}

BENCHMARK(BM_cascade)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_do_filter)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_filter_cal)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_design)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();

void write_inputs(const std::string &dir)
{
    IirFilter f(k_design8.band, k_design8.family);
    design(f, k_design8);
    {
        std::ofstream out(dir + "/sections.csv");
        out.precision(17);
        const std::size_t sections = f.numCoefs.size() / 3;
        for (std::size_t i = 0; i < sections; ++i) {
            const double g = i == 0 ? static_cast<double>(f.getWideGain()) : 1.0;
            out << g * f.numCoefs[3 * i] << ',' << g * f.numCoefs[3 * i + 1] << ',' << g * f.numCoefs[3 * i + 2]
                << ',' << f.denCoefs[3 * i] << ',' << f.denCoefs[3 * i + 1] << ',' << f.denCoefs[3 * i + 2] << '\n';
        }
    }
    {
        std::vector<float> x(k_points);
        for (uint32 i = 0; i < k_points; ++i)
            x[i] = noise_value(i);
        std::FILE *fx = std::fopen((dir + "/cascade_input.f32").c_str(), "wb");
        std::fwrite(x.data(), sizeof(float), x.size(), fx);
        std::fclose(fx);
    }
    write_source(dir + "/source.i16");
    std::ofstream specs(dir + "/specs.csv");
    specs.precision(9);
    specs << "what,family,band,fs,e1,e2,apass,astop,amp,offset\n";
    const spec_t &d = k_design8;
    specs << "design8," << d.family << ',' << d.band << ',' << d.fs << ',' << d.e[0] << ',' << d.e[1] << ','
          << d.apass << ',' << d.astop << ',' << k_amp << ',' << k_offset << '\n';
    for (int i = 0; i < 4; ++i) {
        const spec_t &s = k_highest[i];
        specs << "highest" << i << ',' << s.family << ',' << s.band << ',' << s.fs << ',' << s.e[0] << ','
              << s.e[1] << ',' << s.apass << ',' << s.astop << ",0,0\n";
    }
}

} // namespace

int main(int argc, char **argv)
{
    const char *flag = "--write-inputs=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0) {
            write_inputs(argv[i] + std::strlen(flag));
            return 0;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
