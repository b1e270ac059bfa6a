#pragma once
#include "lib_types.h"
#include "ui_frame.h"

class ui_spinb_t;

// Value-entry frame for whole numbers (point counts, indices); reports the exact integer.
class ui_spinbx_frame_t : public ui_frame_t
{
    Q_OBJECT
public:
    ui_spinbx_frame_t(bool is_int, int unit_type, bool with_units, const QString &label,
                      bool no_clamp, QWidget *parent = nullptr);
    ~ui_spinbx_frame_t() override;

    // Shows a value given in base units in the prefix in force; a shown value that
    // truncates to 0 leaves the spin box as it is.
    void set_value(int value);
    void set_frame_height(float height);

    int last_value;
    ui_spinb_t *spinbox_int;

public slots:
    void spinb_pram_change_slot_func(int value);
    void focus_out_info_slot_func();
    void enter_press_info_slot_func();
    void comb_value_changed_info_slot_func();

private:
    void report();
};
