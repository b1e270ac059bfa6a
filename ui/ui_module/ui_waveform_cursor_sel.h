#pragma once
#include "lib_types.h"
#include "ui_sbar_parts.h"

#include <QWidget>

class QLabel;
class QLineEdit;

// Status-bar read-out of the selection (points and times) and the pointer position.
class ui_waveform_cursor_sel_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_waveform_cursor_sel_t(QWidget *parent = nullptr);
    ~ui_waveform_cursor_sel_t() override;

    void set_sel_points(double start, double end);
    void set_sel_value(double start, double end, fp32 *freq, int32 *points);
    // Back to the texts of no selection (point row 1, 1, 0 and times "0").
    void clear_sel_value();
    void set_pos_value(fp32 x, fp32 y, fp32 *freq, int32 *points);
    void set_pos_points(fp32 x, fp32 y);

    QWidget *sel_group;
    QWidget *pos_group;
    ui_sbar_range_fields_t sel_fields;
    QLineEdit *pos_x;
    QLineEdit *pos_y;
};
