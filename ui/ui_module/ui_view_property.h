#pragma once
#include "lib_types.h"
#include "ui_view_setting.h"

#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class ui_comb_interpolation_t;
class ui_coustom_comb_t;
class ui_dspinbx_frame_t;
struct Ui_ui_view_property_t;

// "Display Properties": edits a copy of a document's view settings; OK (3) and Cancel
// (2) go out through view_property_form_btn_signal, and the owner reads the copy back.
class ui_view_property_t : public QWidget
{
    Q_OBJECT
public:
    ui_view_property_t(QWidget *parent, QString waveform_name, ui_view_setting_t setting);
    ~ui_view_property_t() override;

    ui_view_setting_t get_view_setting() const { return setting; }

signals:
    void btn_info_signal(ui_view_property_t *type, int32 btn);
    void view_property_form_btn_signal(ui_view_property_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void line_width_comb_slot_func(int index);
    void interpola_comb_slot_func(int index);
    void spinb_pram_change_slot_func(double data);
    void view_property_form_btn_slot_func(ui_view_property_t *type, int32 btn);

private:
    void build_name_frame();
    void build_waveform_group();
    void build_cursor_group();
    void build_y_axis_group();
    void show_setting();
    void set_line_thickness(QLabel *sample, int thickness);
    void set_sample_color(QLabel *sample, const int32 rgb[3]);
    bool pick_color(int32 rgb[3], QLabel *sample);

    std::unique_ptr<Ui_ui_view_property_t> form;
    ui_view_setting_t setting;
    ui_coustom_comb_t *name_comb;
    QLabel *line_sample;
    QLabel *line_width_label, *line_color_label, *interpolation_label;
    QComboBox *width_comb;
    QPushButton *line_color_btn, *line_default_btn;
    ui_comb_interpolation_t *interpolation_comb;
    QLabel *x_cursor_label, *y_cursor_label, *x_color_label, *y_color_label;
    QLabel *x_sample, *y_sample;
    QPushButton *x_color_btn, *y_color_btn, *cursor_default_btn;
    QCheckBox *auto_scale_box;
    std::unique_ptr<ui_dspinbx_frame_t> max_frame;
    std::unique_ptr<ui_dspinbx_frame_t> min_frame;
};
