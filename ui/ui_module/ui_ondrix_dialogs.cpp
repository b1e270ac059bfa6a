// The dialogs the main window opens, and how their results reach the documents.
#include "ui_ondrix.h"

#include "cfg_if_wv.h"
#include "ui_comm_tree_form.h"
#include "ui_cursor_setting.h"
#include "ui_digtal_wave_form.h"
#include "ui_draw_point.h"
#include "ui_plot_cursor.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_prompt.h"
#include "ui_stdwvform.h"
#include "ui_tbar_btn.h"
#include "ui_view_property.h"
#include "ui_waveform.h"
#include "ui_wv_property_form.h"
#include "ui_wv_settings.h"
#include "ui_xp_scale_draw.h"

#include <QAction>
#include <QDebug>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>

namespace {

// A dialog's Cancel (2) closes it; true only for OK (3).
bool ok_or_close(QWidget *form, int32 btn)
{
    if (!form)
        return false;
    if (btn == 2) {
        form->close();
        return false;
    }
    return btn == 3;
}

// Points, model and frequency of a new waveform when no document is current.
constexpr uint32 default_points = 16384;
constexpr instr_zqw_t default_model = static_cast<instr_zqw_t>(2);
constexpr double default_freq = 1000.0;

// A failed document window: 3 is out of memory, anything else a creation failure.
int32 creation_info(int32 status) { return status == 3 ? 0 : 1; }

} // namespace

// ---- commands not in the program yet ----

bool ui_ondrix_t::is_command_available(const QObject *control) const
{
    if (!control)
        return true;
    const QObject *pending[] = {controls.comm_send,   controls.btn_send,    commands.comm_read,
                                commands.btn_read,    commands.comm_import, commands.btn_import};
    for (const QObject *p : pending)
        if (p == control)
            return false;
    return true;
}

// The last step of the control-state refresh: whatever the rules above decided, a
// command whose dialog or service is missing stays off.
void ui_ondrix_t::update_pending_state()
{
    for (QAction *a : {controls.comm_send, commands.comm_read, commands.comm_import, commands.comm_refresh})
        if (a && !is_command_available(a))
            a->setEnabled(false);
    for (ui_tbar_btn_t *b : {controls.btn_send,
                             commands.btn_read, commands.btn_import, commands.btn_refresh})
        if (b && !is_command_available(b))
            b->set_btn_enable(false);
}

void ui_ondrix_t::refresh_instruments() { m_comm_tree->refresh_commtree(0); }

// ---- common steps ----

bool ui_ondrix_t::check_cover_points() { return m_cur_wave->drawing->check_cover_points(true); }

int32 ui_ondrix_t::backup_current_wave()
{
    int32 r = m_cur_wave->backup_wave_data();
    if (r == 3)
        system_info_slot_func(0);
    return r;
}

// The current document takes over a dialog's waveform object and shows it.
void ui_ondrix_t::take_over_wave_object(cfg_if_wv_t *object)
{
    float high = *object->get_high_level();
    float low = *object->get_low_level();
    m_cur_wave->set_wave_object(object);
    m_cur_wave->bind_zoomer_data();
    ui_xp_scale_draw_t *scale = m_cur_wave->plot->get_xp_scale_draw();
    scale->set_wave_freq(static_cast<float>(*object->get_freq()));
    scale->set_wave_points(*object->get_wv_len());
    m_cur_wave->set_high_level(high);
    m_cur_wave->set_low_level(low);
    plot_load_waveform_yrange(m_cur_wave->plot, &high, &low, m_cur_wave->get_wave_data(), 3000);
    m_cur_wave->cursor->update_marker_pos();
    m_cur_wave->plot->update_xp_scale_draw();
    // A replaced waveform is a change the user must be asked to save.
    m_cur_wave->set_saved(false);
    update_control_state();
}

// ---- openers ----

void ui_ondrix_t::open_wv_settings_form()
{
    auto *form = new ui_wv_settings_t(this);
    connect(form, SIGNAL(wv_settings_form_btn_signal(ui_wv_settings_t *, int32)), this,
            SLOT(wv_settings_form_btn_slot_func(ui_wv_settings_t *, int32)));
    form->show();
}

void ui_ondrix_t::show_wv_window(lib_wv_type_t type)
{
    uint32 points = default_points;
    instr_zqw_t model = default_model;
    double freq = default_freq;
    if (document_is_current()) {
        if (!check_cover_points())
            return;
        if (static_cast<uint32>(type) > 12u) {
            qDebug() << "ui_ondrix_t::show_wv_window() :wave is invalid!\n";
            return;
        }
        cfg_if_wv_t *wave = m_cur_wave->wave_object;
        points = *wave->get_wv_len();
        model = wave->get_instr_type();
        freq = *wave->get_freq();
    }
    if (static_cast<uint32>(type) >= 12u) {
        qDebug() << "ui_ondrix_t::show_wv_window() : stdwvform has not initialed!";
        return;
    }
    auto *form = new ui_stdwvform_t(this, type, points, model, freq, 0, false, nullptr);
    connect(form, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)), this,
            SLOT(std_wv_form_btn_slot_func(ui_stdwvform_t *, int32, bool)));
    connect(form, SIGNAL(system_info_signal(int32)), this, SLOT(system_info_slot_func(int32)));
    form->show();
}

void ui_ondrix_t::show_wv_parameter_window()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    if (!check_cover_points())
        return;
    cfg_if_wv_t *wave = m_cur_wave->wave_object;
    const lib_wv_type_t type = wave->get_wv_type();
    if (static_cast<uint32>(type) > 12u) {
        qDebug() << "ui_ondrix_t::show_wv_window() :wave is invalid!\n";
        return;
    }
    const double freq = *wave->get_freq();
    const instr_zqw_t model = wave->get_instr_type();
    const uint32 points = *wave->get_wv_len();
    if (type == LIB_WV_DIGITAL) {
        auto *form = new ui_digtal_wave_form_t(this, points, model, freq, true, wave);
        connect(form, SIGNAL(digital_wave_form_btn_signal(ui_digtal_wave_form_t *, int32, bool)), this,
                SLOT(digital_wv_form_btn_slot_func(ui_digtal_wave_form_t *, int32, bool)));
        form->show();
        return;
    }
    auto *form = new ui_stdwvform_t(this, type, points, model, freq, 0, true, wave);
    connect(form, SIGNAL(std_wv_form_btn_signal(ui_stdwvform_t *, int32, bool)), this,
            SLOT(std_wv_form_btn_slot_func(ui_stdwvform_t *, int32, bool)));
    connect(form, SIGNAL(system_info_signal(int32)), this, SLOT(system_info_slot_func(int32)));
    form->show();
}

void ui_ondrix_t::open_digital_wv_form()
{
    uint32 points = default_points;
    instr_zqw_t model = default_model;
    double freq = default_freq;
    if (document_is_current()) {
        if (!check_cover_points())
            return;
        cfg_if_wv_t *wave = m_cur_wave->wave_object;
        points = *wave->get_wv_len();
        model = wave->get_instr_type();
        freq = *wave->get_freq();
    }
    auto *form = new ui_digtal_wave_form_t(this, points, model, freq, false, nullptr);
    connect(form, SIGNAL(digital_wave_form_btn_signal(ui_digtal_wave_form_t *, int32, bool)), this,
            SLOT(digital_wv_form_btn_slot_func(ui_digtal_wave_form_t *, int32, bool)));
    form->show();
}

void ui_ondrix_t::open_wv_property_form()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    if (!check_cover_points())
        return;
    if (backup_current_wave() != 0)
        return;
    cfg_if_wv_t *wave = m_cur_wave->wave_object;
    auto *form = new ui_wv_property_form_t(this, m_cur_wave_name, m_cur_wave->get_wave_data(),
                                           static_cast<float>(*wave->get_freq()), wave->get_instr_type());
    connect(form, SIGNAL(wv_property_form_btn_signal(ui_wv_property_form_t *, int32)), this,
            SLOT(wv_property_form_btn_slot_func(ui_wv_property_form_t *, int32)));
    form->show();
}

void ui_ondrix_t::wvform_info_main_window_func(wvform_info_t type)
{
    if (type != 1 || !document_is_current())
        return;
    if (check_cover_points())
        open_wv_property_form();
}

void ui_ondrix_t::open_view_property_form()
{
    if (!document_is_current())
        return;
    ui_view_setting_t setting = m_cur_wave->get_view_setting();
    ui_preview_plot_t *plot = m_cur_wave->plot;
    setting.grid_show = plot->is_grid_show();
    setting.time_scale_show = plot->get_time_scale_show();
    setting.curve_style = plot->get_curve_type();
    const ui_range_t y = plot->get_yleft_interval();
    setting.y_max = y.second;
    setting.y_min = y.first;
    auto *form = new ui_view_property_t(this, m_cur_wave_name, setting);
    connect(form, SIGNAL(view_property_form_btn_signal(ui_view_property_t *, int32)), this,
            SLOT(view_property_form_btn_slot_func(ui_view_property_t *, int32)));
    form->show();
}

void ui_ondrix_t::open_cursor_setting_form()
{
    if (!document_is_current())
        return;
    ui_plot_cursor_t *c = m_cur_wave->cursor;
    ui_preview_plot_t *plot = m_cur_wave->plot;
    const ui_range_t y = plot->get_yleft_interval();
    auto *form = new ui_cursor_setting_t(this, c->get_x1_pos(), c->get_x2_pos(), c->get_y1_value(), c->get_y2_value(),
                                         1.0, static_cast<double>(plot->get_xp_scale_draw()->get_wave_points()),
                                         y.first, y.second, c->is_x_cursor_visible(), c->is_y_cursor_visible());
    connect(form, SIGNAL(cursor_setting_form_btn_signal(ui_cursor_setting_t *, int32)), this,
            SLOT(cursor_setting_form_btn_slot_func(ui_cursor_setting_t *, int32)));
    form->show();
}

void ui_ondrix_t::instr_interact_handle_slot_func(ui_comm_mode_t type, uint16 res_row_sel)
{
    open_comm_form(type, res_row_sel);
}

void ui_ondrix_t::send_wv_to_arb_slot_func() { open_send_comm_form(0); }

// ---- result handlers ----

void ui_ondrix_t::wv_settings_form_btn_slot_func(ui_wv_settings_t *form, int32 btn)
{
    if (!ok_or_close(form, btn))
        return;
    cfg_if_wv_t *wave = form->get_wave();
    const uint32 points = *wave->get_wv_len();
    const double freq = *wave->get_freq();
    set_new_wave_param(points, static_cast<float>(freq));
    int32 r = open_new_wave_window(form->get_wave_name());
    reset_new_wave_param();
    if (r != 0) {
        system_info_slot_func(creation_info(r));
        return;
    }
    cfg_if_wv_t *object = m_cur_wave->wave_object;
    object->set_wv_len(points);
    object->set_freq(freq);
    object->set_instr_type(wave->get_instr_type());
    form->close();
}

// The Standard Waveform dialog and the digital editor report alike: their waveform object
// goes into the current document, or a new one when none is current.
template <typename form_t>
void ui_ondrix_t::take_creation_result(form_t *form, int32 btn)
{
    if (!form)
        return;
    if (btn == 2 || btn == 8) {
        form->close();
        return;
    }
    if (btn != 3 || form->is_handed_over())
        return;
    if (!document_is_current()) {
        int32 r = open_new_wave_window(QString());
        if (r != 0) {
            system_info_slot_func(creation_info(r));
            return;
        }
    }
    take_over_wave_object(form->take_wave_object());
    form->close();
}

void ui_ondrix_t::std_wv_form_btn_slot_func(ui_stdwvform_t *form, int32 btn, bool)
{
    take_creation_result(form, btn);
}

void ui_ondrix_t::digital_wv_form_btn_slot_func(ui_digtal_wave_form_t *form, int32 btn, bool)
{
    take_creation_result(form, btn);
}

void ui_ondrix_t::wv_property_form_btn_slot_func(ui_wv_property_form_t *form, int32 btn)
{
    if (!form)
        return;
    if (!document_is_current()) {
        if (btn == 2 || btn == 3 || btn == 8 || btn == 9)
            form->close();
        return;
    }
    lib_wv_data_t<short int> *backup = m_cur_wave->get_backup_data();
    if (btn == 2 || btn == 8) {
        // The form edits the samples in place: a cancel puts the backed-up ones back.
        if (form->is_data_changed() && backup->samples.size() == m_cur_wave->get_wave_data()->samples.size() &&
            backup->samples.size() > 0) {
            if (!m_cur_wave->get_wave_data()->assign(*backup))
                system_info_slot_func(3);
            float high = m_cur_wave->get_high_level();
            float low = m_cur_wave->get_low_level();
            plot_load_waveform_yrange(m_cur_wave->plot, &high, &low, m_cur_wave->get_wave_data(), 3000);
        }
        backup->clear();
        form->close();
        return;
    }
    if (btn != 3 && btn != 9)
        return;
    const QString name = form->get_wave_name();
    m_cur_wave_name = name;
    if (QMdiSubWindow *sub = m_mdi_area->currentSubWindow())
        sub->setWindowTitle(name);
    m_cur_wave->setWindowTitle(name);
    m_cur_wave->wave_object->set_freq(form->get_frequency());
    m_cur_wave->bind_zoomer_data();
    m_cur_wave->plot->get_xp_scale_draw()->set_wave_freq(form->get_frequency());
    if (form->is_data_changed() && backup->samples.size() > 0) {
        std::pair<double, double> range = form->get_y_range();
        float low = static_cast<float>(range.first);
        float high = static_cast<float>(range.second);
        plot_load_waveform_yrange(m_cur_wave->plot, &high, &low, m_cur_wave->get_wave_data(), 3000);
        m_cur_wave->plot->update_xp_scale_draw();
        m_cur_wave->commit_edit();
    }
    m_cur_wave->plot->update_xp_scale_draw();
    backup->clear();
    form->close();
    if (btn != 9)
        return;
    if (!document_is_current()) {
        show_no_wave_prompt();
        return;
    }
    cfg_if_wv_t *wave = m_cur_wave->wave_object;
    auto *digital = new ui_digtal_wave_form_t(this, *wave->get_wv_len(), wave->get_instr_type(), *wave->get_freq(),
                                              true, wave);
    connect(digital, SIGNAL(digital_wave_form_btn_signal(ui_digtal_wave_form_t *, int32, bool)), this,
            SLOT(digital_wv_form_btn_slot_func(ui_digtal_wave_form_t *, int32, bool)));
    digital->show();
}

void ui_ondrix_t::view_property_form_btn_slot_func(ui_view_property_t *form, int32 btn)
{
    if (!ok_or_close(form, btn))
        return;
    if (document_is_current()) {
        ui_view_setting_t setting = form->get_view_setting();
        m_cur_wave->apply_y_axis_setting(setting);
        m_cur_wave->apply_view_setting(setting);
        if (controls.view_grid)
            controls.view_grid->setChecked(setting.grid_show);
        if (controls.view_time_scale)
            controls.view_time_scale->setChecked(setting.time_scale_show);
        m_cur_wave->plot->set_curve_type(setting.curve_style);
    }
    form->close();
}

void ui_ondrix_t::cursor_setting_form_btn_slot_func(ui_cursor_setting_t *form, int32 btn)
{
    if (!ok_or_close(form, btn))
        return;
    if (document_is_current()) {
        ui_plot_cursor_t *c = m_cur_wave->cursor;
        c->set_x1_pos(static_cast<fp32>(form->get_x1()));
        c->set_x2_pos(static_cast<fp32>(form->get_x2()));
        c->set_y1_value(form->get_y1());
        c->set_y2_value(form->get_y2());
        m_cur_wave->set_mouse_func(static_cast<ui_mouse_func_t>(2));
        m_cur_wave->update_canvas_cursor();
        m_cur_wave->plot->update_plot();
        m_cur_wave->update_sbar_cursor_value();
    }
    form->close();
}
