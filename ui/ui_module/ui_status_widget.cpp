#include "ui_status_widget.h"

#include "ui_titled_area.h"

#include <QLabel>
#include <QVBoxLayout>

ui_status_widget_t::ui_status_widget_t(QWidget *parent, int width, int height)
    : QWidget(parent), m_title(nullptr), m_area(nullptr)
{
    ui_build_titled_area(this, "Status", width, height, m_title, m_area);
    auto *layout = new QVBoxLayout(m_area);
    for (const char *text : {"Mod", "Sweep", "Burst", "All off", "Output"})
        layout->addWidget(new QLabel(text, m_area));
}
