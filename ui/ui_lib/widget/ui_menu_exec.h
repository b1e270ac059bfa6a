#pragma once
#include <QPoint>
#include <functional>

class QAction;
class QMenu;

// Picks an entry of a built context menu in place of the user: it gets the menu (not
// shown) and returns the entry to choose, or null to dismiss it.
typedef std::function<QAction *(QMenu &menu)> ui_menu_exec_hook_t;

// Runs a context menu at a global position until the user picks an entry or dismisses
// it; returns the entry picked (already triggered) or null.
QAction *ui_exec_menu(QMenu &menu, const QPoint &pos);

// Tests only: an installed hook chooses for every menu run through ui_exec_menu; an empty
// one shows the menus again. The program itself never installs one.
void ui_set_menu_exec_hook(ui_menu_exec_hook_t hook);
