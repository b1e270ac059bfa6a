#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_qwt_plot_curve.h"
#include "ui_xp_scale_draw.h"

#include <gtest/gtest.h>

namespace {

void fill(lib_wv_data_t<short int> &data, uint32 n, short int (*f)(uint32))
{
    std::vector<short int> s(n);
    for (uint32 k = 0; k < n; ++k)
        s[k] = f(k);
    data.samples.truncate(0);
    if (n)
        data.samples.write(0, s.data(), n);
}

short int index_pattern(uint32 k)
{
    return static_cast<short int>(k % 30000);
}

std::pair<double, double> index_range(ui_preview_plot_t &plot)
{
    return {plot.get_xp_scale_draw()->get_start_index(), plot.get_xp_scale_draw()->get_end_index()};
}

} // namespace

TEST(UiPlotLoader, LongWaveformsAreReducedToDisplayPoints)
{
    lib_wv_data_t<short int> data;
    fill(data, 40000, index_pattern);
    struct
    {
        uint32 start, count;
        size_t shown;
    } cases[] = {
        {0, 30000, 30000}, // up to 10 M: every sample
        {0, 30001, 3000},  // beyond: the extraction
        {5000, 1000, 1000},
        {100, 35000, 3000},
    };
    for (const auto &c : cases) {
        ui_preview_plot_t plot;
        if (c.start == 0)
            plot_load_waveform(&plot, &data, c.count, 3000);
        else
            plot_load_waveform_part(&plot, c.start, &data, c.count, 3000);
        QwtPlotCurve *curve = plot.get_curve(0);
        ASSERT_EQ(curve->dataSize(), c.shown) << c.start << "+" << c.count;
        EXPECT_EQ(index_range(plot), std::make_pair(double(c.start), double(c.start + c.count - 1)));
        EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, double(c.shown) - 1));
        if (c.shown == c.count) {
            EXPECT_EQ(curve->sample(0).y(), index_pattern(c.start));
            EXPECT_EQ(curve->sample(c.count - 1).y(), index_pattern(c.start + c.count - 1));
        }
    }
}

TEST(UiPlotLoader, SamplesTheFileLacksShowAsZero)
{
    lib_wv_data_t<short int> data;
    fill(data, 100, [](uint32) -> short int { return 77; });
    ui_preview_plot_t plot;
    // the caller's count is kept (labels depend on it) and the missing part is 0
    plot_load_waveform_part(&plot, 90, &data, 20, 3000);
    QwtPlotCurve *curve = plot.get_curve(0);
    ASSERT_EQ(curve->dataSize(), 20u);
    EXPECT_EQ(curve->sample(9).y(), 77);
    EXPECT_EQ(curve->sample(10).y(), 0);
    EXPECT_EQ(curve->sample(19).y(), 0);
    EXPECT_EQ(index_range(plot), std::make_pair(90.0, 109.0));

    std::remove(data.samples.get_path().c_str());
    plot_load_waveform(&plot, &data, 50000, 3000);
    ASSERT_EQ(curve->dataSize(), 3000u);
    EXPECT_EQ(curve->maxYValue(), 0);
    EXPECT_EQ(curve->minYValue(), 0);
}

TEST(UiPlotLoader, ReloadVisibleShowsTheLabelledStretch)
{
    lib_wv_data_t<short int> data;
    fill(data, 50000, index_pattern);
    ui_preview_plot_t plot;
    plot.set_index_range(1000, 1999);
    plot_reload_visible(&plot, &data, 3000);
    ASSERT_EQ(plot.get_curve(0)->dataSize(), 1000u);
    EXPECT_EQ(plot.get_curve(0)->sample(0).y(), 1000);

    fp32 hi = 2.0f, lo = -3.0f;
    plot_set_yrange_and_reload(&plot, &hi, &lo, &data, 3000);
    EXPECT_EQ(plot.get_yleft_interval(), ui_range_t(-3, 2));
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 1000u);
}

TEST(UiPlotLoader, VectorLoadersShowTheWholeWaveform)
{
    lib_wv_data_t<short int> data;
    fill(data, 30001, index_pattern);
    ui_preview_plot_t plot;
    plot_load_waveform_vector(&plot, &data, 3000);
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 3000u);
    EXPECT_EQ(index_range(plot), std::make_pair(0.0, 30000.0));

    fill(data, 2000, index_pattern);
    fp32 hi = 1.0f, lo = -1.0f;
    plot_load_waveform_yrange(&plot, &hi, &lo, &data, 3000);
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 2000u);
    EXPECT_EQ(plot.get_yleft_interval(), ui_range_t(-1, 1));
    EXPECT_EQ(index_range(plot), std::make_pair(0.0, 1999.0));

    fill(data, 40000, index_pattern);
    plot_load_waveform_range(&plot, &data, 10.0, 20.0, 3000);
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 3000u); // 10 in window 0 (0..13), 20 in window 1
}

TEST(UiPlotLoader, FloatValuesArePlottedInVolts)
{
    std::vector<float> v(30001, 0.25f);
    v[29995] = -1.5f;
    ui_preview_plot_t plot;
    plot_load_float_vector(&plot, v, 3000);
    QwtPlotCurve *curve = plot.get_curve(0);
    EXPECT_EQ(curve->dataSize(), 3000u);
    EXPECT_EQ(curve->yAxis(), QwtPlot::yLeft);
    EXPECT_EQ(curve->minYValue(), -1.5);
    EXPECT_EQ(v.size(), 30001u); // the caller's values stay

    v.resize(10);
    plot_load_float_vector(&plot, v, 3000);
    EXPECT_EQ(curve->dataSize(), 10u);
    EXPECT_EQ(index_range(plot), std::make_pair(0.0, 9.0));
}
