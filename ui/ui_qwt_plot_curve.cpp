#include "ui_qwt_plot_curve.h"

#include "ui_qwt_pointer_data.h"

ui_qwt_plot_curve_t::ui_qwt_plot_curve_t(const QString &title) : QwtPlotCurve(title)
{
}

ui_qwt_plot_curve_t::ui_qwt_plot_curve_t(const QwtText &title) : QwtPlotCurve(title)
{
}

void ui_qwt_plot_curve_t::set_short_samples(const int16 *x, const int16 *y, int count)
{
    setData(new QwtShortPointerData(x, y, count)); // the curve owns the series
}

void ui_qwt_plot_curve_t::set_float_samples(const fp32 *x, const fp32 *y, int count)
{
    setData(new QwtFloatPointerData(x, y, count));
}
