#pragma once
#include "cfg_if_bswv_sine.h"
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_instr_model_form.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <utility>

class QPushButton;
class Ui_ui_equation_form_t;
class cfg_if_wv_t;
class ui_dspinbx_frame_t;
class ui_preview_plot_t;

// "Equation Editor": a waveform written as lines of text (comments, parameters k0..k9,
// ranges and expressions of x), compiled into samples and previewed; the text can be
// saved and opened as ".equa" files. OK (3) and Cancel (2) reach the owner through
// equation_form_btn_signal; closing by the window frame sends nothing.
class ui_equation_form_t : public QWidget
{
    Q_OBJECT
public:
    // wave: the point count, model and frequency to start from (copied, not kept);
    // has_current: whether a document is open, else the model frame's model is used.
    ui_equation_form_t(QWidget *parent, cfg_if_wv_t *wave, bool has_current);
    ~ui_equation_form_t() override;

    float get_frequency() const;
    uint32 get_samples() const;
    // The Samples value truncated to int32 (saturated).
    int32 get_samples_int() const;
    lib_wv_data_t<short int> *get_result_wv_data() { return &result_wv_data; }
    lib_wv_data_t<short int> *get_result_data() { return &result_wv_data; }
    // Member-wise, frequency included: the result then names the sample file of `data`,
    // and later compiles land in that file; the dialog leaves the file to its owner.
    void set_result_wv_data(const lib_wv_data_t<short int> &data);
    // Cuts the result to `count` samples or pads it with zero samples; 0.
    int32 resize_result_wv_data(uint32 count);
    // {value_min, value_max} of the last compile.
    std::pair<double, double> get_value_range() const { return {value_min, value_max}; }
    cfg_if_wv_t *get_param_wv() { return &param_wv; }

    void apply_instr_limits();
    void update_samples_enabled();
    void update_points_notes();
    void refresh_preview();
    void show_compile_result(int32 status, int32 line);
    void open_equation_file();
    void save_equation_file();
    void insert_editor_text(const QString &text);
    void delete_editor_text();
    // Compiles the editor's lines into the result: the status (above 37 success, 34 no
    // line to evaluate, else the failure) and, through line, the 1-based line it ended on.
    int32 compile_equations(int32 *line);

    Ui_ui_equation_form_t *get_form() const { return form; }
    ui_dspinbx_frame_t *get_samples_frame() const { return samples_frame; }
    ui_dspinbx_frame_t *get_freq_frame() const { return freq_frame; }
    ui_instr_model_form_t *get_model_form() { return &instr_model_form; }
    ui_preview_plot_t *get_preview_plot() const { return preview_plot; }
    // The keypad button with that caption; null when there is none.
    QPushButton *get_key(const QString &caption) const;
    std::pair<double, double> get_x_range() const { return {x_range_start, x_range_end}; }
    // The next compile sets the range again from its own lines; 0.
    int32 set_x_range(int32 start, int32 end);
    // Stores the point count and shows it in Samples without reporting it back. Model 6
    // takes 16384 or 524288 points only: a count between them snaps up when it is above the
    // stored count and down otherwise.
    void set_samples_snapped(uint32 points);
    void init_keyword_list();
    // 1 when the text is one of the keywords, else 0.
    int32 is_keyword(const QString &text) const;
    // Always 1: once built, the dialog has nothing to wait for.
    int32 is_ready() const { return 1; }

    // Always 0: this dialog builds nothing that can fail.
    int32 init_status;

signals:
    void btn_info_signal(ui_equation_form_t *type, int32 btn);
    void equation_form_btn_signal(ui_equation_form_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void cmd_btn_slot_func();
    void spinb_pram_change_slot_func(double value);
    void instr_comb_slot_func(instr_zqw_t instr_type, lib_ch_t ch);
    void equation_form_btn_slot_func(ui_equation_form_t *type, int32 btn);

private:
    void init_keypad();
    void init_settings();
    void init_preview();
    void set_style_names();

    cfg_if_bswv_sine_t param_wv;
    ui_preview_plot_t *preview_plot;
    lib_wv_data_t<short int> result_wv_data;
    double x_range_start;
    double x_range_end;
    double value_min;
    double value_max;
    // Empty until init_keyword_list fills the first; nothing fills the second.
    QStringList keyword_list;
    QStringList keyword_list2;
    // Whether result_wv_data names a sample file handed in through set_result_wv_data.
    bool result_shared;
    Ui_ui_equation_form_t *form;
    QList<QPushButton *> keys;
    ui_dspinbx_frame_t *samples_frame;
    ui_dspinbx_frame_t *freq_frame;
    ui_instr_model_form_t instr_model_form;
};
