#include "ui_custom_dock_widget.h"

ui_custom_dock_widget_t::ui_custom_dock_widget_t(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
}

QSize ui_custom_dock_widget_t::sizeHint() const
{
    return QSize(170, 800);
}
