// The menu bar: nine menus, their entries, and the menu-only commands (language, help,
// instrument refresh).
#include "ui_ondrix.h"

#include "custom_icon_style.h"
#include "lib_app_paths.h"
#include "lib_xml.h"
#include "ui_about_info.h"
#include "ui_application.h"
#include "ui_comm_mode.h"
#include "ui_instr_model_form.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_url_opener.h"
#include "ui_waveform.h"

#include <QAction>
#include <QDebug>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace {

QKeySequence native_keys(const QString &text) { return QKeySequence(text, QKeySequence::NativeText); }

} // namespace

QAction *ui_ondrix_t::add_menu_action(const QString &text, const char *icon, const char *slot)
{
    auto *action = new QAction(text, this);
    if (icon)
        action->setIcon(QIcon(QString(":/Image/resources/") + icon));
    connect(action, SIGNAL(triggered()), this, slot);
    return action;
}

void ui_ondrix_t::create_menu_bar()
{
    // The menus have no parent: they last as long as the process.
    commands.file_menu = new QMenu(tr("File"));
    commands.edit_menu = new QMenu(tr("Edit"));
    commands.view_menu = new QMenu(tr("View"));
    commands.wave_menu = new QMenu(tr("Waveform"));
    commands.comm_menu = new QMenu(tr("Communication"));
    commands.panel_menu = new QMenu(tr("Control Panel"));
    commands.panel_menu->setEnabled(false);
    controls.window_menu = new QMenu(tr("Windows"));
    commands.lang_menu = new QMenu(tr("Languages"));
    commands.help_menu = new QMenu(tr("Help"));
    const QList<QMenu *> menus = {commands.file_menu, commands.edit_menu,  commands.view_menu,
                                  commands.wave_menu, commands.comm_menu,  commands.panel_menu,
                                  controls.window_menu, commands.lang_menu, commands.help_menu};
    for (QMenu *menu : menus) {
        // setStyle does not take the style over: the menu owns it as a child.
        auto *style = new CustomIconStyle;
        style->setParent(menu);
        menu->setStyle(style);
    }
    m_menu_bar->setObjectName("MENUBAR_SETTINGS");
    for (QMenu *menu : menus) {
        menu->setObjectName("mbar_main_menu");
        m_menu_bar->addMenu(menu);
    }
    create_file_menu();
    create_edit_menu();
    create_view_menu();
    create_waveform_menu();
    create_comm_menu();
    create_window_menu();
    create_lang_menu();
    create_help_menu();
}

void ui_ondrix_t::create_file_menu()
{
    const char *slot = SLOT(mbar_file_slot_func());
    commands.file_blank = add_menu_action(tr("Blank Waveform"), "image_basic_new.png", slot);
    commands.file_blank->setShortcut(QKeySequence(QKeySequence::New));
    commands.file_equation = add_menu_action(tr("Equation Editor"), "image_equation.png", slot);
    commands.file_equation->setShortcut(native_keys(tr("Ctrl+Q")));
    commands.file_standard = add_menu_action(tr("Standard Waveform"), nullptr, slot);
    commands.file_standard->setShortcut(native_keys(tr("Ctrl+W")));
    commands.file_open = add_menu_action(tr("Open"), "image_basic_open.png", slot);
    commands.file_open->setShortcut(QKeySequence(QKeySequence::Open));
    controls.file_close = add_menu_action(tr("Close"), nullptr, slot);
    // Not QKeySequence::Close: on Linux it is Ctrl+W, which is Standard Waveform here.
    controls.file_close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4));
    controls.file_save = add_menu_action(tr("Save"), "image_basic_save.png", slot);
    controls.file_save->setShortcut(QKeySequence(QKeySequence::Save));
    controls.file_save_as = add_menu_action(tr("Save As"), nullptr, slot);
    controls.file_save_as->setShortcut(QKeySequence(QKeySequence::SaveAs));
    controls.file_print_preview = add_menu_action(tr("Print preview"), nullptr, slot);
    controls.file_print = add_menu_action(tr("Print"), "image_basic_print.png", slot);
    controls.file_print->setShortcut(QKeySequence(QKeySequence::Print));
    commands.file_exit = add_menu_action(tr("Exit"), nullptr, slot);
    commands.file_exit->setShortcut(native_keys(tr("Ctrl+E")));
    QMenu *m = commands.file_menu;
    m->addAction(commands.file_blank);
    m->addAction(commands.file_equation);
    m->addAction(commands.file_standard);
    m->addSeparator();
    m->addAction(commands.file_open);
    m->addAction(controls.file_close);
    m->addSeparator();
    m->addAction(controls.file_save);
    m->addAction(controls.file_save_as);
    m->addSeparator();
    m->addAction(controls.file_print_preview);
    m->addAction(controls.file_print);
    m->addSeparator();
    m->addAction(commands.file_exit);
}

void ui_ondrix_t::create_edit_menu()
{
    const char *slot = SLOT(mbar_edit_slot_func());
    controls.edit_cut = add_menu_action(tr("Cut"), "image_basic_cut.png", slot);
    controls.edit_cut->setShortcut(QKeySequence(QKeySequence::Cut));
    controls.edit_copy = add_menu_action(tr("Copy"), "image_basic_copy.png", slot);
    controls.edit_copy->setShortcut(QKeySequence(QKeySequence::Copy));
    controls.edit_paste = add_menu_action(tr("Paste"), "image_basic_paste.png", slot);
    controls.edit_paste->setShortcut(QKeySequence(QKeySequence::Paste));
    controls.edit_select_xcursors = add_menu_action(tr("Select |X|"), "image_wv_oper_sel_x.png", slot);
    controls.edit_select_all = add_menu_action(tr("Select All"), "image_wv_oper_sel_all.png", slot);
    controls.edit_select_all->setShortcut(QKeySequence(QKeySequence::SelectAll));
    controls.edit_invert = add_menu_action(tr("Invert"), "image_wv_oper_invert_y.png", slot);
    controls.edit_mirror = add_menu_action(tr("Mirror"), "image_wv_oper_invert_x.png", slot);
    QMenu *m = commands.edit_menu;
    m->addAction(m_undo_action);
    m->addAction(m_redo_action);
    m->addSeparator();
    m->addAction(controls.edit_cut);
    m->addAction(controls.edit_copy);
    m->addAction(controls.edit_paste);
    m->addSeparator();
    m->addAction(controls.edit_select_xcursors);
    m->addAction(controls.edit_select_all);
    m->addSeparator();
    m->addAction(controls.edit_invert);
    m->addAction(controls.edit_mirror);
}

void ui_ondrix_t::create_view_menu()
{
    const char *slot = SLOT(mbar_view_slot_func());
    controls.view_zoom_x = add_menu_action(tr("Zoom-X"), "image_zoom_x.png", slot);
    controls.view_zoom_y = add_menu_action(tr("Zoom-Y"), "image_zoom_y.png", slot);
    controls.view_zoom_area = add_menu_action(tr("Zoom-Area"), "image_zoom_area.png", slot);
    controls.view_fit = add_menu_action(tr("Fit to Window"), "image_zoom_fit.png", slot);
    controls.view_x_cursors = add_menu_action(tr("X Cursors"), "image_cursor_x.png", slot);
    controls.view_y_cursors = add_menu_action(tr("Y Cursors"), "image_cursor_y.png", slot);
    controls.view_grid = add_menu_action(tr("Grid"), nullptr, slot);
    controls.view_grid->setCheckable(true);
    controls.view_grid->setChecked(true);
    controls.view_time_scale = add_menu_action(tr("Time Scale"), nullptr, slot);
    controls.view_time_scale->setCheckable(true);
    controls.view_time_scale->setChecked(false);
    controls.view_interpolation = new QMenu(tr("Interpolation"), this);
    controls.view_interpolation->setObjectName("mbar_main_menu");
    commands.view_linear = add_menu_action(tr("Linear"), nullptr, slot);
    commands.view_hold = add_menu_action(tr("0-order hold"), nullptr, slot);
    controls.view_properties = add_menu_action(tr("Properties"), "image_property_view.png", slot);
    controls.view_interpolation->addAction(commands.view_linear);
    controls.view_interpolation->addAction(commands.view_hold);
    QMenu *m = commands.view_menu;
    m->addAction(controls.view_zoom_x);
    m->addAction(controls.view_zoom_y);
    m->addAction(controls.view_zoom_area);
    m->addAction(controls.view_fit);
    m->addSeparator();
    m->addAction(controls.view_x_cursors);
    m->addAction(controls.view_y_cursors);
    m->addAction(controls.view_grid);
    m->addAction(controls.view_time_scale);
    m->addSeparator();
    m->addMenu(controls.view_interpolation);
    m->addSeparator();
    m->addAction(controls.view_properties);
}

void ui_ondrix_t::create_waveform_menu()
{
    const char *slot = SLOT(mbar_waveform_slot_func());
    commands.wave_equation = add_menu_action(tr("Equation Editor"), "image_equation.png", slot);
    struct entry_t
    {
        const char *text;
        const char *icon;
        int type;
    };
    static const entry_t entries[12] = {
        {QT_TR_NOOP("Sine"), "image_bswv_sine.png", 0},
        {QT_TR_NOOP("Square"), "image_bswv_square.png", 1},
        {QT_TR_NOOP("Pulse"), "image_bswv_pulse.png", 2},
        {QT_TR_NOOP("Ramp"), "image_bswv_ramp.png", 3},
        {QT_TR_NOOP("DC"), "image_bswv_dc.png", 5},
        {QT_TR_NOOP("Noise"), "image_bswv_noise.png", 4},
        {QT_TR_NOOP("Sinc"), "image_adwv_sinc.png", 6},
        {QT_TR_NOOP("Stair Step Up"), "image_adwv_stair_up.png", 7},
        {QT_TR_NOOP("Stair Step Down"), "image_adwv_stair_dn.png", 8},
        {QT_TR_NOOP("Exponential Rise"), "image_adwv_exp_rise.png", 9},
        {QT_TR_NOOP("Exponential Fall"), "image_adwv_exp_fall.png", 10},
        {QT_TR_NOOP("Multi pulse"), "image_adwv_multi_pulse.png", 11},
    };
    QAction *in_order[12];
    for (int i = 0; i < 12; ++i) {
        in_order[i] = add_menu_action(tr(entries[i].text), entries[i].icon, slot);
        commands.wave_types[entries[i].type] = in_order[i];
    }
    controls.wave_properties = add_menu_action(tr("Properties"), "image_property_wave.png", slot);
    QMenu *m = commands.wave_menu;
    m->addAction(commands.wave_equation);
    m->addSeparator();
    for (int i = 0; i < 6; ++i)
        m->addAction(in_order[i]);
    m->addSeparator();
    for (int i = 6; i < 12; ++i)
        m->addAction(in_order[i]);
    m->addSeparator();
    m->addAction(controls.wave_properties);
}

void ui_ondrix_t::create_comm_menu()
{
    const char *slot = SLOT(mbar_comm_slot_func());
    controls.comm_send = add_menu_action(tr("Send waveform to AWG"), "image_comm_wv_send.png", slot);
    controls.comm_send->setShortcut(native_keys(tr("Ctrl+Alt+S")));
    commands.comm_read = add_menu_action(tr("Read waveform from AWG"), "image_comm_wv_read.png", slot);
    commands.comm_read->setShortcut(native_keys(tr("Ctrl+Alt+R")));
    commands.comm_import = add_menu_action(tr("Import waveform from scope"), "image_comm_import.png", slot);
    commands.comm_import->setShortcut(native_keys(tr("Ctrl+Alt+I")));
    commands.comm_refresh = add_menu_action(tr("Refresh"), "image_comm_refresh.png", slot);
    commands.comm_refresh->setShortcut(QKeySequence(QKeySequence::Refresh));
    for (QAction *a : {controls.comm_send, commands.comm_read, commands.comm_import, commands.comm_refresh})
        commands.comm_menu->addAction(a);
}

void ui_ondrix_t::create_window_menu()
{
    const char *slot = SLOT(mbar_window_slot_func());
    controls.window_cascade = add_menu_action(tr("Cascade"), nullptr, slot);
    controls.window_tile = add_menu_action(tr("Title"), nullptr, slot);
    controls.window_close_all = add_menu_action(tr("Close All"), nullptr, slot);
    QMenu *m = controls.window_menu;
    m->addAction(controls.window_cascade);
    m->addAction(controls.window_tile);
    m->addSeparator();
    m->addAction(controls.window_close_all);
    m->addSeparator();
    connect(m, SIGNAL(aboutToShow()), this, SLOT(update_mbar_window_menu()));
}

void ui_ondrix_t::create_lang_menu()
{
    const char *slot = SLOT(mbar_lang_slot_func());
    commands.lang_chinese = add_menu_action(tr("Chinese"), nullptr, slot);
    commands.lang_english = add_menu_action(tr("English"), nullptr, slot);
    commands.lang_chinese->setCheckable(true);
    commands.lang_english->setCheckable(true);
    lib_xml_t xml;
    const bool chinese = xml.read_node_content(g_config_file_path, "language") == "chinese";
    commands.lang_chinese->setChecked(chinese);
    commands.lang_english->setChecked(!chinese);
    commands.lang_menu->addAction(commands.lang_chinese);
    commands.lang_menu->addAction(commands.lang_english);
}

void ui_ondrix_t::create_help_menu()
{
    const char *slot = SLOT(mbar_help_slot_func());
    commands.help_user = add_menu_action(tr("User Help"), nullptr, slot);
    commands.help_user->setShortcut(QKeySequence(QKeySequence::HelpContents));
    commands.help_website = add_menu_action(tr("Website"), nullptr, slot);
    commands.help_about = add_menu_action(tr("About Ondrix"), nullptr, slot);
    if (factory_brand != "DUVARN") {
        commands.help_menu->addAction(commands.help_user);
        commands.help_menu->addAction(commands.help_website);
    }
    commands.help_menu->addAction(commands.help_about);
}

void ui_ondrix_t::show_no_wave_prompt()
{
    ui_prompt_t prompt(this);
    prompt.show_info_box(m_no_wave_msg);
}

// ---- dispatch ----

void ui_ondrix_t::mbar_file_slot_func()
{
    QObject *from = sender();
    if (from == commands.file_blank)
        open_wv_settings_form();
    else if (from == commands.file_equation)
        open_equation_form();
    else if (from == commands.file_standard)
        show_wv_window(LIB_WV_SINE);
    else if (from == commands.file_open)
        open_file_dialog();
    else if (from == controls.file_close)
        close_cur_sub_window();
    else if (from == controls.file_save)
        save_file();
    else if (from == controls.file_save_as)
        save_as_file();
    else if (from == controls.file_print_preview)
        print_preview();
    else if (from == controls.file_print)
        print_wave();
    else if (from == commands.file_exit)
        exit_app();
    update_control_state();
}

void ui_ondrix_t::mbar_edit_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.edit_cut)
        m_cur_wave->cut_waveform();
    else if (from == controls.edit_copy)
        m_cur_wave->do_copy_selected_wv();
    else if (from == controls.edit_paste)
        m_cur_wave->show_paste_option_form();
    else if (from == controls.edit_select_xcursors)
        m_cur_wave->select_between_xcursors();
    else if (from == controls.edit_select_all)
        m_cur_wave->select_all();
    else if (from == controls.edit_invert)
        m_cur_wave->invert_waveform();
    else if (from == controls.edit_mirror)
        m_cur_wave->mirror_waveform();
    update_control_state();
}

void ui_ondrix_t::mbar_view_slot_func()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    QObject *from = sender();
    if (from == controls.view_zoom_x)
        m_cur_wave->set_zoom_mode(1);
    else if (from == controls.view_zoom_y)
        m_cur_wave->set_zoom_mode(2);
    else if (from == controls.view_zoom_area)
        m_cur_wave->set_zoom_mode(0);
    else if (from == controls.view_fit)
        m_cur_wave->set_zoom_mode(3);
    else if (from == controls.view_x_cursors)
        m_cur_wave->switch_cursor(0);
    else if (from == controls.view_y_cursors)
        m_cur_wave->switch_cursor(1);
    else if (from == controls.view_grid)
        update_grid_show();
    else if (from == controls.view_time_scale)
        update_time_scale_show();
    else if (from == commands.view_linear)
        m_cur_wave->plot->set_curve_type(static_cast<ui_curvv_show_t>(0));
    else if (from == commands.view_hold)
        m_cur_wave->plot->set_curve_type(static_cast<ui_curvv_show_t>(2));
    else if (from == controls.view_properties)
        open_view_property_form();
}

void ui_ondrix_t::mbar_waveform_slot_func()
{
    QObject *from = sender();
    if (from == commands.wave_equation) {
        open_equation_form();
        return;
    }
    for (int type = 0; type < 12; ++type)
        if (from == commands.wave_types[type]) {
            show_wv_window(static_cast<lib_wv_type_t>(type));
            return;
        }
    if (from == controls.wave_properties)
        open_wv_property_form();
}

void ui_ondrix_t::mbar_comm_slot_func()
{
    QObject *from = sender();
    if (from == controls.comm_send)
        open_send_comm_form(0);
    else if (from == commands.comm_read)
        open_comm_form(static_cast<ui_comm_mode_t>(1), 0);
    else if (from == commands.comm_import)
        open_comm_form(static_cast<ui_comm_mode_t>(2), 0);
    else if (from == commands.comm_refresh) {
        commands.comm_menu->setCursor(Qt::WaitCursor);
        setCursor(Qt::WaitCursor);
        if (m_cur_wave)
            m_cur_wave->set_canvas_cursor(Qt::WaitCursor);
        refresh_instruments();
        commands.comm_menu->setCursor(Qt::ArrowCursor);
        setCursor(Qt::ArrowCursor);
        if (m_cur_wave)
            m_cur_wave->update_canvas_cursor();
    }
}

void ui_ondrix_t::mbar_lang_slot_func()
{
    auto *chosen = qobject_cast<QAction *>(sender());
    QAction *other = nullptr;
    if (chosen == commands.lang_chinese)
        other = commands.lang_english;
    else if (chosen == commands.lang_english)
        other = commands.lang_chinese;
    if (!other)
        return;
    if (!chosen->isChecked()) {
        chosen->setChecked(true);
        other->setChecked(false);
        return;
    }
    int32 answer;
    {
        ui_prompt_t prompt(this);
        answer = prompt.show_info_box(tr("Language changed successfully. The application will close now. "
                                         "Please restart the application after it closes."),
                                      true);
    }
    // The marks keep showing the language of this run: the new one starts next time.
    chosen->setChecked(false);
    other->setChecked(true);
    if (answer != 3)
        return;
    lib_xml_t xml;
    if (xml.set_node_content(g_config_file_path, "language", chosen == commands.lang_chinese ? "chinese" : "english"))
        exit_app();
    else {
        ui_prompt_t prompt(this);
        prompt.show_info_box(tr("Failed to change language."));
    }
}

void ui_ondrix_t::mbar_help_slot_func()
{
    QObject *from = sender();
    if (from == commands.help_about) {
        auto *about = new ui_about_info_t(this);
        about->show();
    } else if (from == commands.help_user) {
        const QString name = get_language_flag() == 1 ? "Ondrix_CN.chm" : "Ondrix_EN.chm";
        if (!ui_open_url(QUrl::fromLocalFile(name))) {
            ui_prompt_t prompt(this);
            prompt.show_info_box(tr("Can not find document."));
        }
    } else if (from == commands.help_website) {
        ui_open_url(QUrl(ui_website_address()));
    }
}
