#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_mouse_func.h"
#include "ui_plot_types.h"
#include "ui_point_table_form.h"

#include <QList>
#include <QPointF>

#include <vector>

class QMouseEvent;
class QwtPlot;
class QwtPlotCurve;
class QwtPlotMarker;

// 0 none, 1 hand draw, 2 horizontal line, 3 vertical line, 4 oblique line, 5 point editing.
typedef int ui_draw_type_t;

// Draws into a document's samples with the mouse: free hand, lines, or a polyline
// through editing points. Positions are sample indices, values raw int16 units (the
// plot's yRight scale). It is also the document's "Edit Points by Table" window.
class ui_draw_point_t : public ui_point_table_form_t
{
    Q_OBJECT
public:
    ui_draw_point_t(QwtPlot *plot, QWidget *parent);
    ~ui_draw_point_t() override;

    void set_draw_type(ui_draw_type_t type) { draw_type = type; }
    ui_draw_type_t get_draw_type() const { return draw_type; }
    QList<QPointF> &get_points() { return points; }
    bool is_first_point() const;
    bool is_last_point() const;
    bool is_points_empty() const;

    void do_point_operate_by_mouse(ui_mouse_act_t act, QMouseEvent *event, lib_wv_data_t<short int> &data,
                                   double x, double y);
    void write_samples(lib_wv_data_t<short int> &data);
    void write_by_draw_type(lib_wv_data_t<short int> &data);
    void update_preview(bool show);
    void set_preview_visible(bool visible);

    void add_or_move_point(double x, double y);
    void select_point(int i);
    void delete_point(int i);
    void do_point_menu(int op);
    bool check_cover_points(bool ask);
    void refresh_markers(bool show);
    void clear_markers();
    void clear_points();
    void rebuild_markers(QList<QPointF> list);
    void update_markers();

    void set_start_point(double x, double y);
    void set_end_point(double x, double y);
    const QList<QwtPlotMarker *> &get_markers() const { return markers; }
    int get_selected_index() const { return selected_index; }

    // Values written for points sorted by x: one per index from the first to the last x.
    static std::vector<float> interpolate_points(const QList<QPointF> &sorted);

signals:
    void update_mouse_shape_signal(ui_mouse_func_t mouse_shape);

private:
    void draw_hand_segment(lib_wv_data_t<short int> &data);
    void draw_horizontal_line(lib_wv_data_t<short int> &data);
    void draw_vertical_line(lib_wv_data_t<short int> &data);
    void draw_oblique_line(lib_wv_data_t<short int> &data);
    void draw_points(lib_wv_data_t<short int> &data);
    static void interpolate_segment(const QPointF &p0, const QPointF &p1, std::vector<float> &out);
    static float interpolate_linear(float y0, float h, uint32 k);
    double plot_x(double index) const;
    QwtPlotMarker *new_marker() const;
    void reload_plot(lib_wv_data_t<short int> &data);

    QwtPlot *plot;
    QList<QwtPlotMarker *> markers;
    QList<QPointF> points;
    int selected_index;
    QwtPlotCurve *preview_curve;
    double start_x, start_y;
    double end_x, end_y;
    ui_draw_type_t draw_type;
    // The record the last mouse action drew into: the preview reads the sample under the pointer.
    lib_wv_data_t<short int> *preview_data = nullptr;
};

// One free-hand segment from *last to (x, y), written into the samples; *last becomes (x, y).
void draw_line_to_point(lib_wv_data_t<short int> &data, double *last, double x, double y);
// Samples first .. last (inclusive, clipped to the sample count) all become value, in
// block writes: the file work of a horizontal line.
void draw_fill_run(lib_wv_data_t<short int> &data, uint32 first, uint32 last, short int value);
