#include "ui_parameter_widget.h"

#include "ui_titled_area.h"

ui_parameter_widget_t::ui_parameter_widget_t(QWidget *parent, int width, int height)
    : QWidget(parent), m_title(nullptr), m_area(nullptr)
{
    ui_build_titled_area(this, "Parameter", width, height, m_title, m_area);
}
