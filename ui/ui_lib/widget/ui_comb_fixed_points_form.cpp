#include "ui_comb_fixed_points_form.h"

#include "ui_meta_types.h"

#include <QStyledItemDelegate>

namespace {

const int32 k_points[] = {16384, 32768, 524288};

} // namespace

ui_comb_fixed_points_form_t::ui_comb_fixed_points_form_t(QWidget *parent) : QComboBox(parent)
{
    ui_register_meta_types();
    addItem(tr("16384 (16k)"));
    addItem(tr("32768 (32k)"));
    addItem(tr("524288 (512k)"));
    setCurrentIndex(0);
    // The style sheet's item rules reach the list only through a styled delegate.
    setItemDelegate(new QStyledItemDelegate(this));
    setObjectName("normal_comb");
    connect(this, SIGNAL(activated(int)), this, SLOT(comb_data_change_slot_func(int)));
}

int32 ui_comb_fixed_points_form_t::points_of(int index)
{
    if (index < 0 || index >= int(sizeof k_points / sizeof k_points[0]))
        return 0;
    return k_points[index];
}

void ui_comb_fixed_points_form_t::comb_data_change_slot_func(int index)
{
    emit comb_data_change_info_signal(points_of(index));
}
