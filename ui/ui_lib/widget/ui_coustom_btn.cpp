#include "ui_coustom_btn.h"

ui_coustom_btn_t::ui_coustom_btn_t(QWidget *parent) : QPushButton(parent)
{
    setObjectName("normal_button");
}

ui_coustom_btn_t::ui_coustom_btn_t(const QString &text, QWidget *parent)
    : QPushButton(text, parent)
{
    setObjectName("normal_button");
}

ui_coustom_btn_t::ui_coustom_btn_t(const QIcon &icon, const QString &text, QWidget *parent)
    : QPushButton(icon, text, parent)
{
    setObjectName("normal_button");
}
