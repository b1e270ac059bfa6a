// The tool bar: thirteen labelled groups of icon buttons, one dispatch slot per group.
#include "ui_ondrix.h"

#include "ui_draw_point.h"
#include "ui_icon_look.h"
#include "ui_prompt.h"
#include "ui_qwt_plotzoomer.h"
#include "ui_tbar_btn.h"
#include "ui_waveform.h"

#include <QAction>
#include <QDebug>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QString icon_path(const char *name) { return QString(":/Image/resources/") + name + ".png"; }

ui_tbar_btn_t *t_button(const char *icon, const QString &tip)
{
    auto *b = new ui_tbar_btn_t(QIcon(icon_path(icon)), QIcon(QString(":/Image/resources/") + icon + "_grey.png"), true);
    b->setToolTip(tip);
    return b;
}

QPushButton *p_button(const char *icon, const QString &tip)
{
    auto *b = new QPushButton();
    // A picture button has no grey twin; disabled (a command not built yet) it still
    // has to look so.
    b->setIcon(ui_icon_with_disabled_look(QIcon(icon_path(icon))));
    b->setObjectName("tbar_button");
    b->setToolTip(tip);
    return b;
}

struct cell_t
{
    QWidget *widget;
    int row, column;
};

// One group: the label on top of a grid of buttons, appended to the tool bar; every
// button's clicked() goes to the group's slot.
void add_group(QToolBar *bar, QObject *receiver, const char *slot, const QString &label_text, int content_stretch,
               const QList<cell_t> &cells)
{
    auto *group = new QWidget();
    group->setObjectName("tbar_main_widget");
    auto *content = new QWidget();
    content->setObjectName("tbar_content_widget");
    auto *vbox = new QVBoxLayout();
    auto *grid = new QGridLayout();
    vbox->setContentsMargins(1, 1, 1, 1);
    vbox->setSpacing(1);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    auto *label = new QLabel(label_text);
    label->setObjectName("tbar_label");
    label->setFixedHeight(14);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    vbox->addWidget(label, 1);
    vbox->addWidget(content, content_stretch);
    for (const cell_t &c : cells)
        grid->addWidget(c.widget, c.row, c.column, 1, 1);
    group->setLayout(vbox);
    content->setLayout(grid);
    bar->addWidget(group);
    for (const cell_t &c : cells)
        if (auto *button = qobject_cast<QPushButton *>(c.widget))
            QObject::connect(button, SIGNAL(clicked()), receiver, slot);
}

// The undo or redo action shown as a tool button in a small tool bar of its own.
QToolBar *action_bar(QAction *action)
{
    auto *bar = new QToolBar();
    bar->addAction(action);
    return bar;
}

} // namespace

void ui_ondrix_t::create_tool_bar()
{
    QLabel *spacers[12];
    for (QLabel *&s : spacers) {
        s = new QLabel();
        s->setFixedWidth(6);
    }
    QToolBar *bar = m_main_tool_bar;
    bar->setMovable(false);
    bar->setObjectName("tbar_main");
    int spacer = 0;
    auto next_spacer = [&] { bar->addWidget(spacers[spacer++]); };

    commands.btn_new = t_button("image_basic_new", tr("Create a new blank waveform (Ctrl+N)"));
    commands.btn_open = t_button("image_basic_open", tr("Open existing waveform (Ctrl+O)"));
    controls.btn_save = t_button("image_basic_save", tr("Save the waveform (Ctrl+S)"));
    controls.btn_cut = t_button("image_basic_cut", tr("Cut the selected waveform (Ctrl+X)"));
    controls.btn_copy = t_button("image_basic_copy", tr("Copy the selected waveform (Ctrl+C)"));
    controls.btn_paste = t_button("image_basic_paste", tr("Paste waveform (Ctrl+V)"));
    // The keys the actions really have (Redo is Ctrl+Shift+Z on Linux, not Ctrl+Y).
    m_undo_action->setToolTip(tr("Undo (%1)").arg(m_undo_action->shortcut().toString(QKeySequence::NativeText)));
    m_redo_action->setToolTip(tr("Redo (%1)").arg(m_redo_action->shortcut().toString(QKeySequence::NativeText)));
    add_group(bar, this, SLOT(tbar_bs_slot_func()), tr("Basic Operation"), 3,
              {{commands.btn_new, 0, 0}, {commands.btn_open, 0, 1}, {controls.btn_save, 0, 2},
               {action_bar(m_undo_action), 0, 3}, {controls.btn_cut, 1, 0}, {controls.btn_copy, 1, 1},
               {controls.btn_paste, 1, 2}, {action_bar(m_redo_action), 1, 3}});
    next_spacer();

    controls.btn_zoom_x = t_button("image_zoom_x", tr("Zoom X-Axis"));
    controls.btn_zoom_y = t_button("image_zoom_y", tr("Zoom Y-Axis"));
    controls.btn_zoom_area = t_button("image_zoom_area", tr("Zoom area"));
    controls.btn_zoom_fit = t_button("image_zoom_fit", tr("Fit waveform to display"));
    add_group(bar, this, SLOT(tbar_zoom_slot_func()), tr("Zoom"), 3,
              {{controls.btn_zoom_x, 0, 0}, {controls.btn_zoom_y, 0, 1}, {controls.btn_zoom_area, 1, 0},
               {controls.btn_zoom_fit, 1, 1}});
    next_spacer();

    QPushButton **bs = commands.btn_bswv;
    bs[0] = p_button("image_bswv_sine", tr("Sine waveform"));
    bs[1] = p_button("image_bswv_square", tr("Square waveform"));
    bs[2] = p_button("image_bswv_pulse", tr("Pulse waveform"));
    bs[3] = p_button("image_bswv_ramp", tr("Ramp waveform"));
    bs[4] = p_button("image_bswv_dc", tr("DC waveform"));
    bs[5] = p_button("image_bswv_noise", tr("Noise waveform"));
    add_group(bar, this, SLOT(tbar_bswv_slot_func()), tr("Basic Wave"), 2,
              {{bs[0], 0, 0}, {bs[1], 0, 1}, {bs[2], 0, 2}, {bs[3], 1, 0}, {bs[4], 1, 1}, {bs[5], 1, 2}});
    next_spacer();

    QPushButton **ad = commands.btn_adwv;
    ad[0] = p_button("image_adwv_sinc", tr("Sinc waveform"));
    ad[1] = p_button("image_adwv_stair_up", tr("Stair step up waveform"));
    ad[2] = p_button("image_adwv_stair_dn", tr("Stair step  down waveform"));
    ad[3] = p_button("image_adwv_exp_rise", tr("Exponential rise waveform"));
    ad[4] = p_button("image_adwv_exp_fall", tr("Exponential fall waveform"));
    ad[5] = p_button("image_adwv_multi_pulse", tr("Multi Pulse waveform"));
    add_group(bar, this, SLOT(tbar_adwv_slot_func()), tr("Advanced Wave"), 3,
              {{ad[0], 0, 0}, {ad[1], 0, 1}, {ad[2], 0, 2}, {ad[3], 1, 0}, {ad[4], 1, 1}, {ad[5], 1, 2}});
    next_spacer();

    commands.btn_digital = p_button("image_digwv", tr("Digital Wave"));
    add_group(bar, this, SLOT(tbar_digital_wave_slot_func()), tr("Digital Wave"), 3, {{commands.btn_digital, 0, 0}});
    next_spacer();

    commands.btn_equation = p_button("image_equation", tr("Equation Editor (Ctrl+Q)"));
    add_group(bar, this, SLOT(tbar_equa_slot_func()), tr("Equation Editor"), 3, {{commands.btn_equation, 0, 0}});
    next_spacer();

    controls.btn_parameter = t_button("image_wave_parameter", tr("Wave parameter setting"));
    add_group(bar, this, SLOT(tbar_parameter_slot_func()), tr("Wave Parameter"), 3, {{controls.btn_parameter, 0, 0}});
    next_spacer();

    controls.btn_wv_property = t_button("image_property_wave", tr("Waveform properties"));
    controls.btn_view_property = t_button("image_property_view", tr("Display properties"));
    add_group(bar, this, SLOT(tbar_property_slot_func()), tr("Property"), 2,
              {{controls.btn_wv_property, 0, 0}, {controls.btn_view_property, 1, 0}});
    next_spacer();

    controls.btn_x_cursors = t_button("image_cursor_x", tr("X cursors"));
    controls.btn_y_cursors = t_button("image_cursor_y", tr("Y cursors"));
    controls.btn_edit_cursors = t_button("image_cursor_settings", tr("Edit cursors"));
    add_group(bar, this, SLOT(tbar_cursor_slot_func()), tr("Cursor"), 2,
              {{controls.btn_x_cursors, 0, 0}, {controls.btn_y_cursors, 0, 1}, {controls.btn_edit_cursors, 1, 0}});
    next_spacer();

    controls.btn_select_mode = t_button("image_wv_oper_sel_mode", tr("Select mode (Ctrl+Shift+A)"));
    controls.btn_select_mode->setShortcut(QKeySequence(tr("Ctrl+Shift+A")));
    controls.btn_select_xcursors = t_button("image_wv_oper_sel_x", tr("Select waveform between X Cursors"));
    controls.btn_select_all = t_button("image_wv_oper_sel_all", tr("Select whole waveform (Ctrl+A)"));
    controls.btn_invert = t_button("image_wv_oper_invert_y", tr("Invert the selected waveform"));
    controls.btn_mirror = t_button("image_wv_oper_invert_x", tr("Mirror the selected waveform"));
    add_group(bar, this, SLOT(tbar_wv_oper_slot_func()), tr("Wave Operation"), 2,
              {{controls.btn_select_mode, 0, 0}, {controls.btn_select_xcursors, 0, 1}, {controls.btn_select_all, 0, 2},
               {controls.btn_invert, 1, 0}, {controls.btn_mirror, 1, 1}});
    next_spacer();

    controls.btn_freehand = t_button("image_draw_hand", tr("Freehand draw"));
    controls.btn_hline = t_button("image_draw_hline", tr("Horizontal line"));
    controls.btn_vline = t_button("image_draw_vline", tr("Vertical line"));
    controls.btn_oline = t_button("image_draw_oblique", tr("Oblique line"));
    controls.btn_points = t_button("image_draw_point", tr("Points"));
    controls.btn_points_table = t_button("image_point_table", tr("Points table"));
    controls.btn_point_prev = t_button("image_point_pre", tr("Move to previous point"));
    controls.btn_point_next = t_button("image_point_next", tr("Move to next point"));
    controls.btn_point_delete = t_button("image_point_del", tr("Delete the selected point"));
    controls.btn_points_clear = t_button("image_point_clr", tr("Clear all the points"));
    controls.btn_interpolation = t_button("image_interpol_mode", tr("Select the interpolation mode"));
    add_group(bar, this, SLOT(tbar_draw_wv_slot_func()), tr("Draw Wave"), 2,
              {{controls.btn_freehand, 0, 0}, {controls.btn_hline, 0, 1}, {controls.btn_vline, 0, 2},
               {controls.btn_oline, 0, 3}, {controls.btn_points, 0, 4}, {controls.btn_points_table, 0, 5},
               {controls.btn_point_prev, 1, 0}, {controls.btn_point_next, 1, 1}, {controls.btn_point_delete, 1, 2},
               {controls.btn_points_clear, 1, 3}, {controls.btn_interpolation, 1, 4}});
    next_spacer();

    controls.btn_math = t_button("image_math_ari", tr("Waveform Math"));
    controls.btn_filter = t_button("image_math_filter", tr("Filter"));
    controls.btn_window = t_button("image_math_window", tr("Windowing"));
    add_group(bar, this, SLOT(tbar_math_slot_func()), tr("Math"), 2,
              {{controls.btn_math, 0, 0}, {controls.btn_filter, 0, 1}, {controls.btn_window, 1, 0}});
    next_spacer();

    controls.btn_send = t_button("image_comm_wv_send", tr("Send waveform to AWG"));
    commands.btn_read = t_button("image_comm_wv_read", tr("Read waveform from AWG"));
    commands.btn_import = t_button("image_comm_import", tr("Import waveform from scope"));
    commands.btn_refresh = t_button("image_comm_refresh", tr("Refresh instruments connection"));
    add_group(bar, this, SLOT(tbar_comm_slot_func()), tr("Communication"), 2,
              {{controls.btn_send, 0, 0}, {commands.btn_read, 0, 1}, {commands.btn_import, 1, 0},
               {commands.btn_refresh, 1, 1}});
}

// ---- dispatch ----

void ui_ondrix_t::tbar_bs_slot_func()
{
    QObject *from = sender();
    const bool cut_copy_paste = from == controls.btn_cut || from == controls.btn_copy || from == controls.btn_paste;
    if (cut_copy_paste && !document_is_current()) {
        show_no_wave_prompt();
        update_control_state();
        return;
    }
    if (from == commands.btn_new)
        open_wv_settings_form();
    else if (from == commands.btn_open)
        open_file_dialog();
    else if (from == controls.btn_save)
        save_file();
    else if (from == controls.btn_cut)
        m_cur_wave->cut_waveform();
    else if (from == controls.btn_copy)
        m_cur_wave->do_copy_selected_wv();
    else if (from == controls.btn_paste)
        m_cur_wave->show_paste_option_form();
    else if (from == m_undo_action && document_is_current() && m_cur_wave->drawing->get_draw_type() == 5)
        m_cur_wave->drawing->check_cover_points(false);
    update_control_state();
}

void ui_ondrix_t::tbar_zoom_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.btn_zoom_x)
        m_cur_wave->set_zoom_mode(1);
    else if (from == controls.btn_zoom_y)
        m_cur_wave->set_zoom_mode(2);
    else if (from == controls.btn_zoom_area)
        m_cur_wave->set_zoom_mode(0);
    else if (from == controls.btn_zoom_fit)
        m_cur_wave->set_zoom_mode(3);
    update_control_state();
}

void ui_ondrix_t::tbar_bswv_slot_func()
{
    static const lib_wv_type_t types[6] = {LIB_WV_SINE, LIB_WV_SQUARE, LIB_WV_PULSE,
                                           LIB_WV_RAMP, LIB_WV_DC,     LIB_WV_NOISE};
    for (int i = 0; i < 6; ++i)
        if (sender() == commands.btn_bswv[i]) {
            show_wv_window(types[i]);
            return;
        }
}

void ui_ondrix_t::tbar_adwv_slot_func()
{
    static const lib_wv_type_t types[6] = {LIB_WV_SINC,     LIB_WV_STAIR_UP, LIB_WV_STAIR_DN,
                                           LIB_WV_EXP_RISE, LIB_WV_EXP_FALL, LIB_WV_MULTI_PULSE};
    for (int i = 0; i < 6; ++i)
        if (sender() == commands.btn_adwv[i]) {
            show_wv_window(types[i]);
            return;
        }
}

void ui_ondrix_t::tbar_digital_wave_slot_func()
{
    if (sender() == commands.btn_digital)
        open_digital_wv_form();
}

void ui_ondrix_t::tbar_equa_slot_func()
{
    if (sender() == commands.btn_equation)
        open_equation_form();
}

void ui_ondrix_t::tbar_parameter_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    if (sender() == controls.btn_parameter && m_cur_wave->drawing->check_cover_points(true))
        show_wv_parameter_window();
}

void ui_ondrix_t::tbar_property_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.btn_wv_property) {
        if (m_cur_wave->drawing->check_cover_points(true))
            open_wv_property_form();
    } else if (from == controls.btn_view_property) {
        open_view_property_form();
    }
}

void ui_ondrix_t::tbar_cursor_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.btn_x_cursors)
        m_cur_wave->switch_cursor(0);
    else if (from == controls.btn_y_cursors)
        m_cur_wave->switch_cursor(1);
    else if (from == controls.btn_edit_cursors)
        open_cursor_setting_form();
    update_control_state();
}

void ui_ondrix_t::tbar_wv_oper_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.btn_select_mode)
        m_cur_wave->reset_mouse_func();
    else if (from == controls.btn_select_xcursors)
        m_cur_wave->select_between_xcursors();
    else if (from == controls.btn_select_all)
        m_cur_wave->select_all();
    else if (from == controls.btn_invert)
        m_cur_wave->invert_waveform();
    else if (from == controls.btn_mirror)
        m_cur_wave->mirror_waveform();
    update_control_state();
}

void ui_ondrix_t::tbar_draw_wv_slot_func()
{
    if (!document_is_current() || m_cur_wave->get_wv_len() == 0) {
        show_no_wave_prompt();
        return;
    }
    // Every button of the group leaves rectangle zoom first.
    if (ui_qwt_plotzoomer_t *zoomer = m_cur_wave->get_zoomer())
        zoomer->set_zoom_mode(3);
    QObject *from = sender();
    if (from == controls.btn_freehand)
        m_cur_wave->set_draw_type(1);
    else if (from == controls.btn_hline)
        m_cur_wave->set_draw_type(2);
    else if (from == controls.btn_vline)
        m_cur_wave->set_draw_type(3);
    else if (from == controls.btn_oline)
        m_cur_wave->set_draw_type(4);
    else if (from == controls.btn_points)
        m_cur_wave->set_draw_type(5);
    else if (from == controls.btn_points_table)
        m_cur_wave->show_point_table_form();
    else if (from == controls.btn_point_prev)
        m_cur_wave->do_point_menu_action(0);
    else if (from == controls.btn_point_next)
        m_cur_wave->do_point_menu_action(1);
    else if (from == controls.btn_point_delete)
        m_cur_wave->do_point_menu_action(2);
    else if (from == controls.btn_points_clear)
        m_cur_wave->do_point_menu_action(3);
    else if (from == controls.btn_interpolation)
        qDebug() << "slot test10";
    update_control_state();
}

void ui_ondrix_t::tbar_math_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.btn_math)
        open_wvmath_form();
    else if (from == controls.btn_filter)
        open_filter_form();
    else if (from == controls.btn_window)
        open_window_form();
}

void ui_ondrix_t::tbar_comm_slot_func()
{
    QObject *from = sender();
    if (from == controls.btn_send)
        open_send_comm_form(0);
    else if (from == commands.btn_read)
        open_comm_form(static_cast<ui_comm_mode_t>(1), 0);
    else if (from == commands.btn_import)
        open_comm_form(static_cast<ui_comm_mode_t>(2), 0);
    else if (from == commands.btn_refresh) {
        setCursor(Qt::WaitCursor);
        refresh_instruments();
        setCursor(Qt::ArrowCursor);
    }
}
