#include "ui_dspinbx_frame.h"

#include "lib_sample_conv.h"
#include "ui_combx.h"
#include "ui_dspinb.h"

#include <algorithm>
#include <limits>

ui_dspinbx_frame_t::ui_dspinbx_frame_t(bool, int unit_type, bool with_units,
                                       const QString &label, bool no_clamp, QWidget *parent)
    : ui_frame_t(false, unit_type, with_units, label, no_clamp, parent), last_value(0.0),
      dspinbox(static_cast<ui_dspinb_t *>(spinbox))
{
    dspinbox->setRange(-1e13, 1e13);
    dspinbox->setDecimals(6);
    min_value = -1e13;
    max_value = 1e13;
    build_layout();

    connect(dspinbox, SIGNAL(focus_out_info_signal()), this, SLOT(focus_out_info_slot_func()));
    connect(dspinbox, SIGNAL(valueChanged(double)), this,
            SLOT(spinb_pram_change_slot_func(double)));
    connect(dspinbox, SIGNAL(press_enter_info_signal()), this,
            SLOT(enter_press_info_slot_func()));
    connect(unit_combx, SIGNAL(value_changed_info_signal()), this,
            SLOT(comb_value_changed_info_slot_func()));
    connect(unit_combx, SIGNAL(unit_type_changed()), this, SIGNAL(unit_changed()));
}

ui_dspinbx_frame_t::~ui_dspinbx_frame_t() = default;

void ui_dspinbx_frame_t::report()
{
    clamp();
    last_value = get_value();
    emit spinbx_value_changed(last_value);
}

void ui_dspinbx_frame_t::spinb_pram_change_slot_func(double value)
{
    // A value still being typed keeps its prefix: moving it now would garble the entry.
    if (dspinbox->commit) {
        auto_range(value);
        report();
    }
    dspinbox->commit = true;
}

void ui_dspinbx_frame_t::focus_out_info_slot_func()
{
    auto_range(get_spinbox_value());
    report();
}

void ui_dspinbx_frame_t::enter_press_info_slot_func()
{
    auto_range(get_spinbox_value());
    report();
}

void ui_dspinbx_frame_t::comb_value_changed_info_slot_func()
{
    report();
}

void ui_dspinbx_frame_t::set_value(float value)
{
    if (!(value >= 1e-12f))
        return;
    ui_unit_choice_t shown = choose_unit(value, UI_PREFIX_NANO, UI_PREFIX_KILO);
    unit_combx->set_unit(shown.prefix);
    dspinbox->setValue(shown.value);
}

void ui_dspinbx_frame_t::set_single_step(float step)
{
    float shown = static_cast<float>(ui_unit_scale(step, UI_PREFIX_NONE - unit_combx->unit_prefix));
    if (shown < 0.001f)
        shown = 1.0f;
    dspinbox->setSingleStep(shown);
}

void ui_dspinbx_frame_t::set_frame_height(float height)
{
    set_parts_height(std::max(0, lib_to_int_sat(height)));
}

void ui_dspinbx_frame_t::set_spinbox_width(float width)
{
    int w = width > 0.0f && width < 100000.0f ? static_cast<int>(width) : 0;
    dspinbox->setFixedWidth(w);
}
