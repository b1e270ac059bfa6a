// The math tools the main window opens (window functions, filter, waveform math,
// equation editor) and how their results reach the documents.
#include "ui_ondrix.h"

#include "cfg_if_bswv_dc.h"
#include "cfg_if_wv.h"
#include "ui_equation_form.h"
#include "ui_filter_form.h"
#include "ui_plot_loader.h"
#include "ui_preview_plot.h"
#include "ui_waveform.h"
#include "ui_window_form.h"
#include "ui_wv_undo_stack.h"
#include "ui_xp_scale_draw.h"
#include "ui_wvmath_form.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

constexpr uint32 k_display_points = 3000;

// A tool dialog that could not be built is deleted unshown: 3 ran out of memory, 1 could
// not write its first result. False then.
template <typename form_t>
bool is_built(ui_ondrix_t *owner, form_t *form)
{
    const int32 status = form->init_status;
    if (status == 0)
        return true;
    delete form;
    if (status == 3)
        owner->system_info_slot_func(0);
    else if (status == 1)
        owner->system_info_slot_func(1);
    return false;
}

// Makes the document at `index` of the creation-order list the current one; null when
// the index names no document.
ui_waveform_t *activate_document(ui_ondrix_t *owner, int index)
{
    const QList<QMdiSubWindow *> subs = owner->get_sub_window_list();
    if (index < 0 || index >= subs.size())
        return nullptr;
    QMdiSubWindow *sub = subs[index];
    auto *doc = qobject_cast<ui_waveform_t *>(sub->widget());
    if (!doc)
        return nullptr;
    owner->mdi_area()->setActiveSubWindow(sub);
    // Activation reports itself only while the main window is active.
    if (owner->current_wave() != doc)
        owner->show_window_change_slot_func(sub);
    return owner->current_wave() == doc ? doc : nullptr;
}

// Writes a filter or window result into the document at `index`, made current first; a
// document other than the one the opener backed up is backed up now, so the edit is one
// undo step there too. Null when nothing was written: no samples, no such document, or
// no memory for the copies.
ui_waveform_t *write_tool_result(ui_ondrix_t *owner, const lib_wv_data_t<short int> *result, int index,
                                 ui_waveform_t *opened_on)
{
    if (result->samples.size() == 0)
        return nullptr;
    ui_waveform_t *doc = activate_document(owner, index);
    if (!doc)
        return nullptr;
    if ((doc != opened_on && doc->backup_wave_data() != 0) || doc->set_wave_data(*result) != 0) {
        owner->system_info_slot_func(0);
        return nullptr;
    }
    return doc;
}

void clear_backup(ui_waveform_t *doc)
{
    if (doc)
        doc->get_backup_data()->clear();
}

// A result that brings its own amplitude and offset: the waveform object and the display
// levels take them, and the plot shows the new levels.
void show_new_scale(ui_waveform_t *doc)
{
    const lib_wv_data_t<short int> *data = doc->get_wave_data();
    const float amp = data->amp, offset = data->offset;
    cfg_if_wv_t *wave = doc->wave_object;
    wave->set_amp(amp);
    wave->set_offset(offset);
    wave->set_amp_offset(amp, offset);
    float high = *wave->get_high_level(), low = *wave->get_low_level();
    doc->set_high_level(high);
    doc->set_low_level(low);
    plot_load_waveform_yrange(doc->plot, &high, &low, doc->get_wave_data(), k_display_points);
}

// What the window and filter dialogs' buttons do: OK writes the result into the document
// the user picked and `show_result` draws it there; OK and Cancel close the dialog.
template <typename form_t, typename show_t>
void finish_source_tool(ui_ondrix_t *owner, form_t *form, int32 btn, show_t show_result)
{
    if (!form)
        return;
    // The document the opener backed up: the current one, as the dialog is modal.
    ui_waveform_t *opened_on = owner->current_wave();
    if (btn == 3) {
        ui_waveform_t *doc = write_tool_result(owner, form->get_result_wv_data(), form->get_wv_src_index(), opened_on);
        if (doc) {
            show_result(doc);
            doc->commit_edit();
        }
        clear_backup(doc);
    }
    if (btn == 2 || btn == 3)
        form->close();
    clear_backup(opened_on);
}

} // namespace

// A tool that works on the current document opens only with one whose points are covered
// and whose backup was taken, so Cancel can restore it.
bool ui_ondrix_t::begin_tool_on_current()
{
    if (!document_is_current()) {
        show_no_wave_prompt();
        return false;
    }
    return check_cover_points() && backup_current_wave() == 0;
}

// ---- window functions ----

void ui_ondrix_t::open_window_form()
{
    if (!begin_tool_on_current())
        return;
    QList<QMdiSubWindow *> subs = get_sub_window_list();
    auto *form = new ui_window_form_t(this, subs);
    if (!is_built(this, form)) {
        clear_backup(m_cur_wave);
        return;
    }
    connect(form, SIGNAL(window_form_btn_signal(ui_window_form_t *, int32)), this,
            SLOT(window_form_btn_slot_func(ui_window_form_t *, int32)));
    form->show();
}

void ui_ondrix_t::window_form_btn_slot_func(ui_window_form_t *form, int32 btn)
{
    finish_source_tool(this, form, btn, [](ui_waveform_t *doc) {
        plot_load_waveform_vector(doc->plot, doc->get_wave_data(), k_display_points);
    });
}

// ---- filter ----

void ui_ondrix_t::open_filter_form()
{
    if (!begin_tool_on_current())
        return;
    QList<QMdiSubWindow *> subs = get_sub_window_list();
    auto *form = new ui_filter_form_t(this, subs);
    if (!is_built(this, form)) {
        clear_backup(m_cur_wave);
        return;
    }
    connect(form, SIGNAL(filter_form_btn_signal(ui_filter_form_t *, int32)), this,
            SLOT(filter_form_btn_slot_func(ui_filter_form_t *, int32)));
    form->show();
}

void ui_ondrix_t::filter_form_btn_slot_func(ui_filter_form_t *form, int32 btn)
{
    finish_source_tool(this, form, btn, show_new_scale);
}

// ---- waveform math ----

void ui_ondrix_t::open_wvmath_form()
{
    if (!begin_tool_on_current())
        return;
    ui_waveform_t *doc = m_cur_wave;
    auto *form = new ui_wvmath_form_t(this, doc->get_wave_data(), doc->get_data(), doc->get_select_range(), 16384,
                                      static_cast<instr_zqw_t>(2), 1000.0);
    if (!is_built(this, form)) {
        clear_backup(doc);
        return;
    }
    connect(form, SIGNAL(arith_math_form_btn_signal(ui_wvmath_form_t *, int32)), this,
            SLOT(arith_math_form_btn_slot_func(ui_wvmath_form_t *, int32)));
    connect(form, SIGNAL(system_info_signal(int32)), this, SLOT(system_info_slot_func(int32)));
    form->show();
}

void ui_ondrix_t::arith_math_form_btn_slot_func(ui_wvmath_form_t *form, int32 btn)
{
    if (!form)
        return;
    ui_waveform_t *doc = m_cur_wave;
    // OK is offered only while the dialog holds a result.
    if (btn == 3 && doc && form->has_result()) {
        if (doc->set_wave_data(*form->get_result_wv_data()) != 0) {
            system_info_slot_func(0);
        } else {
            show_new_scale(doc);
            doc->commit_edit();
        }
    }
    if (btn == 2 || btn == 3)
        form->close();
    clear_backup(doc);
}

// ---- equation editor ----

void ui_ondrix_t::open_equation_form()
{
    const bool current = document_is_current();
    if (current && !check_cover_points())
        return;
    cfg_if_bswv_dc_t wave;
    if (current) {
        cfg_if_wv_t *object = m_cur_wave->wave_object;
        wave.set_wv_len(*object->get_wv_len());
        wave.set_instr_type(object->get_instr_type());
        wave.set_freq(*object->get_freq());
    }
    auto *form = new ui_equation_form_t(this, &wave, has_waveform_window());
    if (!is_built(this, form))
        return;
    connect(form, SIGNAL(equation_form_btn_signal(ui_equation_form_t *, int32)), this,
            SLOT(equation_form_btn_slot_func(ui_equation_form_t *, int32)));
    form->show();
}

void ui_ondrix_t::equation_form_btn_slot_func(ui_equation_form_t *form, int32 btn)
{
    if (!form)
        return;
    if (btn == 2) {
        form->close();
        return;
    }
    if (btn != 3)
        return;
    const lib_wv_data_t<short int> *result = form->get_result_wv_data();
    const uint32 count = result->samples.size();
    // Parameter lines alone compile to no samples: nothing to put into a document.
    if (count == 0) {
        form->close();
        return;
    }
    if (!document_is_current()) {
        const int32 r = open_new_wave_window(QString());
        if (r != 0) {
            system_info_slot_func(r == 3 ? 0 : 1);
            return;
        }
    }
    ui_waveform_t *doc = m_cur_wave;
    if (doc->set_wave_data(*result) != 0) {
        system_info_slot_func(0);
        return;
    }
    cfg_if_wv_t *wave = doc->wave_object;
    const float freq = form->get_frequency();
    wave->set_wv_type(LIB_WV_NONE);
    wave->set_instr_type(form->get_param_wv()->get_instr_type());
    wave->set_freq(freq);
    // The samples the lines produced, which is the Samples value unless ranges left gaps
    // or overlapped.
    wave->set_wv_len(count);
    doc->bind_zoomer_data();
    ui_xp_scale_draw_t *scale = doc->plot->get_xp_scale_draw();
    scale->set_wave_freq(freq);
    scale->set_wave_points(count);
    const std::pair<double, double> range = form->get_value_range();
    float low = static_cast<float>(range.first), high = static_cast<float>(range.second);
    wave->set_low_level(low);
    wave->set_high_level(high);
    wave->set_high_low_level(high, low);
    doc->set_high_level(high);
    doc->set_low_level(low);
    plot_load_waveform_yrange(doc->plot, &high, &low, doc->get_wave_data(), k_display_points);
    doc->plot->update_xp_scale_draw();
    // Not an undo step: the steps before it would restore samples the result replaced.
    doc->get_undo_stack()->clear();
    doc->set_saved(false);
    update_control_state();
    form->close();
}
