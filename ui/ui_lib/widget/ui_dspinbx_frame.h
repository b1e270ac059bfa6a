#pragma once
#include "ui_frame.h"

class ui_dspinb_t;

// Value-entry frame for real values; reports committed values in base units.
class ui_dspinbx_frame_t : public ui_frame_t
{
    Q_OBJECT
public:
    ui_dspinbx_frame_t(bool is_int, int unit_type, bool with_units, const QString &label,
                       bool no_clamp, QWidget *parent = nullptr);
    ~ui_dspinbx_frame_t() override;

    // Shows a value given in base units in the time prefixes (ns ... ks); values below
    // 1e-12, zero and negatives included, are ignored.
    void set_value(float value);
    void set_single_step(float step);
    void set_frame_height(float height);
    void set_spinbox_width(float width);

    double last_value;
    ui_dspinb_t *dspinbox;

signals:
    void unit_changed();

public slots:
    void spinb_pram_change_slot_func(double value);
    void focus_out_info_slot_func();
    void enter_press_info_slot_func();
    void comb_value_changed_info_slot_func();

private:
    void report();
};
