#include "ui_linear_map.h"
#include "ui_plot_cursor.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_qwt_picker.h"
#include "ui_xp_scale_draw.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <qwt_plot_marker.h>
#include <qwt_plot_zoneitem.h>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>
#include <cmath>

namespace {

// A shown plot of 1000 display positions labelled 0 .. 999, yLeft -1 .. 1 V, yRight the
// raw range; the cursors on it.
class UiPlotCursor : public testing::Test
{
protected:
    void SetUp() override
    {
        plot.resize(800, 400);
        plot.set_axis_show(true);
        plot.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&plot));
        std::vector<int16> raw(1000, 0);
        plot.set_index_range(0, 999);
        plot.set_wave_points(1000);
        plot.plot_wv_data(raw.data(), 1000);
        plot.set_yleft_scale_clamped(-1, 1);
        plot.replot();
        QApplication::processEvents();
        cursor = std::make_unique<ui_plot_cursor_t>(&plot);
    }

    double raw_of(double volts) const { return volts * 32767.0; }

    // Hands a mouse action to the cursors with x a sample index and y in volts.
    void act(ui_mouse_act_t a, double x, double volts, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        const QEvent::Type type = a == UI_MOUSE_PRESS  ? QEvent::MouseButtonPress
                                  : a == UI_MOUSE_MOVE ? QEvent::MouseMove
                                                       : QEvent::MouseButtonRelease;
        Qt::MouseButton button = a == UI_MOUSE_MOVE ? Qt::NoButton
                                 : buttons == Qt::RightButton ? Qt::RightButton
                                                              : Qt::LeftButton;
        QMouseEvent ev(type, QPointF(1, 1), button, buttons, Qt::NoModifier);
        cursor->do_cursor_mouse_event(a, &ev, x, raw_of(volts));
    }

    QwtPlotMarker *marker(const char *label) const
    {
        for (QwtPlotItem *item : plot.itemList(QwtPlotItem::Rtti_PlotMarker))
            if (static_cast<QwtPlotMarker *>(item)->label().text() == label)
                return static_cast<QwtPlotMarker *>(item);
        return nullptr;
    }

    QwtPlotZoneItem *zone() const
    {
        return static_cast<QwtPlotZoneItem *>(plot.itemList(QwtPlotItem::Rtti_PlotZone).value(0));
    }

    ui_preview_plot_t plot;
    std::unique_ptr<ui_plot_cursor_t> cursor;
};

} // namespace

TEST_F(UiPlotCursor, StartsHiddenWithThePairsAQuarterIn)
{
    EXPECT_FALSE(cursor->is_x_cursor_visible());
    EXPECT_FALSE(cursor->is_y_cursor_visible());
    EXPECT_FALSE(cursor->is_selzone_visible());
    EXPECT_FLOAT_EQ(cursor->get_x1_pos(), 249.75f);
    EXPECT_FLOAT_EQ(cursor->get_x2_pos(), 749.25f);
    EXPECT_FLOAT_EQ(cursor->get_y1_value(), -0.5f);
    EXPECT_FLOAT_EQ(cursor->get_y2_value(), 0.5f);
    EXPECT_EQ(marker("X1")->linePen().color(), QColor(255, 0, 0));
    EXPECT_EQ(marker("Y2")->lineStyle(), QwtPlotMarker::HLine);

    fp32 tx, ty;
    cursor->get_grab_tolerance(tx, ty);
    EXPECT_FLOAT_EQ(tx, 19.98f);
    EXPECT_FLOAT_EQ(ty, 0.04f);

    plot.set_index_range(100, 500);
    cursor->reset_cursor_pos(0);
    EXPECT_EQ(cursor->get_x1_pos(), 200.0f);
    EXPECT_EQ(cursor->get_x2_pos(), 400.0f);
    cursor->x_placed = true;
    plot.set_index_range(0, 999);
    cursor->reset_cursor_pos(0);
    EXPECT_EQ(cursor->get_x1_pos(), 200.0f);

    cursor->set_x_cursor_color(Qt::blue);
    EXPECT_EQ(marker("X2")->linePen().color(), QColor(Qt::blue));
    EXPECT_EQ(marker("X2")->symbol()->brush().color(), QColor(Qt::blue));
}

TEST_F(UiPlotCursor, PressGrabsWithinTheToleranceOnly)
{
    cursor->set_x_cursor_visible(true);
    struct
    {
        double press;
        bool grabbed;
    } cases[] = {{269, true}, {270, false}, {230.1, true}, {230, false}};
    for (const auto &c : cases) {
        cursor->set_x1_pos(250);
        cursor->set_x2_pos(900);
        act(UI_MOUSE_PRESS, c.press, 0.9);
        act(UI_MOUSE_MOVE, 300, 0.9);
        act(UI_MOUSE_RELEASE, 300, 0.9);
        EXPECT_EQ(cursor->get_x1_pos(), c.grabbed ? 300.0f : 250.0f) << c.press;
        EXPECT_EQ(cursor->is_selzone_changed(), !c.grabbed);
    }
}

TEST_F(UiPlotCursor, NearestCursorWinsWhateverItsUnit)
{
    cursor->set_x_cursor_visible(true);
    cursor->set_y_cursor_visible(true);
    cursor->set_x1_pos(250);
    cursor->set_x2_pos(260);
    cursor->set_y1_value(0.9f);
    act(UI_MOUSE_PRESS, 256, 0);
    act(UI_MOUSE_MOVE, 400, 0);
    EXPECT_EQ(cursor->get_x1_pos(), 250.0f);
    EXPECT_EQ(cursor->get_x2_pos(), 400.0f); // distance 4 beats 6
    act(UI_MOUSE_RELEASE, 400, 0);

    // 3 samples from X1 against 0.002 V from Y1: the smaller number wins
    cursor->set_y1_value(0.5f);
    act(UI_MOUSE_PRESS, 253, 0.502);
    act(UI_MOUSE_MOVE, 600, -0.25);
    act(UI_MOUSE_RELEASE, 600, -0.25);
    EXPECT_EQ(cursor->get_x1_pos(), 250.0f);
    EXPECT_NEAR(cursor->get_y1_value(), -0.25f, 1e-6);
}

TEST_F(UiPlotCursor, RightButtonPressChangesNothing)
{
    cursor->set_x_cursor_visible(true);
    cursor->set_x1_pos(250);
    act(UI_MOUSE_PRESS, 255, 0);                    // grabs X1
    act(UI_MOUSE_PRESS, 700, 0, Qt::RightButton);   // ignored: X1 stays grabbed
    act(UI_MOUSE_MOVE, 320, 0);
    EXPECT_EQ(cursor->get_x1_pos(), 320.0f);
    EXPECT_FALSE(cursor->is_selzone_visible());
}

TEST_F(UiPlotCursor, DragAwayFromTheCursorsDrawsTheSelection)
{
    act(UI_MOUSE_PRESS, 500, 0);
    EXPECT_FALSE(cursor->is_selzone_visible());
    act(UI_MOUSE_MOVE, 400, 0);
    act(UI_MOUSE_MOVE, 300, 0);
    act(UI_MOUSE_RELEASE, 300, 0);
    EXPECT_TRUE(cursor->is_selzone_visible());
    EXPECT_TRUE(cursor->is_selzone_changed());
    EXPECT_EQ(cursor->get_selzone_range(), std::make_pair(500.0, 300.0));
    EXPECT_DOUBLE_EQ(zone()->interval().minValue(), 300);
    EXPECT_DOUBLE_EQ(zone()->interval().maxValue(), 500);

    cursor->set_selzone_start_flag(true);
    act(UI_MOUSE_PRESS, 800, 0);
    act(UI_MOUSE_MOVE, 350, 0);
    EXPECT_DOUBLE_EQ(zone()->interval().minValue(), 350);
    EXPECT_DOUBLE_EQ(zone()->interval().maxValue(), 350);

    // after a zoom the zone follows its samples
    plot.set_index_range(300, 1299);
    plot.replot();
    cursor->set_selzone_range(400, 600);
    cursor->update_canvas_marker();
    EXPECT_DOUBLE_EQ(zone()->interval().minValue(), 100);
    EXPECT_DOUBLE_EQ(zone()->interval().maxValue(), 300);
}

TEST_F(UiPlotCursor, MarkersFollowTheShownWindow)
{
    cursor->set_x1_pos(100); // hidden: not placed
    const double before = marker("X1")->xValue();
    EXPECT_NE(before, 100);
    cursor->set_x_cursor_visible(true);
    cursor->update_canvas_marker();
    EXPECT_EQ(marker("X1")->xValue(), 100);
    EXPECT_EQ(marker("X1")->yValue(), 0); // mid-height of yLeft

    // samples 50 .. 149 over display positions 0 .. 999
    plot.set_index_range(50, 149);
    plot.replot();
    cursor->update_canvas_marker();
    EXPECT_EQ(marker("X1")->xValue(), 504); // 50 / 99 * 999 = 504.5 truncated

    // an index range wider than the waveform: the in-memory layout's display position
    plot.get_xp_scale_draw()->set_wave_points(30001);
    plot.set_index_range(0, 40000);
    cursor->set_x1_pos(30001 - 11);
    EXPECT_EQ(marker("X1")->xValue(), plot_get_display_index(&plot, 30001, 30001 - 11));
    EXPECT_EQ(marker("X1")->xValue(), 2999);
}

TEST_F(UiPlotCursor, MouseDragsAGrabbedCursorAcrossTheCanvas)
{
    cursor->set_x_cursor_visible(true);
    cursor->set_x1_pos(250);
    QWidget *canvas = plot.canvas();
    ui_qwt_picker_t *picker = plot.get_picker();
    const QwtScaleMap xmap = plot.canvasMap(QwtPlot::xBottom);
    const int mid_y = qRound(plot.canvasMap(QwtPlot::yLeft).transform(0));
    // as the document window does: the picker's last position goes with each action
    auto drive = [&](ui_mouse_act_t a, double index, Qt::MouseButtons buttons) {
        const QPoint px(qRound(xmap.transform(index)), mid_y);
        QTest::mouseMove(canvas, px);
        QApplication::processEvents();
        const QEvent::Type type = a == UI_MOUSE_PRESS  ? QEvent::MouseButtonPress
                                  : a == UI_MOUSE_MOVE ? QEvent::MouseMove
                                                       : QEvent::MouseButtonRelease;
        QMouseEvent ev(type, px, a == UI_MOUSE_MOVE ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
        cursor->do_cursor_mouse_event(a, &ev, picker->get_pos().x(), picker->get_pos().y());
    };
    drive(UI_MOUSE_MOVE, 252, Qt::NoButton);
    EXPECT_EQ(canvas->cursor().shape(), Qt::SizeHorCursor); // over the X1 handle
    drive(UI_MOUSE_PRESS, 252, Qt::LeftButton);
    drive(UI_MOUSE_MOVE, 400, Qt::LeftButton);
    drive(UI_MOUSE_MOVE, 600, Qt::LeftButton);
    drive(UI_MOUSE_RELEASE, 600, Qt::NoButton);
    const double pixel = std::abs(xmap.invTransform(1) - xmap.invTransform(0));
    EXPECT_NEAR(cursor->get_x1_pos(), 600, 2 * pixel);
    EXPECT_EQ(marker("X1")->xValue(), std::trunc(cursor->get_x1_pos()));
    EXPECT_EQ(canvas->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(cursor->is_selzone_visible());
}
