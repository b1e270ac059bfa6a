#include "ui_control_panel.h"

#include "ui_menu_bar.h"
#include "ui_parameter_widget.h"
#include "ui_status_widget.h"
#include "ui_ui_control_panel.h"
#include "ui_waveform_widget.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

ui_control_panel_t::ui_control_panel_t(QWidget *parent)
    : QWidget(parent), m_form(new Ui_ui_control_panel_t), m_container(nullptr), m_waveform(nullptr),
      m_status(nullptr), m_parameter(nullptr), m_menu_bar(nullptr)
{
    m_form->setupUi(this);
    for (const char *channel : {"CH1", "CH2"}) {
        auto *page = new QWidget();
        init_channel_page(page);
        m_form->channel_tab->addTab(page, channel);
    }
}

ui_control_panel_t::~ui_control_panel_t() { delete m_form; }

QTabWidget *ui_control_panel_t::channel_tab() const { return m_form->channel_tab; }

void ui_control_panel_t::init_channel_page(QWidget *page)
{
    m_container = new QWidget(page);
    m_container->setFixedSize(760, 250);
    auto *areas = new QHBoxLayout(m_container);
    areas->setAlignment(Qt::AlignCenter);
    areas->setContentsMargins(0, 0, 0, 0);
    m_waveform = new ui_waveform_widget_t(m_container, 235, 220);
    m_status = new ui_status_widget_t(m_container, 130, 220);
    m_parameter = new ui_parameter_widget_t(m_container, 370, 220);
    areas->addWidget(m_waveform);
    areas->addWidget(m_status);
    areas->addWidget(m_parameter);

    m_menu_bar = new ui_menu_bar_t(page, 600, 40);
    for (const char *name : {"Waveform", "Modulation", "Sweep", "Burst", "Utility"})
        m_menu_bar->add_menu_item(name);
    m_menu_bar->create_menu_buttons();

    auto *rows = new QVBoxLayout();
    rows->addWidget(m_container, 0, Qt::AlignHCenter);
    rows->addWidget(m_menu_bar, 0, Qt::AlignHCenter);
    page->setLayout(rows);
}
