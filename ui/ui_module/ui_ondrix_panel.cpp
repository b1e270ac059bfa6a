// The Control Panel menu and the hidden control-panel dialog behind it.
#include "ui_ondrix.h"

#include "ui_device_detect.h"
#include "ui_panel_form.h"

#include <QAction>
#include <QDebug>
#include <QMenu>

namespace {

// The module's entry: its name, never translated.
const char *const module_name = "MZK1021";

} // namespace

void ui_ondrix_t::init_panel_form()
{
    m_panel_form = new ui_panel_form_t(this);
    m_panel_form->hide();
}

void ui_ondrix_t::update_panel_menu()
{
    QMenu *menu = commands.panel_menu;
    // Entries must not vanish under the pointer: the next device change rebuilds them.
    if (!menu || menu->isVisible())
        return;
    const std::list<std::string> names = ui_panel_form_t::get_device_names();
    // The entries belong to the menu, so the clear deletes them with it.
    menu->clear();
    const auto add_device_entry = [this, menu](const QString &text) {
        auto *action = new QAction(text, menu);
        connect(action, SIGNAL(triggered()), this, SLOT(mbar_panel_slot_func()));
        menu->addAction(action);
    };
    for (const std::string &name : names)
        add_device_entry(QString::fromUtf8(name.c_str()));
    if (ui_device_detected() == 1)
        add_device_entry(module_name);
    else if (names.empty())
        menu->addAction(tr("No Device"));
}

void ui_ondrix_t::mbar_panel_slot_func()
{
    auto *entry = qobject_cast<QAction *>(sender());
    if (!entry || !m_panel_form)
        return;
    const QString text = entry->text();
    m_panel_form->add_device(text);
    m_panel_form->open_panel(text);
    if (!m_panel_form->isVisible())
        m_panel_form->show();
    if (text.contains("MZK"))
        qDebug().noquote() << "MZK1021 detected!";
}
