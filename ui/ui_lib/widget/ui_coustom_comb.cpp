#include "ui_coustom_comb.h"

#include <QStyledItemDelegate>

ui_coustom_comb_t::ui_coustom_comb_t(QWidget *parent) : QComboBox(parent)
{
    setItemDelegate(new QStyledItemDelegate(this));
    setObjectName("normal_comb");
}
