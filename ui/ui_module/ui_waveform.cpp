#include "ui_waveform.h"

#include "cfg_if_bswv_dc.h"
#include "cfg_if_wv.h"
#include "lib_file_io.h"
#include "ui_draw_point.h"
#include "ui_meta_types.h"
#include "ui_plot_cursor.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_qwt_magnifier.h"
#include "ui_qwt_picker.h"
#include "ui_qwt_plotzoomer.h"
#include "ui_waveform_cursor.h"
#include "ui_waveform_cursor_sel.h"
#include "ui_waveform_sbar.h"
#include "ui_wv_undo_stack.h"
#include "ui_xp_scale_draw.h"
#include "ui_app_paths.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDebug>
#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <qwt_plot_canvas.h>
#include <qwt_scale_div.h>

#include <algorithm>

namespace {

constexpr uint32 k_display_points = 3000;

void register_window_types()
{
    static const bool done = [] {
        ui_register_meta_types();
        qRegisterMetaType<int>("update_window_t");
        qRegisterMetaType<int>("wvform_info_t");
        qRegisterMetaType<ui_mouse_func_t>("ui_mouse_func_t");
        qRegisterMetaType<QCloseEvent *>("QCloseEvent*");
        return true;
    }();
    (void)done;
}

} // namespace

ui_waveform_t::ui_waveform_t(QAction *undo_action_, QAction *redo_action_, uint32 points_, float frequency_,
                             QWidget *parent)
    : QMainWindow(parent), ui_property_t(), status(0)
{
    build(undo_action_, redo_action_, points_, frequency_);
}

ui_waveform_t::ui_waveform_t(QWidget *parent) : QMainWindow(parent), ui_property_t(), status(0)
{
    build(nullptr, nullptr, 16384, 1000.0f);
}

void ui_waveform_t::build(QAction *undo_action_, QAction *redo_action_, uint32 points_, float frequency_)
{
    register_window_types();
    ui_init_resources();
    plot = nullptr;
    drawing = nullptr;
    wave_object = nullptr;
    zoomer = nullptr;
    magnifier = nullptr;
    setup_form();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    undo_stack = new ui_wv_undo_stack_t(this);
    undo_action = undo_action_;
    redo_action = redo_action_;
    points = points_;
    frequency = frequency_;
    hide_menu_bar();

    status_bar = new ui_waveform_sbar_t(nullptr);
    build_central_area();
    build_normal_menu();
    build_point_menu();
    build_plot_tools();
    init_view_setting();
    create_default_wave();
    if (status == 0)
        show_initial_wave();
}

void ui_waveform_t::setup_form()
{
    if (objectName().isEmpty())
        setObjectName("ui_waveform_t");
    resize(800, 600);
    central_widget = new QWidget(this);
    central_widget->setObjectName("centralwidget");
    setCentralWidget(central_widget);
    QMenuBar *bar = new QMenuBar(this);
    bar->setObjectName("menubar");
    setMenuBar(bar);
    menu_bar = bar;
    setWindowTitle("MainWindow");
    QMetaObject::connectSlotsByName(this);
}

void ui_waveform_t::hide_menu_bar()
{
    menu_bar->hide();
}

void ui_waveform_t::build_central_area()
{
    central_widget->setObjectName("wvform_center_main");
    plot = new ui_preview_plot_t(nullptr);
    QGridLayout *grid = new QGridLayout;
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(4);
    grid->setContentsMargins(0, 0, 0, 4);
    grid->addWidget(plot, 0, 0);
    grid->addWidget(status_bar, 1, 0);
    central_widget->setLayout(grid);
    plot->canvas()->setCursor(Qt::ArrowCursor);
    plot->set_xbottom_scale(0.0f, 32767.0f);
    plot->set_yleft_scale_clamped(-1.0f, 1.0f);
    plot->set_axis_show(true);
    plot->set_grid_show(true);
    plot->set_time_scale_show(false);
    connect(plot->get_picker(), SIGNAL(pos_update_signal(fp32, fp32)), this, SLOT(update_sbar_cursor_pos_func()));
}

QAction *ui_waveform_t::add_action(QMenu *menu, const QString &text, const char *icon)
{
    QAction *a = icon ? menu->addAction(QIcon(icon), text) : menu->addAction(text);
    return a;
}

void ui_waveform_t::build_normal_menu()
{
    normal_menu = new QMenu(this);
    normal_menu->setObjectName("mouse_r_menu");
    if (undo_action)
        normal_menu->addAction(undo_action);
    if (redo_action)
        normal_menu->addAction(redo_action);
    normal_menu->addSeparator();
    act_open = add_action(normal_menu, tr("Open"), ":/Image/resources/image_basic_open.png");
    act_save = add_action(normal_menu, tr("Save"), ":/Image/resources/image_basic_save.png");
    act_close = add_action(normal_menu, tr("Close"), nullptr);
    normal_menu->addSeparator();
    act_cut = add_action(normal_menu, tr("Cut"), ":/Image/resources/image_basic_cut.png");
    act_copy = add_action(normal_menu, tr("Copy"), ":/Image/resources/image_basic_copy.png");
    act_paste = add_action(normal_menu, tr("Paste"), ":/Image/resources/image_basic_paste.png");
    normal_menu->addSeparator();
    select_menu = normal_menu->addMenu(tr("Select"));
    select_menu->setObjectName("mouse_r_menu");
    act_select_x = add_action(select_menu, tr("Select |X|"), ":/Image/resources/image_wv_oper_sel_x.png");
    act_select_all = add_action(select_menu, tr("Select All"), ":/Image/resources/image_wv_oper_sel_all.png");
    normal_menu->addSeparator();
    zoom_menu = normal_menu->addMenu(tr("Zoom"));
    zoom_menu->setObjectName("mouse_r_menu");
    act_zoom_x = add_action(zoom_menu, tr("Zoom X"), ":/Image/resources/image_zoom_x.png");
    act_zoom_y = add_action(zoom_menu, tr("Zoom Y"), ":/Image/resources/image_zoom_y.png");
    act_zoom_area = add_action(zoom_menu, tr("Zoom Area"), ":/Image/resources/image_zoom_area.png");
    act_zoom_fit = add_action(zoom_menu, tr("Fit to Window"), ":/Image/resources/image_zoom_fit.png");
    normal_menu->addSeparator();
    act_hand_draw = add_action(normal_menu, tr("Hand draw"), ":/Image/resources/image_draw_hand.png");
    act_hline = add_action(normal_menu, tr("Horizontal Line"), ":/Image/resources/image_draw_hline.png");
    act_vline = add_action(normal_menu, tr("Vertical Line"), ":/Image/resources/image_draw_vline.png");
    act_oblique = add_action(normal_menu, tr("Oblique Line"), ":/Image/resources/image_draw_oblique.png");
    act_point = add_action(normal_menu, tr("Point"), ":/Image/resources/image_draw_point.png");
    normal_menu->addSeparator();
    act_wv_property = add_action(normal_menu, tr("Waveform Properties"), ":/Image/resources/image_property_wave.png");
    normal_menu->addSeparator();
    act_send_wv = add_action(normal_menu, tr("Send waveform to AWG"), ":/Image/resources/image_comm_wv_send.png");

    const QList<QAction *> actions{act_open,     act_save,      act_close,  act_cut,        act_copy,
                                   act_paste,    act_select_x,  act_select_all, act_zoom_x, act_zoom_y,
                                   act_zoom_area, act_zoom_fit, act_hand_draw, act_hline,   act_vline,
                                   act_oblique,  act_point,     act_wv_property, act_send_wv};
    for (QAction *a : actions)
        connect(a, SIGNAL(triggered()), this, SLOT(nor_rmenu_slot_func()));
}

void ui_waveform_t::build_point_menu()
{
    point_menu = new QMenu(this);
    point_menu->setObjectName("mouse_r_menu");
    act_disable_point = add_action(point_menu, tr("Disable Point Draw"), nullptr);
    act_prev_point = add_action(point_menu, tr("Select Previous Point"), ":/Image/resources/image_point_pre.png");
    act_next_point = add_action(point_menu, tr("Select Next Point"), ":/Image/resources/image_point_next.png");
    act_del_point = add_action(point_menu, tr("Delete Selected Point"), ":/Image/resources/image_point_del.png");
    act_point_table = add_action(point_menu, tr("Edit Points by Table"), ":/Image/resources/image_point_table.png");
    act_clear_points = add_action(point_menu, tr("Clear All Points"), ":/Image/resources/image_point_clr.png");
    interpolation_menu = point_menu->addMenu(QIcon(":/Image/resources/image_interpol_mode.png"), tr("Interpolation"));
    interpolation_menu->setObjectName("mouse_r_menu");
    act_linear = add_action(interpolation_menu, tr("Linear"), nullptr);
    act_smooth = add_action(interpolation_menu, tr("Smooth"), nullptr);
    act_staircase = add_action(interpolation_menu, tr("Staircase"), nullptr);
    const QList<QAction *> actions{act_disable_point, act_prev_point,   act_next_point, act_del_point, act_point_table,
                                   act_clear_points,  act_linear,       act_smooth,     act_staircase};
    for (QAction *a : actions)
        connect(a, SIGNAL(triggered()), this, SLOT(drawpoint_rmenu_slot_func()));
}

void ui_waveform_t::build_plot_tools()
{
    cursor_owner.reset(new ui_plot_cursor_t(plot));
    cursor = cursor_owner.get();
    drawing = new ui_draw_point_t(plot, this);
    zoomer_owner.reset(new ui_qwt_plotzoomer_t(plot));
    zoomer = zoomer_owner.get();
    magnifier = new ui_qwt_magnifier_t(plot);
    magnifier->setMouseButton(Qt::NoButton);
    magnifier->setAxisEnabled(QwtPlot::xBottom, true);
    magnifier->setAxisEnabled(QwtPlot::yLeft, false);
    magnifier->setAxisEnabled(QwtPlot::yRight, false);
    magnifier->setAxisEnabled(QwtPlot::xTop, false);
    magnifier->setWheelFactor(0.5);
    connect(magnifier, SIGNAL(get_axis_max_scale_signal()), this, SLOT(magnifier_get_wv_len_slot_func()));
    connect(magnifier, SIGNAL(update_canvus_marker_signal()), this, SLOT(update_canvus_marker_slot_func()));
    connect(zoomer, SIGNAL(update_canvus_marker_signal()), this, SLOT(update_canvus_marker_slot_func()));
    connect(drawing, SIGNAL(update_mouse_shape_signal(ui_mouse_func_t)), this,
            SLOT(update_mouse_shape_slot_func(ui_mouse_func_t)));
}

void ui_waveform_t::init_view_setting()
{
    view_setting = ui_view_setting_t();
}

void ui_waveform_t::create_default_wave()
{
    set_wave_object(new cfg_if_bswv_dc_t);
    const uint32 n = points;
    wave_object->set_wv_len(n);
    wave_object->set_freq(static_cast<double>(frequency));
    wave_object->get_wv_data()->resize(n, 0);
    // No sample file (the working folder cannot be read or written): no document.
    if (!lib_file_exists(wave_object->get_wv_data()->samples.get_path()))
        status = 1;
    select_range.start = 0.0;
    select_range.end = static_cast<double>(n) - 1.0;
}

void ui_waveform_t::show_initial_wave()
{
    update_sbar_cursor_value();
    bind_zoomer_data();
    plot->set_wave_freq(static_cast<fp32>(*wave_object->get_freq()));
    plot->set_wave_points(*wave_object->get_wv_len());
    plot_load_waveform_vector(plot, wave_object->get_wv_data(), k_display_points);
    const double end = plot->get_xp_scale_draw()->get_end_index();
    cursor->set_x1_pos(static_cast<fp32>(0.25 * end));
    cursor->set_x2_pos(static_cast<fp32>(0.75 * end));
    const double top = plot->axisScaleDiv(QwtPlot::yLeft).upperBound();
    cursor->set_y1_value(static_cast<fp32>(0.25 * top));
    cursor->set_y2_value(static_cast<fp32>(0.75 * top));
    cursor->set_x_cursor_visible(false);
    cursor->set_y_cursor_visible(false);
    connect(this, SIGNAL(update_plot_wv_signal()), this, SLOT(update_plot_wv_slot_func()));
    connect(undo_stack, SIGNAL(clicked_undo_redo_signal(int, bool)), this, SLOT(undo_clicked_slot_func(int, bool)));
}

ui_waveform_t::~ui_waveform_t()
{
    cursor_owner.reset();
    cursor = nullptr;
    delete drawing;
    drawing = nullptr;
    delete magnifier;
    magnifier = nullptr;
    zoomer_owner.reset();
    zoomer = nullptr;
    delete plot;
    plot = nullptr;
    delete status_bar;
    status_bar = nullptr;
    if (wave_owner)
        wave_owner->release_wv_data(true);
    wave_owner.reset();
    wave_object = nullptr;
    backup.clear();
    std::remove(backup.samples.get_path().c_str());
    remove_data_file();
}

lib_wv_data_t<short int> *ui_waveform_t::get_wave_data()
{
    return wave_object->get_wv_data();
}

int32 ui_waveform_t::set_wave_data(const lib_wv_data_t<short int> &data)
{
    const int32 r = wave_object->update_wv_data(data);
    fit_selection_to_length();
    update_sbar_cursor_value();
    return r;
}

void ui_waveform_t::set_wave_object(cfg_if_wv_t *object)
{
    if (wave_owner.get() == object)
        return;
    if (wave_owner) {
        wave_owner->release_wv_data(true);
        // The steps hold the old object's samples: undone under the new object they would
        // mix two waveforms. A selection of the old samples means nothing in the new ones.
        undo_stack->clear();
        clear_selection();
    }
    wave_owner.reset(object);
    wave_object = object;
}

uint32 ui_waveform_t::get_wv_len()
{
    return wave_object->get_wv_data()->samples.size();
}

std::pair<double, double> ui_waveform_t::get_selzone_range() const
{
    return cursor->get_selzone_range();
}

void ui_waveform_t::clear_wave_data()
{
    wave_object->get_wv_data()->clear();
}

bool ui_waveform_t::is_selection_valid()
{
    if (!cursor->is_selzone_visible())
        return false;
    const std::pair<double, double> z = cursor->get_selzone_range();
    return z.first >= 0.0 && z.second <= static_cast<double>(get_wv_len());
}

void ui_waveform_t::limit_xcursors()
{
    const double n = plot->get_xp_scale_draw()->get_wave_points();
    const double top = std::max(n - 1.0, 0.0);
    cursor->set_x1_pos(static_cast<fp32>(std::min(std::max<double>(cursor->get_x1_pos(), 0.0), top)));
    cursor->set_x2_pos(static_cast<fp32>(std::min(std::max<double>(cursor->get_x2_pos(), 0.0), top)));
    plot->replot();
}

void ui_waveform_t::set_canvas_cursor(const QCursor &shape)
{
    plot->canvas()->setCursor(shape);
}

void ui_waveform_t::bind_zoomer_data()
{
    zoomer->set_wave_data(wave_object->get_wv_data());
    zoomer->set_total_points(get_wv_len());
}

void ui_waveform_t::nor_rmenu_slot_func()
{
    QObject *s = sender();
    if (s == act_open)
        emit update_file_oper_signal(update_window_t(1));
    else if (s == act_save)
        emit update_file_oper_signal(update_window_t(2));
    else if (s == act_close)
        emit update_file_oper_signal(update_window_t(3));
    else if (s == act_cut)
        cut_waveform();
    else if (s == act_copy)
        do_copy_selected_wv();
    else if (s == act_paste)
        show_paste_option_form();
    else if (s == act_select_x)
        select_between_xcursors();
    else if (s == act_select_all)
        select_all();
    else if (s == act_zoom_x)
        set_zoom_mode(1);
    else if (s == act_zoom_y)
        set_zoom_mode(2);
    else if (s == act_zoom_area)
        set_zoom_mode(0);
    else if (s == act_zoom_fit)
        set_zoom_mode(3);
    else if (s == act_hand_draw)
        set_draw_type(1);
    else if (s == act_hline)
        set_draw_type(2);
    else if (s == act_vline)
        set_draw_type(3);
    else if (s == act_oblique)
        set_draw_type(4);
    else if (s == act_point)
        set_draw_type(5);
    else if (s == act_wv_property)
        emit wvform_info_main_window_signal(wvform_info_t(1));
    else if (s == act_send_wv && send_available)
        emit info_send_wv_to_arb_signal();
    emit update_control_state_signal();
}

void ui_waveform_t::drawpoint_rmenu_slot_func()
{
    QObject *s = sender();
    if (s == act_disable_point) {
        do_point_menu_action(3);
        set_mouse_func(UI_MOUSE_NORMAL);
        update_canvas_cursor();
    } else if (s == act_prev_point) {
        do_point_menu_action(0);
    } else if (s == act_next_point) {
        do_point_menu_action(1);
    } else if (s == act_del_point) {
        do_point_menu_action(2);
    } else if (s == act_clear_points) {
        do_point_menu_action(3);
    } else if (s == act_point_table) {
        show_point_table_form();
    } else if (s == act_linear) {
        qDebug() << "draw right menu7";
    } else if (s == act_smooth) {
        qDebug() << "draw right menu8";
    } else if (s == act_staircase) {
        qDebug() << "draw right menu9";
    }
}

void ui_waveform_t::contextMenuEvent(QContextMenuEvent *event)
{
    if (drawing->get_draw_type() == 5 && get_mouse_func() == UI_MOUSE_DRAW_POINT)
        point_menu->exec(event->globalPos());
    else
        normal_menu->exec(event->globalPos());
}

void ui_waveform_t::update_control_state()
{
    const bool valid = is_selection_valid();
    act_copy->setEnabled(valid);
    act_cut->setEnabled(valid);
    act_paste->setEnabled(has_data());
    act_select_x->setEnabled(cursor->is_x_cursor_visible());
    act_send_wv->setEnabled(send_available);
    if (drawing->get_draw_type() == 5 && get_mouse_func() == UI_MOUSE_DRAW_POINT) {
        point_menu->setEnabled(true);
        interpolation_menu->setEnabled(true);
        for (QAction *a : {act_prev_point, act_next_point, act_del_point, act_clear_points, act_linear})
            a->setEnabled(true);
        act_smooth->setEnabled(false);
        act_staircase->setEnabled(false);
        if (drawing->is_first_point())
            act_prev_point->setEnabled(false);
        if (drawing->is_last_point())
            act_next_point->setEnabled(false);
        if (drawing->is_points_empty())
            for (QAction *a : {act_prev_point, act_next_point, act_del_point, act_clear_points})
                a->setEnabled(false);
    } else {
        point_menu->setEnabled(false);
        interpolation_menu->setEnabled(false);
    }
    ui_waveform_cursor_t *cw = status_bar->cursor_widget;
    if (cursor->is_x_cursor_visible()) {
        cw->set_x_cursor_show(true);
        update_sbar_cursor_value();
    } else {
        cw->set_x_cursor_show(false);
    }
    if (cursor->is_y_cursor_visible()) {
        cw->set_y_cursor_show(true);
        update_sbar_cursor_value();
    } else {
        cw->set_y_cursor_show(false);
    }
}

void ui_waveform_t::set_send_available(bool available)
{
    send_available = available;
    act_send_wv->setEnabled(available);
}

void ui_waveform_t::apply_view_setting(ui_view_setting_t setting)
{
    view_setting = setting;
    plot->set_grid_show(setting.grid_show);
    plot->set_time_scale_show(setting.time_scale_show);
    const int32 *c = setting.line_rgb;
    plot->set_curve_pen(QColor(c[0], c[1], c[2], 255), setting.line_width);
    const int32 *x = setting.x_cursor_rgb;
    const int32 *y = setting.y_cursor_rgb;
    cursor->set_x_cursor_color(QColor(x[0], x[1], x[2], 255));
    cursor->set_y_cursor_color(QColor(y[0], y[1], y[2], 255));
    plot->update_xp_scale_draw();
    plot->update_plot();
}

void ui_waveform_t::update_sbar_cursor_value(double, double)
{
    fp32 freq = static_cast<fp32>(*wave_object->get_freq());
    int32 count = static_cast<int32>(std::min<uint32>(*wave_object->get_wv_len(), 2147483647u));
    if (cursor->is_x_cursor_visible())
        status_bar->cursor_widget->set_x_cursor_value(cursor->get_x1_pos(), cursor->get_x2_pos(), &freq, &count);
    if (cursor->is_y_cursor_visible())
        status_bar->cursor_widget->set_y_cursor_value(cursor->get_y1_value(), cursor->get_y2_value());
    if (cursor->is_selzone_visible()) {
        const std::pair<double, double> z = cursor->get_selzone_range();
        status_bar->cursor_sel_widget->set_sel_value(z.first, z.second, &freq, &count);
    }
}

void ui_waveform_t::update_sbar_cursor_pos_func()
{
    const QPointF pos = plot->get_picker()->get_pos();
    const lib_wv_data_t<short int> *data = wave_object->get_wv_data();
    const double volts = pos.y() / 32767.0 * (data->amp * 0.5) + data->offset;
    fp32 freq = static_cast<fp32>(*wave_object->get_freq());
    int32 count = static_cast<int32>(std::min<uint32>(*wave_object->get_wv_len(), 2147483647u));
    status_bar->cursor_sel_widget->set_pos_value(static_cast<fp32>(pos.x()), static_cast<fp32>(volts), &freq, &count);
}

void ui_waveform_t::magnifier_get_wv_len_slot_func()
{
    magnifier->set_total_points(get_wv_len());
    magnifier->set_center(plot->get_picker()->get_pos().x());
    magnifier->set_wave_data(wave_object->get_wv_data());
}

void ui_waveform_t::update_canvus_marker_slot_func()
{
    drawing->update_markers();
    cursor->update_canvas_marker();
}

void ui_waveform_t::closeEvent(QCloseEvent *event)
{
    if (is_saved())
        return;
    ui_prompt_t prompt(this);
    const int32 answer = prompt.show_save_changes_box(windowTitle());
    if (answer == 0) {
        emit update_file_oper_signal(update_window_t(3), event);
    } else if (answer == 1) {
        event->accept();
    } else {
        event->ignore();
    }
}

void ui_waveform_t::emit_update_control_state()
{
    emit update_control_state_signal();
}

void ui_waveform_t::emit_update_plot_wv()
{
    emit update_plot_wv_signal();
}

void ui_waveform_t::emit_info_send_wv_to_arb()
{
    emit info_send_wv_to_arb_signal();
}

void ui_waveform_t::emit_wvform_info_main_window(wvform_info_t type)
{
    emit wvform_info_main_window_signal(type);
}

void ui_waveform_t::emit_system_info(int32 info)
{
    emit system_info_signal(info);
}
