// Document-window edits on 20,971,520 samples: recording one undo step against `cp` of
// the 40 MB sample file to a new file (spawned directly) and the kernel's copy of it, and
// a horizontal line over 1,000,000 samples against an fwrite of 2 MB (the line's file
// write) and as a whole mouse move. BM_edit_100M: the whole-waveform edits, cut and
// paste of 1,000,000 samples, undo and redo of a document of 100,000,000 samples, each
// with its undo step and redraw, beside the two copies of its 200 MB file.
#include "bench_copy_baseline.h"
#include "cfg_if_wv.h"
#include "ui_draw_point.h"
#include "ui_paste_option.h"
#include "ui_plot_cursor.h"
#include "ui_preview_plot.h"
#include "ui_waveform.h"
#include "ui_wv_undo_stack.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
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

void BM_cp(benchmark::State &state)
{
    lib_wv_data_t<short int> rec;
    fill(rec, k_points);
    bench_copy_loop(state, rec.samples.path, bench_spawn_cp);
}

void BM_copy_file_range(benchmark::State &state)
{
    lib_wv_data_t<short int> rec;
    fill(rec, k_points);
    bench_copy_loop(state, rec.samples.path, bench_copy_file_range);
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

constexpr uint32 k_points_100m = 100000000;
constexpr uint32 k_cut = 1000000;

// One shown document window of 100,000,000 samples, made once per process and gone
// before the application object.
std::unique_ptr<ui_waveform_t> g_document_100m;

ui_waveform_t &document_100m()
{
    std::unique_ptr<ui_waveform_t> &win = g_document_100m;
    if (!win) {
        win.reset(new ui_waveform_t(nullptr, nullptr, k_points_100m, 1000.0f, nullptr));
        // A model whose waveforms may be that long, so that a paste is not refused.
        win->wave_object->set_instr_type(INSTR_ZQW8000A);
        fill(*win->get_wave_data(), k_points_100m);
        win->set_saved(true);
        win->show();
    }
    return *win;
}

void select_all(ui_waveform_t &win)
{
    const uint32 n = win.get_wave_data()->samples.size();
    win.cursor->set_selzone_range(0, n - 1);
    win.cursor->show_selzone(0, n - 1);
    win.set_select_kind(0);
}

enum edit_kind_t { k_invert, k_mirror, k_cut_1m, k_paste_1m, k_undo, k_redo };

void BM_edit_100M(benchmark::State &state)
{
    ui_waveform_t &win = document_100m();
    ui_wv_undo_stack_t *stack = win.get_undo_stack();
    const auto kind = static_cast<edit_kind_t>(state.range(0));
    // One round untimed first, as the copies' baselines run on a file they have read.
    bool warm = false;
    auto pause = [&] {
        if (warm)
            state.PauseTiming();
    };
    auto resume = [&] {
        if (warm)
            state.ResumeTiming();
    };
    auto round = [&] {
        pause();
        stack->clear();
        select_all(win);
        if (kind == k_paste_1m) {
            win.cursor->set_selzone_range(100, 100 + k_cut - 1);
            win.do_copy_selected_wv();
        } else if (kind == k_undo || kind == k_redo) {
            win.invert_waveform();
            if (kind == k_redo)
                stack->undo();
        }
        if (kind == k_cut_1m)
            win.cursor->set_selzone_range(100, 100 + k_cut - 1);
        resume();
        switch (kind) {
        case k_invert:
            win.invert_waveform();
            break;
        case k_mirror:
            win.mirror_waveform();
            break;
        case k_cut_1m:
            win.cut_waveform();
            break;
        case k_paste_1m: {
            // As the paste dialog's OK does it: at the end.
            ui_paste_option_t *form = new ui_paste_option_t(&win, false);
            form->set_paste_type(1);
            win.paste_option_form_btn_slot_func(form, 3);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            break;
        }
        case k_undo:
            stack->undo();
            break;
        case k_redo:
            stack->redo();
            break;
        }
        pause();
        // Back to the full length for the next round.
        if ((kind == k_cut_1m || kind == k_paste_1m) && stack->canUndo())
            stack->undo();
        if (win.get_wave_data()->samples.size() != k_points_100m)
            state.SkipWithError("the document did not come back to its length");
        resume();
    };
    round();
    warm = true;
    for (auto _ : state)
        round();
    stack->clear();
}

void BM_cp_100M(benchmark::State &state)
{
    bench_copy_loop(state, document_100m().get_wave_data()->samples.path, bench_spawn_cp);
}

void BM_copy_file_range_100M(benchmark::State &state)
{
    bench_copy_loop(state, document_100m().get_wave_data()->samples.path, bench_copy_file_range);
}

} // namespace

BENCHMARK(BM_cp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_copy_file_range)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_cp_100M)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_copy_file_range_100M)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_edit_100M)
    ->ArgName("edit")
    ->DenseRange(k_invert, k_redo)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
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
    g_document_100m.reset();
    return 0;
}
