#include "ui_waveform_widget.h"

#include "ui_titled_area.h"

ui_waveform_widget_t::ui_waveform_widget_t(QWidget *parent, int width, int height)
    : QWidget(parent), m_title(nullptr), m_area(nullptr)
{
    ui_build_titled_area(this, "Waveform", width, height, m_title, m_area);
}
