#pragma once
#include "ui_unit.h"

#include <QFrame>

class QAbstractSpinBox;
class QLabel;
class ui_combx_t;

// A caption, a spin box and a unit selector in a row, with limits in base units. A value
// is reported (clamped, in base units) only once it is committed.
class ui_frame_t : public QFrame
{
    Q_OBJECT
public:
    ui_frame_t(bool is_int, int unit_type, bool with_units, const QString &label,
               bool no_clamp, QWidget *parent = nullptr);

    void set_max_value(const double &limit);
    void set_min_value(const double &limit);
    // Spin box value in base units.
    double get_value() const;
    double get_spinbox_value() const;
    // An integer spin box gets the value truncated toward zero (saturated to its range).
    void set_spinbox_value(double shown);
    // A shown value in a prefix, in base units; the prefix applies only with units.
    double to_base_value(double shown, int prefix) const;

    int get_unit_type() const { return unit_type; }
    // Stores the unit type; the selector keeps the items it was built with.
    void set_unit_type(int type) { unit_type = type; }
    bool get_with_units() const { return with_units; }
    bool get_is_int() const { return is_int; }
    double get_max_value() const { return max_value; }
    double get_min_value() const { return min_value; }
    // Enables or disables the spin box and the unit selector together.
    void set_frame_enabled(bool enabled);
    void set_unit_width(float width);

    // A shown value and its prefix kept aside, to be put back by restore_value.
    void set_saved_value(double shown, int prefix);
    ui_unit_choice_t get_saved_value() const { return {saved_value, saved_prefix}; }
    void restore_value();
    // What a commit would show now, clamped to the limits, stored as the saved pair;
    // the widgets are left as they are.
    void save_clamped_value();

    static ui_unit_choice_t choose_unit(double v, int first, int last);

    QAbstractSpinBox *spinbox;
    ui_combx_t *unit_combx;
    QLabel *label;
    QFrame *filler;
    bool no_clamp;
    int unit_type;
    bool with_units;
    double max_value;
    double min_value;
    bool is_int;
    double saved_value;
    int saved_prefix;

signals:
    void focus_out_info_signal(int value);
    void focus_out_info_signal(double value);
    void spinbx_value_changed(int value);
    void spinbx_value_changed(double value);

protected:
    // Shared set-up of both frames: names, sizes and the row layout.
    void build_layout();
    void set_parts_height(int height);
    // One prefix step toward a shown value between 1 and 1000.
    void auto_range(double shown);
    // Brings the committed value inside the limits, in the prefix the limit shows best in.
    void clamp();

private:
    // The shown value and prefix of the current value once clamped; false when it is
    // already inside the limits (or clamping is off).
    bool clamped_choice(ui_unit_choice_t &shown) const;
};
