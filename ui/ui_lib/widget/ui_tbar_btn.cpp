#include "ui_tbar_btn.h"

#include "ui_restyle.h"

ui_tbar_btn_t::ui_tbar_btn_t(const QIcon &normal, const QIcon &grey, bool enabled)
    : QPushButton(nullptr), btn_enabled(true), normal_icon(normal), grey_icon(grey)
{
    set_btn_enable(enabled);
}

ui_tbar_btn_t::ui_tbar_btn_t(QWidget *parent) : QPushButton(parent), btn_enabled(true) {}

ui_tbar_btn_t::ui_tbar_btn_t(const QString &text, QWidget *parent)
    : QPushButton(text, parent), btn_enabled(true)
{
}

ui_tbar_btn_t::ui_tbar_btn_t(const QIcon &icon, const QString &text, QWidget *parent)
    : QPushButton(icon, text, parent), btn_enabled(true)
{
}

void ui_tbar_btn_t::set_btn_enable(bool enabled)
{
    btn_enabled = enabled;
    setObjectName(enabled ? "TBarBtnStyle" : "TBarBtnGreyStyle");
    setIcon(enabled ? normal_icon : grey_icon);
    ui_restyle(this);
}

void ui_tbar_btn_t::mousePressEvent(QMouseEvent *event)
{
    if (btn_enabled)
        QPushButton::mousePressEvent(event);
}
