#include "ui_spinb.h"

#include "ui_spin_keys.h"

#include <QLineEdit>

ui_spinb_t::ui_spinb_t(QWidget *parent) : QSpinBox(parent), commit(true)
{
    setLineEdit(new QLineEdit(text(), this));
}

void ui_spinb_t::keyPressEvent(QKeyEvent *event)
{
    if (ui_spin_key_commits(event)) {
        commit = true;
        emit press_enter_info_signal();
        event->accept();
        return;
    }
    if (ui_spin_key_edits(event))
        commit = false;
    QSpinBox::keyPressEvent(event);
}

void ui_spinb_t::focusInEvent(QFocusEvent *event)
{
    emit focus_in_info_signal();
    QSpinBox::focusInEvent(event);
}

void ui_spinb_t::focusOutEvent(QFocusEvent *event)
{
    commit = true;
    emit focus_out_info_signal();
    QSpinBox::focusOutEvent(event);
}

void ui_spinb_t::stepBy(int steps)
{
    QSpinBox::stepBy(steps);
    lineEdit()->deselect();
}
