// The communication dialog from the main window: opening it in each mode, and a read or
// imported waveform becoming a new document.
#include "ui_ondrix.h"

#include "ui_comm_form.h"
#include "ui_comm_tree_form.h"
#include "ui_waveform.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

void connect_comm_form(ui_ondrix_t *window, ui_comm_form_t *form)
{
    QObject::connect(form, SIGNAL(comm_form_btn_signal(ui_comm_form_t *, int32)), window,
                     SLOT(comm_form_btn_slot_func(ui_comm_form_t *, int32)));
    QObject::connect(form, SIGNAL(system_info_signal(int32)), window, SLOT(system_info_slot_func(int32)));
}

} // namespace

void ui_ondrix_t::open_send_comm_form(uint16 row)
{
    if (!has_waveform_window()) {
        show_no_wave_prompt();
        return;
    }
    QList<cfg_if_wv_t *> waves;
    QStringList titles;
    int index = 0;
    const QList<QMdiSubWindow *> subs = m_mdi_area->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow *sub : subs) {
        auto *doc = qobject_cast<ui_waveform_t *>(sub->widget());
        if (!doc)
            continue;
        if (sub == m_mdi_area->currentSubWindow())
            index = waves.size();
        waves << doc->wave_object;
        titles << sub->windowTitle();
    }
    auto *form = new ui_comm_form_t(this, 0, m_comm_tree->get_instr_list(), waves, titles, index);
    form->set_res_row_sel(row);
    connect_comm_form(this, form);
    form->show();
}

void ui_ondrix_t::open_comm_form(ui_comm_mode_t mode, uint16 row)
{
    if (mode == UI_COMM_SEND) {
        open_send_comm_form(row);
        return;
    }
    if (mode != UI_COMM_READ && mode != UI_COMM_IMPORT)
        return;
    auto *form = new ui_comm_form_t(this, mode, m_comm_tree->get_instr_list());
    form->set_res_row_sel(row);
    connect_comm_form(this, form);
    form->show();
}

void ui_ondrix_t::comm_form_btn_slot_func(ui_comm_form_t *form, int32 btn)
{
    if (!form)
        return;
    if (btn == 2) {
        form->close();
        return;
    }
    // A code repeated after the hand-over finds nothing left to take.
    if ((btn != 6 && btn != 7) || form->is_handed_over() || !form->get_wave())
        return;
    const int32 r = open_new_wave_window(btn == 6 ? form->get_wave_name() : QString());
    if (r != 0) {
        system_info_slot_func(r == 3 ? 0 : 1);
        return;
    }
    // The new document's own DC object goes, with its sample file, in favour of the
    // received one.
    take_over_wave_object(form->take_wave_object());
    form->close();
}
