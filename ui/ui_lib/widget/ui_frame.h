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
    bool spinbox_commit() const;
    void set_spinbox_commit(bool commit);
    // One prefix step toward a shown value between 1 and 1000.
    void auto_range(double shown);
    // Brings the committed value inside the limits, in the prefix the limit shows best in.
    void clamp();
};
