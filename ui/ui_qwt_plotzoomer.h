#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_plot_types.h"

#include <QObject>

class QMouseEvent;
class QwtPlot;
class QwtPlotCurve;

// Zoom by dragging on the waveform plot: mode 0 a rectangle (x window and y range),
// 1 a vertical band (x window only), 2 a horizontal band (y range only), any other
// value none. Positions are sample indices on x and raw sample values on y.
class ui_qwt_plotzoomer_t : public QObject
{
    Q_OBJECT

public:
    explicit ui_qwt_plotzoomer_t(QwtPlot *plot);

    void set_zoom_mode(int mode);
    int get_zoom_mode() const;
    void set_total_points(uint32 points);
    void set_wave_data(lib_wv_data_t<short int> *data);

    void do_zoom_mouse_event(ui_mouse_act_t act, QMouseEvent *event, double x, double y);
    void apply_zoom_rect();
    void hide_zoom_rect();
    void reset_zoom();
    void update_zoom_cursor();

signals:
    // The shown sample window changed.
    void update_canvus_marker_signal();

private:
    QwtPlot *plot;
    QwtPlotCurve *rect_a;
    QwtPlotCurve *rect_b;
    int32 zoom_mode = 4;
    double first_x = 0.0, first_y = 0.0;
    double second_x = 0.0, second_y = 0.0;
    uint32 total_points = 0;
    lib_wv_data_t<short int> *wave_data = nullptr;
};
