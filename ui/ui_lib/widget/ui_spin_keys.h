#pragma once
#include <QKeyEvent>

// Key rules of the committed-entry spin boxes, shared by the integer and the decimal one.
inline bool ui_spin_key_commits(const QKeyEvent *event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

// Only a key that edits the number (digit, sign, decimal point, exponent letter, deletion)
// starts an entry that is not yet a value. Escape, Space, arrows and shortcuts leave the
// shown value as it is, so the next step must still be reported.
inline bool ui_spin_key_edits(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)
        return true;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event->text();
    if (text.size() != 1)
        return false;
    const QChar c = text.at(0);
    return c.isDigit() || QStringLiteral("+-.,eE").contains(c);
}
