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

double ui_frame_t::get_value() const
{
    double shown = get_spinbox_value();
    return with_units ? ui_unit_to_base(shown, unit_combx->unit_prefix) : shown;
}

void ui_frame_t::set_spinbox_value(double shown)
{
    if (!is_int) {
        static_cast<ui_dspinb_t *>(spinbox)->setValue(shown);
        return;
    }
    static_cast<ui_spinb_t *>(spinbox)->setValue(lib_to_int_sat(shown));
}

bool ui_frame_t::spinbox_commit() const
{
    if (is_int)
        return static_cast<ui_spinb_t *>(spinbox)->commit;
    return static_cast<ui_dspinb_t *>(spinbox)->commit;
}

void ui_frame_t::set_spinbox_commit(bool commit)
{
    if (is_int)
        static_cast<ui_spinb_t *>(spinbox)->commit = commit;
    else
        static_cast<ui_dspinb_t *>(spinbox)->commit = commit;
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

void ui_frame_t::clamp()
{
    if (no_clamp)
        return;
    double a = get_value();
    if (!with_units) {
        if (a < min_value)
            set_spinbox_value(min_value);
        else if (a > max_value)
            set_spinbox_value(max_value);
        return;
    }
    if (a >= min_value && a <= max_value)
        return;
    double limit = a < min_value ? min_value : max_value;
    int first = UI_PREFIX_NONE, last = UI_PREFIX_NONE;
    ui_unit_prefix_range(unit_type, &first, &last);
    ui_unit_choice_t shown = choose_unit(limit, first, last);
    if (unit_type == UI_UNIT_SRATE || unit_type == UI_UNIT_BITRATE) {
        unit_combx->set_unit(shown.prefix);
        set_spinbox_value(shown.value);
    } else {
        set_spinbox_value(shown.value);
        unit_combx->set_unit(shown.prefix);
    }
}
