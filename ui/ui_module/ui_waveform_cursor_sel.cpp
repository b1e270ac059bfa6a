#include "ui_waveform_cursor_sel.h"

#include "ui_waveform_cursor.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

ui_waveform_cursor_sel_t::ui_waveform_cursor_sel_t(QWidget *parent)
    : QWidget(parent), sel_group(new QWidget), pos_group(new QWidget)
{
    ui_sbar_build_range_group(sel_group, tr("Selection"), tr("Start"), tr("End"), tr("Deta"),
                              tr("Points"), tr("Time"), &sel_fields);
    clear_sel_value();

    QGridLayout *pos_grid = ui_sbar_grid(pos_group, 5, 5);
    QLabel *pos_label = ui_sbar_label(tr("Position"));
    pos_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pos_grid->addWidget(pos_label, 0, 0, Qt::AlignLeft);
    pos_x = ui_sbar_value_field(126);
    pos_y = ui_sbar_value_field(126);
    pos_grid->addWidget(pos_x, 1, 0);
    pos_grid->addWidget(pos_y, 2, 0);

    QLabel *line1 = ui_sbar_separator();
    QLabel *line2 = ui_sbar_separator();
    line1->setFixedSize(2, 62);
    line2->setFixedSize(2, 62);
    QGridLayout *outer = ui_sbar_grid(this, 4, 0);
    outer->addWidget(sel_group, 0, 0);
    outer->addWidget(line1, 0, 1);
    outer->addWidget(pos_group, 0, 2);
    outer->addWidget(line2, 0, 3);
}

ui_waveform_cursor_sel_t::~ui_waveform_cursor_sel_t() = default;

void ui_waveform_cursor_sel_t::set_sel_points(double start, double end)
{
    ui_sbar_set_points(sel_fields, start, end);
}

void ui_waveform_cursor_sel_t::clear_sel_value()
{
    set_sel_points(0.0, 0.0);
    sel_fields.start_time->setText("0");
    sel_fields.end_time->setText("0");
    sel_fields.delta_time->setText("0");
}

void ui_waveform_cursor_sel_t::set_sel_value(double start, double end, fp32 *freq, int32 *points)
{
    ui_sbar_set_points(sel_fields, start, end);
    ui_sbar_set_times(sel_fields, start, end, freq, points);
}

void ui_waveform_cursor_sel_t::set_pos_value(fp32 x, fp32 y, fp32 *freq, int32 *points)
{
    pos_x->setText("X:" + QString::number(ui_sbar_trunc(static_cast<double>(x) + 1.0)) + ", " +
                   ui_sbar_time_label(ui_sbar_index(x), freq, points));
    pos_y->setText("Y:" + ui_sbar_volts_text(y));
}

void ui_waveform_cursor_sel_t::set_pos_points(fp32 x, fp32 y)
{
    pos_x->setText("X:" + QString::number(ui_sbar_trunc(static_cast<double>(x) + 1.0)));
    pos_y->setText("Y:" + ui_sbar_volts_text(y));
}
