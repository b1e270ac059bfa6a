#include "custom_scake_draw.h"
#include "ui_xp_scale_draw.h"
#include "ui_xt_scale_draw.h"
#include "ui_yv_scale_draw.h"

#include <QColor>
#include <gtest/gtest.h>
#include <qwt_scale_div.h>

namespace {

std::string text_of(const QwtScaleDraw &draw, double v)
{
    return draw.label(v).text().toStdString();
}

} // namespace

TEST(UiXpScaleDraw, LabelsDisplayPositionsWithSampleIndicesFromOne)
{
    struct
    {
        double start, end, s1, s2, tick;
        const char *text;
    } cases[] = {
        {0, 999, 0, 99, 0, "1"},
        {0, 999, 0, 99, 99, "1000"},
        {0, 999, 0, 99, 50, "506"}, // index 504.55: span >= 100 shows no decimals
        {10, 20, 0, 10, 5, "16"},
        {10, 20, 0, 10, 2.5, "13.5"}, // span below 100: one decimal
        {0, 20971519, 0, 2999, 2999, "20971520"},
        {7, 7, 0, 0, 0, "8"}, // an empty scale interval maps to the end index
    };
    for (const auto &c : cases) {
        ui_xp_scale_draw_t draw;
        draw.set_start_index(c.start);
        draw.set_end_index(c.end);
        draw.setScaleDiv(QwtScaleDiv(c.s1, c.s2));
        EXPECT_EQ(text_of(draw, c.tick), c.text) << c.start << ".." << c.end << " tick " << c.tick;
    }
}

TEST(UiXpScaleDraw, TimeLineIsCentredUnderTheIndex)
{
    struct
    {
        double tick;
        const char *text;
    } cases[] = {
        {0, "1\n0"},             // same length: no blanks
        {1000, "  1001\n1.00ms"}, // 4 and 6 characters: h = 1, two blanks
        {1, "     2\n1.00us"},    // 1 and 6: h = 3, ceil(1.5 * 3) = 5 blanks
    };
    for (const auto &c : cases) {
        ui_xp_scale_draw_t draw;
        draw.set_start_index(0);
        draw.set_end_index(1000);
        draw.set_wave_freq(1000.0f);
        draw.set_wave_points(1001);
        draw.time_flag = true;
        draw.setScaleDiv(QwtScaleDiv(0, 1000));
        EXPECT_EQ(text_of(draw, c.tick), c.text);
    }
}

TEST(UiXpScaleDraw, DefaultsAndWhiteLabels)
{
    ui_xp_scale_draw_t draw;
    EXPECT_EQ(draw.get_start_index(), 0.0);
    EXPECT_EQ(draw.get_end_index(), 16384.0);
    EXPECT_EQ(draw.get_wave_freq(), 1000.0f);
    EXPECT_EQ(draw.get_wave_points(), 16384u);
    EXPECT_FALSE(draw.time_flag);
    EXPECT_FALSE(draw.hasComponent(QwtAbstractScaleDraw::Ticks));
    EXPECT_FALSE(draw.hasComponent(QwtAbstractScaleDraw::Backbone));
    EXPECT_EQ(draw.label(3).color(), QColor(255, 255, 255, 255));
}

TEST(UiYvScaleDraw, VoltsAndRawValuesPaddedToNineCharacters)
{
    struct
    {
        int kind;
        double v;
        const char *text;
    } cases[] = {
        {0, 0.5, "  500.00m"},
        {0, 2, "     2.00"},
        {0, 0, "     0.00"},
        {0, 1e-7, "     0.00"},
        {0, -0.25, " -250.00m"},
        {0, -1, "    -1.00"},
        {0, 123456.5, "123456.50"},
        {0, -1234567, "-1234567.00"}, // 9 or more: unchanged
        {1, 32767, "    32767"},
        {1, -6553.39990234375, "    -6553"},
        {2, 5, "         "},
    };
    for (const auto &c : cases) {
        ui_yv_scale_draw_t draw(c.kind);
        EXPECT_EQ(text_of(draw, c.v), c.text) << c.kind << " " << c.v;
    }
}

TEST(CustomScakeDraw, LabelsTicksFromItsList)
{
    CustomScakeDraw draw(QStringList{QString(), "D15"});
    EXPECT_EQ(text_of(draw, 1), "D15");
    EXPECT_EQ(text_of(draw, 1.9), "D15");
    EXPECT_EQ(text_of(draw, -0.5), "");
    EXPECT_EQ(text_of(draw, 2), "");
    EXPECT_EQ(text_of(draw, -1), "");
    EXPECT_EQ(draw.label(1).color(), QColor(Qt::white));

    ui_xt_scale_draw_t xt;
    EXPECT_EQ(text_of(xt, 15), "1.5");
    EXPECT_EQ(text_of(xt, 12345678), "1.23457e+06");
}
