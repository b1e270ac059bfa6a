#include "ui_frame.h"

#include "lib_sample_conv.h"
#include "ui_combx.h"
#include "ui_dspinb.h"
#include "ui_restyle.h"
#include "ui_spinb.h"

#include <QHBoxLayout>
#include <QLabel>

#include <cmath>
#include <limits>

ui_frame_t::ui_frame_t(bool int_box, int type, bool units, const QString &caption,
                       bool without_clamp, QWidget *parent)
    : QFrame(parent), spinbox(nullptr), unit_combx(nullptr), label(nullptr), filler(nullptr),
      no_clamp(without_clamp), unit_type(type), with_units(units), max_value(0.0),
      min_value(0.0), is_int(int_box), saved_value(0.0), saved_prefix(UI_PREFIX_NONE)
{
    if (is_int)
        spinbox = new ui_spinb_t;
    else
        spinbox = new ui_dspinb_t;
    label = new QLabel(caption);
    unit_combx = new ui_combx_t(unit_type);
    filler = new QFrame;
}

ui_unit_choice_t ui_frame_t::choose_unit(double v, int first, int last)
{
    return ui_unit_choose(v, first, last);
}

void ui_frame_t::build_layout()
{
    spinbox->setObjectName("normal_spinbx");
    unit_combx->setObjectName("normal_comb");
    label->setObjectName("normal_label");
    ui_restyle(spinbox);
    ui_restyle(unit_combx);
    ui_restyle(label);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    spinbox->setFixedWidth(100);
    unit_combx->setFixedWidth(80);
    filler->setFixedWidth(80);

    QHBoxLayout *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    if (!label->text().isEmpty())
        row->addWidget(label);
    row->addWidget(spinbox);
    if (with_units)
        row->addWidget(unit_combx);
    else
        row->addWidget(filler);
    // The parts left out of the row still belong to the frame, hidden.
    for (QWidget *part : {static_cast<QWidget *>(label), static_cast<QWidget *>(unit_combx),
                          static_cast<QWidget *>(filler)}) {
        if (!part->parent()) {
            part->setParent(this);
            part->hide();
        }
    }
    set_parts_height(20);
}

void ui_frame_t::set_parts_height(int height)
{
    setFixedHeight(height);
    spinbox->setFixedHeight(height);
    unit_combx->setFixedHeight(height);
    filler->setFixedHeight(height);
}

void ui_frame_t::set_max_value(const double &limit)
{
    max_value = limit;
}

void ui_frame_t::set_min_value(const double &limit)
{
    min_value = limit;
}

double ui_frame_t::get_spinbox_value() const
{
    if (is_int)
        return static_cast<ui_spinb_t *>(spinbox)->value();
    return static_cast<ui_dspinb_t *>(spinbox)->value();
}

double ui_frame_t::to_base_value(double shown, int prefix) const
{
    return with_units ? ui_unit_to_base(shown, prefix) : shown;
}

double ui_frame_t::get_value() const
{
    return to_base_value(get_spinbox_value(), unit_combx->unit_prefix);
}

void ui_frame_t::set_frame_enabled(bool enabled)
{
    spinbox->setEnabled(enabled);
    unit_combx->setEnabled(enabled);
}

void ui_frame_t::set_unit_width(float width)
{
    int w = width > 0.0f && width < 100000.0f ? static_cast<int>(width) : 0;
    unit_combx->setFixedWidth(w);
    filler->setFixedWidth(w);
}

void ui_frame_t::set_saved_value(double shown, int prefix)
{
    saved_value = shown;
    saved_prefix = prefix;
}

void ui_frame_t::restore_value()
{
    // The prefix first: the spin box reports its new value in the prefix in force.
    unit_combx->set_unit(saved_prefix);
    set_spinbox_value(saved_value);
}

void ui_frame_t::save_clamped_value()
{
    ui_unit_choice_t shown{get_spinbox_value(), unit_combx->unit_prefix};
    clamped_choice(shown);
    set_saved_value(shown.value, shown.prefix);
}

void ui_frame_t::set_spinbox_value(double shown)
{
    if (!is_int) {
        static_cast<ui_dspinb_t *>(spinbox)->setValue(shown);
        return;
    }
    static_cast<ui_spinb_t *>(spinbox)->setValue(lib_to_int_sat(shown));
}

void ui_frame_t::auto_range(double shown)
{
    int first = 0, last = 0;
    if (!with_units || shown == 0.0 || !ui_unit_prefix_range(unit_type, &first, &last))
        return;
    int prefix = unit_combx->unit_prefix;
    if (std::fabs(shown) >= 1000.0) {
        if (prefix < last) {
            unit_combx->set_unit(prefix + 1);
            set_spinbox_value(shown / 1000.0);
        }
    } else if (std::fabs(shown) < 1.0) {
        if (prefix > first) {
            unit_combx->set_unit(prefix - 1);
            set_spinbox_value(shown * 1000.0);
        }
    }
}

bool ui_frame_t::clamped_choice(ui_unit_choice_t &shown) const
{
    if (no_clamp)
        return false;
    double a = get_value();
    if (a >= min_value && a <= max_value)
        return false;
    double limit = a < min_value ? min_value : max_value;
    if (!with_units) {
        shown.value = limit;
        return true;
    }
    int first = UI_PREFIX_NONE, last = UI_PREFIX_NONE;
    ui_unit_prefix_range(unit_type, &first, &last);
    shown = choose_unit(limit, first, last);
    return true;
}

void ui_frame_t::clamp()
{
    ui_unit_choice_t shown{get_spinbox_value(), unit_combx->unit_prefix};
    if (!clamped_choice(shown))
        return;
    if (!with_units) {
        set_spinbox_value(shown.value);
        return;
    }
    if (unit_type == UI_UNIT_SRATE || unit_type == UI_UNIT_BITRATE) {
        unit_combx->set_unit(shown.prefix);
        set_spinbox_value(shown.value);
    } else {
        set_spinbox_value(shown.value);
        unit_combx->set_unit(shown.prefix);
    }
}
