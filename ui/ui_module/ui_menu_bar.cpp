#include "ui_menu_bar.h"

#include <QHBoxLayout>
#include <QPushButton>

ui_menu_bar_t::ui_menu_bar_t(QWidget *parent, int width, int height) : QWidget(parent), m_height(height)
{
    setFixedSize(width, height);
}

void ui_menu_bar_t::add_menu_item(const QString &name) { m_names.append(name); }

void ui_menu_bar_t::create_menu_buttons()
{
    auto *layout = new QHBoxLayout();
    for (const QString &name : m_names) {
        auto *button = new QPushButton(name, this);
        button->setMaximumHeight(m_height);
        button->setObjectName("menu_button");
        layout->addWidget(button);
        m_buttons.append(button);
    }
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    setLayout(layout);
}
