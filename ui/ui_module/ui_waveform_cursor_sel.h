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

    void set_sel_points(fp32 start, fp32 end);
    void set_sel_value(fp32 start, fp32 end, fp32 *freq, int32 *points);
    void set_pos_value(fp32 x, fp32 y, fp32 *freq, int32 *points);
    void set_pos_points(fp32 x, fp32 y);

    QWidget *sel_group;
    QWidget *pos_group;
    ui_sbar_range_fields_t sel_fields;
    QLineEdit *pos_x;
    QLineEdit *pos_y;
};
