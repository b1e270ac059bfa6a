#include "ui_dspinb.h"

#include "ui_spin_keys.h"

#include <QLineEdit>

ui_dspinb_t::ui_dspinb_t(QWidget *parent) : QDoubleSpinBox(parent), commit(true) {}

void ui_dspinb_t::keyPressEvent(QKeyEvent *event)
{
    if (ui_spin_key_commits(event)) {
        commit = true;
        emit press_enter_info_signal();
        event->accept();
        return;
    }
    if (ui_spin_key_edits(event))
        commit = false;
    QDoubleSpinBox::keyPressEvent(event);
}

void ui_dspinb_t::focusInEvent(QFocusEvent *event)
{
    emit focus_in_info_signal();
    QDoubleSpinBox::focusInEvent(event);
}

void ui_dspinb_t::focusOutEvent(QFocusEvent *event)
{
    commit = true;
    emit focus_out_info_signal();
    QDoubleSpinBox::focusOutEvent(event);
}

void ui_dspinb_t::stepBy(int steps)
{
    QDoubleSpinBox::stepBy(steps);
    lineEdit()->deselect();
}
