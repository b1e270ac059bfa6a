#include "ui_window_form.h"

#include "find_child.h"
#include "lib_alloc.h"
#include "prompt_script.h"
#include "tool_docs.h"
#include "ui_coustom_comb.h"
#include "ui_meta_types.h"
#include "ui_preview_plot.h"
#include "ui_qwt_plot_curve.h"
#include "ui_window_form_form.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <csignal>

namespace {

struct window_dialog_t
{
    tool_docs_t docs;
    QPointer<ui_window_form_t> dlg;

    void open()
    {
        ui_register_meta_types();
        QList<QMdiSubWindow *> subs = docs.list();
        dlg = new ui_window_form_t(nullptr, subs);
    }
    ~window_dialog_t() { delete dlg.data(); }
    ui_window_form_t *operator->() { return dlg.data(); }
    void pick(ui_coustom_comb_t *comb, int index)
    {
        comb->setCurrentIndex(index);
        emit comb->activated(index);
    }
};

const std::vector<short int> k_five(5, 1001);

} // namespace

TEST(UiWindowForm, OpensOnTheFirstDocumentUnderRectangle)
{
    window_dialog_t d;
    d.docs.add("Wave book1-wave1", {10, -20, 30, -40}, 3.0f, 0.5f);
    d.docs.add("Wave book2-wave2", {1, 2, 3}, 2.0f, 0.0f);
    d.docs.area.setActiveSubWindow(d.docs.list()[1]);
    d.open();
    EXPECT_EQ(d->init_status, 0);
    ui_coustom_comb_t *src = d->get_src_comb();
    ASSERT_EQ(src->count(), 2);
    EXPECT_EQ(src->itemText(0), "Wave book1-wave1");
    EXPECT_EQ(src->itemText(1), "Wave book2-wave2");
    EXPECT_EQ(src->itemData(1).toInt(), 1);
    EXPECT_EQ(d->get_wv_src_index(), 0) << "the first in creation order, not the active one";
    QStringList names;
    for (int i = 0; i < d->get_window_comb()->count(); ++i)
        names << d->get_window_comb()->itemText(i);
    EXPECT_EQ(names.join(","), "Rectangle,Triangle,Hanning,Hamming,Blackman,Kaiser,BlackmanHarris,Gauss,Bartlett,"
                               "Fall Exp,FlatTop,Force");
    EXPECT_EQ(d->get_window_comb()->currentIndex(), 0);
    const lib_wv_data_t<short int> *result = d->get_result_wv_data();
    EXPECT_EQ(codes_of(result), (std::vector<short int>{10, -20, 30, -40}));
    EXPECT_EQ(result->amp, 3.0f);
    EXPECT_EQ(result->offset, 0.5f);
    EXPECT_EQ(d->windowTitle(), "Window Function");
    EXPECT_TRUE(d->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(d->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(d->size(), QSize(918, 535));
}

// Every pick recomputes the result: each window with the parameters the dialog passes
// (Kaiser beta 8/pi, Gauss alpha 2.5, scale 1), factors worked out by hand for five samples
// (Blackman's centre factor evaluates a hair under 1).
TEST(UiWindowForm, EveryPickRecomputesTheResult)
{
    const struct
    {
        const char *name;
        std::vector<short int> codes;
    } cases[] = {
        {"Rectangle", {1001, 1001, 1001, 1001, 1001}}, {"Triangle", {0, 500, 1001, 500, 0}},
        {"Hanning", {0, 500, 1001, 500, 0}},         {"Hamming", {80, 540, 1001, 540, 80}},
        {"Blackman", {0, 340, 1000, 340, 0}},        {"Kaiser", {293, 774, 1001, 774, 293}},
        {"BlackmanHarris", {0, 217, 1001, 217, 0}},  {"Gauss", {43, 458, 1001, 458, 43}},
        {"Bartlett", {0, 500, 1001, 500, 0}},        {"Fall Exp", {1001, 286, 82, 23, 6}},
        {"FlatTop", {0, -54, 1001, -54, 0}},         {"Force", {1001, 1001, 1001, 0, 0}},
    };
    window_dialog_t d;
    d.docs.add("a", std::vector<short int>(5, 7));
    d.docs.add("b", k_five, 4.0f, -1.0f);
    d.open();
    d.pick(d->get_src_comb(), 1);
    for (int i = 11; i >= 0; --i) {
        SCOPED_TRACE(cases[i].name);
        ASSERT_EQ(d->get_window_comb()->itemText(i), cases[i].name);
        d.pick(d->get_window_comb(), i);
        EXPECT_EQ(codes_of(d->get_result_wv_data()), cases[i].codes);
        EXPECT_EQ(d->get_result_wv_data()->amp, 4.0f);
        EXPECT_EQ(d->get_result_wv_data()->offset, -1.0f);
    }
    // A new source keeps the chosen window.
    d.pick(d->get_window_comb(), 2);
    d.pick(d->get_src_comb(), 0);
    EXPECT_EQ(d->get_window_comb()->currentIndex(), 2);
    EXPECT_EQ(codes_of(d->get_result_wv_data()), (std::vector<short int>{0, 3, 7, 3, 0}));
    EXPECT_EQ(d->get_result_wv_data()->amp, 2.0f);
}

TEST(UiWindowForm, ButtonsAndFrameSendTheirCodes)
{
    window_dialog_t d;
    d.docs.add("a", k_five);
    d.open();
    d->show();
    QSignalSpy spy(d.dlg, SIGNAL(window_form_btn_signal(ui_window_form_t *, int32)));
    QTest::mouseClick(d->get_form()->btn_ok, Qt::LeftButton);
    QTest::mouseClick(d->get_form()->btn_cancel, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 2);
    EXPECT_EQ(spy.at(0).at(0).value<ui_window_form_t *>(), d.dlg.data());
    d->close();
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.at(2).at(1).toInt(), 8);
}

// The plots redraw from their records on demand; a record handed in member-wise shares its
// sample file with the result, takes the later picks and outlives the dialog.
TEST(UiWindowForm, ReloadsAndASharedResultRecord)
{
    window_dialog_t d;
    ui_waveform_t *doc = d.docs.add("a", k_five, 4.0f, -1.0f);
    d.open();
    d.pick(d->get_window_comb(), 2);
    EXPECT_EQ(d->get_window_type(), 2);

    lib_wv_data_t<short int> outside;
    const std::vector<short int> seven{1, 2, 3, 4, 5, 6, 7};
    outside.samples.write(0, seven.data(), 7);
    outside.amp = 3.0f;
    outside.offset = 0.25f;
    outside.freq = 50.0;
    d->set_result_wv_data(outside);
    lib_wv_data_t<short int> *result = d->get_result_wv_data();
    EXPECT_EQ(d->get_result_data(), result);
    EXPECT_EQ(result->samples.get_path(), outside.samples.get_path());
    EXPECT_EQ(result->amp, 3.0f);
    EXPECT_EQ(result->offset, 0.25f);
    EXPECT_EQ(result->freq, 50.0);
    EXPECT_EQ(d->get_result_plot()->get_curve(0)->dataSize(), 5u) << "no redraw until asked";
    d->reload_result_plot();
    EXPECT_EQ(d->get_result_plot()->get_curve(0)->dataSize(), 7u);

    // The source record changed behind the dialog's back shows only once reloaded.
    const double first_y = d->get_src_plot()->get_curve(0)->sample(0).y();
    const std::vector<short int> lower(5, -20000);
    doc->get_wave_data()->samples.write(0, lower.data(), 5);
    EXPECT_EQ(d->get_src_plot()->get_curve(0)->sample(0).y(), first_y);
    d->reload_src_plot();
    EXPECT_LT(d->get_src_plot()->get_curve(0)->sample(0).y(), first_y);

    d.pick(d->get_window_comb(), 0);
    EXPECT_EQ(codes_of(&outside), lower) << "the pick landed in the shared file";
    EXPECT_EQ(outside.amp, 3.0f) << "only the file is shared";
    delete d.dlg.data();
    EXPECT_EQ(codes_of(&outside), lower) << "the dialog leaves the shared file to its owner";
}

TEST(UiWindowForm, OutOfMemoryWhileBuildingGivesStatusThree)
{
    window_dialog_t d;
    d.docs.add("a", k_five);
    {
        lib_alloc_fail_scope_t fail(0, 1);
        d.open();
    }
    EXPECT_EQ(d->init_status, 3);
    EXPECT_EQ(d->get_result_wv_data()->samples.size(), 0u);
}

// A pick that fails empties the result, says why and keeps the dialog and its plots.
TEST(UiWindowForm, FailedPickEmptiesTheResultAndSaysWhy)
{
    window_dialog_t d;
    d.docs.add("a", k_five);
    d.docs.add("b", std::vector<short int>(3000, 9));
    d.open();
    prompt_script_t prompts;
    {
        lib_alloc_fail_scope_t fail(0, 1);
        d.pick(d->get_window_comb(), 2);
    }
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "The system has run out of memory.\nPlease reduce number of points or files, and try again.");
    EXPECT_EQ(d->get_result_wv_data()->samples.size(), 0u);

    d.pick(d->get_window_comb(), 0);
    EXPECT_EQ(codes_of(d->get_result_wv_data()), k_five) << "a later pick works again";
    {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old, small;
        getrlimit(RLIMIT_FSIZE, &old);
        small = old;
        small.rlim_cur = 100; // the result of "b" needs 6000 bytes: a full disk
        setrlimit(RLIMIT_FSIZE, &small);
        d.pick(d->get_src_comb(), 1);
        setrlimit(RLIMIT_FSIZE, &old);
    }
    ASSERT_EQ(prompts.texts.size(), 2);
    EXPECT_EQ(prompts.texts[1], "File creation failed.");
    EXPECT_EQ(d->get_result_wv_data()->samples.size(), 0u);
    EXPECT_EQ(d->get_src_plot()->get_curve(0)->dataSize(), 5u) << "the source plot stays";
}

TEST(UiDialogLook, WindowFunctionShowsEveryControlWhole)
{
    for (bool chinese : {false, true}) {
        language_scope_t language(chinese);
        window_dialog_t d;
        d.docs.add("Wave book12-a_long_waveform_name", k_five);
        d.open();
        EXPECT_EQ(look_faults(d.dlg, language.name("window_form")).toStdString(), "") << chinese;
    }
}
