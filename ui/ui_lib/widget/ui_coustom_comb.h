#pragma once
#include <QComboBox>

// Combo box of dialog contents ("normal_comb"), list items drawn by a styled delegate.
class ui_coustom_comb_t : public QComboBox
{
    Q_OBJECT
public:
    explicit ui_coustom_comb_t(QWidget *parent = nullptr);
};
