#include "ui_qwt_plotzoomer.h"

#include "ui_linear_map.h"
#include "ui_plot_loader.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_xp_scale_draw.h"

#include <QBitmap>
#include <QCursor>
#include <QMouseEvent>
#include <QPixmap>
#include <cmath>
#include <qwt_plot.h>
#include <qwt_plot_curve.h>
#include <qwt_scale_div.h>

// The zoom cursors live in this static library's resources.
static void init_plot_resources()
{
    Q_INIT_RESOURCE(ui_plots);
}

namespace {

QwtPlotCurve *make_rect_curve(QwtPlot *plot)
{
    QwtPlotCurve *curve = new QwtPlotCurve(QString());
    curve->setYAxis(QwtPlot::yRight);
    curve->setPen(QPen(QBrush(Qt::white), 2, Qt::DotLine, Qt::SquareCap, Qt::BevelJoin));
    curve->attach(plot); // the plot owns and deletes it
    curve->hide();
    return curve;
}

void set_line(QwtPlotCurve *curve, const QVector<QPointF> &points)
{
    curve->setSamples(points);
    curve->show();
}

} // namespace

ui_qwt_plotzoomer_t::ui_qwt_plotzoomer_t(QwtPlot *plot_) : QObject(nullptr), plot(plot_)
{
    rect_a = make_rect_curve(plot);
    rect_b = make_rect_curve(plot);
}

void ui_qwt_plotzoomer_t::set_zoom_mode(int mode)
{
    zoom_mode = mode;
}

int ui_qwt_plotzoomer_t::get_zoom_mode() const
{
    return zoom_mode;
}

void ui_qwt_plotzoomer_t::set_total_points(uint32 points)
{
    total_points = points;
}

void ui_qwt_plotzoomer_t::set_wave_data(lib_wv_data_t<short int> *data)
{
    wave_data = data;
}

void ui_qwt_plotzoomer_t::do_zoom_mouse_event(ui_mouse_act_t act, QMouseEvent *event, double x, double y)
{
    const QwtScaleDiv &xdiv = plot->axisScaleDiv(QwtPlot::xBottom);
    const QwtScaleDiv &ydiv = plot->axisScaleDiv(QwtPlot::yRight);
    const QwtScaleMap xmap = plot->canvasMap(QwtPlot::xBottom);
    ui_linear_map_t map;
    if (const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot))
        map.init(xmap.s1(), xmap.s2(), draw->get_start_index(), draw->get_end_index());
    // sample index -> display position
    auto p = [&map](double index) { return map.unmap(index); };

    switch (act) {
    case UI_MOUSE_PRESS:
        if (event && event->button() == Qt::LeftButton) {
            first_x = second_x = x;
            first_y = second_y = y;
            if (zoom_mode == 1)
                set_line(rect_a, {QPointF(p(x), ydiv.lowerBound()), QPointF(p(x), ydiv.upperBound())});
            else if (zoom_mode == 2)
                set_line(rect_a, {QPointF(xdiv.lowerBound(), y), QPointF(xdiv.upperBound(), y)});
            else
                rect_a->hide();
        }
        break;
    case UI_MOUSE_MOVE:
        second_x = x;
        second_y = y;
        if (zoom_mode == 0) {
            const double p0 = p(first_x), p1 = p(second_x);
            set_line(rect_a, {QPointF(p0, first_y), QPointF(p1, first_y), QPointF(p1, second_y)});
            set_line(rect_b, {QPointF(p0, first_y), QPointF(p0, second_y), QPointF(p1, second_y)});
        } else if (zoom_mode == 1) {
            set_line(rect_b, {QPointF(p(second_x), ydiv.lowerBound()), QPointF(p(second_x), ydiv.upperBound())});
        } else if (zoom_mode == 2) {
            set_line(rect_b, {QPointF(xdiv.lowerBound(), second_y), QPointF(xdiv.upperBound(), second_y)});
        } else {
            rect_b->hide();
        }
        break;
    case UI_MOUSE_RELEASE:
        apply_zoom_rect();
        hide_zoom_rect();
        break;
    }
    plot->replot();
}

void ui_qwt_plotzoomer_t::apply_zoom_rect()
{
    if (zoom_mode != 0 && zoom_mode != 1 && zoom_mode != 2)
        return;
    ui_preview_plot_t *preview = dynamic_cast<ui_preview_plot_t *>(plot);
    if (!preview)
        return;
    const double xmin = std::min(first_x, second_x), xmax = std::max(first_x, second_x);
    const double ymin = std::min(first_y, second_y), ymax = std::max(first_y, second_y);
    const float amp = wave_data ? wave_data->amp : 2.0f;
    const float offset = wave_data ? wave_data->offset : 0.0f;

    if ((zoom_mode == 0 || zoom_mode == 2) && (ymax - ymin) / 10.0 >= 1.0) {
        preview->set_yright_scale(static_cast<fp32>(ymin), static_cast<fp32>(ymax));
        preview->set_yleft_scale_clamped(static_cast<fp32>(offset + amp / 2.0 * ymin / 32767.0),
                                         static_cast<fp32>(offset + amp / 2.0 * ymax / 32767.0));
        plot->replot();
    }
    if (zoom_mode == 0 || zoom_mode == 1) {
        // a band dragged partly off the left edge starts at the first sample
        const double lo = std::max(0.0, xmin);
        const double first = std::floor(lo);
        const double n = std::floor(xmax - lo + 1.0);
        if (n > 10.0 && n <= 4294967295.0 && first <= 4294967295.0 && wave_data) {
            plot_load_waveform_part(preview, static_cast<uint32>(first), wave_data,
                                    static_cast<uint32>(n), UI_PLOT_DISPLAY_POINTS);
            emit update_canvus_marker_signal();
        }
    }
}

void ui_qwt_plotzoomer_t::hide_zoom_rect()
{
    rect_a->hide();
    rect_b->hide();
}

void ui_qwt_plotzoomer_t::reset_zoom()
{
    ui_preview_plot_t *preview = dynamic_cast<ui_preview_plot_t *>(plot);
    if (!preview)
        return;
    const float amp = wave_data ? wave_data->amp : 2.0f;
    const float offset = wave_data ? wave_data->offset : 0.0f;
    preview->set_yleft_scale_clamped(offset - amp / 2.0f, offset + amp / 2.0f);
    preview->set_yright_scale(-32767.0f, 32767.0f);
    if (wave_data)
        plot_load_waveform(preview, wave_data, total_points, UI_PLOT_DISPLAY_POINTS);
    hide_zoom_rect();
    emit update_canvus_marker_signal();
}

void ui_qwt_plotzoomer_t::update_zoom_cursor()
{
    init_plot_resources();
    const char *image = nullptr;
    if (zoom_mode == 0)
        image = ":/Image/resources/image_zoom_area.png";
    else if (zoom_mode == 1)
        image = ":/Image/resources/image_zoom_x.png";
    else if (zoom_mode == 2)
        image = ":/Image/resources/image_zoom_y.png";
    if (image)
        plot->canvas()->setCursor(QCursor(QPixmap(image), 13, 13));
    else
        plot->canvas()->setCursor(Qt::ArrowCursor);
}
