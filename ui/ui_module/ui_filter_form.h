#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"
#include "zqw_filter.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <vector>

class QCloseEvent;
class QGridLayout;
class QLabel;
class QMdiSubWindow;
class Ui_ui_filter_form_t;
class ui_coustom_comb_t;
class ui_dspinbx_frame_t;
class ui_preview_plot_t;

// "Filter": one of the open documents (the source), one of sixteen IIR filter types and
// its parameters; "Design Filter" designs and runs the filter and shows the source, the
// magnitude response in dB and the result. OK (3), Cancel (2) and the window frame (8)
// reach the owner through filter_form_btn_signal; the owner copies the result into the
// chosen document.
class ui_filter_form_t : public QWidget
{
    Q_OBJECT
public:
    // The MDI area's sub-windows in creation order; at least one holds a document.
    ui_filter_form_t(QWidget *parent, QList<QMdiSubWindow *> &sub_windows);
    ~ui_filter_form_t() override;

    // Position of the chosen document in the list given to the constructor.
    int get_wv_src_index() const;
    // The last successful design's result; empty until there is one.
    lib_wv_data_t<short int> *get_result_wv_data() { return &result_wv_data; }
    lib_wv_data_t<short int> *get_result_data() { return &result_wv_data; }
    // Member-wise: the result then names the sample file of `data`, and later designs
    // land in that file; the dialog leaves the file to its owner when it goes.
    void set_result_wv_data(const lib_wv_data_t<short int> &data);
    // The magnitude response in dB of the last successful design.
    std::vector<float> *get_response_data() { return &response_data; }
    void set_response_data(const std::vector<float> &data) { response_data = data; }
    // The type index alone: the combo and the parameter rows stay as they are.
    int get_filter_type() const { return filter_type; }
    void set_filter_type(int type) { filter_type = type; }

    // Design Filter: runs the filter of the chosen type; a failure shows its message and
    // keeps the previous result and plots. Returns the filter's status.
    int32 apply_filter();
    // The message box of a filter status; codes without a text show nothing.
    void show_filter_error(int32 code);

    float get_fs() const { return fs; }
    float get_fpass1() const { return fpass1; }
    float get_fpass2() const { return fpass2; }
    float get_fstop1() const { return fstop1; }
    float get_fstop2() const { return fstop2; }
    float get_apass() const { return apass; }
    float get_astop() const { return astop; }
    // The stored values alone; the frames keep what they show.
    void set_fs(float value) { fs = value; }
    void set_fpass1(float value) { fpass1 = value; }
    void set_fpass2(float value) { fpass2 = value; }
    void set_fstop1(float value) { fstop1 = value; }
    void set_fstop2(float value) { fstop2 = value; }
    void set_apass(float value) { apass = value; }
    void set_astop(float value) { astop = value; }

    Ui_ui_filter_form_t *get_form() const { return form; }
    ui_coustom_comb_t *get_src_comb() const { return wv_src_comb; }
    ui_coustom_comb_t *get_type_comb() const { return filter_type_comb; }
    // The parameter row's label and its widget (rows 0 .. 8).
    QLabel *get_row_label(int row) const;
    QWidget *get_row_widget(int row) const;
    ui_preview_plot_t *get_src_plot() const { return src_plot; }
    ui_preview_plot_t *get_response_plot() const { return response_plot; }
    ui_preview_plot_t *get_result_plot() const { return result_plot; }

    // Always 0: building the dialog allocates nothing large.
    int32 init_status;

    ui_dspinbx_frame_t *spinb_sample;
    ui_dspinbx_frame_t *spinb_fpass1;
    ui_dspinbx_frame_t *spinb_fpass2;
    ui_dspinbx_frame_t *spinb_fstop1;
    ui_dspinbx_frame_t *spinb_fstop2;
    ui_dspinbx_frame_t *spinb_apass;
    ui_dspinbx_frame_t *spinb_astop;

signals:
    void btn_info_signal(ui_filter_form_t *type, int32 btn);
    void filter_form_btn_signal(ui_filter_form_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void filter_form_btn_slot_func(ui_filter_form_t *type, int32 btn);
    void spinb_pram_change_slot_func(double value);
    void wv_src_comb_slot_func(int index);
    void filter_type_comb_slot_func(int index);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void init_ui();
    void init_param_frames();
    void init_param_limits();
    void init_wv_src_comb();
    void init_filter_type_comb();
    void init_style();
    void set_default_params();
    void update_param_layout();
    void select_source(int index);
    void plot_src_wave();
    void plot_freq_response();
    void plot_result_wave();
    int32 run_filter();

    Ui_ui_filter_form_t *form;
    ui_preview_plot_t *src_plot;
    ui_preview_plot_t *response_plot;
    ui_preview_plot_t *result_plot;
    QList<QWidget *> sub_widgets;
    QStringList sub_titles;
    lib_wv_data_t<short int> *src_wv_data;
    uint32 src_wv_len;
    std::vector<float> response_data;
    lib_wv_data_t<short int> result_wv_data;
    // Where a design writes: its samples become the result only when it succeeded.
    lib_wv_data_t<short int> scratch_wv_data;
    // Whether result_wv_data names a sample file handed in through set_result_wv_data.
    bool result_shared;
    int filter_type;
    float fs, fpass1, fpass2, fstop1, fstop2, apass, astop;
    ZqwFilter filter;
    ui_coustom_comb_t *wv_src_comb;
    ui_coustom_comb_t *filter_type_comb;
    QLabel *labels[9];
    QGridLayout *param_grid;
};
