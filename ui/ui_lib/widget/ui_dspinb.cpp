#include "ui_dspinb.h"

#include <QKeyEvent>
#include <QLineEdit>

ui_dspinb_t::ui_dspinb_t(QWidget *parent) : QDoubleSpinBox(parent), commit(true) {}

void ui_dspinb_t::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        commit = true;
        emit press_enter_info_signal();
        event->accept();
        return;
    }
    // Any key that edits the text (digits, sign, point, deletion) starts an entry that
    // is not yet a value; arrow and page keys step and stay committed.
    if (!event->text().isEmpty() || event->key() == Qt::Key_Backspace ||
        event->key() == Qt::Key_Delete)
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
