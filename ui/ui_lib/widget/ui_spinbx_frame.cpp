#include "ui_spinbx_frame.h"

#include "lib_sample_conv.h"
#include "ui_combx.h"
#include "ui_spinb.h"

#include <cmath>
#include <algorithm>
#include <limits>

namespace {

// Base value to int, truncated toward zero and saturated: counts reach tens of millions
// and must arrive exactly, never through a float.
int base_to_int(double v)
{
    return lib_to_int_sat(v);
}

} // namespace

ui_spinbx_frame_t::ui_spinbx_frame_t(bool, int unit_type, bool with_units,
                                     const QString &label, bool no_clamp, QWidget *parent)
    : ui_frame_t(true, unit_type, with_units, label, no_clamp, parent), last_value(0),
      spinbox_int(static_cast<ui_spinb_t *>(spinbox))
{
    spinbox_int->setRange(-2147483647, 2147483647);
    min_value = -2147483647.0;
    max_value = 2147483647.0;
    build_layout();

    connect(spinbox_int, SIGNAL(focus_out_info_signal()), this,
            SLOT(focus_out_info_slot_func()));
    connect(spinbox_int, SIGNAL(valueChanged(int)), this, SLOT(spinb_pram_change_slot_func(int)));
    connect(spinbox_int, SIGNAL(press_enter_info_signal()), this,
            SLOT(enter_press_info_slot_func()));
    connect(unit_combx, SIGNAL(value_changed_info_signal()), this,
            SLOT(comb_value_changed_info_slot_func()));
}

ui_spinbx_frame_t::~ui_spinbx_frame_t() = default;

void ui_spinbx_frame_t::report()
{
    clamp();
    last_value = base_to_int(get_value());
    emit spinbx_value_changed(last_value);
}

void ui_spinbx_frame_t::spinb_pram_change_slot_func(int value)
{
    // Auto-range and clamp set the spin box again; their changes must not re-enter here.
    disconnect(spinbox_int, SIGNAL(valueChanged(int)), this,
               SLOT(spinb_pram_change_slot_func(int)));
    // A value still being typed keeps its prefix: moving it now would garble the entry.
    if (spinbox_int->commit) {
        auto_range(value);
        report();
    }
    spinbox_int->commit = true;
    connect(spinbox_int, SIGNAL(valueChanged(int)), this, SLOT(spinb_pram_change_slot_func(int)));
}

void ui_spinbx_frame_t::focus_out_info_slot_func()
{
    auto_range(get_spinbox_value());
    report();
}

void ui_spinbx_frame_t::enter_press_info_slot_func()
{
    auto_range(get_spinbox_value());
    report();
}

void ui_spinbx_frame_t::comb_value_changed_info_slot_func()
{
    report();
}

void ui_spinbx_frame_t::set_value(int value)
{
    double shown = ui_unit_scale(value, UI_PREFIX_NONE - unit_combx->unit_prefix);
    int v = base_to_int(shown);
    if (v == 0)
        return;
    spinbox_int->setValue(v);
}

void ui_spinbx_frame_t::set_frame_height(float height)
{
    set_parts_height(std::max(0, lib_to_int_sat(height)));
}
