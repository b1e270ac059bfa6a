#include "ui_color_picker.h"

#include <QColorDialog>

namespace {

ui_color_picker_fn_t &picker_fn()
{
    static ui_color_picker_fn_t fn;
    return fn;
}

} // namespace

QColor ui_pick_color(const QColor &initial, QWidget *parent, const QString &title)
{
    if (picker_fn())
        return picker_fn()(initial, parent, title);
    return QColorDialog::getColor(initial, parent, title);
}

void ui_set_color_picker(ui_color_picker_fn_t picker)
{
    picker_fn() = std::move(picker);
}
