#pragma once
#include <QKeyEvent>

// Key rules of the committed-entry spin boxes, shared by the integer and the decimal one.
inline bool ui_spin_key_commits(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Any key that edits the text (digits, sign, point, deletion) starts an entry that is not
// yet a value; arrow and page keys step and stay committed.
inline bool ui_spin_key_edits(const QKeyEvent *event)
{
    return !event->text().isEmpty() || event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
}
