#pragma once
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QWidget>

// A dialog's child of type T whose text (or, for group boxes, title) is `text`; null when
// there is none.
template <typename T>
T *child_with_text(QWidget *w, const QString &text)
{
    for (T *c : w->findChildren<T *>())
        if (c->text() == text)
            return c;
    return nullptr;
}

inline QPushButton *button(QWidget *w, const QString &text) { return child_with_text<QPushButton>(w, text); }
inline QRadioButton *radio(QWidget *w, const QString &text) { return child_with_text<QRadioButton>(w, text); }
inline QCheckBox *check(QWidget *w, const QString &text) { return child_with_text<QCheckBox>(w, text); }

inline QGroupBox *group(QWidget *w, const QString &title)
{
    for (QGroupBox *g : w->findChildren<QGroupBox *>())
        if (g->title() == title)
            return g;
    return nullptr;
}
