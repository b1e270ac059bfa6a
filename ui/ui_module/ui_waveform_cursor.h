#pragma once
#include "lib_types.h"
#include "ui_sbar_parts.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// Status-bar read-out of the X cursors (points and times) and the Y cursors (volts).
class ui_waveform_cursor_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_waveform_cursor_t(QWidget *parent = nullptr);
    ~ui_waveform_cursor_t() override;

    void set_x_cursor_show(bool show);
    void set_y_cursor_show(bool show);
    void set_x_cursor_points(fp32 x1, fp32 x2);
    void set_x_cursor_value(fp32 x1, fp32 x2, fp32 *freq, int32 *points);
    void set_y_cursor_value(fp32 y1, fp32 y2);

    QWidget *x_group;
    QWidget *y_group;
    QLabel *separator;
    ui_sbar_range_fields_t x_fields;
    QLineEdit *y_low;
    QLineEdit *y_high;
    QLineEdit *y_delta;
    QLineEdit *y_spare;
};

// Lays out a group of a title row (title, "Start", "End", "Deta"), a point row and a
// time row; used for the X cursors and the selection.
void ui_sbar_build_range_group(QWidget *group, const QString &title, const QString &start,
                               const QString &end, const QString &delta,
                               const QString &points_label, const QString &time_label,
                               ui_sbar_range_fields_t *fields);
