// A plot reload (what every zoom, wheel notch and cursor drag costs): load the visible
// stretch through the plot loader and paint the plot, offscreen.
//   BM_reload_all: all 20,971,520 samples visible; counter "over_extraction_ms" is the
//     reload time minus the bare extraction of the same stretch in the same run (budget 15),
//     "x_budget" the reload time divided by (extraction + 15 ms).
//   BM_reload_stretch: a 1,000,000-sample stretch visible; "x_budget" is the time / 20 ms.
#include "lib_wv_extract.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

using clock_type = std::chrono::steady_clock;
constexpr uint32 k_samples = 20971520;

lib_wv_data_t<short int> &waveform()
{
    static std::unique_ptr<lib_wv_data_t<short int>> data;
    if (!data) {
        data = std::make_unique<lib_wv_data_t<short int>>();
        std::vector<short int> piece(1 << 20);
        for (uint32 at = 0; at < k_samples; at += piece.size()) {
            for (uint32 i = 0; i < piece.size(); ++i) {
                uint32 s = at + i;
                // a square wave with noise-like ripple and a few spikes
                piece[i] = static_cast<short int>(((s / 4096) % 2 ? 20000 : -20000) + int(s * 2654435761u % 2001) - 1000);
                if (s % 1000003 == 0)
                    piece[i] = 32767;
            }
            data->samples.write(at, piece.data(), static_cast<uint32>(piece.size()));
        }
    }
    return *data;
}

ui_preview_plot_t &shown_plot()
{
    static ui_preview_plot_t *plot = nullptr;
    if (!plot) {
        plot = new ui_preview_plot_t; // lives for the run
        plot->resize(1200, 600);
        plot->set_axis_show(true);
        plot->set_grid_show(true);
        plot->show();
        QApplication::processEvents();
    }
    return *plot;
}

double seconds_since(clock_type::time_point t0)
{
    return std::chrono::duration<double>(clock_type::now() - t0).count();
}

// Loader plus the paint it schedules.
double reload_seconds(ui_preview_plot_t &plot, uint32 start, uint32 count)
{
    clock_type::time_point t0 = clock_type::now();
    plot_load_waveform_part(&plot, start, &waveform(), count, 3000);
    QApplication::processEvents();
    return seconds_since(t0);
}

double extraction_seconds(uint32 start, uint32 count)
{
    std::vector<int16> out(3000);
    double best = 1e9;
    for (int i = 0; i < 5; ++i) {
        clock_type::time_point t0 = clock_type::now();
        lib_math_extract_data(&waveform(), count, out.data(), 3000, start);
        best = std::min(best, seconds_since(t0));
    }
    return best;
}

void BM_reload_all(benchmark::State &state)
{
    ui_preview_plot_t &plot = shown_plot();
    const double extract_s = extraction_seconds(0, k_samples);
    reload_seconds(plot, 0, k_samples);
    double total = 0;
    for (auto _ : state)
        total += reload_seconds(plot, 0, k_samples);
    const double per = total / state.iterations();
    state.counters["extraction_ms"] = extract_s * 1e3;
    state.counters["over_extraction_ms"] = (per - extract_s) * 1e3;
    state.counters["x_budget"] = per / (extract_s + 0.015);
}

void BM_reload_stretch(benchmark::State &state)
{
    ui_preview_plot_t &plot = shown_plot();
    const uint32 start = 7000000, count = 1000000;
    reload_seconds(plot, start, count);
    double total = 0;
    for (auto _ : state)
        total += reload_seconds(plot, start, count);
    const double per = total / state.iterations();
    state.counters["x_budget"] = per / 0.020;
}

} // namespace

BENCHMARK(BM_reload_all)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_reload_stretch)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // sample files are made in the working directory: keep them out of the build tree
    std::string tmpl = (std::filesystem::temp_directory_path() / "ondrix_bench_XXXXXX").string();
    std::vector<char> dir(tmpl.begin(), tmpl.end());
    dir.push_back('\0');
    if (!mkdtemp(dir.data()) || chdir(dir.data()) != 0)
        return 2;
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(dir.data(), ec);
    return 0;
}
