#include "ui_panel_form.h"

#include "drv_device_comm.h"
#include "ui_app_paths.h"
#include "ui_control_panel.h"
#include "ui_device_button.h"
#include "ui_ui_panel_form.h"

#include <QDebug>
#include <QHBoxLayout>
#include <iterator>

ui_panel_form_t::ui_panel_form_t(QWidget *parent) : QDialog(parent), m_form(new Ui_ui_panel_form_t)
{
    ui_init_resources();
    m_form->setupUi(this);
    m_device_layout = new QHBoxLayout();
    m_device_layout->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_device_layout->setContentsMargins(20, 10, 20, 0);
    // On the scroll area itself: its content widget stays empty.
    m_form->device_list->setLayout(m_device_layout);
}

ui_panel_form_t::~ui_panel_form_t() { delete m_form; }

void ui_panel_form_t::add_device(const QString &name)
{
    if (m_device_map.contains(name))
        return;
    auto *page = new ui_control_panel_t(m_form->control_area);
    m_device_map.insert(name, page);
    m_form->control_area->addWidget(page);
    auto *button = new ui_device_button_t(name, m_form->device_list);
    connect(button, SIGNAL(selected(QString)), this, SLOT(open_panel(QString)));
    m_device_layout->addWidget(button);
}

void ui_panel_form_t::open_panel(QString dev_name)
{
    ui_control_panel_t *page = m_device_map.value(dev_name, nullptr);
    if (!page) {
        qDebug().noquote() << "No matching device named " + dev_name;
        return;
    }
    m_form->control_area->setCurrentWidget(page);
}

QWidget *ui_panel_form_t::current_page() const { return m_form->control_area->currentWidget(); }

std::list<std::string> ui_panel_form_t::get_device_names()
{
    // A failed search appends nothing, so its result code needs no look.
    std::vector<std::string> found;
    drv_device_comm_t::get_instance()->find_usb_resources(found);
    return std::list<std::string>(std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
}
