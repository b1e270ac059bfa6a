#pragma once
#include <QFont>
#include <QRect>
#include <QWidget>

// Creates a child widget the way a designer form places it: named, at a fixed geometry,
// in the form's font.
template <class W>
W *ui_form_place(QWidget *parent, const char *name, const QRect &geometry, const QFont &font)
{
    W *widget = new W(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    widget->setFont(font);
    return widget;
}
