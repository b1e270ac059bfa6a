#include "ui_linear_map.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_qwt_magnifier.h"
#include "ui_qwt_picker.h"
#include "ui_qwt_plot_curve.h"
#include "ui_qwt_plotzoomer.h"
#include "ui_xp_scale_draw.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <memory>
#include <qwt_scale_map.h>

namespace {

// A shown plot with a waveform of n samples (sample k = k), as a document window sets
// it up.
class UiZoom : public testing::Test
{
protected:
    void load(uint32 n)
    {
        total = n;
        std::vector<short int> s(n);
        for (uint32 k = 0; k < n; ++k)
            s[k] = static_cast<short int>(k % 30000);
        data.samples.truncate(0);
        data.samples.write(0, s.data(), n);
        plot.resize(800, 400);
        plot.set_axis_show(true);
        plot.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
        plot_load_waveform(&plot, &data, n, 3000);
        plot.set_yleft_scale_clamped(-1, 1);
        plot.replot();
        QApplication::processEvents();
    }

    std::pair<double, double> shown() const
    {
        return {plot.get_xp_scale_draw()->get_start_index(), plot.get_xp_scale_draw()->get_end_index()};
    }

    // Pixel of a sample index and a raw value on the canvas.
    QPoint pixel(double index, double raw) const
    {
        const QwtScaleMap xmap = plot.canvasMap(QwtPlot::xBottom);
        ui_linear_map_t map;
        map.init(xmap.s1(), xmap.s2(), shown().first, shown().second);
        return QPoint(qRound(xmap.transform(map.unmap(index))),
                      qRound(plot.canvasMap(QwtPlot::yRight).transform(raw)));
    }

    // Moves the mouse over the canvas (the picker reports the position) and hands the
    // action with the picker's position to the zoomer, as the document window does.
    void drive(ui_qwt_plotzoomer_t &zoomer, ui_mouse_act_t act, QPoint px, Qt::MouseButton button)
    {
        QTest::mouseMove(plot.canvas(), px);
        QApplication::processEvents();
        const QEvent::Type type = act == UI_MOUSE_PRESS  ? QEvent::MouseButtonPress
                                  : act == UI_MOUSE_MOVE ? QEvent::MouseMove
                                                         : QEvent::MouseButtonRelease;
        QMouseEvent ev(type, px, act == UI_MOUSE_MOVE ? Qt::NoButton : button,
                       act == UI_MOUSE_RELEASE ? Qt::NoButton : Qt::MouseButtons(button), Qt::NoModifier);
        const QPointF pos = plot.get_picker()->get_pos();
        zoomer.do_zoom_mouse_event(act, &ev, pos.x(), pos.y());
    }

    void call(ui_qwt_plotzoomer_t &zoomer, ui_mouse_act_t act, double x, double y,
              Qt::MouseButton button = Qt::LeftButton)
    {
        QMouseEvent ev(act == UI_MOUSE_PRESS ? QEvent::MouseButtonPress : QEvent::MouseMove, QPointF(10, 10),
                       button, button, Qt::NoModifier);
        zoomer.do_zoom_mouse_event(act, &ev, x, y);
    }

    void wheel(int delta)
    {
        QWheelEvent ev(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, delta), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot.canvas(), &ev);
    }

    // The zoomer's two outline curves: attached after the plot's own five.
    QList<QwtPlotItem *> outline() const
    {
        QList<QwtPlotItem *> all = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
        return all.mid(5);
    }

    ui_preview_plot_t plot;
    lib_wv_data_t<short int> data;
    uint32 total = 0;
};

} // namespace

TEST_F(UiZoom, WheelNotchReloadsTheWindowAroundTheCentre)
{
    load(1000);
    struct
    {
        double centre;
        int delta;
        double first, last;
    } cases[] = {
        {500, 120, 250, 750},  // w = 500
        {100, 120, 0, 500},    // lo < 0: 0 .. w
        {900, 120, 500, 999},  // hi past the end: N - w .. N - 1
        {500, -120, 0, 999},   // zoomed out past the waveform: all of it
    };
    for (const auto &c : cases) {
        plot_load_waveform(&plot, &data, total, 3000);
        plot.replot();
        ui_qwt_magnifier_t *mag = new ui_qwt_magnifier_t(&plot); // owned by the canvas
        mag->setMouseButton(Qt::NoButton);
        mag->setAxisEnabled(QwtPlot::yLeft, false);
        mag->setAxisEnabled(QwtPlot::yRight, false);
        mag->setAxisEnabled(QwtPlot::xTop, false);
        mag->setWheelFactor(0.5);
        QObject::connect(mag, &ui_qwt_magnifier_t::get_axis_max_scale_signal, [&, mag] {
            mag->set_total_points(total);
            mag->set_wave_data(&data);
            mag->set_center(c.centre);
        });
        QSignalSpy spy(mag, SIGNAL(update_canvus_marker_signal()));
        ASSERT_TRUE(spy.isValid());
        wheel(c.delta);
        EXPECT_EQ(spy.count(), 1) << c.centre << " " << c.delta;
        EXPECT_EQ(shown(), std::make_pair(c.first, c.last)) << c.centre << " " << c.delta;
        EXPECT_EQ(plot.get_curve(0)->dataSize(), size_t(c.last - c.first + 1));
        EXPECT_EQ(plot.get_curve(0)->sample(0).y(), c.first);
        delete mag;
    }
}

// The variant that only rescales: the window comes from the axis's own interval and
// passing the end gives N - w .. N; the samples on the curve stay.
TEST_F(UiZoom, ScaleOnlyRescaleMovesTheAxisWithoutReloading)
{
    load(1000);
    const struct
    {
        double centre;
        double factor;
        double first, last;
    } cases[] = {
        {500, 2.0, 250, 750},  // w = 1000 / 2
        {100, 2.0, 0, 500},    // lo < 0: 0 .. w
        {900, 2.0, 500, 1000}, // past the end: N - w .. N
        {500, 0.5, 0, 999},    // wider than the waveform: all of it
    };
    for (const auto &c : cases) {
        plot.set_xbottom_scale(0, 999);
        plot.updateAxes();
        ui_qwt_magnifier_t mag(&plot);
        mag.setAxisEnabled(QwtPlot::yLeft, false);
        mag.setAxisEnabled(QwtPlot::yRight, false);
        mag.setAxisEnabled(QwtPlot::xTop, false);
        mag.set_total_points(total);
        mag.set_center(c.centre);
        const size_t points = plot.get_curve(0)->dataSize();
        const std::pair<double, double> labelled = shown();
        mag.rescale_scale_only(c.factor);
        const QwtScaleDiv &div = plot.axisScaleDiv(QwtPlot::xBottom);
        EXPECT_DOUBLE_EQ(div.lowerBound(), c.first) << c.centre << " " << c.factor;
        EXPECT_DOUBLE_EQ(div.upperBound(), c.last) << c.centre << " " << c.factor;
        EXPECT_EQ(plot.get_curve(0)->dataSize(), points);
        EXPECT_EQ(shown(), labelled) << "no new index range";
    }
    ui_qwt_magnifier_t idle(&plot);
    plot.set_xbottom_scale(0, 999);
    plot.updateAxes();
    idle.rescale_scale_only(1.0);
    EXPECT_DOUBLE_EQ(plot.axisScaleDiv(QwtPlot::xBottom).upperBound(), 999.0) << "a factor of 1 changes nothing";
}

TEST_F(UiZoom, WheelDoesNotZoomInPastTenDisplayPositions)
{
    load(1000);
    ui_qwt_magnifier_t mag(&plot);
    mag.setWheelFactor(0.5);
    mag.set_total_points(total);
    mag.set_wave_data(&data);
    mag.set_center(500);
    plot_load_waveform_part(&plot, 495, &data, 11, 3000); // xBottom spans 10
    QSignalSpy spy(&mag, SIGNAL(update_canvus_marker_signal()));
    QSignalSpy ask(&mag, SIGNAL(get_axis_max_scale_signal()));
    wheel(120);
    EXPECT_EQ(ask.count(), 1);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(shown(), std::make_pair(495.0, 505.0));
    wheel(-120);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(shown(), std::make_pair(489.0, 511.0)); // w = 22 around 500
}

TEST_F(UiZoom, LongWaveformWheelReloadsThroughTheExtraction)
{
    load(100000);
    ui_qwt_magnifier_t mag(&plot);
    mag.setWheelFactor(0.5);
    mag.set_total_points(total);
    mag.set_wave_data(&data);
    mag.set_center(50000);
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 3000u);
    wheel(120);
    EXPECT_EQ(shown(), std::make_pair(25000.0, 75000.0));
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 3000u);
    wheel(120);
    wheel(120);
    // w = 25000.5 gives 37499 .. 62499, then w = 12500.5 gives 43749 .. 56249
    EXPECT_EQ(shown(), std::make_pair(43749.0, 56249.0));
    EXPECT_EQ(plot.get_curve(0)->dataSize(), 12501u); // not more than 30000: every sample
}

TEST_F(UiZoom, RectangleDraggedWithTheMouseZoomsBothAxes)
{
    load(1000);
    ui_qwt_plotzoomer_t zoomer(&plot);
    zoomer.set_total_points(total);
    zoomer.set_wave_data(&data);
    zoomer.set_zoom_mode(0);
    QSignalSpy spy(&zoomer, SIGNAL(update_canvus_marker_signal()));
    ASSERT_TRUE(spy.isValid());

    drive(zoomer, UI_MOUSE_PRESS, pixel(200, -16000), Qt::LeftButton);
    drive(zoomer, UI_MOUSE_MOVE, pixel(600, 16000), Qt::LeftButton);
    for (QwtPlotItem *item : outline())
        EXPECT_TRUE(item->isVisible());
    drive(zoomer, UI_MOUSE_RELEASE, pixel(600, 16000), Qt::LeftButton);
    for (QwtPlotItem *item : outline())
        EXPECT_FALSE(item->isVisible());

    EXPECT_EQ(spy.count(), 1);
    EXPECT_NEAR(shown().first, 200, 2);
    EXPECT_NEAR(shown().second, 600, 2);
    EXPECT_NEAR(double(plot.get_curve(0)->dataSize()), 401, 4);
    EXPECT_NEAR(plot.get_curve(0)->sample(0).y(), 200, 2);
    plot.updateAxes();
    EXPECT_NEAR(plot.get_yright_interval().first, -16000, 150);
    EXPECT_NEAR(plot.get_yright_interval().second, 16000, 150);
    EXPECT_NEAR(plot.get_yleft_interval().second, 16000 / 32767.0, 0.01);
}

TEST_F(UiZoom, SmallRectanglesZoomOnlyTheAxisTheyCover)
{
    load(1000);
    ui_qwt_plotzoomer_t zoomer(&plot);
    zoomer.set_total_points(total);
    zoomer.set_wave_data(&data);
    zoomer.set_zoom_mode(0);
    QSignalSpy spy(&zoomer, SIGNAL(update_canvus_marker_signal()));

    // six samples wide: only the y range changes
    call(zoomer, UI_MOUSE_PRESS, 100, -20000);
    call(zoomer, UI_MOUSE_MOVE, 105, 20000);
    call(zoomer, UI_MOUSE_RELEASE, 105, 20000);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(shown(), std::make_pair(0.0, 999.0));
    plot.updateAxes();
    EXPECT_EQ(plot.get_yright_interval(), ui_range_t(-20000, 20000));

    // a raw y span below 10: only the x window changes
    call(zoomer, UI_MOUSE_PRESS, 300, 5);
    call(zoomer, UI_MOUSE_MOVE, 100, 0);
    call(zoomer, UI_MOUSE_RELEASE, 100, 0);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(shown(), std::make_pair(100.0, 300.0));
    plot.updateAxes();
    EXPECT_EQ(plot.get_yright_interval(), ui_range_t(-20000, 20000));
}

TEST_F(UiZoom, BandsZoomOneAxisAndResetShowsEverything)
{
    load(1000);
    ui_qwt_plotzoomer_t zoomer(&plot);
    zoomer.set_total_points(total);
    zoomer.set_wave_data(&data);
    QSignalSpy spy(&zoomer, SIGNAL(update_canvus_marker_signal()));

    // horizontal band over a quarter of full scale each way: 2 V amplitude gives -0.5 .. 0.5 V
    zoomer.set_zoom_mode(2);
    call(zoomer, UI_MOUSE_PRESS, 100, -65534 / 4.0);
    EXPECT_TRUE(outline()[0]->isVisible());
    call(zoomer, UI_MOUSE_MOVE, 900, 65534 / 4.0);
    call(zoomer, UI_MOUSE_RELEASE, 900, 65534 / 4.0);
    plot.updateAxes();
    EXPECT_NEAR(plot.get_yleft_interval().first, -0.5, 1e-6);
    EXPECT_NEAR(plot.get_yleft_interval().second, 0.5, 1e-6);
    EXPECT_EQ(spy.count(), 0);

    // vertical band: the x window only
    zoomer.set_zoom_mode(1);
    call(zoomer, UI_MOUSE_PRESS, 700, 0);
    call(zoomer, UI_MOUSE_MOVE, 720, 30000);
    call(zoomer, UI_MOUSE_RELEASE, 720, 30000);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(shown(), std::make_pair(700.0, 720.0));

    // a right-button press keeps the corners and draws nothing
    call(zoomer, UI_MOUSE_PRESS, 50, 0, Qt::RightButton);
    EXPECT_FALSE(outline()[0]->isVisible());

    data.amp = 4.0f;
    data.offset = 1.0f;
    zoomer.reset_zoom();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(shown(), std::make_pair(0.0, 999.0));
    plot.updateAxes();
    EXPECT_EQ(plot.get_yleft_interval(), ui_range_t(-1, 3));
    EXPECT_EQ(plot.get_yright_interval(), ui_range_t(-32767, 32767));
}

TEST_F(UiZoom, ZoomCursorShowsTheModeImage)
{
    load(100);
    ui_qwt_plotzoomer_t zoomer(&plot);
    EXPECT_EQ(zoomer.get_zoom_mode(), 4);
    for (int mode = 0; mode < 3; ++mode) {
        zoomer.set_zoom_mode(mode);
        zoomer.update_zoom_cursor();
        const QCursor cursor = plot.canvas()->cursor();
        EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
        EXPECT_FALSE(cursor.pixmap().isNull()) << mode;
        EXPECT_EQ(cursor.hotSpot(), QPoint(13, 13));
    }
    zoomer.set_zoom_mode(4);
    zoomer.update_zoom_cursor();
    EXPECT_EQ(plot.canvas()->cursor().shape(), Qt::ArrowCursor);
}
