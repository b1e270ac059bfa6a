#pragma once
#include "lib_types.h"

#include <QComboBox>

// Choice of a fixed waveform length: 16k, 32k or 512k points.
class ui_comb_fixed_points_form_t : public QComboBox
{
    Q_OBJECT
public:
    explicit ui_comb_fixed_points_form_t(QWidget *parent = nullptr);

    // The point count of an item; 0 for an index outside the list.
    static int32 points_of(int index);

signals:
    void comb_data_change_info_signal(int32 data);

public slots:
    void comb_data_change_slot_func(int index);
};
