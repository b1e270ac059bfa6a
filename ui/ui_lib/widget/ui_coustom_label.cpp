#include "ui_coustom_label.h"

ui_coustom_label_t::ui_coustom_label_t(QWidget *parent, Qt::WindowFlags flags)
    : QLabel(parent, flags)
{
    setObjectName("normal_label");
}

ui_coustom_label_t::ui_coustom_label_t(const QString &text, QWidget *parent,
                                       Qt::WindowFlags flags)
    : QLabel(text, parent, flags)
{
    setObjectName("normal_label");
}
