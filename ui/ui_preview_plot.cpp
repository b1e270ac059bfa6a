#include "ui_preview_plot.h"

#include "lib_file_io.h"
#include "lib_wv_extract.h"
#include "ui_qwt_picker.h"
#include "ui_qwt_plot_curve.h"
#include "ui_xp_scale_draw.h"
#include "ui_yv_scale_draw.h"

#include <QCoreApplication>
#include <QDebug>
#include <algorithm>
#include <cmath>
#include <exception>
#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_scale_div.h>

namespace {

ui_range_t interval_of(const QwtPlot *plot, int axis)
{
    const QwtScaleDiv &div = plot->axisScaleDiv(axis);
    return {div.lowerBound(), div.upperBound()};
}

// A step for a span that may be empty: an empty span gets one tenth of its level plus 1.
double step_or_level(double step, fp32 level)
{
    if (std::fabs(step) < 1e-6)
        return std::fabs(level) * 0.1f + 1.0f;
    return step;
}

} // namespace

ui_preview_plot_t::ui_preview_plot_t(QWidget *parent) : QwtPlot(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    canvas()->setCursor(Qt::ArrowCursor);

    grid = new QwtPlotGrid;
    grid->setPen(QColor(92, 92, 92, 255), 0, Qt::SolidLine);
    grid->attach(this);
    grid->hide();

    setObjectName("normal_qwtplot");
    canvas()->setStyleSheet("background-color: black;border: 1px;");

    xp_scale_draw = new ui_xp_scale_draw_t;
    setAxisScaleDraw(QwtPlot::xBottom, xp_scale_draw);
    yleft_scale_draw = new ui_yv_scale_draw_t(0);
    setAxisScaleDraw(QwtPlot::yLeft, yleft_scale_draw);
    yright_scale_draw = new ui_yv_scale_draw_t(1);
    setAxisScaleDraw(QwtPlot::yRight, yright_scale_draw);

    QwtText title(QCoreApplication::translate("ui_preview_plot_t", "Amplitude[V]"));
    title.setFont(QFont("WenQuanYi Zen Hei", 11));
    title.setColor(Qt::white);

    init_yright_scale();
    setAxisTitle(QwtPlot::yLeft, title);
    enableAxis(QwtPlot::yRight, false);
    enableAxis(QwtPlot::yLeft, false);
    enableAxis(QwtPlot::xBottom, false);
    plotLayout()->setAlignCanvasToScales(true);

    for (ui_qwt_plot_curve_t *&curve : curves) {
        curve = new ui_qwt_plot_curve_t(QString());
        curve->setPen(QColor(Qt::yellow), 2, Qt::SolidLine);
        curve->attach(this);
    }
    set_curve_type(UI_CURVE_LINES);

    picker = new ui_qwt_picker_t(this, QwtPicker::CrossRubberBand, QwtPicker::AlwaysOn, canvas());
    picker->setTrackerPen(QPen(Qt::green));
}

ui_preview_plot_t::~ui_preview_plot_t()
{
    for (ui_qwt_plot_curve_t *curve : curves)
        delete curve; // detaches itself
}

void ui_preview_plot_t::set_points(QVector<QPointF> &points, int axis)
{
    curves[0]->setYAxis(axis);
    curves[0]->setSamples(points);
}

void ui_preview_plot_t::plot_wv_data(int16 *samples, uint32 count)
{
    try {
        QVector<QPointF> points;
        points.reserve(static_cast<int>(std::min<uint32>(count, 0x7fffffff)));
        for (uint32 i = 0; i < count; ++i)
            points.append(QPointF(i, samples[i]));
        set_points(points, QwtPlot::yRight);
    } catch (const std::exception &e) {
        qDebug() << "ui_preview_plot_t::plot_wv_data:plot wave:" << e.what();
        return;
    }
    set_xbottom_scale(0.0f, static_cast<fp32>(double(count) - 1.0));
    replot();
}

void ui_preview_plot_t::plot_wv_data(std::vector<short int> &samples, bool set_scale)
{
    try {
        QVector<QPointF> points;
        points.reserve(static_cast<int>(std::min<size_t>(samples.size(), 0x7fffffff)));
        for (size_t i = 0; i < samples.size(); ++i)
            points.append(QPointF(double(i), samples.at(i)));
        set_points(points, QwtPlot::yRight);
    } catch (const std::exception &e) {
        qDebug() << "ui_preview_plot_t::plot_wv_data:plot wave:" << e.what();
        return;
    }
    if (set_scale) {
        set_xbottom_scale(0.0f, static_cast<fp32>(double(samples.size()) - 1.0));
        replot();
    }
}

void ui_preview_plot_t::plot_wv_data(std::vector<float> &volts, bool set_scale)
{
    try {
        QVector<QPointF> points;
        points.reserve(static_cast<int>(std::min<size_t>(volts.size(), 0x7fffffff)));
        for (size_t i = 0; i < volts.size(); ++i)
            points.append(QPointF(double(i), volts.at(i)));
        set_points(points, QwtPlot::yLeft);
    } catch (const std::exception &e) {
        qDebug() << "ui_preview_plot_t::plot_wv_data:plot wave:" << e.what();
        return;
    }
    if (set_scale) {
        set_xbottom_scale(0.0f, static_cast<fp32>(double(volts.size()) - 1.0));
        replot();
    }
}

void ui_preview_plot_t::plot_wv_data(lib_wv_data_t<short int> &data, bool set_scale)
{
    const uint32 n = data.samples.size();
    try {
        QVector<QPointF> points;
        points.reserve(static_cast<int>(std::min<uint32>(n, 0x7fffffff)));
        for (uint32 i = 0; i < n; ++i) {
            short int v = 0;
            data.samples.at(i, &v);
            points.append(QPointF(i, v));
        }
        set_points(points, QwtPlot::yRight);
    } catch (const std::exception &e) {
        qDebug() << "ui_preview_plot_t::plot_wv_data:plot wave:" << e.what();
        return;
    }
    if (set_scale) {
        set_xbottom_scale(0.0f, static_cast<fp32>(double(n) - 1.0));
        replot();
    }
}

void ui_preview_plot_t::plot_wv_data_in_range(fp32 *max, fp32 *min, std::vector<short int> &samples)
{
    curves[0]->setYAxis(QwtPlot::yRight);
    if (max && min)
        set_yleft_scale_clamped(*min, *max);
    set_xbottom_scale(0.0f, static_cast<fp32>(double(samples.size()) - 1.0));
    plot_wv_data(samples, true);
}

void ui_preview_plot_t::set_index_range(uint32 start, uint32 end)
{
    if (xp_scale_draw->get_start_index() == start && xp_scale_draw->get_end_index() == end)
        return;
    ui_xp_scale_draw_t *draw = new ui_xp_scale_draw_t;
    draw->set_start_index(start);
    draw->set_end_index(end);
    draw->set_wave_freq(xp_scale_draw->get_wave_freq());
    draw->set_wave_points(xp_scale_draw->get_wave_points());
    draw->time_flag = xp_scale_draw->time_flag;
    setAxisScaleDraw(QwtPlot::xBottom, draw); // deletes the previous draw
    xp_scale_draw = draw;
}

void ui_preview_plot_t::update_xp_scale_draw()
{
    ui_xp_scale_draw_t *draw = new ui_xp_scale_draw_t;
    draw->set_start_index(xp_scale_draw->get_start_index());
    draw->set_end_index(xp_scale_draw->get_end_index());
    draw->set_wave_freq(xp_scale_draw->get_wave_freq());
    draw->set_wave_points(xp_scale_draw->get_wave_points());
    draw->time_flag = xp_scale_draw->time_flag;
    setAxisScaleDraw(QwtPlot::xBottom, draw);
    xp_scale_draw = draw;
}

void ui_preview_plot_t::set_time_scale_show(bool show)
{
    xp_scale_draw->time_flag = show;
}

bool ui_preview_plot_t::get_time_scale_show() const
{
    return xp_scale_draw->time_flag;
}

void ui_preview_plot_t::set_wave_freq(fp32 freq)
{
    xp_scale_draw->set_wave_freq(freq);
}

void ui_preview_plot_t::set_wave_points(uint32 points)
{
    xp_scale_draw->set_wave_points(points);
}

ui_xp_scale_draw_t *ui_preview_plot_t::get_xp_scale_draw() const
{
    return xp_scale_draw;
}

ui_qwt_picker_t *ui_preview_plot_t::get_picker() const
{
    return picker;
}

void ui_preview_plot_t::set_xbottom_scale(fp32 min, fp32 max)
{
    if (min > max)
        return;
    const double span = double(max) - double(min);
    double step;
    if (span >= 10.0)
        step = span / 10.0;
    else if (span >= 1.0)
        step = span / std::trunc(span); // one tick per whole unit
    else
        step = 0.0; // a single display point: let Qwt choose
    setAxisScale(QwtPlot::xBottom, min, max, step);
}

fp32 ui_preview_plot_t::clamp_to_y_limits(fp32 value) const
{
    return std::min(std::max(value, y_lower_limit), y_upper_limit);
}

void ui_preview_plot_t::clamp_in_y_limits(fp32 *value) const
{
    if (value)
        *value = clamp_to_y_limits(*value);
}

void ui_preview_plot_t::set_yleft_scale(fp32 min, fp32 max)
{
    const fp32 lo = clamp_to_y_limits(min), hi = clamp_to_y_limits(max);
    setAxisScale(QwtPlot::yLeft, lo, hi, step_or_level((hi - lo) / 10.0, lo));
}

void ui_preview_plot_t::set_yleft_scale_clamped(fp32 min, fp32 max)
{
    const fp32 lo = clamp_to_y_limits(min), hi = clamp_to_y_limits(max);
    setAxisScale(QwtPlot::yLeft, lo, hi, (double(hi) - lo) / 10.0);
}

void ui_preview_plot_t::set_yleft_scale_6(fp32 min, fp32 max)
{
    const fp32 lo = clamp_to_y_limits(min), hi = clamp_to_y_limits(max);
    setAxisScale(QwtPlot::yLeft, lo, hi, (double(hi) - lo) / 6.0);
}

void ui_preview_plot_t::set_yleft_scale_margin(fp32 min, fp32 max)
{
    const fp32 lo = clamp_to_y_limits(min), hi = clamp_to_y_limits(max);
    const double m = step_or_level((double(hi) - lo) / 10.0, lo);
    setAxisScale(QwtPlot::yLeft, lo - m, hi + m, (double(hi) - lo + 2 * m) / 10.0);
}

void ui_preview_plot_t::set_yleft_scale_free(fp32 min, fp32 max)
{
    const double m = step_or_level((double(max) - min) / 10.0, min);
    setAxisScale(QwtPlot::yLeft, min - m, max + m, (double(max) - min + 2 * m) / 6.0);
}

void ui_preview_plot_t::set_yright_scale(fp32 min, fp32 max)
{
    setAxisScale(QwtPlot::yRight, min, max, step_or_level((double(max) - min) / 10.0, min));
}

void ui_preview_plot_t::init_yright_scale()
{
    setAxisScale(QwtPlot::yRight, -32767.0, 32767.0, static_cast<fp32>(65534 / 10.0f));
}

ui_range_t ui_preview_plot_t::get_xbottom_interval() const
{
    return interval_of(this, QwtPlot::xBottom);
}

ui_range_t ui_preview_plot_t::get_yleft_interval() const
{
    return interval_of(this, QwtPlot::yLeft);
}

ui_range_t ui_preview_plot_t::get_yright_interval() const
{
    return interval_of(this, QwtPlot::yRight);
}

void ui_preview_plot_t::set_axis_show(bool show)
{
    enableAxis(QwtPlot::yRight, show);
    enableAxis(QwtPlot::yLeft, show);
    enableAxis(QwtPlot::xBottom, show);
}

void ui_preview_plot_t::set_yaxis_show(bool show)
{
    enableAxis(QwtPlot::yLeft, show);
    enableAxis(QwtPlot::yRight, show);
}

void ui_preview_plot_t::set_xbottom_show(bool show)
{
    enableAxis(QwtPlot::xBottom, show);
}

void ui_preview_plot_t::set_yleft_title(const QString &text)
{
    QwtText title = axisTitle(QwtPlot::yLeft);
    title.setText(text);
    setAxisTitle(QwtPlot::yLeft, title);
}

void ui_preview_plot_t::set_curve_type(ui_curvv_show_t type)
{
    curve_type = type;
    for (ui_qwt_plot_curve_t *curve : curves) {
        switch (type) {
        case UI_CURVE_LINES:
            curve->setStyle(QwtPlotCurve::Lines);
            curve->setCurveAttribute(QwtPlotCurve::Fitted, false);
            break;
        case UI_CURVE_STEPS:
            curve->setStyle(QwtPlotCurve::Steps);
            curve->setCurveAttribute(QwtPlotCurve::Inverted, false);
            break;
        case UI_CURVE_INVERTED_STEPS:
            curve->setStyle(QwtPlotCurve::Steps);
            curve->setCurveAttribute(QwtPlotCurve::Inverted, true);
            break;
        default:
            curve->setStyle(QwtPlotCurve::Lines);
            curve->setCurveAttribute(QwtPlotCurve::Fitted, true);
            break;
        }
    }
    replot();
}

ui_curvv_show_t ui_preview_plot_t::get_curve_type() const
{
    return curve_type;
}

void ui_preview_plot_t::set_curve_pen(const QColor &color, int width_kind)
{
    int width = 2;
    if (width_kind == 0)
        width = 1;
    else if (width_kind == 2)
        width = 3;
    else if (width_kind == 3)
        width = 4;
    for (ui_qwt_plot_curve_t *curve : curves)
        curve->setPen(color, width, Qt::SolidLine);
}

void ui_preview_plot_t::set_grid_show(bool show)
{
    grid->setVisible(show);
}

bool ui_preview_plot_t::is_grid_show() const
{
    return grid->isVisible();
}

void ui_preview_plot_t::update_plot()
{
    replot();
}

ui_qwt_plot_curve_t *ui_preview_plot_t::get_curve(int i) const
{
    return i >= 0 && i < 5 ? curves[i] : nullptr;
}

ui_range_t ui_preview_plot_t::get_vector_range(std::vector<float> &values) const
{
    if (values.empty())
        return {0.0, 0.0};
    auto mm = std::minmax_element(values.begin(), values.end());
    return {*mm.first, *mm.second};
}

ui_range_t ui_preview_plot_t::get_wave_range(lib_wv_data_t<short int> &data) const
{
    return get_wv_data_range(data.samples, data.samples.size());
}

ui_range_t ui_preview_plot_t::get_wv_data_range(lib_wv_file_buffer_t<short int> &samples,
                                                uint32 count) const
{
    const uint32 n = std::min(count, samples.size());
    if (n == 0)
        return {0.0, 0.0};
    short int first = 0;
    samples.at(0, &first);
    int lo = first, hi = first;
    // one bounded buffer, read front to back: the waveform never has to fit in memory
    std::vector<short int> buf(std::min<uint32>(n, LIB_SCAN_CHUNK_SAMPLES));
    lib_fd_t fd = lib_open_read(samples.get_path());
    for (uint32 pos = 0; pos < n && fd.ok();) {
        const uint32 k = std::min<uint32>(static_cast<uint32>(buf.size()), n - pos);
        const std::size_t got =
            lib_pread_all(fd.get(), buf.data(), std::size_t(k) * 2, std::uint64_t(pos) * 2) / 2;
        if (got == 0)
            break;
        auto mm = std::minmax_element(buf.begin(), buf.begin() + got);
        lo = std::min<int>(lo, *mm.first);
        hi = std::max<int>(hi, *mm.second);
        pos += static_cast<uint32>(got);
    }
    return {double(lo), double(hi)};
}

ui_range_t ui_preview_plot_t::clip_to_data_limits(ui_range_t range) const
{
    if (range.first < data_min)
        range.first = data_min;
    if (range.second > data_max)
        range.second = data_max;
    return range;
}

ui_range_t ui_preview_plot_t::get_wave_range_clipped(lib_wv_data_t<short int> &data) const
{
    return clip_to_data_limits(get_wave_range(data));
}

ui_range_t ui_preview_plot_t::get_wv_data_range_clipped(lib_wv_file_buffer_t<short int> &samples,
                                                        uint32 count) const
{
    return clip_to_data_limits(get_wv_data_range(samples, count));
}

ui_range_t ui_preview_plot_t::get_data_limits() const
{
    return {data_min, data_max};
}
