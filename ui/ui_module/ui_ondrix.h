#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "ui_comm_mode.h"
#include "ui_instr_model_form.h"
#include "ui_plot_types.h"
#include "ui_waveform.h"
#include "ui_window_counter.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>

class QAction;
class QPushButton;
class cfg_if_wv_t;
class plat_device_watch_t;
class QCloseEvent;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QPrinter;
class QStatusBar;
class QToolBar;
class QUndoGroup;
class ui_comm_form_t;
class ui_comm_tree_form_t;
class ui_cursor_setting_t;
class ui_digtal_wave_form_t;
class ui_equation_form_t;
class ui_filter_form_t;
class ui_panel_form_t;
class ui_stdwvform_t;
class ui_tbar_btn_t;
class ui_timer_t;
class ui_view_property_t;
class ui_waveform_t;
class ui_window_form_t;
class ui_wv_property_form_t;
class ui_wv_settings_t;
class ui_wvmath_form_t;

// The program's main window: an MDI area of document windows, the instrument dock, the
// menus, tool bar and status bar, one undo group for every document, and the commands
// that open, save and print waveform files.
class ui_ondrix_t : public QMainWindow
{
    Q_OBJECT
public:
    explicit ui_ondrix_t(QWidget *parent = nullptr);
    ~ui_ondrix_t() override;

    bool has_waveform_window() const;
    int32 create_wave_window(const QString &title);
    int32 create_named_wave_window(int32 mode, const QString &name);
    int32 open_new_wave_window(const QString &name);
    void show_waveform(QMdiSubWindow *window);
    void add_wave_undo_stack();
    void set_active_undo_stack();
    void close_cur_sub_window();
    void close_all_sub_windows(QCloseEvent *event);
    void exit_app();
    void update_control_state();
    void reset_new_wave_param();
    void set_new_wave_param(uint32 points, float freq);

    void set_cur_wave_name(const QString &name) { m_cur_wave_name = name; }
    QString get_cur_wave_name() const { return m_cur_wave_name; }
    QMdiSubWindow *get_cur_sub_window() const;
    QList<QMdiSubWindow *> get_sub_window_list() const;
    QMdiSubWindow *find_sub_window(const QString &title) const;
    QStringList get_sub_window_titles() const;
    void reset_wave_book();
    void refresh_control_state() { update_control_state(); }

    // Waveform files.
    void open_file_dialog();
    void open_arg_file(const QString &path);
    bool save_file();
    bool save_as_file();
    void print_wave();
    void print_preview();
    bool make_wave_name(const QString &path, int32 number, QString &name) const;
    void show_open_file_error(int32 code);
    void save_cur_wfm();
    void save_waveform(const QString &name);

    // Status bar and refresh.
    void init_status_bar();
    void start_refresh_timer();
    // A device arrived or left: rescan the instruments when the USB count changed, then
    // rebuild the control-panel menu.
    void refresh_devices();
    void update_panel_menu();
    // The control-panel dialog, built hidden with the window.
    void init_panel_form();
    ui_panel_form_t *panel_form() const { return m_panel_form; }

    // Menu bar and tool bar.
    void create_menu_bar();
    void create_tool_bar();
    // False for the commands whose dialog or service is not in the program yet: the
    // control-state refresh keeps them disabled.
    bool is_command_available(const QObject *control) const;

    // Dialog openers.
    void open_wv_settings_form();
    void show_wv_window(lib_wv_type_t type);
    void show_wv_parameter_window();
    void open_digital_wv_form();
    void open_equation_form();
    void open_wv_property_form();
    void open_view_property_form();
    void open_cursor_setting_form();
    void open_wvmath_form();
    void open_filter_form();
    void open_window_form();
    void open_send_comm_form(uint16 row);
    void open_comm_form(ui_comm_mode_t mode, uint16 row);

    ui_waveform_t *current_wave() const { return m_cur_wave; }
    QMdiArea *mdi_area() const { return m_mdi_area; }
    QUndoGroup *undo_group() const { return m_undo_group; }
    QAction *undo_action() const { return m_undo_action; }
    QAction *redo_action() const { return m_redo_action; }
    QLineEdit *status_edit() const { return m_status_edit; }
    QLineEdit *scope_edit() const { return m_scope_edit; }
    QLineEdit *awg_edit() const { return m_awg_edit; }
    ui_comm_tree_form_t *comm_tree() const { return m_comm_tree; }

    // Handles the device-change message of the Windows message loop: an arrival or a
    // removal emits refreash_dev_conn_signal() and returns true.
    bool handle_device_message(uint32 message, quintptr wparam);

signals:
    void refreash_dev_conn_signal();

public slots:
    void refresh_commtree_slot_func();
    void print_preview_slot_func(QPrinter *printer);
    void mbar_file_slot_func();
    void mbar_edit_slot_func();
    void mbar_view_slot_func();
    void mbar_waveform_slot_func();
    void mbar_comm_slot_func();
    void mbar_panel_slot_func();
    void mbar_window_slot_func();
    void mbar_lang_slot_func();
    void mbar_help_slot_func();
    void tbar_bs_slot_func();
    void tbar_zoom_slot_func();
    void tbar_bswv_slot_func();
    void tbar_adwv_slot_func();
    void tbar_digital_wave_slot_func();
    void tbar_equa_slot_func();
    void tbar_parameter_slot_func();
    void tbar_property_slot_func();
    void tbar_cursor_slot_func();
    void tbar_wv_oper_slot_func();
    void tbar_draw_wv_slot_func();
    void tbar_math_slot_func();
    void tbar_comm_slot_func();
    void instr_interact_handle_slot_func(ui_comm_mode_t type, uint16 res_row_sel);
    void timer_refresh_commtree_slot_func();
    void wv_settings_form_btn_slot_func(ui_wv_settings_t *type, int32 btn);
    void std_wv_form_btn_slot_func(ui_stdwvform_t *type, int32 btn, bool is_change_para);
    void digital_wv_form_btn_slot_func(ui_digtal_wave_form_t *type, int32 btn, bool is_change_para);
    void equation_form_btn_slot_func(ui_equation_form_t *type, int32 btn);
    void wv_property_form_btn_slot_func(ui_wv_property_form_t *type, int32 btn);
    void view_property_form_btn_slot_func(ui_view_property_t *type, int32 btn);
    void cursor_setting_form_btn_slot_func(ui_cursor_setting_t *type, int32 btn);
    void comm_form_btn_slot_func(ui_comm_form_t *type, int32 btn);
    void arith_math_form_btn_slot_func(ui_wvmath_form_t *type, int32 btn);
    void filter_form_btn_slot_func(ui_filter_form_t *type, int32 btn);
    void window_form_btn_slot_func(ui_window_form_t *type, int32 btn);
    void update_control_state_slot_func();
    void wvform_info_main_window_func(wvform_info_t type);
    void update_file_oper_slot_func(update_window_t type);
    void update_file_oper_slot_func(update_window_t type, QCloseEvent *event);
    void send_wv_to_arb_slot_func();
    void system_info_slot_func(int32 code);
    void open_file_slot_func(QString file);
    void save_file_slot_func(QString file_path);
    void show_window_change_slot_func(QMdiSubWindow *window);
    void _update_status_bar_show();
    void update_mbar_window_menu();
    void update_cur_status(bool normal);
    void update_scope_status(int num);
    void update_arb_status(int num);
    void update_grid_show();
    void update_time_scale_show();
    void update_curve_type_show(ui_curvv_show_t style);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool nativeEvent(const QByteArray &event_type, void *message, long *result) override;

public:
    // Menu entries and tool buttons the control-state refresh enables and greys; the menu
    // bar and tool bar fill them in. Null until then.
    struct controls_t
    {
        QAction *file_close = nullptr, *file_save = nullptr, *file_save_as = nullptr;
        QAction *file_print_preview = nullptr, *file_print = nullptr;
        QAction *edit_cut = nullptr, *edit_copy = nullptr, *edit_paste = nullptr;
        QAction *edit_select_all = nullptr, *edit_select_xcursors = nullptr;
        QAction *edit_invert = nullptr, *edit_mirror = nullptr;
        QAction *view_zoom_x = nullptr, *view_zoom_y = nullptr, *view_zoom_area = nullptr, *view_fit = nullptr;
        QAction *view_x_cursors = nullptr, *view_y_cursors = nullptr, *view_properties = nullptr;
        QAction *view_grid = nullptr, *view_time_scale = nullptr;
        QMenu *view_interpolation = nullptr;
        QAction *wave_properties = nullptr;
        QAction *comm_send = nullptr;
        QMenu *window_menu = nullptr;
        QAction *window_cascade = nullptr, *window_tile = nullptr, *window_close_all = nullptr;
        ui_tbar_btn_t *btn_save = nullptr, *btn_cut = nullptr, *btn_copy = nullptr, *btn_paste = nullptr;
        ui_tbar_btn_t *btn_zoom_x = nullptr, *btn_zoom_y = nullptr, *btn_zoom_area = nullptr, *btn_zoom_fit = nullptr;
        ui_tbar_btn_t *btn_parameter = nullptr, *btn_wv_property = nullptr, *btn_view_property = nullptr;
        ui_tbar_btn_t *btn_x_cursors = nullptr, *btn_y_cursors = nullptr, *btn_edit_cursors = nullptr;
        ui_tbar_btn_t *btn_select_mode = nullptr, *btn_select_all = nullptr, *btn_select_xcursors = nullptr;
        ui_tbar_btn_t *btn_invert = nullptr, *btn_mirror = nullptr;
        ui_tbar_btn_t *btn_freehand = nullptr, *btn_hline = nullptr, *btn_vline = nullptr, *btn_oline = nullptr;
        ui_tbar_btn_t *btn_points = nullptr, *btn_points_table = nullptr, *btn_point_delete = nullptr;
        ui_tbar_btn_t *btn_points_clear = nullptr, *btn_point_prev = nullptr, *btn_point_next = nullptr;
        ui_tbar_btn_t *btn_interpolation = nullptr;
        ui_tbar_btn_t *btn_math = nullptr, *btn_filter = nullptr, *btn_window = nullptr, *btn_send = nullptr;
    } controls;

    // The menus and the entries and buttons the refresh leaves alone.
    struct commands_t
    {
        QMenu *file_menu = nullptr, *edit_menu = nullptr, *view_menu = nullptr, *wave_menu = nullptr;
        QMenu *comm_menu = nullptr, *panel_menu = nullptr, *lang_menu = nullptr, *help_menu = nullptr;
        QAction *file_blank = nullptr, *file_equation = nullptr, *file_standard = nullptr;
        QAction *file_open = nullptr, *file_exit = nullptr;
        QAction *view_linear = nullptr, *view_hold = nullptr;
        QAction *wave_equation = nullptr;
        QAction *wave_types[12] = {}; // indexed by wave type
        QAction *comm_read = nullptr, *comm_import = nullptr, *comm_refresh = nullptr;
        QAction *lang_chinese = nullptr, *lang_english = nullptr;
        QAction *help_user = nullptr, *help_website = nullptr, *help_about = nullptr;
        ui_tbar_btn_t *btn_new = nullptr, *btn_open = nullptr;
        QPushButton *btn_bswv[6] = {}, *btn_adwv[6] = {}; // in tool-bar order
        QPushButton *btn_digital = nullptr, *btn_equation = nullptr;
        ui_tbar_btn_t *btn_read = nullptr, *btn_import = nullptr, *btn_refresh = nullptr;
    } commands;

private:
    void init_undo_group();
    void init_mdi_area();
    void not_built_yet(const char *slot) const;
    void update_basic_oper_state(bool doc);
    void update_zoom_state(bool doc);
    void update_parameter_state(bool doc);
    void update_property_state(bool doc);
    void update_cursor_state(bool doc);
    void update_wave_oper_state(bool doc);
    void update_draw_state(bool doc);
    void update_math_state(bool doc);
    void update_send_state(bool doc);
    void update_window_menu_state(bool doc);
    void update_pending_state();
    void create_file_menu();
    void create_edit_menu();
    void create_view_menu();
    void create_waveform_menu();
    void create_comm_menu();
    void create_window_menu();
    void create_lang_menu();
    void create_help_menu();
    QAction *add_menu_action(const QString &text, const char *icon, const char *slot);
    void show_no_wave_prompt();
    bool check_cover_points();
    int32 backup_current_wave();
    bool begin_tool_on_current();
    template <typename form_t>
    void take_creation_result(form_t *form, int32 btn);
    void take_over_wave_object(cfg_if_wv_t *object);
    void refresh_instruments();
    bool document_is_current() const;
    void render_plot(QPrinter *printer);
    void discard_failed_document(QMdiSubWindow *sub);

    QLineEdit *m_status_edit;
    QLineEdit *m_scope_edit;
    QLineEdit *m_awg_edit;
    QUndoGroup *m_undo_group;
    QAction *m_undo_action;
    QAction *m_redo_action;
    ui_timer_t *m_refresh_timer;
    QMenuBar *m_menu_bar;
    QToolBar *m_main_tool_bar;
    QStatusBar *m_status_bar;
    ui_comm_tree_form_t *m_comm_tree;
    ui_panel_form_t *m_panel_form;
    ui_instr_model_form_t m_instr_model_form;
    QMdiArea *m_mdi_area;
    QList<QMdiSubWindow *> m_wave_window_list;
    QPointer<ui_waveform_t> m_cur_wave;
    QString m_cur_wave_name;
    QString m_book_name;
    QString m_no_wave_msg;
    uint32 m_new_points;
    float m_new_freq;
    // USB arrivals and removals, in place of the Windows device notifications.
    std::unique_ptr<plat_device_watch_t> m_device_watch;
};
