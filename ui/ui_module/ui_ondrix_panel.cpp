// The Control Panel menu and the hidden control-panel dialog behind it.
#include "ui_ondrix.h"

#include "ui_device_detect.h"
#include "ui_panel_form.h"

#include <QAction>
#include <QDebug>
#include <QMenu>
#include <algorithm>
#include <list>
#include <string>

namespace {

// The module's entry: its name, never translated.
const char *const module_name = "MZK1021";

// Whether `text` is the UTF-8 `name`. Resource names are ASCII, compared in place; only
// a name with other bytes is decoded.
bool same_text(const QString &text, const std::string &name)
{
    if (text == QLatin1String(name.data(), static_cast<int>(name.size())))
        return true;
    const bool ascii =
        std::all_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return !ascii && text == QString::fromUtf8(name.data(), static_cast<int>(name.size()));
}

// Whether the menu already holds an entry for each name, in order, then the module's when
// it is present, or else only the unconnected "No Device" entry. Device entries carry
// true as their data.
bool holds_entries(const QMenu *menu, const std::list<std::string> &names, bool module)
{
    const QList<QAction *> actions = menu->actions();
    if (names.empty() && !module)
        return actions.size() == 1 && !actions[0]->data().toBool();
    if (actions.size() != static_cast<int>(names.size()) + (module ? 1 : 0))
        return false;
    int i = 0;
    for (const std::string &name : names) {
        if (!actions[i]->data().toBool() || !same_text(actions[i]->text(), name))
            return false;
        ++i;
    }
    return !module || (actions[i]->data().toBool() && actions[i]->text() == QLatin1String(module_name));
}

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
    const bool module = ui_device_detected() == 1;
    // A change that leaves the list as it was (a burst of messages, a device the search
    // does not list) keeps the entries: making them is most of a rebuild's cost.
    if (holds_entries(menu, names, module))
        return;
    // The entries belong to the menu, so the clear deletes them with it.
    menu->clear();
    const auto add_device_entry = [this, menu](const QString &text) {
        auto *action = new QAction(text, menu);
        action->setData(true);
        connect(action, SIGNAL(triggered()), this, SLOT(mbar_panel_slot_func()));
        menu->addAction(action);
    };
    for (const std::string &name : names)
        add_device_entry(QString::fromUtf8(name.c_str()));
    if (module)
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
