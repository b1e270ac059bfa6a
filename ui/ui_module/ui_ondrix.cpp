#include "ui_ondrix.h"

#include "cfg_file_main.h"
#include "cfg_if_wv.h"
#include "lib_path.h"
#include "plat_device_watch.h"
#include "ui_dialog_provider.h"
#include "ui_draw_point.h"
#include "ui_icon_look.h"
#include "ui_plot_cursor.h"
#include "ui_plot_loader.h"
#include "ui_plot_utils.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_tbar_btn.h"
#include "ui_timer.h"
#include "ui_waveform.h"
#include "ui_wv_undo_stack.h"
#include "ui_window_counter.h"
#include "ui_application.h"
#include "ui_comm_tree_form.h"

#include <QCoreApplication>

#include <QAction>
#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <QDockWidget>
#include <QIcon>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoGroup>
#include <exception>
#include <memory>

#include "ui_custom_dock_widget.h"
#include <qwt_plot_renderer.h>

namespace {

void enable(QAction *action, bool on)
{
    if (action)
        action->setEnabled(on);
}

void enable(QMenu *menu, bool on)
{
    if (menu)
        menu->setEnabled(on);
}

void enable(ui_tbar_btn_t *button, bool on)
{
    if (button)
        button->set_btn_enable(on);
}

} // namespace

ui_ondrix_t::ui_ondrix_t(QWidget *parent)
    : QMainWindow(parent, Qt::WindowFlags()), m_status_edit(nullptr), m_scope_edit(nullptr), m_awg_edit(nullptr),
      m_undo_group(nullptr), m_undo_action(nullptr), m_redo_action(nullptr), m_refresh_timer(nullptr),
      m_menu_bar(nullptr), m_main_tool_bar(nullptr), m_status_bar(nullptr), m_comm_tree(nullptr),
      m_panel_form(nullptr), m_instr_model_form(QCoreApplication::translate("ui_instr_model_form_t", "Instrument Model:")),
      m_mdi_area(nullptr), m_new_points(16384), m_new_freq(1000.0f)
{
    m_cur_wave = nullptr;
    m_book_name = "Wave book";
    m_no_wave_msg = tr("No waveform exit.\nPlease create or open a waveform first.");

    if (objectName().isEmpty())
        setObjectName("ui_ondrix_t");
    resize(1183, 600);
    setWindowIcon(QIcon(":/Image/resources/image_ondrix.png"));
    setStyleSheet(QString());
    auto *central = new QWidget(this);
    central->setObjectName("centralWidget");
    setCentralWidget(central);
    m_menu_bar = new QMenuBar(this);
    m_menu_bar->setObjectName("menuBar");
    m_menu_bar->setGeometry(QRect(0, 0, 1183, 23));
    m_menu_bar->setNativeMenuBar(false);
    setMenuBar(m_menu_bar);
    m_main_tool_bar = new QToolBar(this);
    m_main_tool_bar->setObjectName("mainToolBar");
    m_main_tool_bar->setMovable(false);
    addToolBar(Qt::TopToolBarArea, m_main_tool_bar);
    m_status_bar = new QStatusBar(this);
    m_status_bar->setObjectName("statusBar");
    setStatusBar(m_status_bar);
    setWindowTitle(tr("Ondrix"));
    QMetaObject::connectSlotsByName(this);

    setContextMenuPolicy(Qt::NoContextMenu);
    setObjectName("ondr_main_window");
    reset_new_wave_param();
    init_undo_group();
    create_menu_bar();
    create_tool_bar();
    init_status_bar();
    init_panel_form();
    init_mdi_area();
    update_control_state();
    start_refresh_timer();
    // Each arrival or removal reaches the GUI thread as one refreash_dev_conn_signal().
    m_device_watch = std::make_unique<plat_device_watch_t>();
    m_device_watch->start([this](bool) {
        QMetaObject::invokeMethod(this, "refreash_dev_conn_signal", Qt::QueuedConnection);
    });
    connect(this, SIGNAL(refreash_dev_conn_signal()), this, SLOT(refresh_commtree_slot_func()));
}

ui_ondrix_t::~ui_ondrix_t()
{
    m_device_watch->stop();
    delete m_refresh_timer;
    delete m_comm_tree;
    m_comm_tree = nullptr;
    // The menus have no parent; they go with the window so that nothing is left behind.
    for (QMenu *menu : {commands.file_menu, commands.edit_menu, commands.view_menu, commands.wave_menu,
                        commands.comm_menu, commands.panel_menu, controls.window_menu, commands.lang_menu,
                        commands.help_menu})
        delete menu;
}

void ui_ondrix_t::init_undo_group()
{
    m_undo_group = new QUndoGroup(this);
    m_undo_action = m_undo_group->createUndoAction(this, QString());
    m_redo_action = m_undo_group->createRedoAction(this, QString());
    // Disabled by the undo group when there is nothing to undo or redo: they must look so.
    m_undo_action->setIcon(ui_icon_with_disabled_look(QIcon(":/Image/resources/image_basic_undo.png")));
    m_redo_action->setIcon(ui_icon_with_disabled_look(QIcon(":/Image/resources/image_basic_redo.png")));
    m_undo_action->setShortcut(QKeySequence::Undo);
    m_redo_action->setShortcut(QKeySequence::Redo);
    connect(m_undo_action, SIGNAL(triggered()), this, SLOT(tbar_bs_slot_func()));
}

void ui_ondrix_t::init_mdi_area()
{
    centralWidget()->setObjectName("ondr_center_main");
    m_mdi_area = new QMdiArea(this);
    connect(m_mdi_area, SIGNAL(subWindowActivated(QMdiSubWindow *)), this,
            SLOT(show_window_change_slot_func(QMdiSubWindow *)));
    auto *content = new ui_custom_dock_widget_t();
    // Its constructor makes the program's first instrument scan.
    m_comm_tree = new ui_comm_tree_form_t(nullptr, Qt::WindowFlags());
    connect(m_comm_tree, SIGNAL(instr_interact_request_signal(ui_comm_mode_t, uint16)), this,
            SLOT(instr_interact_handle_slot_func(ui_comm_mode_t, uint16)));
    auto *grid = new QGridLayout();
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(m_comm_tree, 0, 0, 1, 1);
    content->setLayout(grid);
    // Shown once it sits in the dock, so that it never appears as a window of its own.
    m_comm_tree->show();
    auto *dock = new QDockWidget(this);
    dock->setTitleBarWidget(new QWidget());
    dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dock->setAllowedAreas(Qt::LeftDockWidgetArea);
    dock->setWidget(content);
    addDockWidget(Qt::LeftDockWidgetArea, dock);
    setCentralWidget(m_mdi_area);
}

bool ui_ondrix_t::has_waveform_window() const { return !m_mdi_area->subWindowList(QMdiArea::CreationOrder).isEmpty(); }

bool ui_ondrix_t::document_is_current() const { return has_waveform_window() && m_cur_wave; }

void ui_ondrix_t::reset_new_wave_param()
{
    m_new_points = 16384;
    m_new_freq = 1000.0f;
}

void ui_ondrix_t::set_new_wave_param(uint32 points, float freq)
{
    m_new_points = points;
    m_new_freq = freq;
}

int32 ui_ondrix_t::create_wave_window(const QString &title)
{
    auto *wave = new ui_waveform_t(m_undo_action, m_redo_action, m_new_points, m_new_freq, nullptr);
    int32 status = wave->status;
    if (status != 0) {
        delete wave;
        return status;
    }
    auto *sub = new QMdiSubWindow(m_mdi_area, Qt::WindowFlags());
    wave->set_saved(false);
    wave->set_window_num(g_window_counter);
    wave->set_send_available(is_command_available(controls.comm_send));
    sub->installEventFilter(this);
    // The sub-window's own Close carries Ctrl+W and Ctrl+F4, the keys of Standard Waveform
    // and File > Close: both would turn ambiguous and run nothing.
    if (QMenu *menu = sub->systemMenu())
        for (QAction *a : menu->actions())
            a->setShortcuts(QList<QKeySequence>());
    sub->setWidget(wave);
    sub->setWindowTitle(title);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->showMaximized();
    sub->show();
    return 0;
}

int32 ui_ondrix_t::create_named_wave_window(int32 mode, const QString &name)
{
    if (mode == 1 && name.isEmpty())
        return 2;
    QString n = QString::number(g_window_counter);
    QString title = mode == 0 ? m_book_name + n + "-" + (name.isEmpty() ? g_wave_name_stem + n : name) : name;
    int32 r = create_wave_window(title);
    if (r == 0) {
        m_cur_wave_name = title;
        ++g_window_counter;
    }
    return r;
}

int32 ui_ondrix_t::open_new_wave_window(const QString &name)
{
    int32 r = create_named_wave_window(0, name);
    if (r == 0) {
        show_waveform(m_mdi_area->currentSubWindow());
        add_wave_undo_stack();
    }
    return r;
}

void ui_ondrix_t::show_waveform(QMdiSubWindow *window)
{
    m_cur_wave = window ? qobject_cast<ui_waveform_t *>(window->widget()) : nullptr;
    if (!m_cur_wave) {
        qDebug() << "WaveForm obj is NULL!";
        return;
    }
    m_cur_wave->setWindowTitle(window->windowTitle());
    ui_waveform_t *w = m_cur_wave;
    connect(w, SIGNAL(update_control_state_signal()), this, SLOT(update_control_state_slot_func()),
            Qt::UniqueConnection);
    connect(w, SIGNAL(wvform_info_main_window_signal(wvform_info_t)), this,
            SLOT(wvform_info_main_window_func(wvform_info_t)), Qt::UniqueConnection);
    connect(w, SIGNAL(update_file_oper_signal(update_window_t)), this,
            SLOT(update_file_oper_slot_func(update_window_t)), Qt::UniqueConnection);
    connect(w, SIGNAL(update_file_oper_signal(update_window_t, QCloseEvent *)), this,
            SLOT(update_file_oper_slot_func(update_window_t, QCloseEvent *)), Qt::UniqueConnection);
    connect(w, SIGNAL(info_send_wv_to_arb_signal()), this, SLOT(send_wv_to_arb_slot_func()), Qt::UniqueConnection);
    connect(w, SIGNAL(system_info_signal(int32)), this, SLOT(system_info_slot_func(int32)), Qt::UniqueConnection);
    m_mdi_area->setActiveSubWindow(window);
    window->show();
}

// The stack joins the group (again, harmlessly) before it becomes the active one, so a
// stack that a refused close took out of the group comes back with its document.
void ui_ondrix_t::add_wave_undo_stack()
{
    if (!m_cur_wave)
        return;
    QUndoStack *stack = m_cur_wave->get_undo_stack();
    if (!m_undo_group->stacks().contains(stack))
        m_undo_group->addStack(stack);
    m_undo_group->setActiveStack(stack);
}

void ui_ondrix_t::set_active_undo_stack() { add_wave_undo_stack(); }

QMdiSubWindow *ui_ondrix_t::get_cur_sub_window() const { return m_mdi_area->currentSubWindow(); }

QList<QMdiSubWindow *> ui_ondrix_t::get_sub_window_list() const
{
    return m_mdi_area->subWindowList(QMdiArea::CreationOrder);
}

QMdiSubWindow *ui_ondrix_t::find_sub_window(const QString &title) const
{
    for (QMdiSubWindow *sub : get_sub_window_list())
        if (sub->windowTitle() == title)
            return sub;
    return nullptr;
}

QStringList ui_ondrix_t::get_sub_window_titles() const
{
    QStringList titles;
    for (QMdiSubWindow *sub : get_sub_window_list())
        titles << sub->windowTitle();
    return titles;
}

void ui_ondrix_t::reset_wave_book()
{
    m_wave_window_list.clear();
    m_book_name = "Wave book";
}

void ui_ondrix_t::show_window_change_slot_func(QMdiSubWindow *window)
{
    if (window) {
        m_cur_wave = qobject_cast<ui_waveform_t *>(window->widget());
        m_cur_wave_name = window->windowTitle();
        update_control_state();
        set_active_undo_stack();
    }
    _update_status_bar_show();
    if (!has_waveform_window())
        m_cur_wave = nullptr;
}

// The stack leaves the undo group only once its window really closed: a refused close
// keeps the document, and its Undo must keep working.
void ui_ondrix_t::close_cur_sub_window()
{
    if (!document_is_current())
        return;
    QPointer<ui_waveform_t> closing = m_cur_wave;
    QUndoStack *stack = closing->get_undo_stack();
    m_mdi_area->closeActiveSubWindow();
    if (!closing)
        m_undo_group->removeStack(stack);
    if (!has_waveform_window())
        m_cur_wave = nullptr;
}

void ui_ondrix_t::close_all_sub_windows(QCloseEvent *event)
{
    const int n = m_mdi_area->subWindowList().size();
    if (n > 0) {
        QMdiSubWindow *previous = m_mdi_area->activeSubWindow();
        m_mdi_area->closeActiveSubWindow();
        for (int i = 1; i < n; ++i) {
            QMdiSubWindow *active = m_mdi_area->activeSubWindow();
            if (active == previous) {
                if (event)
                    event->ignore();
                return;
            }
            m_mdi_area->closeActiveSubWindow();
            previous = active;
        }
    }
    if (has_waveform_window()) {
        if (event)
            event->ignore();
        return;
    }
    if (event)
        event->accept();
    m_cur_wave = nullptr;
}

void ui_ondrix_t::closeEvent(QCloseEvent *event)
{
    close_all_sub_windows(event);
    if (has_waveform_window())
        return;
    m_cur_wave = nullptr;
    qDebug() << "Application Exit\r\n\r\n";
}

void ui_ondrix_t::exit_app()
{
    close_all_sub_windows(nullptr);
    if (has_waveform_window())
        return;
    qDebug() << "Application Exit\r\n\r\n";
    QCoreApplication::exit(0);
}

bool ui_ondrix_t::eventFilter(QObject *watched, QEvent *event) { return QMainWindow::eventFilter(watched, event); }

bool ui_ondrix_t::handle_device_message(uint32 message, quintptr wparam)
{
    if (!plat_is_device_change_message(message, wparam))
        return false;
    emit refreash_dev_conn_signal();
    return true;
}

bool ui_ondrix_t::nativeEvent(const QByteArray &event_type, void *message, long *result)
{
    return QMainWindow::nativeEvent(event_type, message, result);
}

void ui_ondrix_t::update_file_oper_slot_func(update_window_t type)
{
    switch (static_cast<int>(type)) {
    case 1:
        open_file_dialog();
        break;
    case 2:
        save_file();
        break;
    case 3:
        close_cur_sub_window();
        break;
    default:
        break;
    }
}

void ui_ondrix_t::update_file_oper_slot_func(update_window_t, QCloseEvent *event)
{
    if (!save_as_file()) {
        if (event)
            event->ignore();
        return;
    }
    if (QMdiSubWindow *sub = m_mdi_area->currentSubWindow())
        m_cur_wave_name = sub->windowTitle();
    update_control_state();
}

void ui_ondrix_t::update_control_state_slot_func() { update_control_state(); }

void ui_ondrix_t::system_info_slot_func(int32 code)
{
    ui_prompt_t prompt(this);
    if (code == 0 || code == 3)
        prompt.show_info_box(prompt.out_of_memory_text);
    else if (code == 1)
        prompt.show_info_box(tr("File creation failed."));
}

void ui_ondrix_t::mbar_window_slot_func()
{
    QObject *from = sender();
    if (!from)
        return;
    if (from == controls.window_cascade)
        m_mdi_area->cascadeSubWindows();
    else if (from == controls.window_tile)
        m_mdi_area->tileSubWindows();
    else if (from == controls.window_close_all)
        close_all_sub_windows(nullptr);
}

void ui_ondrix_t::update_mbar_window_menu()
{
    QMenu *menu = controls.window_menu;
    if (!menu)
        return;
    menu->clear();
    if (controls.window_cascade)
        menu->addAction(controls.window_cascade);
    if (controls.window_tile)
        menu->addAction(controls.window_tile);
    menu->addSeparator();
    if (controls.window_close_all)
        menu->addAction(controls.window_close_all);
    menu->addSeparator();
    for (QMdiSubWindow *sub : m_mdi_area->subWindowList(QMdiArea::CreationOrder)) {
        QWidget *wave = sub->widget();
        QAction *entry = menu->addAction(wave ? wave->windowTitle() : sub->windowTitle());
        entry->setShortcut(QKeySequence());
        entry->setCheckable(true);
        entry->setChecked(sub == m_mdi_area->activeSubWindow());
        connect(entry, &QAction::triggered, this, [this, sub] { m_mdi_area->setActiveSubWindow(sub); });
    }
}

// ---- control-state refresh ----

void ui_ondrix_t::update_control_state()
{
    const bool doc = document_is_current();
    update_basic_oper_state(doc);
    update_zoom_state(doc);
    update_parameter_state(doc);
    update_property_state(doc);
    update_cursor_state(doc);
    update_wave_oper_state(doc);
    update_draw_state(doc);
    update_math_state(doc);
    update_send_state(doc);
    update_window_menu_state(doc);
    enable(controls.view_grid, doc);
    enable(controls.view_time_scale, doc);
    enable(controls.view_interpolation, doc);
    if (doc) {
        m_cur_wave->update_control_state();
        ui_view_setting_t view = m_cur_wave->get_view_setting();
        if (controls.view_grid)
            controls.view_grid->setChecked(view.grid_show);
        if (controls.view_time_scale)
            controls.view_time_scale->setChecked(view.time_scale_show);
    }
    update_pending_state();
}

void ui_ondrix_t::update_basic_oper_state(bool doc)
{
    enable(controls.file_close, doc);
    enable(controls.file_save, doc);
    enable(controls.file_save_as, doc);
    enable(controls.file_print_preview, doc);
    enable(controls.file_print, doc);
    enable(controls.btn_save, doc);
    const bool sel = doc && m_cur_wave->is_selection_valid();
    enable(controls.edit_cut, sel);
    enable(controls.edit_copy, sel);
    enable(controls.btn_cut, sel);
    enable(controls.btn_copy, sel);
    const bool paste = doc && m_cur_wave->has_data();
    enable(controls.edit_paste, paste);
    enable(controls.btn_paste, paste);
}

void ui_ondrix_t::update_zoom_state(bool doc)
{
    for (QAction *a : {controls.view_zoom_x, controls.view_zoom_y, controls.view_zoom_area, controls.view_fit})
        enable(a, doc);
    for (ui_tbar_btn_t *b : {controls.btn_zoom_x, controls.btn_zoom_y, controls.btn_zoom_area, controls.btn_zoom_fit})
        enable(b, doc);
}

void ui_ondrix_t::update_parameter_state(bool doc)
{
    enable(controls.btn_parameter, doc && static_cast<uint32>(m_cur_wave->wave_object->get_wv_type()) <= 12u);
}

void ui_ondrix_t::update_property_state(bool doc)
{
    enable(controls.wave_properties, doc);
    enable(controls.view_properties, doc);
    enable(controls.btn_wv_property, doc);
    enable(controls.btn_view_property, doc);
}

void ui_ondrix_t::update_cursor_state(bool doc)
{
    enable(controls.view_x_cursors, doc);
    enable(controls.view_y_cursors, doc);
    enable(controls.btn_x_cursors, doc);
    enable(controls.btn_y_cursors, doc);
    bool shown = false;
    if (doc) {
        ui_plot_cursor_t *cursor = m_cur_wave->cursor;
        shown = cursor && (cursor->is_x_cursor_visible() || cursor->is_y_cursor_visible());
    }
    enable(controls.btn_edit_cursors, shown);
    if (shown)
        m_cur_wave->limit_xcursors();
}

void ui_ondrix_t::update_wave_oper_state(bool doc)
{
    enable(controls.edit_select_all, doc);
    enable(controls.btn_select_mode, doc);
    enable(controls.btn_select_all, doc);
    ui_plot_cursor_t *cursor = doc ? m_cur_wave->cursor : nullptr;
    const bool xcur = cursor && cursor->is_x_cursor_visible();
    enable(controls.edit_select_xcursors, xcur);
    enable(controls.btn_select_xcursors, xcur);
    const bool sel = doc && m_cur_wave->is_selection_valid();
    enable(controls.edit_invert, sel);
    enable(controls.edit_mirror, sel);
    enable(controls.btn_invert, sel);
    enable(controls.btn_mirror, sel);
}

void ui_ondrix_t::update_draw_state(bool doc)
{
    for (ui_tbar_btn_t *b : {controls.btn_freehand, controls.btn_hline, controls.btn_vline, controls.btn_oline,
                             controls.btn_points})
        enable(b, doc);
    ui_draw_point_t *draw = doc ? m_cur_wave->drawing : nullptr;
    const bool editing = draw && draw->get_draw_type() == 5 && m_cur_wave->get_mouse_func() == 4;
    const bool points = editing && !draw->is_points_empty();
    enable(controls.btn_points_table, editing);
    enable(controls.btn_point_delete, points);
    enable(controls.btn_points_clear, points);
    enable(controls.btn_point_prev, points && !draw->is_first_point());
    enable(controls.btn_point_next, points && !draw->is_last_point());
    enable(controls.btn_interpolation, false);
}

void ui_ondrix_t::update_math_state(bool doc)
{
    enable(controls.btn_math, doc && m_cur_wave->wave_object->get_wv_type() != LIB_WV_MULTI_PULSE);
    enable(controls.btn_filter, doc);
    enable(controls.btn_window, doc);
}

void ui_ondrix_t::update_send_state(bool doc)
{
    enable(controls.comm_send, doc);
    enable(controls.btn_send, doc);
}

void ui_ondrix_t::update_window_menu_state(bool doc)
{
    enable(controls.window_cascade, doc);
    enable(controls.window_tile, doc);
    enable(controls.window_close_all, doc);
}

