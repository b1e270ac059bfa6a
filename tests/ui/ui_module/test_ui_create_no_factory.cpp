// Without "factory.txt" the model frame offers no model; the creation dialogs still
// build, take the frame's model and make their waveforms.
#include "create_test_util.h"
#include "ui_coustom_comb.h"
#include "ui_stdwvform.h"
#include "ui_stdwvform_form.h"
#include "ui_wv_settings.h"
#include "ui_wv_settings_form.h"

#include <QPointer>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <memory>

using namespace create_test;

TEST(UiCreateNoFactory, StandardWaveformUsesTheFramesModel)
{
    QPointer<ui_stdwvform_t> d =
        new ui_stdwvform_t(nullptr, LIB_WV_SQUARE, 1000, INSTR_ZQW5000, 1000.0, 0, false, nullptr);
    EXPECT_EQ(d->get_model_form()->model_comb->count(), 0);
    EXPECT_EQ(d->get_wave_object()->get_instr_type(), d->get_model_form()->get_instr_type());
    EXPECT_NE(d->get_wave_object()->get_instr_type(), INSTR_ZQW5000) << "not the series argument";
    QSignalSpy spy(d.data(), SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)));
    QTest::mouseClick(d->get_form()->btn_ok, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    std::unique_ptr<cfg_if_wv_t> w(d->take_wave_object());
    EXPECT_EQ(samples_of(w->get_wv_data()).size(), 1000u);
    delete d.data();
    w.reset();
    EXPECT_TRUE(wave_buffer_files().isEmpty());
}

TEST(UiCreateNoFactory, NewWaveformStillAcceptsAName)
{
    QPointer<ui_wv_settings_t> d = new ui_wv_settings_t(nullptr);
    QSignalSpy spy(d.data(), SIGNAL(wv_settings_form_btn_signal(ui_wv_settings_t *, int32)));
    QTest::mouseClick(d->get_form()->btn_ok, Qt::LeftButton);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 3);
    EXPECT_EQ(d->get_wave()->get_instr_type(), d->get_model_form()->get_instr_type());
    EXPECT_EQ(*d->get_wave()->get_wv_len(), 16384u);
    delete d.data();
}
