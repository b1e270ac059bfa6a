#pragma once
#include <QColor>
#include <QString>

#include <functional>

class QWidget;

// The colour question of the dialogs, replaceable so a headless run never blocks in the
// modal colour dialog. An invalid colour means the user cancelled.
typedef std::function<QColor(const QColor &initial, QWidget *parent, const QString &title)>
    ui_color_picker_fn_t;

QColor ui_pick_color(const QColor &initial, QWidget *parent, const QString &title);

// Installs a replacement; an empty function brings the standard colour dialog back.
void ui_set_color_picker(ui_color_picker_fn_t picker);
