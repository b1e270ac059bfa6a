// The multi-pulse table of "Standard Waveform": one row per pulse of the generator, every
// time entry stepping by one sample period.
#include "ui_stdwvform.h"

#include "cfg_if_adwv_multi_pulse.h"
#include "cfg_instr_limit.h"
#include "ui_combx.h"
#include "ui_dspinb.h"
#include "ui_dspinbx_frame.h"
#include "ui_spinbx_frame.h"
#include "ui_stdwvform_form.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

cfg_if_adwv_multi_pulse_t *as_multi_pulse(cfg_if_wv_t *w)
{
    return dynamic_cast<cfg_if_adwv_multi_pulse_t *>(w);
}

} // namespace

void ui_stdwvform_t::init_pulse_table()
{
    m_pulse_table = new QTableWidget(this);
    m_pulse_table->setObjectName("pulse_table");
    m_pulse_table->setStyleSheet("QTableWidget#pulse_table{background:rgb(80, 80, 80); color:white; "
                                 "font: 10pt; gridline-color:black;}");
    m_pulse_table->setColumnCount(3);
    m_pulse_table->setHorizontalHeaderLabels({"N", tr("Positive Time"), tr("Negative Time")});
    m_pulse_table->setColumnWidth(0, 40);
    m_pulse_table->setColumnWidth(1, 139);
    m_pulse_table->setColumnWidth(2, 139);
    m_pulse_table->setRowCount(0);
    m_pulse_table->horizontalHeader()->setVisible(true);
    m_pulse_table->horizontalHeader()->setFixedHeight(26);
    m_pulse_table->horizontalHeader()->setStyleSheet(
        "QHeaderView::section{height: 20px;font: bold 15px; color:white;background:rgb(120, 120, 120);}");
    m_pulse_table->verticalHeader()->setVisible(false);
    m_pulse_table->verticalHeader()->setDefaultSectionSize(26);
    m_pulse_table->setShowGrid(true);
    m_pulse_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_pulse_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pulse_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pulse_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pulse_table->verticalScrollBar()->setStyleSheet("QScrollBar{background:transparent; width:20px;}");

    QVBoxLayout *box = new QVBoxLayout(m_form->table_widget);
    box->setMargin(0);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->addWidget(m_pulse_table);
}

void ui_stdwvform_t::fill_pulse_table()
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    m_pulse_table->clearContents();
    m_pulse_table->setRowCount(0);
    if (!m)
        return;
    const uint32 n = static_cast<uint32>(m->get_pulse_list().size());
    m_pulse_table->setRowCount(static_cast<int>(n));
    for (uint32 i = 0; i < n; ++i)
        build_pulse_row(i);
}

void ui_stdwvform_t::build_pulse_row(uint32 row)
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    if (!m)
        return;
    const std::vector<multi_pulse_item_t> list = m->get_pulse_list();
    if (row >= list.size())
        return;
    QTableWidgetItem *index = new QTableWidgetItem(QString::number(row + 1));
    index->setTextAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    index->setFlags(index->flags() & ~Qt::ItemIsSelectable & ~Qt::ItemIsEditable);
    m_pulse_table->setItem(static_cast<int>(row), 0, index);

    const double values[2] = {list[row].width, list[row].delay};
    for (int col = 1; col <= 2; ++col) {
        ui_dspinbx_frame_t *f = new ui_dspinbx_frame_t(false, 2, true, QString(), false);
        if (col == 2)
            f->setObjectName("pulse_table_item");
        f->set_frame_height(26);
        f->set_unit_width(50);
        f->set_spinbox_width(88);
        f->unit_combx->reset_unit();
        f->set_min_value(*instr_get_min_pulse_time());
        f->set_max_value(*instr_get_max_pulse_time());
        f->dspinbox->setDecimals(3);
        f->set_value(static_cast<float>(values[col - 1]));
        f->set_single_step(m->get_sample_period());
        connect(f, SIGNAL(spinbx_value_changed(double)), this, SLOT(pulse_time_change_slot_func(double)));
        connect(f, SIGNAL(unit_changed()), this, SLOT(spinb_pram_unit_change_slot_func()));
        m_pulse_table->setCellWidget(static_cast<int>(row), col, f);
    }
}

void ui_stdwvform_t::pulse_count_changed(int v)
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    if (!m)
        return;
    connect_frame(m_pulse_num_frame, false);
    m->set_pulse_num(v < 0 ? 0u : static_cast<uint32>(v));
    update_pulse_rows();
    connect_frame(m_pulse_num_frame, true);
}

void ui_stdwvform_t::update_pulse_rows()
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    if (!m)
        return;
    const int n = static_cast<int>(m->get_pulse_list().size());
    const int r = m_pulse_table->rowCount();
    m_pulse_num_frame->set_spinbox_value(n);
    if (r > n) {
        for (int i = r - 1; i >= n; --i)
            m_pulse_table->removeRow(i);
        return;
    }
    m_pulse_table->setRowCount(n);
    for (int i = r; i < n; ++i)
        build_pulse_row(static_cast<uint32>(i));
}

void ui_stdwvform_t::refresh_pulse_times()
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    if (!m)
        return;
    const float p = m->get_sample_period();
    for (ui_dspinbx_frame_t *f : {m_mp_rise_frame, m_mp_fall_frame}) {
        connect_frame(f, false);
        f->set_value(f == m_mp_rise_frame ? m->get_rise_time() : m->get_fall_time());
        f->set_single_step(p);
        connect_frame(f, true);
    }
    const std::vector<multi_pulse_item_t> list = m->get_pulse_list();
    const int rows = std::min<int>(m_pulse_table->rowCount(), static_cast<int>(list.size()));
    for (int n = 0; n < rows; ++n) {
        for (int col = 1; col <= 2; ++col) {
            auto *f = qobject_cast<ui_dspinbx_frame_t *>(m_pulse_table->cellWidget(n, col));
            if (!f)
                continue;
            disconnect(f, SIGNAL(spinbx_value_changed(double)), this, SLOT(pulse_time_change_slot_func(double)));
            f->set_value(static_cast<float>(col == 1 ? list[n].width : list[n].delay));
            f->set_single_step(p);
            connect(f, SIGNAL(spinbx_value_changed(double)), this, SLOT(pulse_time_change_slot_func(double)));
        }
    }
}

void ui_stdwvform_t::mp_time_changed(ui_dspinbx_frame_t *frame, double)
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    if (!m)
        return;
    const float value = static_cast<float>(frame->last_value);
    connect_frame(frame, false);
    if (frame == m_mp_rise_frame) {
        m->set_rise_time(value);
        frame->set_value(m->get_rise_time());
    } else {
        m->set_fall_time(value);
        frame->set_value(m->get_fall_time());
    }
    connect_frame(frame, true);
}

void ui_stdwvform_t::pulse_time_change_slot_func(double x)
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    QObject *s = sender();
    if (!m || !s)
        return;
    for (int row = 0; row < m_pulse_table->rowCount(); ++row) {
        for (int col = 1; col <= 2; ++col) {
            if (m_pulse_table->cellWidget(row, col) != s)
                continue;
            auto *f = static_cast<ui_dspinbx_frame_t *>(s);
            float stored = 0.0f;
            int ok = 0;
            if (col == 1) {
                m->set_pulse_width(static_cast<uint32>(row), static_cast<float>(x));
                ok = m->get_pulse_width(static_cast<uint32>(row), stored);
            } else {
                m->set_pulse_delay(static_cast<uint32>(row), static_cast<float>(x));
                ok = m->get_pulse_delay(static_cast<uint32>(row), stored);
            }
            if (ok != 0) {
                disconnect(f, SIGNAL(spinbx_value_changed(double)), this,
                           SLOT(pulse_time_change_slot_func(double)));
                f->set_value(stored);
                connect(f, SIGNAL(spinbx_value_changed(double)), this,
                        SLOT(pulse_time_change_slot_func(double)));
            }
            return;
        }
    }
}

void ui_stdwvform_t::spinb_pram_unit_change_slot_func()
{
    cfg_if_adwv_multi_pulse_t *m = as_multi_pulse(m_wave);
    QObject *s = sender();
    if (!m || !s)
        return;
    const float p = m->get_sample_period();
    if (s == m_mp_rise_frame || s == m_mp_fall_frame) {
        static_cast<ui_dspinbx_frame_t *>(s)->set_single_step(p);
        return;
    }
    for (int row = 0; row < m_pulse_table->rowCount(); ++row)
        for (int col = 1; col <= 2; ++col)
            if (m_pulse_table->cellWidget(row, col) == s)
                static_cast<ui_dspinbx_frame_t *>(s)->set_single_step(p);
}
