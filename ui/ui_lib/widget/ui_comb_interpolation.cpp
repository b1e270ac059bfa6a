#include "ui_comb_interpolation.h"

#include <QStyledItemDelegate>

ui_comb_interpolation_t::ui_comb_interpolation_t(QWidget *) : QComboBox(nullptr)
{
    addItem(tr("Linear"), 0);
    addItem(tr("0-order hold"), 1);
    setCurrentIndex(0);
    setItemDelegate(new QStyledItemDelegate(this));
    setObjectName("normal_comb");
}

void ui_comb_interpolation_t::set_index(int index)
{
    setCurrentIndex(index);
}
