#include "ui_xt_scale_draw.h"

QwtText ui_xt_scale_draw_t::label(double value) const
{
    QwtText label(QString::number(value / 10.0, 'g', 6), QwtText::AutoText);
    label.setColor(QColor(255, 255, 255, 255));
    return label;
}
