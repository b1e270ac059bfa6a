#pragma once
#include "lib_types.h"

#include <QString>

class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// Builders and texts shared by the document status bar's read-outs.

// A disabled, focus-less value field ("wvform_sbar_lineedit" unless named otherwise).
QLineEdit *ui_sbar_value_field(int width, const char *name = "wvform_sbar_lineedit");
// A text label ("sbar_label").
QLabel *ui_sbar_label(const QString &text);
// A text-less separator ("sbar_label_set_line").
QLabel *ui_sbar_separator();
// A grid without margins with the given spacing.
QGridLayout *ui_sbar_grid(QWidget *owner, int h_spacing, int v_spacing);

// The time of a sample index, as the plot utilities write it (format_time_label).
typedef QString (*ui_sbar_time_label_fn_t)(uint32 index, const fp32 *freq, const int32 *points);
// The status bar's time rows use format_time_label; tests may install another (null
// restores it).
void ui_sbar_set_time_label_fn(ui_sbar_time_label_fn_t fn);
QString ui_sbar_time_label(uint32 index, const fp32 *freq, const int32 *points);

// Sample position or level to the index that labels it: truncated toward zero, saturated.
qint64 ui_sbar_trunc(double v);
uint32 ui_sbar_index(double v);
// Volts with milli or no prefix and 2 decimals ("250.00 mV", "-20.00 V").
QString ui_sbar_volts_text(fp32 v);

// Point row (start + 1, end + 1, end - start) and time row of an X group or selection.
struct ui_sbar_range_fields_t
{
    QLineEdit *start_point;
    QLineEdit *end_point;
    QLineEdit *delta_point;
    QLineEdit *start_time;
    QLineEdit *end_time;
    QLineEdit *delta_time;
};
// Positions are doubles: above 2^24 an fp32 position is no longer a whole sample.
void ui_sbar_set_points(const ui_sbar_range_fields_t &f, double x1, double x2);
void ui_sbar_set_times(const ui_sbar_range_fields_t &f, double x1, double x2, const fp32 *freq,
                       const int32 *points);
