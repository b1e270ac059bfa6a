#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

#include <qwt_plot_magnifier.h>

#include <utility>

class QwtPlot;

// Wheel zoom of the waveform plot around a centre sample: each notch reloads the new
// window of samples from the waveform's sample record.
class ui_qwt_magnifier_t : public QwtPlotMagnifier
{
    Q_OBJECT

public:
    explicit ui_qwt_magnifier_t(QwtPlot *plot);
    explicit ui_qwt_magnifier_t(QWidget *canvas);

    void set_total_points(uint32 points);
    void set_center(double center);
    void set_wave_data(lib_wv_data_t<short int> *data);
    // The zoom of rescale on the enabled axes' own scale intervals: only the xBottom
    // scale changes (step a tenth of the window); no samples are reloaded.
    void rescale_scale_only(double factor);

signals:
    // Asks the owner for total points, centre and wave data before a notch is handled.
    void get_axis_max_scale_signal();
    // The shown sample window changed.
    void update_canvus_marker_signal();

protected:
    void rescale(double factor) override;
    void widgetWheelEvent(QWheelEvent *event) override;

private:
    // The zoom factor of a notch (1 / factor, unsigned); 0 when nothing is to change.
    static double zoom_of(double factor);
    // The window of width w around the centre: from 0 when it would start before the first
    // sample, at the end when it would pass it (N - floor(w) .. N - 1; scale only:
    // N - w .. N), the whole waveform when w covers it.
    std::pair<double, double> zoom_window(double w, bool scale_only) const;

    QwtPlot *plot_widget = nullptr;
    uint32 total_points = 0;
    double center = 0.0;
    lib_wv_data_t<short int> *wave_data = nullptr;
};
