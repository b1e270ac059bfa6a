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
    // Stores the unit type; the items stay those the box was built with.
    void set_unit_type(int type) { unit_type = type; }
    // Stores the prefix and announces it, leaving the selected item alone.
    void set_unit_prefix(int prefix);
    // The prefix of an item of the unit type, stored without a signal; false (nothing
    // stored) for an index outside the list.
    bool set_unit_index(int index);

    int unit_type;
    // The prefix in force (ui_unit_prefix_t); the value frames read it directly.
    int unit_prefix;

signals:
    void value_changed_info_signal();
    void unit_type_changed();

public slots:
    void unit_comb_slot_func(int index);
};
