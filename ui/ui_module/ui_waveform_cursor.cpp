#include "ui_waveform_cursor.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

const int k_field_width = 60;

void add_row_label(QGridLayout *grid, int row, const QString &text)
{
    QLabel *label = ui_sbar_label(text);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(label, row, 0, Qt::AlignLeft);
}

void add_heads(QGridLayout *grid, const QString &start, const QString &end, const QString &delta)
{
    grid->addWidget(ui_sbar_label(start), 0, 1, Qt::AlignCenter);
    grid->addWidget(ui_sbar_label(end), 0, 2, Qt::AlignCenter);
    grid->addWidget(ui_sbar_label(delta), 0, 3, Qt::AlignCenter);
}

} // namespace

void ui_sbar_build_range_group(QWidget *group, const QString &title, const QString &start,
                               const QString &end, const QString &delta,
                               const QString &points_label, const QString &time_label,
                               ui_sbar_range_fields_t *f)
{
    QGridLayout *grid = ui_sbar_grid(group, 5, 5);
    add_row_label(grid, 0, title);
    add_heads(grid, start, end, delta);
    add_row_label(grid, 1, points_label);
    add_row_label(grid, 2, time_label);
    f->start_point = ui_sbar_value_field(k_field_width);
    f->end_point = ui_sbar_value_field(k_field_width);
    f->delta_point = ui_sbar_value_field(k_field_width);
    f->start_time = ui_sbar_value_field(k_field_width);
    f->end_time = ui_sbar_value_field(k_field_width);
    f->delta_time = ui_sbar_value_field(k_field_width);
    grid->addWidget(f->start_point, 1, 1);
    grid->addWidget(f->end_point, 1, 2);
    grid->addWidget(f->delta_point, 1, 3);
    grid->addWidget(f->start_time, 2, 1);
    grid->addWidget(f->end_time, 2, 2);
    grid->addWidget(f->delta_time, 2, 3);
}

ui_waveform_cursor_t::ui_waveform_cursor_t(QWidget *parent)
    : QWidget(parent), x_group(new QWidget), y_group(new QWidget),
      separator(ui_sbar_separator())
{
    ui_sbar_build_range_group(x_group, tr("X Cursors"), tr("Start"), tr("End"), tr("Deta"),
                              tr("Points"), tr("Time"), &x_fields);
    set_x_cursor_points(0.0f, 0.0f);

    QGridLayout *y_grid = ui_sbar_grid(y_group, 5, 5);
    add_row_label(y_grid, 0, tr("Y Cursors"));
    add_heads(y_grid, tr("Start"), tr("End"), tr("Deta"));
    add_row_label(y_grid, 1, tr("Volte"));
    y_low = ui_sbar_value_field(k_field_width);
    y_high = ui_sbar_value_field(k_field_width);
    y_delta = ui_sbar_value_field(k_field_width);
    y_spare = ui_sbar_value_field(k_field_width, "wvform_sbar_lineedit2");
    y_grid->addWidget(y_low, 1, 1);
    y_grid->addWidget(y_high, 1, 2);
    y_grid->addWidget(y_delta, 1, 3);
    y_grid->addWidget(y_spare, 2, 0);
    set_y_cursor_value(-20.0f, 20.0f);

    separator->setFixedSize(2, 62);
    QGridLayout *outer = ui_sbar_grid(this, 4, 0);
    outer->addWidget(y_group, 0, 0);
    outer->addWidget(separator, 0, 1);
    outer->addWidget(x_group, 0, 2);
}

ui_waveform_cursor_t::~ui_waveform_cursor_t() = default;

void ui_waveform_cursor_t::set_x_cursor_show(bool show)
{
    x_group->setVisible(show);
}

void ui_waveform_cursor_t::set_y_cursor_show(bool show)
{
    y_group->setVisible(show);
    separator->setVisible(show);
}

void ui_waveform_cursor_t::set_x_cursor_points(fp32 x1, fp32 x2)
{
    ui_sbar_set_points(x_fields, x1, x2);
}

void ui_waveform_cursor_t::set_x_cursor_value(fp32 x1, fp32 x2, fp32 *freq, int32 *points)
{
    ui_sbar_set_points(x_fields, x1, x2);
    ui_sbar_set_times(x_fields, x1, x2, freq, points);
}

void ui_waveform_cursor_t::set_y_cursor_value(fp32 y1, fp32 y2)
{
    fp32 lo = y1 > y2 ? y2 : y1;
    fp32 hi = y1 > y2 ? y1 : y2;
    fp32 delta = hi - lo;
    y_low->setText(ui_sbar_volts_text(lo));
    y_high->setText(ui_sbar_volts_text(hi));
    y_delta->setText(ui_sbar_volts_text(delta));
}
