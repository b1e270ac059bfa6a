#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_plot_types.h"

#include <QColor>
#include <utility>
#include <vector>
#include <qwt_plot.h>

class QwtPlotGrid;
class ui_qwt_plot_curve_t;
class ui_qwt_picker_t;
class ui_xp_scale_draw_t;
class ui_yv_scale_draw_t;

// (min, max) of an axis interval or of a range scan.
typedef std::pair<double, double> ui_range_t;

// The plot every waveform is shown on: curve 0 carries the display points, the x axis
// runs over display positions 0 .. n - 1 and is labelled with sample indices, yLeft
// shows volts and yRight raw sample values. It reads samples, never writes them.
class ui_preview_plot_t : public QwtPlot
{
public:
    explicit ui_preview_plot_t(QWidget *parent = nullptr);
    ~ui_preview_plot_t() override;

    void plot_wv_data(int16 *samples, uint32 count);
    void plot_wv_data(std::vector<short int> &samples, bool set_scale);
    void plot_wv_data(std::vector<float> &volts, bool set_scale);
    void plot_wv_data(lib_wv_data_t<short int> &data, bool set_scale);
    void plot_wv_data_in_range(fp32 *max, fp32 *min, std::vector<short int> &samples);

    // Labels the x axis with sample indices start .. end (a new scale draw).
    void set_index_range(uint32 start, uint32 end);
    void update_xp_scale_draw();
    void set_time_scale_show(bool show);
    bool get_time_scale_show() const;
    void set_wave_freq(fp32 freq);
    void set_wave_points(uint32 points);
    ui_xp_scale_draw_t *get_xp_scale_draw() const;
    ui_qwt_picker_t *get_picker() const;

    void set_xbottom_scale(fp32 min, fp32 max);
    void set_yleft_scale(fp32 min, fp32 max);
    void set_yleft_scale_clamped(fp32 min, fp32 max);
    void set_yleft_scale_6(fp32 min, fp32 max);
    void set_yleft_scale_margin(fp32 min, fp32 max);
    void set_yleft_scale_free(fp32 min, fp32 max);
    void set_yright_scale(fp32 min, fp32 max);
    void init_yright_scale();

    ui_range_t get_xbottom_interval() const;
    ui_range_t get_yleft_interval() const;
    ui_range_t get_yright_interval() const;

    void set_axis_show(bool show);
    void set_yaxis_show(bool show);
    void set_xbottom_show(bool show);
    void set_yleft_title(const QString &title);

    void set_curve_type(ui_curvv_show_t type);
    ui_curvv_show_t get_curve_type() const;
    void set_curve_pen(const QColor &color, int width_kind);
    void set_grid_show(bool show);
    bool is_grid_show() const;
    void update_plot();

    ui_range_t get_vector_range(std::vector<float> &values) const;
    ui_range_t get_wave_range(lib_wv_data_t<short int> &data) const;
    // Over the first `count` samples (at most the stored ones).
    ui_range_t get_wv_data_range(lib_wv_file_buffer_t<short int> &samples, uint32 count) const;
    // The same scans clipped to the data limits (-10 .. 10).
    ui_range_t get_wave_range_clipped(lib_wv_data_t<short int> &data) const;
    ui_range_t get_wv_data_range_clipped(lib_wv_file_buffer_t<short int> &samples, uint32 count) const;
    ui_range_t get_data_limits() const;
    // Limits a yLeft value to -40 .. 40: returned, or in place.
    fp32 clamp_to_y_limits(fp32 value) const;
    void clamp_in_y_limits(fp32 *value) const;

    ui_qwt_plot_curve_t *get_curve(int i) const;

private:
    ui_range_t clip_to_data_limits(ui_range_t range) const;
    void set_points(QVector<QPointF> &points, int axis);

    ui_qwt_plot_curve_t *curves[5];
    QwtPlotGrid *grid;
    ui_xp_scale_draw_t *xp_scale_draw;
    ui_yv_scale_draw_t *yleft_scale_draw;
    ui_yv_scale_draw_t *yright_scale_draw;
    ui_qwt_picker_t *picker;
    fp32 y_upper_limit = 40.0f;
    fp32 y_lower_limit = -40.0f;
    double data_min = -10.0;
    double data_max = 10.0;
    ui_curvv_show_t curve_type = UI_CURVE_LINES;
};
