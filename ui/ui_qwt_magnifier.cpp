#include "ui_qwt_magnifier.h"

#include "ui_plot_loader.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_xp_scale_draw.h"

#include <QWheelEvent>
#include <cmath>
#include <qwt_plot.h>
#include <qwt_scale_div.h>

ui_qwt_magnifier_t::ui_qwt_magnifier_t(QwtPlot *plot)
    : QwtPlotMagnifier(plot->canvas()), plot_widget(plot)
{
}

ui_qwt_magnifier_t::ui_qwt_magnifier_t(QWidget *canvas) : QwtPlotMagnifier(canvas)
{
    plot_widget = QwtPlotMagnifier::plot();
}

void ui_qwt_magnifier_t::set_total_points(uint32 points)
{
    total_points = points;
}

void ui_qwt_magnifier_t::set_center(double center_)
{
    center = center_;
}

void ui_qwt_magnifier_t::set_wave_data(lib_wv_data_t<short int> *data)
{
    wave_data = data;
}

void ui_qwt_magnifier_t::widgetWheelEvent(QWheelEvent *event)
{
    emit get_axis_max_scale_signal();
    if (plot_widget && event->angleDelta().y() > 0) {
        // a window of ten display positions or fewer is not narrowed further
        const double span = plot_widget->axisScaleDiv(QwtPlot::xBottom).range();
        if (std::fabs(span) <= 10.0)
            return;
    }
    QwtPlotMagnifier::widgetWheelEvent(event);
}

double ui_qwt_magnifier_t::zoom_of(double factor)
{
    const double f = std::fabs(factor == 0.0 ? 0.0 : 1.0 / factor);
    return f == 1.0 ? 0.0 : f;
}

std::pair<double, double> ui_qwt_magnifier_t::zoom_window(double w, bool scale_only) const
{
    const double N = total_points;
    double lo = center - w / 2.0;
    double hi;
    if (lo < 0.0) {
        lo = 0.0;
        hi = w;
    } else {
        hi = center + w / 2.0;
        if (hi > N - 1.0) {
            lo = scale_only ? N - w : N - std::floor(w);
            hi = scale_only ? N : N - 1.0;
        }
    }
    if (w >= N - 1.0) {
        lo = 0.0;
        hi = N - 1.0;
    }
    return {lo, hi};
}

void ui_qwt_magnifier_t::rescale(double factor)
{
    const double f = zoom_of(factor);
    if (f == 0.0 || !plot_widget)
        return;
    const bool auto_replot = plot_widget->autoReplot();
    plot_widget->setAutoReplot(false);

    ui_preview_plot_t *preview = dynamic_cast<ui_preview_plot_t *>(plot_widget);
    const ui_xp_scale_draw_t *draw = plot_xp_scale_draw(plot_widget);
    if (isAxisEnabled(QwtPlot::xBottom) && preview && draw && wave_data) {
        const double w = (draw->get_end_index() - draw->get_start_index() + 1.0) * f;
        const std::pair<double, double> window = zoom_window(w, false);
        const double lo = window.first, hi = window.second;
        const double n = std::floor(hi - lo + 1.0);
        if (n > 1.0 && lo >= 0.0 && n <= 4294967295.0) {
            plot_load_waveform_part(preview, static_cast<uint32>(std::floor(lo)), wave_data,
                                    static_cast<uint32>(n), UI_PLOT_DISPLAY_POINTS);
            emit update_canvus_marker_signal();
        }
    }

    plot_widget->setAutoReplot(auto_replot);
    plot_widget->replot();
}

void ui_qwt_magnifier_t::rescale_scale_only(double factor)
{
    const double f = zoom_of(factor);
    if (f == 0.0 || !plot_widget)
        return;
    const bool auto_replot = plot_widget->autoReplot();
    plot_widget->setAutoReplot(false);
    for (int axis = 0; axis < QwtPlot::axisCnt; ++axis) {
        if (!isAxisEnabled(axis))
            continue;
        const QwtScaleDiv &div = plot_widget->axisScaleDiv(axis);
        const double w = (div.upperBound() - div.lowerBound() + 1.0) * f;
        const std::pair<double, double> window = zoom_window(w, true);
        plot_widget->setAxisScale(QwtPlot::xBottom, window.first, window.second, w / 10.0);
    }
    plot_widget->setAutoReplot(auto_replot);
    plot_widget->replot();
}
