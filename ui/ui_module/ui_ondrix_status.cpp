// The main window's status bar, its refresh timer and the view toggles.
#include "ui_ondrix.h"

#include "ui_comm_tree_form.h"
#include "ui_preview_plot.h"
#include "ui_timer.h"
#include "ui_waveform.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QStatusBar>

// ---- status bar and refresh ----

void ui_ondrix_t::init_status_bar()
{
    m_status_bar->setObjectName("sbar_main");
    m_status_edit = new QLineEdit();
    m_scope_edit = new QLineEdit();
    m_awg_edit = new QLineEdit();
    update_cur_status(false);
    update_scope_status(0);
    update_arb_status(0);
    for (QLineEdit *e : {m_status_edit, m_scope_edit, m_awg_edit}) {
        e->setEnabled(false);
        e->setFocusPolicy(Qt::NoFocus);
        e->setObjectName("ondrx_sbar_lineedit");
    }
    m_status_edit->setMaximumWidth(170);
    m_scope_edit->setMaximumWidth(250);
    m_awg_edit->setMaximumWidth(250);
    m_status_bar->addWidget(m_status_edit, 0);
    m_status_bar->addWidget(m_scope_edit, 0);
    m_status_bar->addWidget(m_awg_edit, 0);
}

void ui_ondrix_t::update_cur_status(bool normal)
{
    m_status_edit->setText(tr(" ") + (normal ? tr("Current Status: Normal") : tr("Current Status: Idle")));
}

void ui_ondrix_t::update_scope_status(int num)
{
    m_scope_edit->setText(num >= 1 ? tr("Oscilloscope: available") + "(" + QString::number(num) + ")"
                                   : tr("Oscilloscope: unavailable"));
}

void ui_ondrix_t::update_arb_status(int num)
{
    m_awg_edit->setText(num >= 1 ? tr("AWG: available") + "(" + QString::number(num) + ")" : tr("AWG: unavailable"));
}

void ui_ondrix_t::_update_status_bar_show()
{
    update_cur_status(has_waveform_window());
    // Only reads the list: the tree rescans on start-up, device changes and Refresh.
    ui_instr_list_t *list = m_comm_tree->get_instr_list();
    update_arb_status(static_cast<int>(list->get_awg_list()->size()));
    update_scope_status(static_cast<int>(list->get_scope_list()->size()));
}

void ui_ondrix_t::start_refresh_timer()
{
    m_refresh_timer = new ui_timer_t();
    connect(m_refresh_timer, SIGNAL(timeout()), this, SLOT(timer_refresh_commtree_slot_func()));
    m_refresh_timer->set_interval_s(1.0);
    m_refresh_timer->start_timer();
}

void ui_ondrix_t::timer_refresh_commtree_slot_func()
{
    if (!document_is_current())
        update_control_state();
    _update_status_bar_show();
}

void ui_ondrix_t::refresh_commtree_slot_func() { refresh_devices(); }

// The counts in the status bar follow at the next tick.
void ui_ondrix_t::refresh_devices()
{
    m_comm_tree->refresh_commtree(3);
    update_panel_menu();
}

void ui_ondrix_t::update_grid_show()
{
    if (!document_is_current())
        return;
    ui_preview_plot_t *plot = m_cur_wave->plot;
    const bool shown = plot->is_grid_show();
    plot->set_grid_show(!shown);
    plot->update_plot();
    ui_view_setting_t view = m_cur_wave->get_view_setting();
    view.grid_show = controls.view_grid ? controls.view_grid->isChecked() : !shown;
    m_cur_wave->set_view_setting(view);
}

void ui_ondrix_t::update_time_scale_show()
{
    if (!document_is_current())
        return;
    ui_preview_plot_t *plot = m_cur_wave->plot;
    const bool shown = plot->get_time_scale_show();
    plot->set_time_scale_show(!shown);
    plot->update_xp_scale_draw();
    ui_view_setting_t view = m_cur_wave->get_view_setting();
    view.time_scale_show = controls.view_time_scale ? controls.view_time_scale->isChecked() : !shown;
    m_cur_wave->set_view_setting(view);
}

void ui_ondrix_t::update_curve_type_show(ui_curvv_show_t style)
{
    if (document_is_current())
        m_cur_wave->plot->set_curve_type(style);
}

