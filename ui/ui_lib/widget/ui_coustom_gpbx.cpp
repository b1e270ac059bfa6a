#include "ui_coustom_gpbx.h"

ui_coustom_gpbx_t::ui_coustom_gpbx_t(QWidget *parent) : QGroupBox(parent)
{
    setObjectName("normal_gpbx");
}

ui_coustom_gpbx_t::ui_coustom_gpbx_t(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{
    setObjectName("normal_gpbx");
}
