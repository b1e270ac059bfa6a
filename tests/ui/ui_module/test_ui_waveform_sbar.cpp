#include "ui_waveform_cursor.h"
#include "ui_waveform_cursor_sel.h"
#include "ui_waveform_instr_param.h"
#include "ui_waveform_sbar.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {

// Stands in for the plot utilities' time text; shows which index each field was given.
QString index_label(uint32 index, const fp32 *freq, const int32 *points)
{
    return QString("t%1@%2/%3").arg(index).arg(*freq).arg(*points);
}

class sbar_fixture : public ::testing::Test
{
protected:
    void SetUp() override { ui_sbar_set_time_label_fn(&index_label); }
    void TearDown() override { ui_sbar_set_time_label_fn(nullptr); }

    static QStringList row(const ui_sbar_range_fields_t &f)
    {
        return {f.start_point->text(), f.end_point->text(), f.delta_point->text()};
    }
    static QStringList times(const ui_sbar_range_fields_t &f)
    {
        return {f.start_time->text(), f.end_time->text(), f.delta_time->text()};
    }

    ui_waveform_sbar_t bar;
    ui_waveform_cursor_t *cur = bar.cursor_widget;
    ui_waveform_cursor_sel_t *sel = bar.cursor_sel_widget;
    fp32 freq = 1000.0f;
    int32 points = 1001;
};

TEST_F(sbar_fixture, InitialTexts)
{
    EXPECT_EQ(bar.objectName(), "wvform_sbar_main");
    EXPECT_EQ(row(cur->x_fields), QStringList({"1", "1", "0"}));
    EXPECT_EQ(times(cur->x_fields), QStringList({"", "", ""}));
    EXPECT_EQ(cur->y_low->text(), "-20.00 V");
    EXPECT_EQ(cur->y_high->text(), "20.00 V");
    EXPECT_EQ(cur->y_delta->text(), "40.00 V");
    EXPECT_EQ(row(sel->sel_fields), QStringList({"1", "1", "0"}));
    EXPECT_EQ(times(sel->sel_fields), QStringList({"0", "0", "0"}));
    EXPECT_TRUE(sel->pos_x->text().isEmpty());
    EXPECT_EQ(cur->y_spare->objectName(), "wvform_sbar_lineedit2");
}

struct point_row_case_t
{
    fp32 x1, x2;
    QStringList points;
    QStringList times;
};

TEST_F(sbar_fixture, PointAndTimeRowsOrderAndTruncate)
{
    const point_row_case_t cases[] = {
        {10, 20, {"11", "21", "10"}, {"t10@1000/1001", "t20@1000/1001", "t10@1000/1001"}},
        {20, 10, {"11", "21", "10"}, {"t10@1000/1001", "t20@1000/1001", "t10@1000/1001"}},
        {5, 5, {"6", "6", "0"}, {"t5@1000/1001", "t5@1000/1001", "t0@1000/1001"}},
        {9.9f, 12.5f, {"10", "13", "2"}, {"t9@1000/1001", "t12@1000/1001", "t2@1000/1001"}},
        {0, 20971518.0f, {"1", "20971519", "20971518"},
         {"t0@1000/1001", "t20971518@1000/1001", "t20971518@1000/1001"}},
    };
    for (const point_row_case_t &c : cases) {
        cur->set_x_cursor_value(c.x1, c.x2, &freq, &points);
        EXPECT_EQ(row(cur->x_fields), c.points) << c.x1 << " " << c.x2;
        EXPECT_EQ(times(cur->x_fields), c.times) << c.x1 << " " << c.x2;
        sel->set_sel_value(c.x1, c.x2, &freq, &points);
        EXPECT_EQ(row(sel->sel_fields), c.points);
        EXPECT_EQ(times(sel->sel_fields), c.times);
    }
    // The selection takes exact positions past 2^24, where an fp32 would round.
    sel->set_sel_value(0.0, 20971520.0, &freq, &points);
    EXPECT_EQ(row(sel->sel_fields), QStringList({"1", "20971521", "20971520"}));
    EXPECT_EQ(times(sel->sel_fields), QStringList({"t0@1000/1001", "t20971520@1000/1001", "t20971520@1000/1001"}));
    sel->set_sel_points(16777217.0, 16777216.0);
    EXPECT_EQ(row(sel->sel_fields), QStringList({"16777217", "16777218", "1"}));
    sel->clear_sel_value();
    EXPECT_EQ(row(sel->sel_fields), QStringList({"1", "1", "0"}));
    EXPECT_EQ(times(sel->sel_fields), QStringList({"0", "0", "0"}));
    cur->set_x_cursor_points(3, 1);
    EXPECT_EQ(row(cur->x_fields), QStringList({"2", "4", "2"}));
    sel->set_sel_points(7, 7);
    EXPECT_EQ(row(sel->sel_fields), QStringList({"8", "8", "0"}));
}

TEST_F(sbar_fixture, VoltsRowInMilliOrVolts)
{
    const std::pair<std::pair<fp32, fp32>, QStringList> cases[] = {
        {{-1.0f, 1.0f}, {"-1.00 V", "1.00 V", "2.00 V"}},
        {{0.3f, 0.1f}, {"100.00 mV", "300.00 mV", "200.00 mV"}},
        {{0.0005f, 0.0f}, {"0.00 V", "0.00 V", "0.00 V"}},
        {{0.25f, -20.0f}, {"-20.00 V", "250.00 mV", "20.25 V"}},
    };
    for (const auto &c : cases) {
        cur->set_y_cursor_value(c.first.first, c.first.second);
        EXPECT_EQ(QStringList({cur->y_low->text(), cur->y_high->text(), cur->y_delta->text()}),
                  c.second);
    }
}

TEST_F(sbar_fixture, PositionShowsPointTimeAndVolts)
{
    sel->set_pos_value(9.9f, 0.25f, &freq, &points);
    EXPECT_EQ(sel->pos_x->text(), "X:10, t9@1000/1001");
    EXPECT_EQ(sel->pos_y->text(), "Y:250.00 mV");
    sel->set_pos_points(0.0f, -1.5f);
    EXPECT_EQ(sel->pos_x->text(), "X:1");
    EXPECT_EQ(sel->pos_y->text(), "Y:-1.50 V");
}

TEST_F(sbar_fixture, HidingYCursorsHidesItsSeparatorToo)
{
    bar.show();
    EXPECT_TRUE(cur->y_group->isVisible());
    EXPECT_TRUE(cur->separator->isVisible());
    cur->set_y_cursor_show(false);
    EXPECT_FALSE(cur->y_group->isVisible());
    EXPECT_FALSE(cur->separator->isVisible());
    EXPECT_TRUE(cur->x_group->isVisible());
    cur->set_x_cursor_show(false);
    EXPECT_FALSE(cur->x_group->isVisible());
    // A hidden group keeps its texts.
    cur->set_y_cursor_value(0.1f, 0.3f);
    cur->set_y_cursor_show(true);
    EXPECT_EQ(cur->y_low->text(), "100.00 mV");
}

TEST_F(sbar_fixture, FieldsAreReadOnlyAndNamedForStyle)
{
    for (QLineEdit *e : bar.findChildren<QLineEdit *>()) {
        EXPECT_FALSE(e->isEnabled());
        EXPECT_EQ(e->focusPolicy(), Qt::NoFocus);
        EXPECT_TRUE(e->objectName() == "wvform_sbar_lineedit" ||
                    e->objectName() == "wvform_sbar_lineedit2");
    }
    QStringList label_texts;
    for (QLabel *l : bar.findChildren<QLabel *>()) {
        EXPECT_TRUE(l->objectName() == "sbar_label" || l->objectName() == "sbar_label_set_line");
        label_texts << l->text();
    }
    for (const char *t : {"X Cursors", "Y Cursors", "Selection", "Position", "Deta", "Volte",
                          "Points", "Time", "Start", "End"})
        EXPECT_TRUE(label_texts.contains(t)) << t;
    EXPECT_EQ(sel->pos_x->width(), 126);
    EXPECT_EQ(cur->x_fields.start_point->width(), 60);
}

struct instr_param_case_t
{
    void (ui_waveform_instr_param_t::*set)(fp32);
    fp32 value;
    QLineEdit *ui_waveform_instr_param_t::*field;
    const char *text;
};

// Each setter writes its prefix and the value with six decimals in the prefixes and unit
// of its quantity; the point count has no unit text, only the blank.
TEST(UiWaveformInstrParam, EachFieldShowsItsPrefixAndValue)
{
    using p = ui_waveform_instr_param_t;
    const instr_param_case_t cases[] = {
        {&p::set_amp, 2.0f, &p::amp_field, "Amplitude:2.000000 V"},
        {&p::set_amp, 0.5f, &p::amp_field, "Amplitude:500.000000 mV"},
        {&p::set_offset, -0.25f, &p::offset_field, "Offset:-250.000000 mV"},
        {&p::set_offset, 0.0f, &p::offset_field, "Offset:0.000000 V"},
        {&p::set_freq, 1500.0f, &p::freq_field, "Frequency1.500000 kHz"},
        {&p::set_freq, 25e6f, &p::freq_field, "Frequency25.000000 MHz"},
        {&p::set_freq, 0.001f, &p::freq_field, "Frequency1.000000 mHz"},
        {&p::set_phase, 90.0f, &p::phase_field, "Phase:90.000000 degree"},
        {&p::set_points, 16384.0f, &p::points_field, "Points:16384.000000 "},
    };
    ui_waveform_instr_param_t param;
    for (const instr_param_case_t &c : cases) {
        (param.*c.set)(c.value);
        EXPECT_EQ((param.*c.field)->text(), c.text) << c.text;
    }
    // Amplitude and offset on the left, frequency and phase beside them, points last.
    QGridLayout *grid = qobject_cast<QGridLayout *>(param.layout());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->horizontalSpacing(), 0);
    EXPECT_EQ(grid->verticalSpacing(), 0);
    const std::pair<QLineEdit *, std::pair<int, int>> cells[] = {
        {param.amp_field, {0, 0}},  {param.offset_field, {1, 0}}, {param.freq_field, {0, 1}},
        {param.phase_field, {1, 1}}, {param.points_field, {0, 2}},
    };
    for (const auto &c : cells) {
        int row = -1, column = -1, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(c.first), &row, &column, &rs, &cs);
        EXPECT_EQ(std::make_pair(row, column), c.second);
        EXPECT_FALSE(c.first->isEnabled());
        EXPECT_EQ(c.first->objectName(), "wvform_sbar_lineedit");
    }
}

} // namespace
