#include "ui_sbar_parts.h"

#include "ui_plot_utils.h"
#include "ui_unit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace {

ui_sbar_time_label_fn_t g_time_label = &format_time_label;

} // namespace

QLineEdit *ui_sbar_value_field(int width, const char *name)
{
    QLineEdit *field = new QLineEdit;
    field->setEnabled(false);
    field->setFocusPolicy(Qt::NoFocus);
    field->setObjectName(name);
    field->setFixedWidth(width);
    return field;
}

QLabel *ui_sbar_label(const QString &text)
{
    QLabel *label = new QLabel(text);
    label->setObjectName("sbar_label");
    return label;
}

QLabel *ui_sbar_separator()
{
    QLabel *line = new QLabel;
    line->setObjectName("sbar_label_set_line");
    return line;
}

QGridLayout *ui_sbar_grid(QWidget *owner, int h_spacing, int v_spacing)
{
    QGridLayout *grid = new QGridLayout(owner);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(h_spacing);
    grid->setVerticalSpacing(v_spacing);
    return grid;
}

void ui_sbar_set_time_label_fn(ui_sbar_time_label_fn_t fn)
{
    g_time_label = fn ? fn : &format_time_label;
}

QString ui_sbar_time_label(uint32 index, const fp32 *freq, const int32 *points)
{
    return g_time_label ? g_time_label(index, freq, points) : QString();
}

qint64 ui_sbar_trunc(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 9.2e18)
        return static_cast<qint64>(9.2e18);
    if (v <= -9.2e18)
        return -static_cast<qint64>(9.2e18);
    return static_cast<qint64>(v);
}

uint32 ui_sbar_index(double v)
{
    qint64 i = ui_sbar_trunc(v);
    if (i < 0)
        return 0;
    if (i > 4294967295LL)
        return 4294967295U;
    return static_cast<uint32>(i);
}

QString ui_sbar_volts_text(fp32 v)
{
    return QString::fromStdString(
        lib_unit_format_value(v, UI_PREFIX_MILLI, UI_PREFIX_NONE, UI_UNIT_VOLT, true, 2));
}

void ui_sbar_set_points(const ui_sbar_range_fields_t &f, double x1, double x2)
{
    const double lo = x1 > x2 ? x2 : x1;
    const double hi = x1 > x2 ? x1 : x2;
    f.start_point->setText(QString::number(ui_sbar_trunc(lo + 1.0)));
    f.end_point->setText(QString::number(ui_sbar_trunc(hi + 1.0)));
    f.delta_point->setText(QString::number(ui_sbar_trunc(hi - lo)));
}

void ui_sbar_set_times(const ui_sbar_range_fields_t &f, double x1, double x2, const fp32 *freq,
                       const int32 *points)
{
    const double lo = x1 > x2 ? x2 : x1;
    const double hi = x1 > x2 ? x1 : x2;
    f.start_time->setText(ui_sbar_time_label(ui_sbar_index(lo), freq, points));
    f.end_time->setText(ui_sbar_time_label(ui_sbar_index(hi), freq, points));
    f.delta_time->setText(ui_sbar_time_label(ui_sbar_index(hi - lo), freq, points));
}
