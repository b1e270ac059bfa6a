#include "ui_comb_fix_free_form.h"

#include <QStyledItemDelegate>

ui_comb_fix_free_form_t::ui_comb_fix_free_form_t(QWidget *parent) : QComboBox(parent)
{
    addItem(tr("Fixed"));
    addItem(tr("Variable"));
    setCurrentIndex(0);
    setItemDelegate(new QStyledItemDelegate(this));
    setObjectName("normal_comb");
}
