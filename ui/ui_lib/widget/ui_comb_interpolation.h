#pragma once
#include <QComboBox>

// Curve interpolation choice of the display properties: "Linear" (0), "0-order hold" (1).
class ui_comb_interpolation_t : public QComboBox
{
    Q_OBJECT
public:
    // The parent is not passed on: the dialog's layout adopts the combo.
    explicit ui_comb_interpolation_t(QWidget *parent = nullptr);

    void set_index(int index);
};
