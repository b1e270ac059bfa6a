#pragma once
#include <QRadioButton>

// Radio button of dialog contents ("normal_rdbtn").
class ui_coustom_rdbtn_t : public QRadioButton
{
    Q_OBJECT
public:
    explicit ui_coustom_rdbtn_t(QWidget *parent = nullptr);
    ui_coustom_rdbtn_t(const QString &text, QWidget *parent = nullptr);
};
