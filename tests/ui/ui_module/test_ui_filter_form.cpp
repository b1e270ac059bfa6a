#include "ui_filter_form.h"

#include "create_test_util.h"
#include "prompt_script.h"
#include "tool_docs.h"
#include "ui_coustom_comb.h"
#include "ui_dspinbx_frame.h"
#include "ui_filter_form_form.h"
#include "ui_meta_types.h"
#include "ui_preview_plot.h"
#include "ui_qwt_plot_curve.h"

#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <sys/resource.h>

using create_test::type_base;

namespace {

struct filter_dialog_t
{
    tool_docs_t docs;
    QPointer<ui_filter_form_t> dlg;

    void open()
    {
        ui_register_meta_types();
        QList<QMdiSubWindow *> subs = docs.list();
        dlg = new ui_filter_form_t(nullptr, subs);
    }
    ~filter_dialog_t() { delete dlg.data(); }
    ui_filter_form_t *operator->() { return dlg.data(); }
    void pick(ui_coustom_comb_t *comb, int index)
    {
        comb->setCurrentIndex(index);
        emit comb->activated(index);
    }
    // The texts of rows 3 to 8 as shown: the label, or "-" for a hidden row.
    QStringList rows() const
    {
        QStringList out;
        for (int r = 3; r < 9; ++r)
            out << (dlg->get_row_label(r)->isHidden() ? QString("-") : dlg->get_row_label(r)->text());
        return out;
    }
};

std::vector<short int> sine_codes(int n, double cycles)
{
    std::vector<short int> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = static_cast<short int>(30000 * std::sin(2 * M_PI * cycles * i / n) + 2000 * std::sin(0.9 * M_PI * i));
    return v;
}

// A dialog opened on one sine document, with the same samples as a filter source for
// the engine the dialog runs, so a test can compare the dialog's result with the engine's.
struct sine_filter_case_t
{
    filter_dialog_t d;
    ZqwFilter engine;
    lib_wv_data_t<short int> src, expected;

    sine_filter_case_t()
    {
        const std::vector<short int> codes = sine_codes(2000, 5);
        d.docs.add("a", codes, 3.0f, 0.5f);
        d.open();
        src.samples.write(0, codes.data(), 2000);
        src.amp = 3.0f;
        src.offset = 0.5f;
    }
};

} // namespace

TEST(UiFilterForm, OpensWithTheFirstDocumentsSourceAndDefaults)
{
    filter_dialog_t d;
    d.docs.add("Wave book1-wave1", std::vector<short int>(16384, 5), 2.0f, 0.0f, 1000.0);
    d.docs.add("Wave book2-wave2", std::vector<short int>(100, 5), 2.0f, 0.0f, 2e7);
    d.docs.area.setActiveSubWindow(d.docs.list()[1]);
    d.open();
    EXPECT_EQ(d->init_status, 0);
    ASSERT_EQ(d->get_src_comb()->count(), 2);
    EXPECT_EQ(d->get_src_comb()->itemText(0), "Wave book1-wave1");
    EXPECT_EQ(d->get_src_comb()->itemText(1), "Wave book2-wave2");
    EXPECT_EQ(d->get_wv_src_index(), 0);
    EXPECT_EQ(d->get_type_comb()->currentText(), "ButterworthLowPass");
    EXPECT_EQ(d->get_type_comb()->count(), 16);
    EXPECT_FLOAT_EQ(d->get_fs(), 16384000.0f);
    EXPECT_FLOAT_EQ(d->get_fpass1(), 163840.0f);
    EXPECT_FLOAT_EQ(d->get_fstop1(), 819200.0f);
    EXPECT_FLOAT_EQ(d->get_apass(), -3.0f);
    EXPECT_FLOAT_EQ(d->get_astop(), -20.0f);
    EXPECT_EQ(d.rows(), (QStringList{"Fpass:", "Fstop:", "-", "-", "Apass:", "Astop:"}));
    EXPECT_EQ(d->get_result_wv_data()->samples.size(), 0u) << "no result before a design";
    EXPECT_EQ(d->get_src_plot()->get_curve(0)->dataSize(), 16384u);
    EXPECT_EQ(d->windowTitle(), "Filter");
    EXPECT_EQ(d->size(), QSize(880, 555));

    // points x frequency beyond 1e9 is capped; the user's edits give way to the defaults
    type_base(d->spinb_astop, "-40");
    ASSERT_FLOAT_EQ(d->get_astop(), -40.0f);
    d.pick(d->get_src_comb(), 1);
    EXPECT_FLOAT_EQ(d->get_fs(), 1e9f);
    EXPECT_FLOAT_EQ(d->get_fpass1(), 1e7f);
    EXPECT_FLOAT_EQ(d->get_astop(), -20.0f);
    EXPECT_EQ(d->get_src_plot()->get_curve(0)->dataSize(), 100u);
}

// Each band shape shows its own rows, frames and defaults (fs = 1e6 here).
TEST(UiFilterForm, EachTypeShowsItsFramesAndDefaults)
{
    filter_dialog_t d;
    d.docs.add("a", std::vector<short int>(1000, 5));
    d.open();
    const struct
    {
        int type;
        QStringList rows;
        std::vector<ui_dspinbx_frame_t *ui_filter_form_t::*> frames; // rows 3 .. 8
        float fpass1, fpass2, fstop1, fstop2;
    } cases[] = {
        {4,
         {"Fpass:", "Fstop:", "-", "-", "Apass:", "Astop:"},
         {&ui_filter_form_t::spinb_fpass1, &ui_filter_form_t::spinb_fstop1, &ui_filter_form_t::spinb_fpass2,
          &ui_filter_form_t::spinb_fstop2, &ui_filter_form_t::spinb_apass, &ui_filter_form_t::spinb_astop},
         10000, 10000, 50000, 50000},
        {9,
         {"Fstop:", "Fpass:", "-", "-", "Astop:", "Apass:"},
         {&ui_filter_form_t::spinb_fstop1, &ui_filter_form_t::spinb_fpass1, &ui_filter_form_t::spinb_fpass2,
          &ui_filter_form_t::spinb_fstop2, &ui_filter_form_t::spinb_astop, &ui_filter_form_t::spinb_apass},
         50000, 50000, 10000, 10000},
        {14,
         {"Fstop1:", "Fpass1:", "Fpass2:", "Fstop2:", "Astop1(Astop2):", "Apass:"},
         {&ui_filter_form_t::spinb_fstop1, &ui_filter_form_t::spinb_fpass1, &ui_filter_form_t::spinb_fpass2,
          &ui_filter_form_t::spinb_fstop2, &ui_filter_form_t::spinb_astop, &ui_filter_form_t::spinb_apass},
         30000, 50000, 10000, 70000},
        {3,
         {"Fpass1:", "Fstop1:", "Fstop2:", "Fpass2:", "Apass1(Apass2):", "Astop:"},
         {&ui_filter_form_t::spinb_fpass1, &ui_filter_form_t::spinb_fstop1, &ui_filter_form_t::spinb_fstop2,
          &ui_filter_form_t::spinb_fpass2, &ui_filter_form_t::spinb_apass, &ui_filter_form_t::spinb_astop},
         10000, 70000, 30000, 50000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        d.pick(d->get_type_comb(), c.type);
        EXPECT_EQ(d->get_filter_type(), c.type);
        EXPECT_EQ(d.rows(), c.rows);
        for (int r = 0; r < 6; ++r) {
            EXPECT_EQ(d->get_row_widget(r + 3), d.dlg.data()->*c.frames[r]) << r;
            EXPECT_EQ(d->get_row_widget(r + 3)->isHidden(), c.rows[r] == "-");
        }
        EXPECT_FLOAT_EQ(d->get_fs(), 1e6f);
        EXPECT_FLOAT_EQ(d->get_fpass1(), c.fpass1);
        EXPECT_FLOAT_EQ(d->get_fpass2(), c.fpass2);
        EXPECT_FLOAT_EQ(d->get_fstop1(), c.fstop1);
        EXPECT_FLOAT_EQ(d->get_fstop2(), c.fstop2);
    }
}

// Design Filter hands each kind its parameters in the order it takes them: the result
// and the response are those of the filter kind run on the same source.
TEST(UiFilterForm, DesignFilterFillsThePlotsAndTheResult)
{
    sine_filter_case_t f;
    filter_dialog_t &d = f.d;
    ZqwFilter &engine = f.engine;
    lib_wv_data_t<short int> &src = f.src, &expected = f.expected;
    const struct
    {
        int type;
        std::function<int32()> run;
    } cases[] = {
        {0, [&] { return engine.butterworth_lowpass(&src, 2000, &expected, 2e6f, 2e4f, 1e5f, -3.0f, -20.0f); }},
        {5, [&] { return engine.chebyshev_highpass(&src, 2000, &expected, 2e6f, 2e4f, 1e5f, -3.0f, -20.0f); }},
        {10, [&] {
             return engine.invchebyshev_bandpass(&src, 2000, &expected, 2e6f, 2e4f, 6e4f, 1e5f, 1.4e5f, -3.0f, -20.0f);
         }},
        {15, [&] {
             return engine.elliptic_bandstop(&src, 2000, &expected, 2e6f, 2e4f, 6e4f, 1e5f, 1.4e5f, -3.0f, -20.0f);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        d.pick(d->get_type_comb(), c.type);
        ASSERT_FLOAT_EQ(d->get_fs(), 2e6f);
        QTest::mouseClick(d->get_form()->btn_design_filter, Qt::LeftButton);
        ASSERT_EQ(c.run(), 0);
        EXPECT_EQ(codes_of(d->get_result_wv_data()), codes_of(&expected));
        EXPECT_EQ(d->get_result_wv_data()->amp, expected.amp);
        EXPECT_EQ(d->get_result_wv_data()->offset, expected.offset);
        EXPECT_EQ(*d->get_response_data(), engine.get_response());
        EXPECT_GT(d->get_response_plot()->get_curve(0)->dataSize(), 0u);
        EXPECT_EQ(d->get_result_plot()->get_curve(0)->dataSize(), 2000u);
    }
}

// Every refusal shows the text of its code and keeps the last good result and plots.
TEST(UiFilterForm, RefusedDesignsSayWhyAndKeepTheLastResult)
{
    filter_dialog_t d;
    d.docs.add("a", sine_codes(2000, 5), 3.0f, 0.5f);
    d.open();
    prompt_script_t prompts;
    QTest::mouseClick(d->get_form()->btn_design_filter, Qt::LeftButton);
    ASSERT_TRUE(prompts.texts.isEmpty()) << prompts.texts.join("|").toStdString();
    const std::vector<short int> good = codes_of(d->get_result_wv_data());
    const float good_amp = d->get_result_wv_data()->amp;
    const std::vector<float> good_response = *d->get_response_data();
    ASSERT_EQ(good.size(), 2000u);

    const QString order_text = "Math Exception: Parameter must meet the condition below:\nLowpass: fpass < fstop\n"
                               "Highpass: fpass > fstop\nBandpass: fstop1 < fpass1 < fpass2 < fstop2\n"
                               "Bandstop: fpass1 < fstop1 < fstop2 < fpass2\n";
    const struct
    {
        const char *name;
        std::function<void()> edit;
        int32 code;
        QString text;
    } cases[] = {
        {"fpass above fstop", [&] { type_base(d->spinb_fpass1, "200000"); }, -3, order_text},
        {"fs below twice fstop", [&] { type_base(d->spinb_sample, "150000"); }, -4,
         "Math Exception: Parameter must meet the condition below:\n0 <= fpass <= (fs/2)\n"},
        {"apass on its frame's upper limit", [&] { type_base(d->spinb_apass, "-0.01"); }, -6,
         "\nThe filter's parameter is out of range.\n"},
        {"a transition too steep for any order", [&] {
             type_base(d->spinb_fstop1, "20001");
             type_base(d->spinb_astop, "-90");
         },
         -7, "\nThe filter's order is out of range.\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        d.pick(d->get_type_comb(), 0); // the defaults again
        prompts.texts.clear();
        c.edit();
        EXPECT_EQ(d->apply_filter(), c.code);
        ASSERT_EQ(prompts.texts.size(), 1);
        EXPECT_EQ(prompts.texts[0], c.text);
        EXPECT_EQ(codes_of(d->get_result_wv_data()), good);
        EXPECT_EQ(d->get_result_wv_data()->amp, good_amp);
        EXPECT_EQ(*d->get_response_data(), good_response);
    }

    // A disk that fills while filtering: -1, the result as it was.
    d.pick(d->get_type_comb(), 0);
    prompts.texts.clear();
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old, small;
        getrlimit(RLIMIT_FSIZE, &old);
        small = old;
        small.rlim_cur = 1000;
        setrlimit(RLIMIT_FSIZE, &small);
        EXPECT_EQ(d->apply_filter(), -1);
        setrlimit(RLIMIT_FSIZE, &old);
    }
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "\nUnpredictable error occurred about Filter.\n");
    EXPECT_EQ(codes_of(d->get_result_wv_data()), good);
}

// Values and a type stored directly drive the next design; the combo, the rows and the
// frames keep what they show.
TEST(UiFilterForm, StoredParametersDriveTheDesignWithoutTouchingTheFrames)
{
    sine_filter_case_t f;
    filter_dialog_t &d = f.d;
    ZqwFilter &engine = f.engine;
    lib_wv_data_t<short int> &src = f.src, &expected = f.expected;
    const struct
    {
        int type;
        float fs, fpass1, fpass2, fstop1, fstop2, apass, astop;
        std::function<int32()> run;
    } cases[] = {
        {0, 1e6f, 1e4f, 0, 5e4f, 0, -1.0f, -30.0f,
         [&] { return engine.butterworth_lowpass(&src, 2000, &expected, 1e6f, 1e4f, 5e4f, -1.0f, -30.0f); }},
        {7, 1e6f, 1e4f, 9e4f, 3e4f, 6e4f, -2.0f, -25.0f, [&] {
             return engine.chebyshev_bandstop(&src, 2000, &expected, 1e6f, 1e4f, 3e4f, 6e4f, 9e4f, -2.0f, -25.0f);
         }},
    };
    const QStringList rows = d.rows();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        d->set_filter_type(c.type);
        d->set_fs(c.fs);
        d->set_fpass1(c.fpass1);
        d->set_fpass2(c.fpass2);
        d->set_fstop1(c.fstop1);
        d->set_fstop2(c.fstop2);
        d->set_apass(c.apass);
        d->set_astop(c.astop);
        EXPECT_EQ(d->get_filter_type(), c.type);
        EXPECT_FLOAT_EQ(d->get_fpass2(), c.fpass2);
        EXPECT_FLOAT_EQ(d->get_fstop2(), c.fstop2);
        ASSERT_EQ(d->apply_filter(), 0);
        ASSERT_EQ(c.run(), 0);
        EXPECT_EQ(codes_of(d->get_result_wv_data()), codes_of(&expected));
        EXPECT_EQ(*d->get_response_data(), engine.get_response());
        EXPECT_EQ(d->get_type_comb()->currentIndex(), 0);
        EXPECT_EQ(d.rows(), rows);
        EXPECT_DOUBLE_EQ(d->spinb_sample->get_value(), 2e6);
        EXPECT_DOUBLE_EQ(d->spinb_astop->get_value(), -20.0);
    }

    // A type beyond the sixteen runs nothing; a response set by hand stays until a design
    // succeeds.
    prompt_script_t prompts;
    d->set_response_data({-1.0f, -2.0f});
    d->set_filter_type(16);
    EXPECT_EQ(d->apply_filter(), -1);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "\nUnpredictable error occurred about Filter.\n");
    EXPECT_EQ(*d->get_response_data(), (std::vector<float>{-1.0f, -2.0f}));
    d->set_filter_type(0);
    ASSERT_EQ(d->apply_filter(), 0);
    EXPECT_EQ(d->get_response_data()->size(), engine.get_response().size());
}

// A record handed in member-wise shares its sample file with the result: designs land in
// it, and the file outlives the dialog with the last design's samples.
TEST(UiFilterForm, ASharedResultRecordTakesDesignsAndOutlivesTheDialog)
{
    filter_dialog_t d;
    d.docs.add("a", sine_codes(2000, 5), 3.0f, 0.5f);
    d.open();
    lib_wv_data_t<short int> outside;
    const std::vector<short int> before{1, 2, 3};
    outside.samples.write(0, before.data(), 3);
    outside.amp = 4.0f;
    outside.offset = -1.0f;
    outside.freq = 50.0;
    d->set_result_wv_data(outside);
    lib_wv_data_t<short int> *result = d->get_result_wv_data();
    EXPECT_EQ(d->get_result_data(), result);
    EXPECT_EQ(result->samples.get_path(), outside.samples.get_path());
    EXPECT_EQ(codes_of(result), before);
    EXPECT_EQ(result->amp, 4.0f);
    EXPECT_EQ(result->offset, -1.0f);
    EXPECT_EQ(result->freq, 50.0);

    ASSERT_EQ(d->apply_filter(), 0);
    const std::vector<short int> designed = codes_of(result);
    ASSERT_EQ(designed.size(), 2000u);
    EXPECT_EQ(codes_of(&outside), designed);
    delete d.dlg.data();
    EXPECT_EQ(codes_of(&outside), designed) << "the dialog leaves the shared file to its owner";
}

TEST(UiFilterForm, ErrorCodesAndTheirTexts)
{
    filter_dialog_t d;
    d.docs.add("a", std::vector<short int>(100, 5));
    d.open();
    const struct
    {
        int32 code;
        const char *text;
    } cases[] = {
        {-7, "\nThe filter's order is out of range.\n"},
        {-6, "\nThe filter's parameter is out of range.\n"},
        {-5, "\nUnpredictable error occurred about Filter.\n"},
        {-2, "\nUnpredictable error occurred about apass or astop.\n"},
        {-1, "\nUnpredictable error occurred about Filter.\n"},
        {-8, nullptr},
        {1, nullptr},
    };
    for (const auto &c : cases) {
        prompt_script_t prompts;
        d->show_filter_error(c.code);
        if (!c.text) {
            EXPECT_TRUE(prompts.texts.isEmpty()) << c.code;
            continue;
        }
        ASSERT_EQ(prompts.texts.size(), 1) << c.code;
        EXPECT_EQ(prompts.texts[0], c.text);
    }
}

TEST(UiFilterForm, ButtonsAndFrameSendTheirCodes)
{
    filter_dialog_t d;
    d.docs.add("a", std::vector<short int>(100, 5));
    d.open();
    EXPECT_EQ(ok_cancel_close_codes(d.dlg.data(), SIGNAL(filter_form_btn_signal(ui_filter_form_t *, int32))), (std::vector<int>{3, 2, 8}));
}

TEST(UiDialogLook, FilterShowsEveryControlWhole)
{
    for (bool chinese : {false, true}) {
        language_scope_t language(chinese);
        filter_dialog_t d;
        d.docs.add("Wave book12-a_long_waveform_name", std::vector<short int>(100, 5));
        d.open();
        d.pick(d->get_type_comb(), 11);
        EXPECT_EQ(look_faults(d.dlg, language.name("filter_form")).toStdString(), "") << chinese;
    }
}
