#pragma once
#include <QComboBox>

// Unit selector beside a value entry: one item per SI prefix of its unit type.
class ui_combx_t : public QComboBox
{
    Q_OBJECT
public:
    ui_combx_t(int unit_type, QWidget *parent = nullptr);

    void init_unit_items();
    void set_unit(int prefix);
    void reset_unit();
    int get_unit() const { return unit_prefix; }
    int get_unit_type() const { return unit_type; }

    int unit_type;
    // The prefix in force (ui_unit_prefix_t); the value frames read it directly.
    int unit_prefix;

signals:
    void value_changed_info_signal();
    void unit_type_changed();

public slots:
    void unit_comb_slot_func(int index);
};
