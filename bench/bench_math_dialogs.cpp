// Each math tool's recompute on a document of 20,971,520 samples beside its engine alone on
// the same data: a window pick, a Waveform Math operation and source change, Design
// Filter and Compile. The dialogs are shown, so their plots draw for real.
#include "cfg_if_wv.h"
#include "lib_equation_compile.h"
#include "lib_window_func.h"
#include "lib_wv_arith.h"
#include "ui_equation_form.h"
#include "ui_equation_form_form.h"
#include "ui_filter_form.h"
#include "ui_window_form.h"
#include "ui_waveform.h"
#include "ui_wvmath_form.h"
#include "ui_wvmath_form_form.h"
#include "zqw_filter.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

constexpr uint32 k_points = 20971520;

void fill(lib_wv_data_t<short int> &rec, uint32 n)
{
    std::vector<short int> block(1 << 20);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<short int>((i * 7919) % 65535 - 32767);
    rec.samples.truncate(0);
    for (uint32 at = 0; at < n; at += block.size())
        rec.samples.write(at, block.data(), std::min<uint32>(block.size(), n - at));
    rec.amp = 3.0f;
    rec.offset = 0.5f;
}

// One document of k_points samples at 1000 Hz in an MDI area.
struct documents_t
{
    QMdiArea area;
    ui_waveform_t *doc;
    documents_t()
    {
        doc = new ui_waveform_t(nullptr, nullptr, k_points, 1000.0f, nullptr);
        fill(*doc->get_wave_data(), k_points);
        doc->wave_object->set_freq(1000.0);
        doc->set_saved(true);
        area.addSubWindow(doc)->setWindowTitle("Wave book1-wave1");
    }
    ~documents_t() { doc->set_saved(true); }
    QList<QMdiSubWindow *> list() const { return area.subWindowList(QMdiArea::CreationOrder); }
};

// Made in main, once the application object exists, and gone before it.
documents_t *g_docs = nullptr;

documents_t &docs() { return *g_docs; }

void BM_window_engine(benchmark::State &state)
{
    lib_wv_data_t<short int> out;
    lib_window_func windows;
    for (auto _ : state)
        if (windows.apply(lib_window_kind_t::hanning, docs().doc->get_wave_data(), &out, 0.0f, 1.0f) != 0)
            state.SkipWithError("window failed");
}

void BM_window_pick(benchmark::State &state)
{
    QList<QMdiSubWindow *> subs = docs().list();
    std::unique_ptr<ui_window_form_t> form(new ui_window_form_t(nullptr, subs));
    form->show();
    for (auto _ : state)
        form->window_type_comb_slot_func(2);
}

// The math dialog's own operands: the document and the dialog's first source (a sine).
struct math_dialog_t
{
    lib_wv_data_t<short int> clip;
    std::unique_ptr<ui_wvmath_form_t> form;
    math_dialog_t()
    {
        form.reset(new ui_wvmath_form_t(nullptr, docs().doc->get_wave_data(), &clip, {0.0, 0.0}, 16384,
                                        instr_zqw_t(2), 1000.0));
        form->show();
    }
};

void BM_arith_engine(benchmark::State &state)
{
    math_dialog_t m;
    lib_wv_data_t<short int> out;
    for (auto _ : state)
        if (lib_math_get_data_by(LIB_MATH_ADD, docs().doc->get_wave_data(), m.form->get_source_wv_data(), &out,
                                 {0.0, double(k_points)}) != 0)
            state.SkipWithError("arithmetic failed");
}

void BM_math_operation(benchmark::State &state)
{
    math_dialog_t m;
    for (auto _ : state)
        m.form->get_form()->rdbtn_add->click();
}

// "Math Data:" and "Waveform Library:" in turn: each click builds its source, draws it and
// recomputes.
void BM_math_source_change(benchmark::State &state)
{
    math_dialog_t m;
    bool value = true;
    for (auto _ : state) {
        (value ? m.form->get_value_radio() : m.form->get_library_radio())->click();
        value = !value;
    }
}

void BM_filter_engine(benchmark::State &state)
{
    ZqwFilter filter;
    lib_wv_data_t<short int> out;
    for (auto _ : state)
        if (filter.butterworth_lowpass(docs().doc->get_wave_data(), k_points, &out, 1e9f, 1e7f, 5e7f, -3.0f,
                                       -20.0f) != 0)
            state.SkipWithError("filter failed");
}

void BM_filter_design(benchmark::State &state)
{
    QList<QMdiSubWindow *> subs = docs().list();
    std::unique_ptr<ui_filter_form_t> form(new ui_filter_form_t(nullptr, subs));
    form->show();
    if (form->get_fs() != 1e9f || form->get_fpass1() != 1e7f || form->get_fstop1() != 5e7f)
        state.SkipWithError("other defaults than the engine's");
    for (auto _ : state)
        if (form->apply_filter() != 0)
            state.SkipWithError("design failed");
}

const char *const k_equation = "sin(2*pi*x)";

void BM_compile_engine(benchmark::State &state)
{
    lib_wv_data_t<short int> out;
    int32 line = 0;
    lib_equation_span_t span;
    for (auto _ : state)
        if (lib_equation_compile(QStringList{k_equation}, int32(k_points), &out, &line, &span) <= 37)
            state.SkipWithError("compile failed");
}

void BM_compile_dialog(benchmark::State &state)
{
    cfg_if_wv_t *wave = docs().doc->wave_object;
    std::unique_ptr<ui_equation_form_t> form(new ui_equation_form_t(nullptr, wave, true));
    form->show();
    form->get_form()->ptedit_cmd->setPlainText(k_equation);
    if (form->get_samples() != k_points)
        state.SkipWithError("other point count than the engine's");
    for (auto _ : state)
        form->get_form()->btn_compile->click();
    if (!form->get_form()->btn_ok->isEnabled())
        state.SkipWithError("compile failed");
}

} // namespace

BENCHMARK(BM_window_engine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_window_pick)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_arith_engine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_math_operation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_math_source_change)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
BENCHMARK(BM_filter_engine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_filter_design)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_compile_engine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);
BENCHMARK(BM_compile_dialog)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto documents = std::make_unique<documents_t>();
    g_docs = documents.get();
    benchmark::RunSpecifiedBenchmarks();
    g_docs = nullptr;
    return 0;
}
