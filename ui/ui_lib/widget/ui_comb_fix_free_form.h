#pragma once
#include <QComboBox>

// Choice between a fixed ("Fixed", 0) and a free ("Variable", 1) waveform length.
class ui_comb_fix_free_form_t : public QComboBox
{
    Q_OBJECT
public:
    explicit ui_comb_fix_free_form_t(QWidget *parent = nullptr);
};
