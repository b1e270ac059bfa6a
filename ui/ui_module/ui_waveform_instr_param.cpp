#include "ui_waveform_instr_param.h"

#include "ui_sbar_parts.h"
#include "ui_unit.h"

#include <QGridLayout>
#include <QLineEdit>

namespace {

constexpr int k_field_width = 170;

void show_value(QLineEdit *field, const QString &prefix, fp32 v, int first, int last, int unit_type,
                bool with_unit)
{
    field->setText(prefix + QString::fromStdString(lib_unit_format_value(v, first, last, unit_type, with_unit, 6)));
}

} // namespace

ui_waveform_instr_param_t::ui_waveform_instr_param_t(QWidget *parent)
    : QWidget(parent), amp_field(ui_sbar_value_field(k_field_width)),
      offset_field(ui_sbar_value_field(k_field_width)), freq_field(ui_sbar_value_field(k_field_width)),
      phase_field(ui_sbar_value_field(k_field_width)), points_field(ui_sbar_value_field(k_field_width)),
      amp_prefix(tr("Amplitude:")), offset_prefix(tr("Offset:")), freq_prefix(tr("Frequency")),
      phase_prefix(tr("Phase:")), points_prefix(tr("Points:"))
{
    QGridLayout *grid = ui_sbar_grid(this, 0, 0);
    grid->addWidget(amp_field, 0, 0);
    grid->addWidget(offset_field, 1, 0);
    grid->addWidget(freq_field, 0, 1);
    grid->addWidget(phase_field, 1, 1);
    grid->addWidget(points_field, 0, 2);
}

ui_waveform_instr_param_t::~ui_waveform_instr_param_t() = default;

void ui_waveform_instr_param_t::set_amp(fp32 amp)
{
    show_value(amp_field, amp_prefix, amp, UI_PREFIX_MILLI, UI_PREFIX_NONE, UI_UNIT_VOLT, true);
}

void ui_waveform_instr_param_t::set_offset(fp32 offset)
{
    show_value(offset_field, offset_prefix, offset, UI_PREFIX_MILLI, UI_PREFIX_NONE, UI_UNIT_VOLT, true);
}

void ui_waveform_instr_param_t::set_freq(fp32 freq)
{
    show_value(freq_field, freq_prefix, freq, UI_PREFIX_MICRO, UI_PREFIX_MEGA, UI_UNIT_FREQ, true);
}

void ui_waveform_instr_param_t::set_phase(fp32 phase)
{
    show_value(phase_field, phase_prefix, phase, UI_PREFIX_NONE, UI_PREFIX_NONE, UI_UNIT_DEGREE, true);
}

void ui_waveform_instr_param_t::set_points(fp32 points)
{
    show_value(points_field, points_prefix, points, UI_PREFIX_NONE, UI_PREFIX_NONE, UI_UNIT_POINTS, false);
}
