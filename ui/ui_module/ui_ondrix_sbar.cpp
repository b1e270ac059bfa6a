#include "ui_ondrix_sbar.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

ui_ondrix_sbar_t::ui_ondrix_sbar_t(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    setFixedHeight(20);
    m_status_edit = new QLineEdit(tr("Current Status: Idle"), this);
    m_scope_edit = new QLineEdit(tr("Oscilloscope: unavailable"), this);
    m_awg_edit = new QLineEdit(tr("AWG: unavailable"), this);
    m_spare_edit = new QLineEdit(QString(), this);
    for (QLabel *&line : m_vlines) {
        line = new QLabel(this);
        line->setFixedWidth(2);
        line->setObjectName("vline_label");
    }
    for (QLineEdit *e : {m_status_edit, m_scope_edit, m_awg_edit, m_spare_edit}) {
        e->setEnabled(false);
        e->setFocusPolicy(Qt::NoFocus);
        e->setObjectName("ondrx_sbar_lineedit");
    }
    m_status_edit->setMaximumWidth(150);
    m_scope_edit->setMaximumWidth(250);
    m_awg_edit->setMaximumWidth(250);

    auto *grid = new QGridLayout(this);
    grid->setMargin(0);
    grid->setHorizontalSpacing(0);
    grid->setVerticalSpacing(0);
    grid->setContentsMargins(0, 0, 0, 0);
    QWidget *row[] = {m_status_edit, m_vlines[0], m_scope_edit, m_vlines[1], m_awg_edit, m_vlines[2], m_spare_edit};
    for (int column = 0; column < 7; ++column)
        grid->addWidget(row[column], 0, column);
}

ui_ondrix_sbar_t::~ui_ondrix_sbar_t() = default;

void ui_ondrix_sbar_t::update_cur_status(bool normal)
{
    m_status_edit->setText(normal ? tr("Current Status: Normal") : tr("Current Status: Idle"));
}

void ui_ondrix_sbar_t::update_scope_status(int num)
{
    m_scope_edit->setText(num >= 1 ? tr("Oscilloscope: available") + "(" + QString::number(num) + ")"
                                   : tr("Oscilloscope: unavailable"));
}

void ui_ondrix_sbar_t::update_arb_status(int num)
{
    m_awg_edit->setText(num >= 1 ? tr("AWG: available") + "(" + QString::number(num) + ")" : tr("AWG: unavailable"));
}
