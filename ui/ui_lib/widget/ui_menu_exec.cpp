#include "ui_menu_exec.h"

#include <QAction>
#include <QMenu>

namespace {

ui_menu_exec_hook_t &exec_hook()
{
    static ui_menu_exec_hook_t hook;
    return hook;
}

} // namespace

void ui_set_menu_exec_hook(ui_menu_exec_hook_t hook) { exec_hook() = std::move(hook); }

QAction *ui_exec_menu(QMenu &menu, const QPoint &pos)
{
    if (!exec_hook())
        return menu.exec(pos);
    QAction *chosen = exec_hook()(menu);
    // Only what the user could have clicked: an entry of this menu that is enabled.
    if (!chosen || !menu.actions().contains(chosen) || !chosen->isEnabled())
        return nullptr;
    chosen->trigger();
    return chosen;
}
