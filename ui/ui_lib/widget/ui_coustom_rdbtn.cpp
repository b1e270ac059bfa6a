#include "ui_coustom_rdbtn.h"

ui_coustom_rdbtn_t::ui_coustom_rdbtn_t(QWidget *parent) : QRadioButton(parent)
{
    setObjectName("normal_rdbtn");
}

ui_coustom_rdbtn_t::ui_coustom_rdbtn_t(const QString &text, QWidget *parent)
    : QRadioButton(text, parent)
{
    setObjectName("normal_rdbtn");
}
