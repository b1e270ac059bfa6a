// Document-window edits on 20,971,520 samples: recording one undo step against a plain
// `cp --reflink=never` of the 40 MB sample file, and a horizontal line over 1,000,000
// samples against an fwrite of 2 MB (the line's file write) and as a whole mouse move.
#include "cfg_if_wv.h"
#include "ui_draw_point.h"
#include "ui_plot_cursor.h"
#include "ui_preview_plot.h"
#include "ui_waveform.h"
#include "ui_wv_undo_stack.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;
constexpr uint32 k_line = 1000000;

void fill(lib_wv_data_t<short int> &rec, uint32 n)
{
    std::vector<short int> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<short int>(i * 7);
    rec.samples.truncate(0);
    for (uint32 at = 0; at < n; at += block.size())
        rec.samples.write(at, block.data(), std::min<uint32>(block.size(), n - at));
}

// One document window of k_points samples, shown whole.
std::unique_ptr<ui_waveform_t> make_document()
{
    std::unique_ptr<ui_waveform_t> win(new ui_waveform_t(nullptr, nullptr, k_points, 1000.0f, nullptr));
    fill(*win->get_wave_data(), k_points);
    win->set_saved(true);
    return win;
}

void BM_cp_baseline(benchmark::State &state)
{
    lib_wv_data_t<short int> rec;
    fill(rec, k_points);
    const std::string cmd = "cp --reflink=never '" + rec.samples.path + "' bench_cp_copy.bin";
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0)
            state.SkipWithError("cp failed");
    }
    std::remove("bench_cp_copy.bin");
}

// Backup, change of the last sample, then the commit: equality test and two snapshots.
void BM_record_undo_step(benchmark::State &state)
{
    std::unique_ptr<ui_waveform_t> win = make_document();
    short int v = 1;
    for (auto _ : state) {
        win->backup_wave_data();
        state.PauseTiming();
        win->get_wave_data()->samples.set(k_points - 1, v++);
        state.ResumeTiming();
        win->commit_edit();
        state.PauseTiming();
        if (win->get_undo_stack()->count() != 1)
            state.SkipWithError("no step recorded");
        win->get_undo_stack()->clear();
        state.ResumeTiming();
    }
}

void BM_fwrite_2MB(benchmark::State &state)
{
    const std::vector<short int> block(k_line, 5);
    for (auto _ : state) {
        std::FILE *f = std::fopen("bench_fwrite.bin", "r+b");
        if (!f)
            f = std::fopen("bench_fwrite.bin", "wb");
        std::fwrite(block.data(), sizeof(short int), block.size(), f);
        std::fclose(f);
    }
    std::remove("bench_fwrite.bin");
}

void BM_hline_file_write(benchmark::State &state)
{
    lib_wv_data_t<short int> rec;
    fill(rec, k_points);
    short int v = 0;
    for (auto _ : state)
        draw_fill_run(rec, 1000, 1000 + k_line - 1, v++);
}

// One mouse move of a horizontal line: preview, file write, reload of the visible part.
void BM_hline_move(benchmark::State &state)
{
    std::unique_ptr<ui_waveform_t> win = make_document();
    win->show(); // the replots draw for real
    ui_draw_point_t *d = win->drawing;
    lib_wv_data_t<short int> &data = *win->get_wave_data();
    d->set_draw_type(2);
    d->set_start_point(1000, 100);
    double y = 0;
    for (auto _ : state)
        d->do_point_operate_by_mouse(UI_MOUSE_MOVE, nullptr, data, 1000 + k_line - 1, y++);
}

// The edits with whole-waveform file work, the display-scale conversions included, for
// the peak memory.
void BM_edit_chain(benchmark::State &state)
{
    std::unique_ptr<ui_waveform_t> win = make_document();
    for (auto _ : state) {
        win->cursor->set_selzone_range(0, k_points - 1);
        win->cursor->show_selzone(0, k_points - 1);
        win->set_select_kind(0);
        win->invert_waveform();
        win->mirror_waveform();
        win->do_copy_selected_wv();
        win->cursor->set_selzone_range(100, 1000099);
        win->set_select_kind(0);
        win->cut_waveform();
        win->set_paste_mode(1);
        win->backup_wave_data();
        win->paste_copy_buffer();
        win->commit_edit();
        win->get_undo_stack()->undo();
        ui_view_setting_t view = win->get_view_setting();
        win->apply_y_axis_setting(view);
        view.auto_scale = false;
        view.y_min = -3.0;
        win->apply_y_axis_setting(view);
        win->get_undo_stack()->clear();
    }
}

} // namespace

BENCHMARK(BM_cp_baseline)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_record_undo_step)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_fwrite_2MB)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_hline_file_write)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_hline_move)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_edit_chain)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
