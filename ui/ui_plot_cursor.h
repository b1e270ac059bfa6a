#pragma once
#include "lib_types.h"
#include "ui_plot_types.h"

#include <QColor>
#include <utility>

class QMouseEvent;
class QwtPlot;
class QwtPlotMarker;
class QwtPlotZoneItem;
class QwtSymbol;

// The measuring cursors of a waveform plot (X1, X2 at sample positions, Y1, Y2 at volts)
// and its selection zone. Turns press, drag and release into grabbing and moving a
// cursor or drawing a new selection, and keeps the markers in place when the plot's
// visible window changes. Markers and zone belong to the plot.
class ui_plot_cursor_t
{
public:
    explicit ui_plot_cursor_t(QwtPlot *plot);

    void set_x_cursor_color(const QColor &color);
    void set_y_cursor_color(const QColor &color);
    void set_x_cursor_visible(bool visible);
    void set_y_cursor_visible(bool visible);
    bool is_x_cursor_visible() const;
    bool is_y_cursor_visible() const;
    bool is_selzone_visible() const;

    void set_x1_pos(fp32 pos);
    void set_x2_pos(fp32 pos);
    fp32 get_x1_pos() const;
    fp32 get_x2_pos() const;
    std::pair<fp32, fp32> get_x_pos() const;
    void set_y1_value(fp32 volts);
    void set_y2_value(fp32 volts);
    fp32 get_y1_value() const;
    fp32 get_y2_value() const;

    void set_x_marker_pos(double x1, double x2);
    void update_x1_marker(double pos);
    void update_x2_marker(double pos);
    void reset_cursor_pos(int kind);
    void reset_x_cursor();
    void reset_y_cursor();

    void set_selzone_range(double start, double end);
    std::pair<double, double> get_selzone_range() const;
    void show_selzone(double a, double b);
    void hide_selzone();
    void update_selzone(double start, double end);
    void update_canvas_marker();
    void update_marker_pos();
    void set_selzone_start_flag(bool flag);
    bool get_selzone_start_flag() const;
    bool is_selzone_changed() const;
    void set_selzone_changed(bool changed);

    void do_cursor_mouse_event(ui_mouse_act_t act, QMouseEvent *event, double x, double y_right);
    void press_cursor(QMouseEvent *event, double x, double y);
    void drag_cursor(QMouseEvent *event, double x, double y);
    void release_cursor();
    void grab_cursor(double x, double y);
    void get_grab_tolerance(fp32 &tx, fp32 &ty) const;

    // When set, switching the pair on keeps its positions.
    bool x_placed = false;
    bool y_placed = false;

private:
    void create_markers();
    void create_selzone();
    // Display position at which sample position `pos` is drawn.
    double display_position(double pos) const;
    void place_x_marker(QwtPlotMarker *marker, double pos);

    QwtPlot *plot;
    bool zone_changed = false;
    bool zone_start_flag = false;
    int32 grabbed_x1 = 0, grabbed_x2 = 0, grabbed_y1 = 0, grabbed_y2 = 0;
    QwtPlotMarker *marker_x1 = nullptr, *marker_x2 = nullptr;
    QwtPlotMarker *marker_y1 = nullptr, *marker_y2 = nullptr;
    double x1_pos = 0.0, x2_pos = 0.0;
    QwtSymbol *symbol_x1 = nullptr, *symbol_x2 = nullptr;
    QwtSymbol *symbol_y1 = nullptr, *symbol_y2 = nullptr;
    QwtPlotZoneItem *zone = nullptr;
    double zone_start = 0.0, zone_end = 0.0;
};
