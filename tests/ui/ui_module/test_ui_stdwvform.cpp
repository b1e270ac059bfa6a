#include "ui_stdwvform.h"

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
#include "cfg_instr_limit.h"
#include "create_test_util.h"
#include "ui_coustom_comb.h"
#include "ui_coustom_gpbx.h"
#include "ui_dspinbx_frame.h"
#include "ui_preview_plot.h"
#include "ui_qwt_plot_curve.h"
#include "ui_spinbx_frame.h"
#include "ui_stdwvform_form.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTableWidget>
#include "layout_check.h"
#include "ui_app_paths.h"
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

using namespace create_test;
typedef ui_stdwvform_t F;

namespace {

std::unique_ptr<cfg_if_wv_t> reference_generator(int type)
{
    switch (type) {
    case 1: return std::make_unique<cfg_if_bswv_square_t>();
    case 2: return std::make_unique<cfg_if_bswv_pulse_t>();
    case 3: return std::make_unique<cfg_if_bswv_ramp_t>();
    case 4: return std::make_unique<cfg_if_bswv_noise_t>();
    case 5: return std::make_unique<cfg_if_bswv_dc_t>();
    case 6: return std::make_unique<cfg_if_adwv_sinc_t>();
    case 7: return std::make_unique<cfg_if_adwv_stair_step_t>(true);
    case 8: return std::make_unique<cfg_if_adwv_stair_step_t>(false);
    case 9: return std::make_unique<cfg_if_adwv_exp_t>(true);
    case 10: return std::make_unique<cfg_if_adwv_exp_t>(false);
    case 11: return std::make_unique<cfg_if_adwv_multi_pulse_t>();
    default: return std::make_unique<cfg_if_bswv_sine_t>();
    }
}

// The row of the model combo for a model (the default factory.txt lists them in order).
void pick_model(F *dlg, instr_zqw_t model)
{
    ui_instr_model_form_t *m = dlg->get_model_form();
    m->model_comb->setCurrentIndex(static_cast<int>(model));
    emit m->model_comb->activated(static_cast<int>(model));
}

double frame_value(F *dlg, F::frame_id_t id) { return dlg->get_frame(id)->get_value(); }

struct dialog_t
{
    QPointer<F> dlg;
    explicit dialog_t(int type, uint32 points = 4096, double freq = 1000.0, int operand = 0,
                      bool change = false, cfg_if_wv_t *existing = nullptr)
    {
        dlg = new F(nullptr, static_cast<lib_wv_type_t>(type), points, INSTR_ZQW6000X, freq, operand,
                    change, existing);
        dlg->show();
    }
    ~dialog_t() { delete dlg.data(); }
    F *operator->() { return dlg.data(); }
    void click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
};

} // namespace

TEST(UiStdWvForm, EveryTypePreviewsAndHandsOverTheGeneratorsSamples)
{
    for (int type = 0; type < 12; ++type) {
        SCOPED_TRACE(type);
        dialog_t d(type);
        pick_model(d.dlg, INSTR_ZQW6000X);
        EXPECT_EQ(d->get_preview_plot()->get_curve(0)->dataSize(), 0u) << "blank until Preview";
        d.click(d->get_form()->btn_preview);
        const uint32 n = *d->get_wave_object()->get_wv_len();
        EXPECT_EQ(d->get_preview_plot()->get_curve(0)->dataSize(), n) << "every sample below 30000 points";

        QSignalSpy spy(d.dlg, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)));
        d.click(d->get_form()->btn_ok);
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
        EXPECT_FALSE(spy.at(0).at(2).toBool());
        std::unique_ptr<cfg_if_wv_t> got(d->take_wave_object());
        EXPECT_EQ(got->get_wv_type(), static_cast<lib_wv_type_t>(type));

        std::unique_ptr<cfg_if_wv_t> ref = reference_generator(type);
        ref->set_wv_type(static_cast<lib_wv_type_t>(type));
        ref->set_wv_len(n);
        ref->set_freq(*got->get_freq());
        ref->set_instr_type(got->get_instr_type());
        ref->set_amp(*got->get_amp());
        ref->set_offset(*got->get_offset());
        if (type == LIB_WV_MULTI_PULSE) // the model's rate limit applies in the dialog
            static_cast<cfg_if_adwv_multi_pulse_t *>(ref.get())->set_pulse_srate(
                static_cast<cfg_if_adwv_multi_pulse_t *>(got.get())->get_pulse_srate());
        ASSERT_EQ(ref->create_wv_data(), 0);
        std::vector<short int> a = samples_of(got->get_wv_data());
        std::vector<short int> b = samples_of(ref->get_wv_data());
        if (type == LIB_WV_NOISE)
            EXPECT_EQ(a.size(), b.size()); // seeded by the clock
        else
            EXPECT_EQ(a, b);
        delete d.dlg.data();
        EXPECT_EQ(wave_buffer_files().size(), 2) << "the handed-over file and the reference stay";
        got.reset();
        ref.reset();
        EXPECT_TRUE(wave_buffer_files().isEmpty());
    }
}

TEST(UiStdWvForm, ClosingWithoutHandOverLeavesNoSampleFile)
{
    for (int type : {0, 2, 11}) {
        {
            dialog_t d(type);
            d.click(d->get_form()->btn_preview);
            QSignalSpy spy(d.dlg, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)));
            d->close();
            ASSERT_EQ(spy.count(), 1);
            EXPECT_EQ(spy.at(0).at(1).toInt(), 8);
        }
        EXPECT_TRUE(wave_buffer_files().isEmpty()) << type;
        {
            dialog_t d(type);
            d.click(d->get_form()->btn_ok);
            d.click(d->get_form()->btn_cancel);
        }
        EXPECT_TRUE(wave_buffer_files().isEmpty()) << type;
    }
}

struct correction_case_t
{
    const char *name;
    int type;
    instr_zqw_t model;
    std::function<void(F *)> setup;
    F::frame_id_t field;
    const char *typed;
    double shown;
    std::function<double(cfg_if_wv_t *)> stored;
};

TEST(UiStdWvForm, CorrectionRules)
{
    auto points = [](cfg_if_wv_t *w) { return double(*w->get_wv_len()); };
    auto cycles = [](cfg_if_wv_t *w) { return double(*w->get_cycle()); };
    auto amp = [](cfg_if_wv_t *w) { return double(*w->get_amp()); };
    auto steps = [](cfg_if_wv_t *w) {
        return double(*static_cast<cfg_if_adwv_stair_step_t *>(w)->get_step_count());
    };
    auto width = [](cfg_if_wv_t *w) { return double(*static_cast<cfg_if_bswv_pulse_t *>(w)->get_pulse_width()); };
    auto pulses = [](cfg_if_wv_t *w) { return double(static_cast<cfg_if_adwv_multi_pulse_t *>(w)->get_pulse_num()); };
    auto type_in = [](F::frame_id_t id, const char *text) {
        return [id, text](F *d) { type_base(d->get_frame(id), text); };
    };
    auto none = [](F *) {};
    const correction_case_t cases[] = {
        {"cycles cut to half the points for pulse-like types", LIB_WV_RAMP, INSTR_ZQW6000X,
         type_in(F::F_POINTS, "100"), F::F_CYCLE, "90", 50, cycles},
        {"cycles cut to the points for sine", LIB_WV_SINE, INSTR_ZQW6000X, type_in(F::F_POINTS, "60"),
         F::F_CYCLE, "90", 60, cycles},
        {"cycles inside the generator's range", LIB_WV_SINE, INSTR_ZQW6000X, none, F::F_CYCLE, "500", 100, cycles},
        {"cycles below one", LIB_WV_NOISE, INSTR_ZQW6000X, none, F::F_CYCLE, "0", 1, cycles},
        {"steps limited by points per cycle", LIB_WV_STAIR_UP, INSTR_ZQW6000X,
         [](F *d) {
             type_base(d->get_frame(F::F_POINTS), "100");
             type_base(d->get_frame(F::F_CYCLE), "4");
         },
         F::F_STEP, "30", 25, steps},
        {"stair points at least cycles x steps", LIB_WV_STAIR_DN, INSTR_ZQW6000X,
         type_in(F::F_CYCLE, "4"), F::F_POINTS, "10", 32, points},
        {"points per cycle at least the model minimum", LIB_WV_SINE, INSTR_ZQW2000X,
         type_in(F::F_CYCLE, "8"), F::F_POINTS, "12", 64, points},
        {"model 6 snaps up", LIB_WV_SINE, INSTR_ZQW5000, none, F::F_POINTS, "20000", 524288, points},
        {"model 6 snaps down", LIB_WV_SINE, INSTR_ZQW5000, type_in(F::F_POINTS, "20000"), F::F_POINTS,
         "20000", 16384, points},
        {"model 6 below the range", LIB_WV_SINE, INSTR_ZQW5000, none, F::F_POINTS, "100", 16384, points},
        {"amplitude follows a frequency above 20 MHz", LIB_WV_SINE, INSTR_ZQW6000X,
         type_in(F::F_AMP, "15"), F::F_FREQ, "25000000", 25000000, amp},
        {"pulse width above its range", LIB_WV_PULSE, INSTR_ZQW6000X, none, F::F_WIDTH, "999999", 16184, width},
        {"pulse count above 32", LIB_WV_MULTI_PULSE, INSTR_ZQW6000X, none, F::F_PULSE_NUM, "40", 32, pulses},
    };
    prompt_recorder_t prompts;
    for (const correction_case_t &c : cases) {
        SCOPED_TRACE(c.name);
        dialog_t d(c.type);
        pick_model(d.dlg, c.model);
        c.setup(d.dlg);
        type_base(d->get_frame(c.field), c.typed);
        EXPECT_DOUBLE_EQ(frame_value(d.dlg, c.field), c.shown);
        const double expect_stored = std::string(c.name).find("amplitude") != std::string::npos ? 10.0 : c.shown;
        EXPECT_DOUBLE_EQ(c.stored(d->get_wave_object()), expect_stored);
    }
}

TEST(UiStdWvForm, ClampedAmplitudeMovesTheLevelsAndTheControl)
{
    dialog_t d(LIB_WV_SINE);
    pick_model(d.dlg, INSTR_ZQW6000X);
    type_base(d->get_frame(F::F_AMP), "15");
    type_base(d->get_frame(F::F_FREQ), "25000000");
    cfg_if_wv_t *w = d->get_wave_object();
    EXPECT_FLOAT_EQ(*w->get_amp(), 10.0f);
    EXPECT_FLOAT_EQ(*w->get_high_level(), 5.0f);
    EXPECT_FLOAT_EQ(*w->get_low_level(), -5.0f);
    EXPECT_DOUBLE_EQ(frame_value(d.dlg, F::F_AMP), 10.0);
}

TEST(UiStdWvForm, PanelsPerType)
{
    dialog_t d(LIB_WV_SINE);
    Ui_ui_stdwvform_t *form = d->get_form();
    ui_coustom_comb_t *combo = d->get_type_comb();
    auto choose = [&](int t) {
        combo->setCurrentIndex(t);
        emit combo->activated(t);
    };
    choose(LIB_WV_DC);
    EXPECT_FALSE(d->get_frame(F::F_AMP)->isEnabled());
    EXPECT_TRUE(d->get_frame(F::F_OFFSET)->isEnabled());
    EXPECT_FALSE(form->rdbtn_max->isEnabled());
    EXPECT_FALSE(d->get_frame(F::F_FREQ)->isEnabled());
    EXPECT_FLOAT_EQ(*d->get_wave_object()->get_amp(), 0.002f);
    EXPECT_DOUBLE_EQ(*d->get_wave_object()->get_freq(), 1000.0);

    choose(LIB_WV_NOISE);
    EXPECT_FALSE(d->get_frame(F::F_CYCLE)->isEnabled());
    EXPECT_FALSE(d->get_frame(F::F_PHASE)->isEnabled());

    // Max/Min then a type change: back to Ampl/Offset with the new generator's values.
    choose(LIB_WV_SQUARE);
    QTest::mouseClick(form->rdbtn_max, Qt::LeftButton);
    ASSERT_TRUE(form->rdbtn_max->isChecked());
    EXPECT_FALSE(d->get_frame(F::F_HIGH)->isHidden());
    EXPECT_TRUE(d->get_frame(F::F_AMP)->isHidden());
    EXPECT_DOUBLE_EQ(frame_value(d.dlg, F::F_HIGH), 1.0);
    choose(LIB_WV_RAMP);
    EXPECT_TRUE(form->rdbtn_amp->isChecked());
    EXPECT_FALSE(d->get_frame(F::F_AMP)->isHidden());
    EXPECT_DOUBLE_EQ(frame_value(d.dlg, F::F_AMP), 2.0);
    EXPECT_FALSE(d->get_tran_group(1)->isHidden());
    EXPECT_TRUE(d->get_tran_group(0)->isHidden());

    choose(LIB_WV_MULTI_PULSE);
    EXPECT_TRUE(form->gpbx_hor->isHidden());
    EXPECT_FALSE(form->table_widget->isHidden());
    EXPECT_EQ(d->get_pulse_table()->rowCount(), 2) << "the table follows the new generator";
}

TEST(UiStdWvForm, LoadingADefaultGeneratorChangesNoValue)
{
    dialog_t d(LIB_WV_SINE, 16384);
    pick_model(d.dlg, INSTR_ZQW6000X);
    ui_coustom_comb_t *combo = d->get_type_comb();
    for (int t = 0; t < 12; ++t) {
        SCOPED_TRACE(t);
        combo->setCurrentIndex(t);
        emit combo->activated(t);
        cfg_if_wv_t *w = d->get_wave_object();
        EXPECT_FLOAT_EQ(*w->get_amp(), t == LIB_WV_DC ? 0.002f : 2.0f);
        EXPECT_FLOAT_EQ(*w->get_offset(), 0.0f);
        EXPECT_EQ(*w->get_wv_len(), 16384u);
        EXPECT_EQ(*w->get_cycle(), 1u);
        EXPECT_DOUBLE_EQ(*w->get_freq(), 1000.0);
        if (t == LIB_WV_PULSE) {
            auto *p = static_cast<cfg_if_bswv_pulse_t *>(w);
            EXPECT_FLOAT_EQ(*p->get_pulse_width(), 1000.0f);
            EXPECT_FLOAT_EQ(*p->get_rise_time(), 200.0f);
        }
        if (t == LIB_WV_STAIR_UP) {
            EXPECT_EQ(*static_cast<cfg_if_adwv_stair_step_t *>(w)->get_step_count(), 8);
        }
        if (t == LIB_WV_MULTI_PULSE) {
            EXPECT_EQ(static_cast<cfg_if_adwv_multi_pulse_t *>(w)->get_pulse_num(), 2u);
        }
    }
}

TEST(UiStdWvForm, OpeningWithDcKeepsAmplitudeAndFrequency)
{
    dialog_t d(LIB_WV_DC, 4096, 5000.0);
    EXPECT_FLOAT_EQ(*d->get_wave_object()->get_amp(), 2.0f);
    EXPECT_DOUBLE_EQ(*d->get_wave_object()->get_freq(), 5000.0);
}

TEST(UiStdWvForm, NewWaveformTakesTheModelFramesSelection)
{
    dialog_t d(LIB_WV_SINE, 4096, 1000.0);
    EXPECT_EQ(d->get_wave_object()->get_instr_type(), d->get_model_form()->get_instr_type());
    EXPECT_EQ(d->get_model_form()->get_instr_type(), INSTR_ZQW8000A);
    EXPECT_EQ(d->get_form()->label_min_point_value->text(), "24");
}

TEST(UiStdWvForm, ModelChangeResetsParametersOutsideOperandMode)
{
    dialog_t d(LIB_WV_SINE);
    type_base(d->get_frame(F::F_AMP), "3");
    type_base(d->get_frame(F::F_POINTS), "5000");
    pick_model(d.dlg, INSTR_ZQW1000);
    cfg_if_wv_t *w = d->get_wave_object();
    EXPECT_EQ(w->get_instr_type(), INSTR_ZQW1000);
    EXPECT_FLOAT_EQ(*w->get_amp(), 2.0f);
    EXPECT_EQ(*w->get_wv_len(), 16384u);
    EXPECT_FALSE(d->get_frame(F::F_POINTS)->isEnabled());
    EXPECT_EQ(d->get_form()->label_max_point_value->text(), "16384");
}

TEST(UiStdWvForm, OperandModeRefusesAModelWithoutThePointCount)
{
    prompt_recorder_t prompts;
    dialog_t d(LIB_WV_SINE, 4096, 1000.0, 1);
    EXPECT_FALSE(d->get_frame(F::F_POINTS)->isEnabled());
    EXPECT_FALSE(d->get_frame(F::F_FREQ)->isEnabled());
    d->set_wave_type(LIB_WV_SQUARE);
    EXPECT_FALSE(d->get_frame(F::F_POINTS)->isEnabled());
    const instr_zqw_t before = d->get_wave_object()->get_instr_type();
    pick_model(d.dlg, INSTR_ZQW1000);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "Non-supported waveform points. Switch to another model.");
    EXPECT_EQ(d->get_wave_object()->get_instr_type(), before);
    EXPECT_EQ(d->get_model_form()->model_comb->currentIndex(), static_cast<int>(before));

    type_base(d->get_frame(F::F_AMP), "3");
    pick_model(d.dlg, INSTR_ZQW6000X);
    EXPECT_EQ(d->get_wave_object()->get_instr_type(), INSTR_ZQW6000X);
    EXPECT_FLOAT_EQ(*d->get_wave_object()->get_amp(), 3.0f) << "kept in operand mode";
    EXPECT_EQ(*d->get_wave_object()->get_wv_len(), 4096u);
    delete d.dlg.data();
    EXPECT_TRUE(wave_buffer_files().isEmpty());
}

TEST(UiStdWvForm, EditingWorksOnACopy)
{
    cfg_if_bswv_square_t src;
    src.set_wv_type(LIB_WV_SQUARE);
    src.set_duty(30.0f);
    src.set_wv_len(2048);
    src.set_instr_type(INSTR_ZQW2000X);
    ASSERT_EQ(src.create_wv_data(), 0);
    const std::vector<short int> before = samples_of(src.get_wv_data());
    {
        dialog_t d(LIB_WV_SQUARE, 0, 0.0, 0, true, &src);
        EXPECT_FALSE(d->get_type_comb()->isEnabled());
        EXPECT_EQ(d->get_model_form()->get_instr_type(), INSTR_ZQW2000X);
        EXPECT_DOUBLE_EQ(frame_value(d.dlg, F::F_DUTY), 30.0);
        EXPECT_EQ(d->get_preview_plot()->get_curve(0)->dataSize(), 2048u);
        type_base(d->get_frame(F::F_DUTY), "70");
        QSignalSpy spy(d.dlg, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)));
        d.click(d->get_form()->btn_cancel);
        ASSERT_EQ(spy.count(), 1);
        EXPECT_EQ(spy.at(0).at(1).toInt(), 2);
        EXPECT_TRUE(spy.at(0).at(2).toBool());
    }
    EXPECT_FLOAT_EQ(*src.get_duty(), 30.0f);
    EXPECT_EQ(samples_of(src.get_wv_data()), before);
    EXPECT_EQ(wave_buffer_files().size(), 1);
}

TEST(UiStdWvForm, MultiPulseTableFollowsTheCountAndRoundsTimes)
{
    prompt_recorder_t prompts;
    dialog_t d(LIB_WV_MULTI_PULSE);
    pick_model(d.dlg, INSTR_ZQW6000X);
    QTableWidget *t = d->get_pulse_table();
    ASSERT_EQ(t->rowCount(), 2);
    type_base(d->get_frame(F::F_PULSE_NUM), "5");
    ASSERT_EQ(t->rowCount(), 5);
    auto *w = static_cast<cfg_if_adwv_multi_pulse_t *>(d->get_wave_object());
    auto *cell = qobject_cast<ui_dspinbx_frame_t *>(t->cellWidget(0, 1));
    ASSERT_NE(cell, nullptr);
    type_in_unit(cell, UI_PREFIX_NANO, "1.5");
    float stored = 0;
    ASSERT_NE(w->get_pulse_width(0, stored), 0);
    const double periods = stored / w->get_sample_period();
    EXPECT_GE(periods, 0.999) << "at least one period";
    EXPECT_NEAR(periods, std::round(periods), 1e-3) << "a whole number of periods";
    EXPECT_NEAR(cell->get_value(), stored, 1e-12);
    type_base(d->get_frame(F::F_PULSE_NUM), "3");
    ASSERT_EQ(t->rowCount(), 3);
    EXPECT_EQ(t->cellWidget(0, 1), cell) << "kept rows keep their widgets";
    EXPECT_FALSE(t->item(0, 0)->flags() & Qt::ItemIsSelectable);
    EXPECT_EQ(t->item(2, 0)->text(), "3");

    // A burst longer than the model allows.
    auto *delay = qobject_cast<ui_dspinbx_frame_t *>(t->cellWidget(1, 2));
    ASSERT_NE(delay, nullptr);
    EXPECT_EQ(delay->objectName(), "pulse_table_item");
    type_base(delay, "0.9");
    QSignalSpy spy(d.dlg, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)));
    d.click(d->get_form()->btn_ok);
    EXPECT_EQ(spy.count(), 0);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "Sample rate or pulse time invalid.\nPlease change and retry.");
}

TEST(UiStdWvForm, TakeWaveObjectMarksTheHandOver)
{
    dialog_t d(LIB_WV_SINE);
    d.click(d->get_form()->btn_ok);
    EXPECT_FALSE(d->is_handed_over());
    std::unique_ptr<cfg_if_wv_t> w(d->take_wave_object());
    EXPECT_TRUE(d->is_handed_over());
    d->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(d.dlg.data(), nullptr) << "deleted on close";
    EXPECT_EQ(samples_of(w->get_wv_data()).size(), 4096u);
}

TEST(UiStdWvForm, InvalidParametersKeepTheDialogOpen)
{
    prompt_recorder_t prompts;
    dialog_t d(LIB_WV_SINE);
    d->set_points(0);
    QSignalSpy spy(d.dlg, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)));
    d.click(d->get_form()->btn_ok);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(prompts.texts.isEmpty()) << "OK says nothing";
    d.click(d->get_form()->btn_preview);
    ASSERT_EQ(prompts.texts.size(), 1);
    EXPECT_EQ(prompts.texts[0], "Some parameters are invalid, and will adjust automatically.");
}

// Under the application style sheet every control shows whole, the largest maximum point
// count included.
TEST(UiDialogLook, StandardWaveformShowsEveryControlWhole)
{
    ui_install_style_sheet();
    {
        QWidget owner;
        QPointer<ui_stdwvform_t> form =
            new ui_stdwvform_t(&owner, LIB_WV_SINE, 16384, instr_zqw_t(2), 1000.0, 0, false, nullptr);
        form->show();
        QApplication::processEvents();
        ASSERT_EQ(form->get_form()->label_max_point_value->text(), "4294967295");
        EXPECT_EQ(layout_check::faults(form).join("\n").toStdString(), "");
    }
    qApp->setStyleSheet(QString());
}
