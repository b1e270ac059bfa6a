#pragma once
#include "lib_types.h"

#include <QWidget>

#include <memory>

class ui_dspinbx_frame_t;
class ui_spinbx_frame_t;
struct Ui_ui_cursor_setting_t;

// "Cursor Settings": X cursors typed as point numbers (from 1), Y cursors in volts. OK
// (3) and Cancel (2) go out through cursor_setting_form_btn_signal.
class ui_cursor_setting_t : public QWidget
{
    Q_OBJECT
public:
    ui_cursor_setting_t(QWidget *parent, fp32 x1, fp32 x2, fp32 y1, fp32 y2, double x_min, double x_max,
                        double y_min, double y_max, bool x_on, bool y_on);
    ~ui_cursor_setting_t() override;

    double get_x1() const { return X1; }
    double get_x2() const { return X2; }
    fp32 get_y1() const { return Y1; }
    fp32 get_y2() const { return Y2; }
    void set_x1(int32 v) { X1 = v; }
    void set_x2(int32 v) { X2 = v; }
    void set_y1(fp32 v) { Y1 = v; }
    void set_y2(fp32 v) { Y2 = v; }

signals:
    void btn_info_signal(ui_cursor_setting_t *type, int32 btn);
    void cursor_setting_form_btn_signal(ui_cursor_setting_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void spinb_pram_change_slot_func(int data);
    void spinb_pram_change_slot_func(double data);
    void cursor_form_btn_slot_func(ui_cursor_setting_t *type, int32 btn);

private:
    std::unique_ptr<Ui_ui_cursor_setting_t> form;
    int32 X1;
    int32 X2;
    fp32 Y1;
    fp32 Y2;
    std::unique_ptr<ui_spinbx_frame_t> x1_frame, x2_frame;
    std::unique_ptr<ui_dspinbx_frame_t> y1_frame, y2_frame;
};
