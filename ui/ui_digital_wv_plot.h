#pragma once
#include <QWidget>
#include <vector>

class QwtPlot;
class QwtPlotCurve;

// A 16-channel digital pattern as 16 logic traces, one per bit of the samples: D15 at
// the top, D0 at the bottom, the points numbered from 1 along x.
class ui_digital_wv_plot_t : public QWidget
{
public:
    ui_digital_wv_plot_t();

    // Shows n point columns (20, or otherwise 16 labelled ones).
    void set_points_scale(int n);
    void update_wave_view_trace(std::vector<short int> &samples);
    void create_trace_curve(QwtPlotCurve **trace);
    void update_trace(QwtPlotCurve *trace, int bit, std::vector<short int> &samples);

    QwtPlot *get_plot() const;
    QwtPlotCurve *get_trace(int bit) const;

private:
    QwtPlot *plot;
    QwtPlotCurve *traces[16];
    int x_points = 20;
};
