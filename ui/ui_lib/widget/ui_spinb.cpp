#include "ui_spinb.h"

#include <QKeyEvent>
#include <QLineEdit>

ui_spinb_t::ui_spinb_t(QWidget *parent) : QSpinBox(parent), commit(true)
{
    setLineEdit(new QLineEdit(text(), this));
}

void ui_spinb_t::keyPressEvent(QKeyEvent *event)
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
