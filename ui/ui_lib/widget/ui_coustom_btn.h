#pragma once
#include <QPushButton>

// Push button of dialog contents ("normal_button").
class ui_coustom_btn_t : public QPushButton
{
    Q_OBJECT
public:
    explicit ui_coustom_btn_t(QWidget *parent = nullptr);
    ui_coustom_btn_t(const QString &text, QWidget *parent = nullptr);
    ui_coustom_btn_t(const QIcon &icon, const QString &text, QWidget *parent = nullptr);
};
