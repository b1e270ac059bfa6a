#include "ui_digital_wv_plot.h"

#include <gtest/gtest.h>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>
#include <qwt_scale_draw.h>

namespace {

std::vector<QPointF> points_of(const QwtPlotCurve *curve)
{
    std::vector<QPointF> p;
    for (size_t i = 0; i < curve->dataSize(); ++i)
        p.push_back(curve->sample(i));
    return p;
}

std::string label(const QwtPlot *plot, int axis, double v)
{
    return plot->axisScaleDraw(axis)->label(v).text().toStdString();
}

} // namespace

TEST(UiDigitalWvPlot, AxesNameChannelsAndPoints)
{
    ui_digital_wv_plot_t w;
    QwtPlot *plot = w.get_plot();
    EXPECT_EQ(label(plot, QwtPlot::yLeft, 0), "");
    EXPECT_EQ(label(plot, QwtPlot::yLeft, 1), "D15");
    EXPECT_EQ(label(plot, QwtPlot::yLeft, 16), "D0");
    EXPECT_EQ(label(plot, QwtPlot::yLeft, 17), "");
    EXPECT_EQ(label(plot, QwtPlot::xBottom, 0), "1");
    EXPECT_EQ(label(plot, QwtPlot::xBottom, 19), "20");
    EXPECT_EQ(label(plot, QwtPlot::xBottom, 20), "");
    plot->updateAxes();
    EXPECT_EQ(plot->axisScaleDiv(QwtPlot::yLeft).ticks(QwtScaleDiv::MajorTick).size(), 18);
    EXPECT_EQ(plot->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick).size(), 21);

    w.set_points_scale(16);
    EXPECT_EQ(label(plot, QwtPlot::xBottom, 0), "1");
    EXPECT_EQ(label(plot, QwtPlot::xBottom, 15), "16");
    EXPECT_EQ(label(plot, QwtPlot::xBottom, 16), "");
    EXPECT_EQ(plot->axisScaleDiv(QwtPlot::xBottom).upperBound(), 16);
}

TEST(UiDigitalWvPlot, EachBitDrawsOneStepTrace)
{
    ui_digital_wv_plot_t w;
    std::vector<short int> one{static_cast<short int>(0x8001)};
    w.update_wave_view_trace(one);
    // D15 and D0 high over 0 .. 1, the others low; two points each
    EXPECT_EQ(points_of(w.get_trace(15)), (std::vector<QPointF>{{0, 1.3}, {1, 1.3}}));
    EXPECT_EQ(points_of(w.get_trace(0)), (std::vector<QPointF>{{0, 16.3}, {1, 16.3}}));
    EXPECT_EQ(points_of(w.get_trace(7)), (std::vector<QPointF>{{0, 8.8}, {1, 8.8}}));
    EXPECT_EQ(w.get_trace(3)->style(), QwtPlotCurve::Steps);

    std::vector<short int> two{1, 0};
    w.update_wave_view_trace(two);
    // D0 high from 0 to 2, down at x = 2
    EXPECT_EQ(points_of(w.get_trace(0)), (std::vector<QPointF>{{0, 16.3}, {1, 16.3}, {2, 15.8}}));
}

TEST(UiDigitalWvPlot, EmptyPatternKeepsTheTraces)
{
    ui_digital_wv_plot_t w;
    std::vector<short int> s{-1, 0, -1};
    w.update_wave_view_trace(s);
    const auto before = points_of(w.get_trace(9));
    std::vector<short int> empty;
    testing::internal::CaptureStdout();
    w.update_wave_view_trace(empty);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "CDigital_wave_view::update_wave_view_trace. Get wave data Error\n");
    EXPECT_EQ(points_of(w.get_trace(9)), before);
}
