#include "ui_digital_wv_plot.h"

#include "custom_scake_draw.h"
#include "lib_diag.h"
#include "lib_types.h"

#include <QVBoxLayout>
#include <qwt_plot.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>

namespace {

QStringList channel_labels()
{
    QStringList list{QString()};
    for (int ch = 15; ch >= 0; --ch)
        list << QString("D%1").arg(ch);
    list << QString();
    return list;
}

QStringList point_labels(int n)
{
    const int labelled = n == 20 ? 20 : 16;
    QStringList list;
    for (int i = 1; i <= labelled; ++i)
        list << QString::number(i);
    list << QString();
    return list;
}

void install_draw(QwtPlot *plot, int axis, const QStringList &labels)
{
    CustomScakeDraw *draw = new CustomScakeDraw(labels);
    draw->setLabelRotation(0);
    plot->setAxisScaleDraw(axis, draw); // the axis owns the draw
}

} // namespace

ui_digital_wv_plot_t::ui_digital_wv_plot_t() : QWidget(nullptr)
{
    QVBoxLayout *layout = new QVBoxLayout;
    x_points = 20;
    plot = new QwtPlot;
    plot->enableAxis(QwtPlot::yLeft, true);
    plot->setAxisScale(QwtPlot::yLeft, 0, 17, 1);
    plot->setAxisMaxMinor(QwtPlot::yLeft, 0);
    plot->setAxisMaxMajor(QwtPlot::yLeft, 0);
    install_draw(plot, QwtPlot::yLeft, channel_labels());
    plot->setAxisScale(QwtPlot::xBottom, 0, 20, 1);
    plot->setAxisMaxMinor(QwtPlot::xBottom, 0);
    plot->setAxisMaxMajor(QwtPlot::xBottom, 0);
    install_draw(plot, QwtPlot::xBottom, point_labels(20));
    plot->setMouseTracking(false);
    for (QwtPlotCurve *&trace : traces)
        create_trace_curve(&trace);
    plot->setCanvasBackground(QBrush(Qt::black, Qt::SolidPattern));
    plot->canvas()->setStyleSheet("background-color: rgb(0, 0, 0)");
    // The frame around the plot only: on its scale widgets a border cuts off the labels.
    plot->setStyleSheet("QwtPlot { border: 1px solid rgb(120, 120, 120); }");
    // Shown with this widget once the layout has adopted it: shown now, without a parent,
    // it would flash up as a window of its own.
    layout->addWidget(plot);
    layout->setAlignment(Qt::AlignLeft);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(20);
    setLayout(layout); // the widget now owns the layout and the plot
}

void ui_digital_wv_plot_t::set_points_scale(int n)
{
    x_points = n;
    plot->setAxisScale(QwtPlot::xBottom, 0, n, 1);
    install_draw(plot, QwtPlot::xBottom, point_labels(n));
    plot->replot();
}

void ui_digital_wv_plot_t::create_trace_curve(QwtPlotCurve **trace)
{
    QwtPlotCurve *curve = new QwtPlotCurve(QString());
    curve->setStyle(QwtPlotCurve::Steps);
    curve->setPen(QPen(QBrush(QColor(255, 102, 0, 255)), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    curve->attach(plot); // the plot owns it
    *trace = curve;
}

void ui_digital_wv_plot_t::update_wave_view_trace(std::vector<short int> &samples)
{
    if (samples.empty()) {
        lib_diag_out("CDigital_wave_view::update_wave_view_trace. Get wave data Error\n");
        return;
    }
    for (int bit = 0; bit < 16; ++bit)
        update_trace(traces[bit], bit, samples);
}

void ui_digital_wv_plot_t::update_trace(QwtPlotCurve *trace, int bit, std::vector<short int> &samples)
{
    if (!trace || samples.empty())
        return;
    // D15 just below the label at 1, D0 just below the label at 16; a set bit is 0.5 higher
    const double base = (15 - bit) + 0.8;
    const size_t n = samples.size();
    QVector<double> x(static_cast<int>(n + 1)), y(static_cast<int>(n + 1));
    for (size_t i = 0; i <= n; ++i)
        x[static_cast<int>(i)] = static_cast<double>(i);
    for (size_t i = 0; i < n; ++i)
        y[static_cast<int>(i + 1)] = (uint16(samples[i]) >> bit) & 1 ? base + 0.5 : base;
    y[0] = y[1]; // a step curve draws run k at value k: sample 0 covers 0 .. 2
    trace->setSamples(x, y);
    trace->attach(plot);
    plot->replot();
}

QwtPlot *ui_digital_wv_plot_t::get_plot() const
{
    return plot;
}

QwtPlotCurve *ui_digital_wv_plot_t::get_trace(int bit) const
{
    return bit >= 0 && bit < 16 ? traces[bit] : nullptr;
}
