#include "ui_plot_cursor.h"

#include "ui_linear_map.h"
#include "ui_plot_utils.h"
#include "ui_xp_scale_draw.h"

#include <QMouseEvent>
#include <cmath>
#include <qwt_plot.h>
#include <qwt_plot_marker.h>
#include <qwt_plot_zoneitem.h>
#include <qwt_scale_div.h>
#include <qwt_symbol.h>

namespace {

QwtSymbol *make_symbol(const QColor &color, const QSize &size)
{
    return new QwtSymbol(QwtSymbol::Rect, QBrush(color, Qt::SolidPattern),
                         QPen(QBrush(color), 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin), size);
}

QwtPlotMarker *make_marker(QwtPlot *plot, QwtPlotMarker::LineStyle style, const QColor &color,
                           QwtSymbol *symbol, const char *label, Qt::Alignment align)
{
    QwtPlotMarker *marker = new QwtPlotMarker;
    marker->setLineStyle(style);
    marker->setLinePen(color, 2, Qt::SolidLine);
    marker->setSymbol(symbol); // the marker owns its symbol
    marker->setLabel(QwtText(label));
    marker->setLabelAlignment(align);
    marker->setSpacing(8);
    marker->attach(plot);
    return marker;
}

void recolour(QwtPlotMarker *marker, QwtSymbol *symbol, const QColor &color)
{
    marker->setLinePen(color, 2, Qt::SolidLine);
    symbol->setBrush(QBrush(color, Qt::SolidPattern));
    symbol->setPen(color, 2, Qt::SolidLine);
    marker->itemChanged();
}

double mid_height(const QwtPlot *plot)
{
    const QwtScaleMap map = plot->canvasMap(QwtPlot::yLeft);
    return (map.s1() + map.s2()) / 2.0;
}

// Whole-number marker position; a position left of the axis stays left of it.
double whole_position(double pos)
{
    if (!(pos > 0))
        return std::isnan(pos) ? 0.0 : std::trunc(pos);
    return std::min(std::trunc(pos), 4294967295.0);
}

} // namespace

ui_plot_cursor_t::ui_plot_cursor_t(QwtPlot *plot_) : plot(plot_)
{
    create_markers();
    create_selzone();
    zone_start = zone_end = 0.0;
}

void ui_plot_cursor_t::create_markers()
{
    const QColor red(255, 0, 0), green(0, 255, 0);
    symbol_x1 = make_symbol(red, QSize(10, 10));
    marker_x1 = make_marker(plot, QwtPlotMarker::VLine, red, symbol_x1, "X1", Qt::AlignRight | Qt::AlignVCenter);
    symbol_x2 = make_symbol(red, QSize(10, 10));
    marker_x2 = make_marker(plot, QwtPlotMarker::VLine, red, symbol_x2, "X2", Qt::AlignRight | Qt::AlignVCenter);
    symbol_y1 = make_symbol(green, QSize(20, 10));
    marker_y1 = make_marker(plot, QwtPlotMarker::HLine, green, symbol_y1, "Y1", Qt::AlignLeft | Qt::AlignTop);
    symbol_y2 = make_symbol(green, QSize(20, 10));
    marker_y2 = make_marker(plot, QwtPlotMarker::HLine, green, symbol_y2, "Y2", Qt::AlignLeft | Qt::AlignTop);
    reset_x_cursor();
    reset_y_cursor();
    marker_x1->hide();
    marker_x2->hide();
    marker_y1->hide();
    marker_y2->hide();
}

void ui_plot_cursor_t::create_selzone()
{
    zone = new QwtPlotZoneItem;
    zone->setOrientation(Qt::Vertical);
    zone->setBrush(QBrush(QColor(255, 255, 255), Qt::SolidPattern));
    zone->attach(plot);
    zone->hide();
}

void ui_plot_cursor_t::set_x_cursor_color(const QColor &color)
{
    recolour(marker_x1, symbol_x1, color);
    recolour(marker_x2, symbol_x2, color);
}

void ui_plot_cursor_t::set_y_cursor_color(const QColor &color)
{
    recolour(marker_y1, symbol_y1, color);
    recolour(marker_y2, symbol_y2, color);
}

void ui_plot_cursor_t::set_x_cursor_visible(bool visible)
{
    marker_x1->setVisible(visible);
    marker_x2->setVisible(visible);
}

void ui_plot_cursor_t::set_y_cursor_visible(bool visible)
{
    marker_y1->setVisible(visible);
    marker_y2->setVisible(visible);
}

bool ui_plot_cursor_t::is_x_cursor_visible() const
{
    return marker_x1->isVisible() || marker_x2->isVisible();
}

bool ui_plot_cursor_t::is_y_cursor_visible() const
{
    return marker_y1->isVisible() || marker_y2->isVisible();
}

bool ui_plot_cursor_t::is_selzone_visible() const
{
    return zone->isVisible();
}

void ui_plot_cursor_t::set_x1_pos(fp32 pos)
{
    x1_pos = pos;
    update_x1_marker(pos);
}

void ui_plot_cursor_t::set_x2_pos(fp32 pos)
{
    x2_pos = pos;
    update_x2_marker(pos);
}

fp32 ui_plot_cursor_t::get_x1_pos() const
{
    return static_cast<fp32>(x1_pos);
}

fp32 ui_plot_cursor_t::get_x2_pos() const
{
    return static_cast<fp32>(x2_pos);
}

std::pair<fp32, fp32> ui_plot_cursor_t::get_x_pos() const
{
    return {get_x1_pos(), get_x2_pos()};
}

void ui_plot_cursor_t::set_y1_value(fp32 volts)
{
    marker_y1->setYValue(volts);
}

void ui_plot_cursor_t::set_y2_value(fp32 volts)
{
    marker_y2->setYValue(volts);
}

fp32 ui_plot_cursor_t::get_y1_value() const
{
    return static_cast<fp32>(marker_y1->yValue());
}

fp32 ui_plot_cursor_t::get_y2_value() const
{
    return static_cast<fp32>(marker_y2->yValue());
}

void ui_plot_cursor_t::set_x_marker_pos(double x1, double x2)
{
    update_x1_marker(x1);
    update_x2_marker(x2);
}

double ui_plot_cursor_t::display_position(double pos) const
{
    const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot);
    if (!draw)
        return pos;
    const double start = draw->get_start_index(), end = draw->get_end_index();
    const uint32 points = draw->get_wave_points();
    auto as_u32 = [](double v) -> uint32 {
        v = std::floor(v);
        return v <= 0 ? 0u : v >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32>(v);
    };
    // a display of more shown samples than the waveform has stands for the whole
    // waveform reduced in memory
    if (uint32(as_u32(end) - as_u32(start)) > uint32(points - 1))
        return plot_get_display_index(plot, points, pos);
    const QwtScaleMap xmap = plot->canvasMap(QwtPlot::xBottom);
    ui_linear_map_t map;
    map.init(xmap.s1(), xmap.s2(), start, end);
    return map.unmap(pos);
}

void ui_plot_cursor_t::place_x_marker(QwtPlotMarker *marker, double pos)
{
    if (!is_x_cursor_visible())
        return;
    marker->setXValue(whole_position(display_position(pos)));
    marker->setYValue(mid_height(plot));
}

void ui_plot_cursor_t::update_x1_marker(double pos)
{
    place_x_marker(marker_x1, pos);
}

void ui_plot_cursor_t::update_x2_marker(double pos)
{
    place_x_marker(marker_x2, pos);
}

void ui_plot_cursor_t::reset_cursor_pos(int kind)
{
    if (kind == 0 && !x_placed)
        reset_x_cursor();
    else if (kind == 1 && !y_placed)
        reset_y_cursor();
}

void ui_plot_cursor_t::reset_x_cursor()
{
    const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot);
    const double start = draw ? draw->get_start_index() : 0.0;
    const double end = draw ? draw->get_end_index() : 0.0;
    const double q = std::fabs(end - start) / 4.0;
    set_x1_pos(static_cast<fp32>(start + q));
    set_x2_pos(static_cast<fp32>(end - q));
}

void ui_plot_cursor_t::reset_y_cursor()
{
    const QwtScaleDiv &div = plot->axisScaleDiv(QwtPlot::yLeft);
    const double low = div.lowerBound(), high = div.upperBound();
    const double q = std::fabs(high - low) / 4.0;
    set_y1_value(static_cast<fp32>(low + q));
    set_y2_value(static_cast<fp32>(high - q));
}

void ui_plot_cursor_t::set_selzone_range(double start, double end)
{
    zone_start = start;
    zone_end = end;
}

std::pair<double, double> ui_plot_cursor_t::get_selzone_range() const
{
    return {zone_start, zone_end};
}

void ui_plot_cursor_t::show_selzone(double a, double b)
{
    if (a > b)
        std::swap(a, b);
    zone->show();
    update_selzone(a, b);
    plot->replot();
}

void ui_plot_cursor_t::hide_selzone()
{
    zone->hide();
    plot->replot();
}

void ui_plot_cursor_t::update_selzone(double start, double end)
{
    if (!zone->isVisible())
        return;
    zone->setInterval(display_position(start), display_position(end));
}

void ui_plot_cursor_t::update_canvas_marker()
{
    if (is_x_cursor_visible()) {
        x1_pos = static_cast<fp32>(x1_pos);
        update_x1_marker(x1_pos);
        x2_pos = static_cast<fp32>(x2_pos);
        update_x2_marker(x2_pos);
    }
    if (zone->isVisible())
        show_selzone(zone_start, zone_end);
}

void ui_plot_cursor_t::update_marker_pos()
{
    if (is_x_cursor_visible()) {
        update_x1_marker(static_cast<fp32>(x1_pos));
        update_x2_marker(static_cast<fp32>(x2_pos));
    }
    if (zone->isVisible())
        update_selzone(std::min(zone_start, zone_end), std::max(zone_start, zone_end));
}

void ui_plot_cursor_t::set_selzone_start_flag(bool flag)
{
    zone_start_flag = flag;
}

bool ui_plot_cursor_t::get_selzone_start_flag() const
{
    return zone_start_flag;
}

bool ui_plot_cursor_t::is_selzone_changed() const
{
    return zone_changed;
}

void ui_plot_cursor_t::set_selzone_changed(bool changed)
{
    zone_changed = changed;
}

void ui_plot_cursor_t::do_cursor_mouse_event(ui_mouse_act_t act, QMouseEvent *event, double x, double y_right)
{
    const QwtScaleDiv &left = plot->axisScaleDiv(QwtPlot::yLeft);
    const QwtScaleDiv &right = plot->axisScaleDiv(QwtPlot::yRight);
    const double rw = right.upperBound() - right.lowerBound();
    const double y = rw == 0.0 ? left.lowerBound()
                               : left.lowerBound() + (left.upperBound() - left.lowerBound()) *
                                                         (y_right - right.lowerBound()) / rw;
    switch (act) {
    case UI_MOUSE_PRESS:
        press_cursor(event, x, y);
        break;
    case UI_MOUSE_MOVE:
        drag_cursor(event, x, y);
        break;
    case UI_MOUSE_RELEASE:
        release_cursor();
        break;
    }
}

void ui_plot_cursor_t::get_grab_tolerance(fp32 &tx, fp32 &ty) const
{
    const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot);
    const fp32 span = draw ? static_cast<fp32>(draw->get_end_index() - draw->get_start_index()) : 0.0f;
    tx = span / 10.0f * 0.2f;
    const QwtScaleDiv &div = plot->axisScaleDiv(QwtPlot::yLeft);
    ty = static_cast<fp32>(div.upperBound() - div.lowerBound()) / 10.0f * 0.2f;
}

void ui_plot_cursor_t::press_cursor(QMouseEvent *event, double x, double y)
{
    if (event && event->buttons() == Qt::RightButton)
        return;
    grabbed_x1 = grabbed_x2 = grabbed_y1 = grabbed_y2 = 0;
    fp32 tx, ty;
    get_grab_tolerance(tx, ty);
    if (is_x_cursor_visible()) {
        const double i1 = std::trunc(static_cast<fp32>(x1_pos));
        const double i2 = std::trunc(static_cast<fp32>(x2_pos));
        grabbed_x1 = (i1 - tx < x && x < i1 + tx) ? 1 : 0;
        grabbed_x2 = (i2 - tx < x && x < i2 + tx) ? 1 : 0;
    }
    if (is_y_cursor_visible()) {
        const double y1 = marker_y1->yValue(), y2 = marker_y2->yValue();
        grabbed_y1 = (static_cast<fp32>(y1 - ty) < y && y < static_cast<fp32>(y1 + ty)) ? 1 : 0;
        grabbed_y2 = (static_cast<fp32>(y2 - ty) < y && y < static_cast<fp32>(y2 + ty)) ? 1 : 0;
    }
    if (grabbed_x1 + grabbed_x2 + grabbed_y1 + grabbed_y2 > 1)
        grab_cursor(x, y);

    if (grabbed_x1 + grabbed_x2 + grabbed_y1 + grabbed_y2 == 0) {
        // a press away from every cursor starts a new selection
        const double lower = plot->axisScaleDiv(QwtPlot::xBottom).lowerBound();
        zone->setInterval(lower, lower);
        zone->hide();
        plot->replot();
        zone_start = x;
    } else if (event && event->buttons() == Qt::LeftButton) {
        zone->hide();
    }
}

void ui_plot_cursor_t::grab_cursor(double x, double y)
{
    struct candidate_t
    {
        int kind;
        fp32 distance;
    };
    // sample and volt distances are compared as plain numbers
    candidate_t c[4] = {
        {0, static_cast<fp32>(std::fabs(x - x1_pos))},
        {1, static_cast<fp32>(std::fabs(x - x2_pos))},
        {2, static_cast<fp32>(std::fabs(y - marker_y1->yValue()))},
        {3, static_cast<fp32>(std::fabs(y - marker_y2->yValue()))},
    };
    // exchange sort that swaps only on a strictly greater distance: ties keep X1, X2, Y1, Y2
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (c[i].distance > c[j].distance)
                std::swap(c[i], c[j]);
    int32 *flags[4] = {&grabbed_x1, &grabbed_x2, &grabbed_y1, &grabbed_y2};
    bool kept = false;
    for (const candidate_t &cand : c) {
        if (!*flags[cand.kind])
            continue;
        if (kept)
            *flags[cand.kind] = 0;
        kept = true;
    }
}

void ui_plot_cursor_t::drag_cursor(QMouseEvent *event, double x, double y)
{
    fp32 tx, ty;
    get_grab_tolerance(tx, ty);
    auto near = [&](double hx, double hy) {
        return std::fabs(x - hx) < tx && std::fabs(y - hy) < ty;
    };
    // the mouse cursor shows which handle a press would grab
    const bool on_x = is_x_cursor_visible() &&
                      (near(static_cast<fp32>(x1_pos), marker_x1->yValue()) ||
                       near(static_cast<fp32>(x2_pos), marker_x2->yValue()));
    const bool on_y = is_y_cursor_visible() &&
                      (near(marker_y1->xValue(), marker_y1->yValue()) ||
                       near(marker_y2->xValue(), marker_y2->yValue()));
    if (on_y)
        plot->canvas()->setCursor(Qt::SizeVerCursor);
    else if (on_x)
        plot->canvas()->setCursor(Qt::SizeHorCursor);

    if (!event || event->buttons() != Qt::LeftButton)
        return;
    if (grabbed_x1 || grabbed_x2) {
        if (grabbed_x1) {
            x1_pos = static_cast<fp32>(x);
            update_x1_marker(x1_pos);
        } else {
            x2_pos = static_cast<fp32>(x);
            update_x2_marker(x2_pos);
        }
        plot->replot();
        zone_changed = false;
    } else if (grabbed_y1 || grabbed_y2) {
        (grabbed_y1 ? marker_y1 : marker_y2)->setYValue(y);
        plot->replot();
        zone_changed = false;
    } else {
        if (zone_start_flag)
            zone_start = x;
        zone_end = x;
        show_selzone(zone_start, zone_end);
        zone_changed = true;
    }
}

void ui_plot_cursor_t::release_cursor()
{
    grabbed_x1 = grabbed_x2 = grabbed_y1 = grabbed_y2 = 0;
    plot->canvas()->setCursor(Qt::ArrowCursor);
}
