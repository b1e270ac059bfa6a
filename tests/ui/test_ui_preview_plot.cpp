#include "ui_preview_plot.h"
#include "ui_qwt_plot_curve.h"
#include "ui_qwt_pointer_data.h"
#include "ui_xp_scale_draw.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <qwt_plot_grid.h>
#include <qwt_scale_div.h>

namespace {

// Scale divisions are recomputed when the plot updates its axes (on replot).
QList<double> ticks(QwtPlot &plot, int axis)
{
    plot.updateAxes();
    return plot.axisScaleDiv(axis).ticks(QwtScaleDiv::MajorTick);
}

void fill(lib_wv_data_t<short int> &data, const std::vector<short int> &s)
{
    data.samples.truncate(0);
    if (!s.empty())
        data.samples.write(0, s.data(), static_cast<uint32>(s.size()));
}

// The plot's own items other than the five curves.
template <typename T>
T *find_item(QwtPlot &plot, int rtti)
{
    for (QwtPlotItem *item : plot.itemList(rtti))
        return static_cast<T *>(item);
    return nullptr;
}

} // namespace

TEST(UiPreviewPlot, NewPlotHidesItsAxesAndGrid)
{
    ui_preview_plot_t plot;
    EXPECT_EQ(plot.objectName(), "normal_qwtplot");
    EXPECT_FALSE(plot.axisEnabled(QwtPlot::xBottom));
    EXPECT_FALSE(plot.axisEnabled(QwtPlot::yLeft));
    EXPECT_FALSE(plot.axisEnabled(QwtPlot::yRight));
    QwtPlotGrid *grid = find_item<QwtPlotGrid>(plot, QwtPlotItem::Rtti_PlotGrid);
    ASSERT_NE(grid, nullptr);
    EXPECT_FALSE(grid->isVisible());
    EXPECT_EQ(plot.get_curve_type(), UI_CURVE_LINES);
    EXPECT_EQ(plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(), 5);
    EXPECT_EQ(plot.get_yright_interval(), ui_range_t(-32767, 32767));
    EXPECT_EQ(ticks(plot, QwtPlot::yRight).size(), 11);
    EXPECT_EQ(plot.axisTitle(QwtPlot::yLeft).text(), "Amplitude[V]");
    EXPECT_NE(dynamic_cast<ui_xp_scale_draw_t *>(plot.axisScaleDraw(QwtPlot::xBottom)), nullptr);
}

TEST(UiPreviewPlot, XBottomStepIsATenthOrOneTickPerWholeUnit)
{
    ui_preview_plot_t plot;
    plot.set_xbottom_scale(0, 99);
    plot.set_xbottom_scale(5, 3); // ignored
    plot.updateAxes();
    EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, 99));

    plot.set_xbottom_scale(0, 2999);
    QList<double> t = ticks(plot, QwtPlot::xBottom);
    ASSERT_EQ(t.size(), 11);
    EXPECT_NEAR(t[1], 299.9, 1e-9);

    plot.set_xbottom_scale(0, 7);
    EXPECT_EQ(ticks(plot, QwtPlot::xBottom), (QList<double>{0, 1, 2, 3, 4, 5, 6, 7}));

    plot.set_xbottom_scale(0, 9.5);
    t = ticks(plot, QwtPlot::xBottom);
    ASSERT_GE(t.size(), 2);
    EXPECT_NEAR(t[1], 9.5 / 9, 1e-6);

    // a single display point: Qwt chooses the step
    plot.set_xbottom_scale(0, 0);
    plot.updateAxes();
    EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, 0));
}

TEST(UiPreviewPlot, YScalesClampAndStep)
{
    struct
    {
        void (ui_preview_plot_t::*set)(fp32, fp32);
        int axis;
        fp32 min, max;
        double lo, hi, step;
    } cases[] = {
        {&ui_preview_plot_t::set_yleft_scale, QwtPlot::yLeft, -100, 100, -40, 40, 8},
        {&ui_preview_plot_t::set_yleft_scale, QwtPlot::yLeft, 2, 2, 2, 2, 1.2},
        {&ui_preview_plot_t::set_yleft_scale_clamped, QwtPlot::yLeft, -1, 3, -1, 3, 0.4},
        {&ui_preview_plot_t::set_yleft_scale_6, QwtPlot::yLeft, -3, 3, -3, 3, 1},
        {&ui_preview_plot_t::set_yleft_scale_margin, QwtPlot::yLeft, -1, 1, -1.2, 1.2, 0.24},
        {&ui_preview_plot_t::set_yleft_scale_free, QwtPlot::yLeft, -1, 1, -1.2, 1.2, 0.4},
        {&ui_preview_plot_t::set_yleft_scale_free, QwtPlot::yLeft, -60, 60, -72, 72, 24},
        {&ui_preview_plot_t::set_yright_scale, QwtPlot::yRight, -1000, 1000, -1000, 1000, 200},
    };
    for (const auto &c : cases) {
        ui_preview_plot_t plot;
        (plot.*c.set)(c.min, c.max);
        plot.updateAxes();
        EXPECT_NEAR(plot.axisStepSize(c.axis), c.step, 1e-5) << c.min << " " << c.max;
        if (c.lo == c.hi)
            continue; // Qwt divides no empty interval
        const QwtScaleDiv &div = plot.axisScaleDiv(c.axis);
        EXPECT_NEAR(div.lowerBound(), c.lo, 1e-5) << c.min << " " << c.max;
        EXPECT_NEAR(div.upperBound(), c.hi, 1e-5);
    }
}

TEST(UiPreviewPlot, CurveTypeChangesOneAttributeAtATime)
{
    ui_preview_plot_t plot;
    QwtPlotCurve *curve = plot.get_curve(4);
    plot.set_curve_type(UI_CURVE_INVERTED_STEPS);
    EXPECT_EQ(curve->style(), QwtPlotCurve::Steps);
    EXPECT_TRUE(curve->testCurveAttribute(QwtPlotCurve::Inverted));
    plot.set_curve_type(UI_CURVE_FITTED);
    EXPECT_EQ(curve->style(), QwtPlotCurve::Lines);
    EXPECT_TRUE(curve->testCurveAttribute(QwtPlotCurve::Inverted));
    EXPECT_TRUE(curve->testCurveAttribute(QwtPlotCurve::Fitted));
    plot.set_curve_type(UI_CURVE_STEPS);
    EXPECT_FALSE(curve->testCurveAttribute(QwtPlotCurve::Inverted));
    plot.set_curve_type(UI_CURVE_LINES);
    EXPECT_FALSE(curve->testCurveAttribute(QwtPlotCurve::Fitted));
    plot.set_curve_type(static_cast<ui_curvv_show_t>(9));
    EXPECT_TRUE(curve->testCurveAttribute(QwtPlotCurve::Fitted));
    EXPECT_EQ(plot.get_curve_type(), 9);

    const int widths[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {7, 2}};
    for (const auto &w : widths) {
        plot.set_curve_pen(Qt::cyan, w[0]);
        EXPECT_EQ(plot.get_curve(0)->pen().width(), w[1]);
        EXPECT_EQ(plot.get_curve(3)->pen().color(), QColor(Qt::cyan));
    }
}

TEST(UiPreviewPlot, PointListsUseDisplayPositions)
{
    ui_preview_plot_t plot;
    int16 raw[] = {5, -7, 9};
    plot.plot_wv_data(raw, 3);
    QwtPlotCurve *c0 = plot.get_curve(0);
    ASSERT_EQ(c0->dataSize(), 3u);
    EXPECT_EQ(c0->sample(1), QPointF(1, -7));
    EXPECT_EQ(c0->yAxis(), QwtPlot::yRight);
    EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, 2));

    // flag cleared: the curve changes, the x scale does not
    std::vector<float> volts{0.5f, 1.5f, -2.0f, 0.0f, 1.0f};
    plot.plot_wv_data(volts, false);
    EXPECT_EQ(c0->dataSize(), 5u);
    EXPECT_EQ(c0->yAxis(), QwtPlot::yLeft);
    plot.updateAxes();
    EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, 2));
    plot.plot_wv_data(volts, true);
    EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, 4));

    std::vector<short int> s{1, 2, 3, 4};
    fp32 hi = 0.5f, lo = -0.5f;
    plot.plot_wv_data_in_range(&hi, &lo, s);
    EXPECT_EQ(c0->yAxis(), QwtPlot::yRight);
    EXPECT_EQ(plot.get_yleft_interval(), ui_range_t(-0.5, 0.5));
    EXPECT_EQ(plot.get_xbottom_interval(), ui_range_t(0, 3));

    lib_wv_data_t<short int> data;
    fill(data, {10, 20});
    plot.plot_wv_data(data, true);
    ASSERT_EQ(c0->dataSize(), 2u);
    EXPECT_EQ(c0->sample(1), QPointF(1, 20));
}

TEST(UiPreviewPlot, IndexRangeInstallsANewDrawCarryingTheWaveSettings)
{
    ui_preview_plot_t plot;
    plot.set_wave_freq(50.0f);
    plot.set_wave_points(777);
    plot.set_time_scale_show(true);
    ui_xp_scale_draw_t *before = plot.get_xp_scale_draw();
    plot.set_index_range(0, 16384); // the range it already has
    EXPECT_EQ(plot.get_xp_scale_draw(), before);
    plot.set_index_range(100, 200);
    ui_xp_scale_draw_t *draw = plot.get_xp_scale_draw();
    EXPECT_EQ(plot.axisScaleDraw(QwtPlot::xBottom), draw);
    EXPECT_EQ(draw->get_start_index(), 100);
    EXPECT_EQ(draw->get_end_index(), 200);
    EXPECT_EQ(draw->get_wave_freq(), 50.0f);
    EXPECT_EQ(draw->get_wave_points(), 777u);
    EXPECT_TRUE(plot.get_time_scale_show());
    plot.update_xp_scale_draw();
    EXPECT_EQ(plot.get_xp_scale_draw()->get_start_index(), 100);
    EXPECT_TRUE(plot.get_xp_scale_draw()->time_flag);
}

TEST(UiPreviewPlot, RangeScans)
{
    ui_preview_plot_t plot;
    lib_wv_data_t<short int> data;
    EXPECT_EQ(plot.get_wave_range(data), ui_range_t(0, 0));
    fill(data, {-3});
    EXPECT_EQ(plot.get_wave_range(data), ui_range_t(-3, -3));
    std::vector<short int> s(5000, 0);
    s[0] = 100;
    s[4000] = -32768;
    s[4999] = 32767;
    fill(data, s);
    EXPECT_EQ(plot.get_wave_range(data), ui_range_t(-32768, 32767));
    EXPECT_EQ(plot.get_wv_data_range(data.samples, 4000), ui_range_t(0, 100));
    // a count past the stored samples is cut to them
    EXPECT_EQ(plot.get_wv_data_range(data.samples, 900000), ui_range_t(-32768, 32767));
    EXPECT_EQ(plot.get_wave_range_clipped(data), ui_range_t(-10, 10));
    EXPECT_EQ(plot.get_data_limits(), ui_range_t(-10, 10));
    const std::pair<fp32, fp32> clamps[] = {{55.0f, 40.0f}, {-40.5f, -40.0f}, {39.5f, 39.5f}, {-3.0f, -3.0f}};
    for (const auto &c : clamps) {
        EXPECT_EQ(plot.clamp_to_y_limits(c.first), c.second) << c.first;
        fp32 in_place = c.first;
        plot.clamp_in_y_limits(&in_place);
        EXPECT_EQ(in_place, c.second) << c.first;
    }

    std::vector<float> v{0.5f, -2.0f, 3.0f};
    EXPECT_EQ(plot.get_vector_range(v), ui_range_t(-2, 3));
    v.clear();
    EXPECT_EQ(plot.get_vector_range(v), ui_range_t(0, 0));
}

TEST(UiPreviewPlot, ShownPlotLabelsItsAxes)
{
    ui_preview_plot_t plot;
    plot.resize(800, 400);
    plot.set_axis_show(true);
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
    std::vector<int16> raw(1000, 0);
    plot.set_index_range(0, 999);
    plot.plot_wv_data(raw.data(), 1000);
    plot.set_yleft_scale(-1, 1);
    plot.replot();
    QApplication::processEvents();

    const QwtScaleDraw *xd = plot.axisScaleDraw(QwtPlot::xBottom);
    QList<double> xt = ticks(plot, QwtPlot::xBottom);
    ASSERT_EQ(xt.size(), 11);
    EXPECT_EQ(xd->label(xt.first()).text(), "1");
    EXPECT_EQ(xd->label(xt[1]).text(), "101"); // index 99.9: not whole, span >= 100 rounds
    EXPECT_EQ(xd->label(xt.last()).text(), "1000");

    const QwtScaleDraw *yd = plot.axisScaleDraw(QwtPlot::yLeft);
    QList<double> yt = ticks(plot, QwtPlot::yLeft);
    ASSERT_EQ(yt.size(), 11);
    EXPECT_EQ(yd->label(yt.first()).text(), "    -1.00");
    EXPECT_EQ(yd->label(yt[1]).text(), " -800.00m");
    EXPECT_EQ(yd->label(yt.last()).text(), "     1.00");

    // the time line appears with a new draw only
    plot.get_xp_scale_draw()->set_wave_points(1000);
    plot.set_time_scale_show(true);
    plot.update_xp_scale_draw();
    plot.replot();
    EXPECT_EQ(plot.axisScaleDraw(QwtPlot::xBottom)->label(xt.last()).text().split('\n').size(), 2);
}

TEST(UiQwtPlotCurve, PointerSeriesReadTheCallersArrays)
{
    fp32 fx[] = {0, 1, 2}, fy[] = {1.5f, -2.5f, 4};
    int16 sx[] = {3, 4}, sy[] = {-100, 200};
    ui_qwt_plot_curve_t curve;
    curve.set_float_samples(fx, fy, 3);
    ASSERT_EQ(curve.dataSize(), 3u);
    EXPECT_EQ(curve.sample(1), QPointF(1, -2.5));
    EXPECT_EQ(curve.boundingRect(), QRectF(QPointF(0, -2.5), QPointF(2, 4)));
    curve.set_short_samples(sx, sy, 2);
    EXPECT_EQ(curve.sample(0), QPointF(3, -100));
    EXPECT_EQ(curve.boundingRect(), QRectF(QPointF(3, -100), QPointF(4, 200)));
    QwtShortPointerData empty(sx, sy, -4);
    EXPECT_EQ(empty.size(), 0u);
}
