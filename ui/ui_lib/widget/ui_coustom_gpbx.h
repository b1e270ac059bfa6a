#pragma once
#include <QGroupBox>

// Group box of dialog contents ("normal_gpbx").
class ui_coustom_gpbx_t : public QGroupBox
{
    Q_OBJECT
public:
    explicit ui_coustom_gpbx_t(QWidget *parent = nullptr);
    ui_coustom_gpbx_t(const QString &title, QWidget *parent = nullptr);
};
