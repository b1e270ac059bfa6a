#include "ui_preview_plot.h"
#include "ui_qwt_picker.h"

#include <QApplication>
#include <cmath>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <qwt_scale_map.h>

TEST(UiQwtPicker, ReportsNothingBeforeTheFirstMove)
{
    ui_preview_plot_t plot;
    ui_qwt_picker_t *picker = plot.get_picker();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->get_pos(), QPointF(0, 0));
    EXPECT_EQ(picker->rubberBand(), QwtPicker::CrossRubberBand);
    EXPECT_EQ(picker->trackerMode(), QwtPicker::AlwaysOn);
    EXPECT_EQ(picker->trackerPen().color(), QColor(Qt::green));

    // the signature-string connection resolves (a duplicate is harmless)
    EXPECT_TRUE(picker->connect_pos_signal());
    EXPECT_TRUE(QObject::connect(picker, SIGNAL(pos_update_signal(fp32, fp32)), picker,
                                 SLOT(update_pos_slot_func(fp32, fp32))));
}

TEST(UiQwtPicker, MouseOverTheCanvasReportsSampleIndexAndRawValue)
{
    ui_preview_plot_t plot;
    plot.resize(800, 400);
    plot.set_axis_show(true);
    std::vector<int16> raw(1001, 0);
    plot.set_index_range(5000, 6000); // 1001 samples from index 5000
    plot.plot_wv_data(raw.data(), 1001);
    plot.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
    plot.replot();
    QApplication::processEvents();

    ui_qwt_picker_t *picker = plot.get_picker();
    QSignalSpy spy(picker, SIGNAL(pos_update_signal(fp32, fp32)));
    const QwtScaleMap xmap = plot.canvasMap(QwtPlot::xBottom);
    const QwtScaleMap ymap = plot.canvasMap(QwtPlot::yRight);
    // the pixels of display position 500 and of raw value 16383.5
    const QPoint pixel(qRound(xmap.transform(500)), qRound(ymap.transform(16383.5)));
    QTest::mouseMove(plot.canvas(), pixel);
    QApplication::processEvents();
    ASSERT_GE(spy.count(), 1);
    const QPointF pos = picker->get_pos();
    const double pixel_x = std::fabs(xmap.invTransform(pixel.x() + 1) - xmap.invTransform(pixel.x()));
    EXPECT_NEAR(pos.x(), 5500, pixel_x);
    const double pixel_y = std::fabs(ymap.invTransform(pixel.y() + 1) - ymap.invTransform(pixel.y()));
    EXPECT_NEAR(pos.y(), 16383.5, pixel_y);
    // the tracker draws no text
    EXPECT_TRUE(picker->trackerText(pixel).isEmpty());
}
