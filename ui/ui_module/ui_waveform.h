#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_mouse_func.h"
#include "lib_file_io.h"
#include "ui_plot_types.h"
#include "ui_property.h"
#include "ui_view_setting.h"

#include <QMainWindow>

#include <memory>
#include <utility>

class QAction;
class QCloseEvent;
class QMenu;
class QMouseEvent;
class cfg_if_wv_t;
class ui_draw_point_t;
class ui_paste_option_t;
class ui_plot_cursor_t;
class ui_point_table_form_t;
class ui_preview_plot_t;
class ui_qwt_magnifier_t;
class ui_qwt_plotzoomer_t;
class ui_waveform_sbar_t;
class ui_wv_undo_stack_t;

// 1 open a file, 2 save, 3 close.
typedef int update_window_t;
// 1 open the Waveform Properties form (the only value sent).
typedef int wvform_info_t;

// The document window of one waveform: plot with cursors and selection zone, edits
// with undo, mouse tools, status bar. It answers its owner only by signals.
class ui_waveform_t : public QMainWindow, public ui_property_t
{
    Q_OBJECT
public:
    ui_waveform_t(QAction *undo_action, QAction *redo_action, uint32 points, float frequency,
                  QWidget *parent = nullptr);
    explicit ui_waveform_t(QWidget *parent);
    ~ui_waveform_t() override;

    lib_wv_data_t<short int> *get_wave_data();
    int32 set_wave_data(const lib_wv_data_t<short int> &data);
    // The backup as a file of its own: within the window it shares the document's file
    // until an edit gives the document a new one.
    lib_wv_data_t<short int> *get_backup_data();
    void set_wave_object(cfg_if_wv_t *object);
    uint32 get_wv_len();
    ui_wv_undo_stack_t *get_undo_stack() const { return undo_stack; }
    ui_qwt_plotzoomer_t *get_zoomer() const { return zoomer; }
    range_data_t get_select_range() const { return select_range; }
    void set_select_range(const range_data_t &range) { select_range = range; }
    ui_view_setting_t get_view_setting() const { return view_setting; }
    void set_view_setting(ui_view_setting_t setting) { view_setting = setting; }
    void init_view_setting();
    void apply_view_setting(ui_view_setting_t setting);
    void apply_y_axis_setting(ui_view_setting_t setting);
    void update_control_state();
    // Whether the owner can send a waveform to a generator: "Send waveform to AWG" of the
    // right-click menu follows it.
    void set_send_available(bool available);
    void update_sbar_cursor_value(double = 0.0, double = 0.0);
    bool is_selection_valid();
    void limit_xcursors();
    void set_canvas_cursor(const QCursor &shape);
    void bind_zoomer_data();
    void hide_menu_bar();
    void clear_wave_data();
    std::pair<double, double> get_wave_min_max();
    std::pair<double, double> get_selzone_range() const;

    // Edits (every one: back up, change, redraw, signal).
    int32 backup_wave_data();
    void commit_edit();
    void select_between_xcursors();
    void select_all();
    void do_copy_selected_wv();
    void update_select_waveform_by_selzone();
    void update_select_waveform_by_all();
    void update_select_waveform_by_xcursor();
    void cut_waveform();
    void do_cut_selected_wv();
    void show_paste_option_form();
    int32 paste_copy_buffer();
    void invert_waveform();
    void _do_invert_waveform();
    void mirror_waveform();
    void _do_mirror_waveform();
    void update_display_levels();
    void normalize_wave_data();
    void convert_wave_levels(double amplitude, double offset);
    void fit_yright_scale();
    void scale_wave_data(double factor);

    // Mouse tools.
    void do_mouse_event(ui_mouse_act_t act, QMouseEvent *event);
    void update_canvas_cursor();
    void reset_mouse_func();
    void set_draw_type(int type);
    void set_zoom_mode(int mode);
    void switch_cursor(int kind);
    void do_point_menu_action(int op);
    void show_point_table_form();

    void emit_update_control_state();
    void emit_update_plot_wv();
    void emit_info_send_wv_to_arb();
    void emit_wvform_info_main_window(wvform_info_t type);
    void emit_system_info(int32 info);

    // Read directly by the main window.
    ui_preview_plot_t *plot;
    ui_plot_cursor_t *cursor;
    ui_draw_point_t *drawing;
    cfg_if_wv_t *wave_object;
    int32 status;

signals:
    void update_file_oper_signal(update_window_t type);
    void update_file_oper_signal(update_window_t type, QCloseEvent *event);
    void update_control_state_signal();
    void update_plot_wv_signal();
    void info_send_wv_to_arb_signal();
    void wvform_info_main_window_signal(wvform_info_t type);
    void system_info_signal(int32 info);

public slots:
    void nor_rmenu_slot_func();
    void drawpoint_rmenu_slot_func();
    void update_plot_wv_slot_func();
    void undo_clicked_slot_func(int index, bool is_undo_clicked);
    void update_sbar_cursor_pos_func();
    void magnifier_get_wv_len_slot_func();
    void update_canvus_marker_slot_func();
    void update_mouse_shape_slot_func(ui_mouse_func_t mouse_shape);
    void paste_option_form_btn_slot_func(ui_paste_option_t *type, int32 btn);
    void point_table_form_btn_slot_func(ui_point_table_form_t *type, int32 btn);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void build(QAction *undo_action, QAction *redo_action, uint32 points, float frequency);
    void setup_form();
    void build_central_area();
    void build_normal_menu();
    void build_point_menu();
    void build_plot_tools();
    void create_default_wave();
    void show_initial_wave();
    bool edit_guards();
    // The range of invert and mirror: zone, else X cursors; false without either or when
    // the range lies past the end.
    bool edit_range(uint32 &lo, uint32 &hi);
    void redraw_after_in_place_edit(bool has_range, uint32 lo, uint32 hi);
    lib_fd_t open_in_place_edit(uint32 &hi);
    // The selection after the record's length changed: clamped to the last sample, or
    // cleared when no sample is left; callers re-place the markers and the read-out.
    void fit_selection_to_length();
    void clear_selection();
    bool guarded_backup();
    // The backup as another name of the document's file, for the edits that write the
    // document anew (invert, mirror, cut, paste); emits code 3 when it cannot be had.
    bool guarded_share_backup();
    void restore_after_undo(const lib_wv_data_t<short int> &snapshot);
    // One drawing stroke, press to release: backed up at its first point that writes.
    void draw_stroke(ui_mouse_act_t act, QMouseEvent *event, lib_wv_data_t<short int> &data, double x, double y);
    void end_stroke();
    QAction *add_action(QMenu *menu, const QString &text, const char *icon);

    std::unique_ptr<ui_plot_cursor_t> cursor_owner;
    std::unique_ptr<cfg_if_wv_t> wave_owner;
    std::unique_ptr<ui_qwt_plotzoomer_t> zoomer_owner;
    range_data_t select_range;
    ui_view_setting_t view_setting;
    ui_qwt_plotzoomer_t *zoomer;
    ui_qwt_magnifier_t *magnifier;
    uint32 points;
    float frequency;
    QWidget *central_widget;
    QWidget *menu_bar;
    lib_wv_data_t<short int> backup;
    QMenu *normal_menu, *select_menu, *zoom_menu;
    QAction *undo_action, *redo_action;
    QAction *act_open, *act_save, *act_close, *act_cut, *act_copy, *act_paste, *act_select_x,
        *act_select_all, *act_zoom_x, *act_zoom_y, *act_zoom_area, *act_zoom_fit, *act_hand_draw,
        *act_hline, *act_vline, *act_oblique, *act_point, *act_wv_property, *act_send_wv;
    QMenu *point_menu, *interpolation_menu;
    QAction *act_disable_point, *act_prev_point, *act_next_point, *act_del_point, *act_point_table,
        *act_clear_points, *act_linear, *act_smooth, *act_staircase;
    ui_wv_undo_stack_t *undo_stack;
    ui_waveform_sbar_t *status_bar;
    enum stroke_t { stroke_none, stroke_open, stroke_refused } stroke = stroke_none;
    bool send_available = true;
};
