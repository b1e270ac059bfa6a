#include "ui_wv_settings.h"

#include "create_test_util.h"
#include "ui_combx.h"
#include "ui_coustom_comb.h"
#include "ui_dspinbx_frame.h"
#include "ui_window_counter.h"
#include "ui_wv_settings_form.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace create_test;

namespace {

struct dialog_t
{
    QPointer<ui_wv_settings_t> dlg;
    dialog_t()
    {
        dlg = new ui_wv_settings_t(nullptr);
        dlg->show();
    }
    ~dialog_t() { delete dlg.data(); }
    ui_wv_settings_t *operator->() { return dlg.data(); }
    void pick_model(instr_zqw_t model)
    {
        ui_coustom_comb_t *c = dlg->get_model_form()->model_comb;
        c->setCurrentIndex(static_cast<int>(model));
        emit c->activated(static_cast<int>(model));
    }
    void activate(ui_combx_t *c, int row)
    {
        c->setCurrentIndex(row);
        emit c->activated(row);
    }
    QPushButton *button(const char *name)
    {
        return QByteArray(name) == "btn_ok" ? dlg->get_form()->btn_ok : dlg->get_form()->btn_cancle;
    }
};

} // namespace

TEST(UiWvSettings, NameRules)
{
    struct name_case_t
    {
        QString name;
        bool valid;
    };
    const name_case_t cases[] = {
        {"wave_1", true},
        {"A-b_9", true},
        {"abcdefghijklmnopqr", true},
        {"", false},
        {"abcdefghijklmnopqrs", false},
        {"two words", false},
        {"a.b", false},
        {QString::fromUtf8("wav\xc3\xa9"), false},
    };
    g_window_counter = 7;
    for (const name_case_t &c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        prompt_recorder_t prompts;
        dialog_t d;
        EXPECT_EQ(d->get_wave_name(), "wave7");
        QSignalSpy spy(d.dlg, SIGNAL(wv_settings_form_btn_signal(ui_wv_settings_t *, int32)));
        d->get_name_edit()->setText(c.name);
        QTest::mouseClick(d.button("btn_ok"), Qt::LeftButton);
        if (c.valid) {
            ASSERT_EQ(spy.count(), 1);
            EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
            EXPECT_EQ(d->get_wave_name(), c.name);
            EXPECT_TRUE(prompts.texts.isEmpty());
        } else {
            EXPECT_EQ(spy.count(), 0);
            ASSERT_EQ(prompts.texts.size(), 1);
            EXPECT_EQ(prompts.texts[0], "The waveform name is invalid. It can be composed of numbers, letters, "
                                        "underscores and minus signs. The length is 1 ~ 18 and cannot contain spaces.");
            EXPECT_EQ(d->get_wave_name(), "wave7");
            EXPECT_FALSE(d.dlg.isNull()) << "stays open";
        }
    }
    g_window_counter = 1;
}

TEST(UiWvSettings, OkHandsTheValuesAndCancelSendsTwo)
{
    dialog_t d;
    d.pick_model(INSTR_ZQW2000X);
    d.activate(d->get_mode_comb(), 1);
    type_base(d->get_points_frame(), "5000");
    type_base(d->get_freq_frame(), "2500");
    QSignalSpy spy(d.dlg, SIGNAL(wv_settings_form_btn_signal(ui_wv_settings_t *, int32)));
    QTest::mouseClick(d.button("btn_ok"), Qt::LeftButton);
    QTest::mouseClick(d.button("btn_cancle"), Qt::LeftButton);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(spy.at(1).at(1).toInt(), 2);
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 5000u);
    EXPECT_DOUBLE_EQ(*d->get_wave()->get_freq(), 2500.0);
    EXPECT_EQ(d->get_wave()->get_instr_type(), INSTR_ZQW2000X);
}

TEST(UiWvSettings, Model6VariableSnapsToItsTwoLengths)
{
    struct snap_case_t
    {
        const char *first;
        const char *typed;
        uint32 stored;
    };
    const snap_case_t cases[] = {
        {nullptr, "20000", 524288},    {"524288", "500000", 16384}, {nullptr, "100", 16384},
        {nullptr, "1000000", 524288}, {nullptr, "16384", 16384},    {nullptr, "524288", 524288},
    };
    for (const snap_case_t &c : cases) {
        SCOPED_TRACE(c.typed);
        dialog_t d;
        d.pick_model(INSTR_ZQW5000);
        d.activate(d->get_mode_comb(), 1);
        if (c.first)
            type_base(d->get_points_frame(), c.first);
        type_base(d->get_points_frame(), c.typed);
        EXPECT_EQ(*d->get_wave()->get_wv_len(), c.stored);
        EXPECT_DOUBLE_EQ(d->get_points_frame()->get_value(), c.stored);
    }
}

TEST(UiWvSettings, ModelDecidesTheLengthSelectors)
{
    dialog_t d;
    EXPECT_FALSE(d->get_len_comb()->isHidden()) << "three-entry combo at opening";
    EXPECT_TRUE(d->get_points_frame()->isHidden());
    for (instr_zqw_t m : {INSTR_ZQW1000, INSTR_ZQW800, INSTR_MZK1021}) {
        d.pick_model(m);
        EXPECT_FALSE(d->get_points_frame()->isEnabled());
        EXPECT_FALSE(d->get_len_16k_comb()->isHidden());
        EXPECT_TRUE(d->get_len_comb()->isHidden());
    }
    d.pick_model(INSTR_ZQW5000);
    EXPECT_TRUE(d->get_points_frame()->isEnabled());
    EXPECT_FALSE(d->get_len_16k_512k_comb()->isHidden());
    d.activate(d->get_len_16k_512k_comb(), 1);
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 524288u);
    d.activate(d->get_mode_comb(), 1);
    EXPECT_FALSE(d->get_points_frame()->isHidden());
    EXPECT_TRUE(d->get_len_16k_512k_comb()->isHidden());
    d.activate(d->get_mode_comb(), 0);
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 16384u) << "Fixed resets whatever the combo shows";
    EXPECT_EQ(d->get_len_16k_512k_comb()->currentIndex(), 1);
}

TEST(UiWvSettings, ModelChangeResetsTheStoredCountButNotTheCombo)
{
    dialog_t d;
    d.activate(d->get_len_comb(), 1);
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 32768u);
    type_base(d->get_freq_frame(), "5000");
    d.pick_model(INSTR_ZQW2000X);
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 16384u);
    EXPECT_DOUBLE_EQ(*d->get_wave()->get_freq(), 1000.0);
    EXPECT_EQ(d->get_len_comb()->currentText(), "32768(32k)");
}

TEST(UiWvSettings, FirstModel6StillOpensWithTheThreeEntryCombo)
{
    dialog_t d;
    d->get_model_form()->set_instr_type(INSTR_ZQW5000);
    d->get_wave()->set_instr_type(INSTR_ZQW5000);
    d.activate(d->get_len_comb(), 1);
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 32768u);
}

TEST(UiWvSettings, WindowCloseSendsNothingAndLeavesNoFile)
{
    {
        dialog_t d;
        QSignalSpy spy(d.dlg, SIGNAL(wv_settings_form_btn_signal(ui_wv_settings_t *, int32)));
        d->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(spy.count(), 0);
        EXPECT_TRUE(d.dlg.isNull());
    }
    EXPECT_TRUE(wave_buffer_files().isEmpty());
}

TEST(UiWvSettings, ClickInTheNameFieldOnlyPrints)
{
    dialog_t d;
    testing::internal::CaptureStdout();
    QTest::mouseClick(d->get_name_edit(), Qt::LeftButton);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("show_keyboard_slot_func\n"), std::string::npos);
}
