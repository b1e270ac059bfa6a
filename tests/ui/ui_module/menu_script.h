#pragma once
#include "ui_menu_exec.h"

#include <QAction>
#include <QMenu>
#include <QStringList>
#include <deque>

// Chooses context-menu entries by text from a queue (an empty text, or an empty queue,
// dismisses the menu) and records what each menu offered, for as long as it lives.
struct menu_script_t
{
    std::deque<QString> picks;
    QList<QStringList> shown;
    QStringList names;
    menu_script_t()
    {
        ui_set_menu_exec_hook([this](QMenu &menu) -> QAction * {
            QStringList entries;
            for (QAction *a : menu.actions())
                if (!a->isSeparator())
                    entries << a->text();
            shown << entries;
            names << menu.objectName();
            if (picks.empty())
                return nullptr;
            const QString pick = picks.front();
            picks.pop_front();
            for (QAction *a : menu.actions())
                if (a->text() == pick)
                    return a;
            return nullptr;
        });
    }
    ~menu_script_t() { ui_set_menu_exec_hook(nullptr); }
    menu_script_t(const menu_script_t &) = delete;
    menu_script_t &operator=(const menu_script_t &) = delete;
};
