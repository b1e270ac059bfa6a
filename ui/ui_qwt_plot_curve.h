#pragma once
#include "lib_types.h"

#include <qwt_plot_curve.h>

// The waveform plot's curve; the two setters show caller-owned arrays without a copy.
class ui_qwt_plot_curve_t : public QwtPlotCurve
{
public:
    explicit ui_qwt_plot_curve_t(const QString &title = QString());
    explicit ui_qwt_plot_curve_t(const QwtText &title);

    void set_short_samples(const int16 *x, const int16 *y, int count);
    void set_float_samples(const fp32 *x, const fp32 *y, int count);
};
