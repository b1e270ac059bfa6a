#include "ui_property.h"
#include "ui_view_setting.h"

#include <QFile>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(UiProperty, FreshRecordStartsEmptyAndUnselected)
{
    ui_property_t p;
    EXPECT_EQ(p.get_wave_type(), LIB_WV_NONE);
    EXPECT_EQ(p.get_paste_mode(), 1);
    EXPECT_EQ(p.get_select_kind(), 2);
    EXPECT_EQ(p.get_mouse_func(), UI_MOUSE_NORMAL);
    EXPECT_FALSE(p.is_saved());
    EXPECT_EQ(p.get_window_num(), 0);
    EXPECT_EQ(p.get_high_level(), 0.0f);
    EXPECT_EQ(p.get_low_level(), 0.0f);
    EXPECT_EQ(p.get_data()->amp, 2.0f);
    EXPECT_EQ(p.get_data()->offset, 0.0f);
    EXPECT_EQ(p.get_data()->freq, 1000.0);
    EXPECT_FALSE(p.has_data());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(p.get_data()->samples.get_path())));

    ui_property_t typed(LIB_WV_PULSE);
    EXPECT_EQ(typed.get_wave_type(), LIB_WV_PULSE);
    EXPECT_EQ(typed.get_select_kind(), 2);
    EXPECT_NE(typed.get_data()->samples.get_path(), p.get_data()->samples.get_path());
}

TEST(UiProperty, ResetStateForgetsToolSelectionAndLevels)
{
    ui_property_t p;
    p.set_high_level(1.5f);
    p.set_low_level(-0.5f);
    p.set_select_kind(0);
    p.set_mouse_func(UI_MOUSE_DRAW_POINT);
    p.set_saved(true);
    p.set_window_num(7);
    p.get_data()->resize(10, 5);
    p.reset_state();
    EXPECT_EQ(p.get_mouse_func(), UI_MOUSE_NORMAL);
    EXPECT_EQ(p.get_select_kind(), 2);
    EXPECT_EQ(p.get_high_level(), 0.0f);
    EXPECT_EQ(p.get_low_level(), 0.0f);
    EXPECT_TRUE(p.is_saved()) << "the document's own state stays";
    EXPECT_EQ(p.get_window_num(), 7);
    EXPECT_TRUE(p.has_data());
}

TEST(UiProperty, SetDataSharesTheOtherFileAndClearDataEmptiesIt)
{
    ui_property_t p;
    const QString own = QString::fromStdString(p.get_data()->samples.get_path());
    p.get_data()->resize(10, 5);
    {
        lib_wv_data_t<short int> other;
        other.amp = 4.0f;
        other.offset = -1.0f;
        other.freq = 250.0;
        other.resize(3, 7);
        EXPECT_EQ(p.set_data(other), 1);
        EXPECT_EQ(p.get_data()->samples.get_path(), other.samples.get_path());
        EXPECT_EQ(p.get_data()->amp, 4.0f);
        EXPECT_EQ(p.get_data()->offset, -1.0f);
        EXPECT_EQ(p.get_data()->freq, 250.0);
        EXPECT_FALSE(QFile::exists(own)) << "the record's own file is not left behind";
        other.samples.set(0, 9);
        short int first = 0;
        p.get_data()->samples.at(0, &first);
        EXPECT_EQ(first, 9) << "one file for both";

        p.clear_data();
        EXPECT_FALSE(p.has_data());
        EXPECT_EQ(other.samples.size(), 0u);
    }
}

TEST(UiProperty, WaveTypeValidOnlyForGeneratedTypes)
{
    for (uint32 t = 0; t <= 12; ++t)
        EXPECT_TRUE(ui_property_t::is_wave_type_valid(static_cast<lib_wv_type_t>(t))) << t;
    EXPECT_FALSE(ui_property_t::is_wave_type_valid(LIB_WV_NONE));
    EXPECT_FALSE(ui_property_t::is_wave_type_valid(static_cast<lib_wv_type_t>(14)));
}

TEST(UiProperty, SampleFileGoesWithTheRecord)
{
    QString path;
    {
        auto p = std::make_unique<ui_property_t>();
        p->get_data()->resize(100, 1);
        path = QString::fromStdString(p->get_data()->samples.get_path());
        EXPECT_TRUE(QFile::exists(path));
        p->remove_data_file();
        EXPECT_FALSE(QFile::exists(path));
    }
    {
        ui_property_t p;
        path = QString::fromStdString(p.get_data()->samples.get_path());
    }
    EXPECT_FALSE(QFile::exists(path));
}

TEST(UiViewSetting, NewDocumentDefaults)
{
    ui_view_setting_t v;
    EXPECT_TRUE(v.grid_show);
    EXPECT_FALSE(v.time_scale_show);
    EXPECT_TRUE(v.auto_scale);
    EXPECT_EQ(v.y_max, 1.0);
    EXPECT_EQ(v.y_min, -1.0);
    EXPECT_EQ(v.line_width, 1);
    EXPECT_EQ(v.line_rgb[0], 255);
    EXPECT_EQ(v.line_rgb[1], 255);
    EXPECT_EQ(v.line_rgb[2], 0);
    EXPECT_EQ(v.x_cursor_rgb[0], 255);
    EXPECT_EQ(v.x_cursor_rgb[1], 0);
    EXPECT_EQ(v.y_cursor_rgb[1], 255);
    // Copied by value: the dialog edits its own copy.
    ui_view_setting_t copy = v;
    copy.line_rgb[0] = 1;
    EXPECT_EQ(v.line_rgb[0], 255);
    EXPECT_EQ(copy.line_rgb[0], 1);
}

} // namespace
