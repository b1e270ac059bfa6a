#pragma once
#include "lib_types.h"
#include "lib_wv_data.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QCloseEvent;
class QMdiSubWindow;
class Ui_ui_window_form_t;
class ui_coustom_comb_t;
class ui_preview_plot_t;

// "Window Function": one of the open documents (the source) under one of twelve window
// functions, shown above the windowed result, which is recomputed at every pick. OK (3),
// Cancel (2) and the window frame (8) reach the owner through window_form_btn_signal;
// the owner copies the result into the chosen document.
class ui_window_form_t : public QWidget
{
    Q_OBJECT
public:
    // The MDI area's sub-windows in creation order; at least one holds a document.
    ui_window_form_t(QWidget *parent, QList<QMdiSubWindow *> &sub_windows);
    ~ui_window_form_t() override;

    // Position of the chosen document in the list given to the constructor.
    int get_wv_src_index() const;
    lib_wv_data_t<short int> *get_result_wv_data() { return &result_wv_data; }
    lib_wv_data_t<short int> *get_result_data() { return &result_wv_data; }
    // Member-wise: the result then names the sample file of `data`, and later picks land
    // in that file; the dialog leaves the file to its owner when it goes.
    void set_result_wv_data(const lib_wv_data_t<short int> &data);
    // The index of the chosen window function.
    int get_window_type() const;
    // Redraw the source plot from the source record, or the result plot from the result.
    void reload_src_plot();
    void reload_result_plot();
    // Window `type` (0 Rectangle ... 11 Force) from the source into the result, then the
    // result plot: 0, -1 when the result could not be written, -2 out of memory. An
    // unknown type changes nothing.
    int32 apply_window(int type);

    Ui_ui_window_form_t *get_form() const { return form; }
    ui_coustom_comb_t *get_src_comb() const { return wv_src_comb; }
    ui_coustom_comb_t *get_window_comb() const { return window_comb; }
    ui_preview_plot_t *get_src_plot() const { return src_plot; }
    ui_preview_plot_t *get_result_plot() const { return result_plot; }

    // 0 ready; 3 out of memory while being built; 1 the first result could not be written.
    int32 init_status;

signals:
    void btn_info_signal(ui_window_form_t *form, int32 btn);
    void window_form_btn_signal(ui_window_form_t *form, int32 btn);

public slots:
    void btn_slot_func();
    void window_form_btn_slot_func(ui_window_form_t *form, int32 btn);
    void wv_src_comb_slot_func(int index);
    void window_type_comb_slot_func(int index);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void init_param_box();
    void select_source(int index);
    void plot_src_wave();
    // A pick made after construction: a failure empties the result and says why, and the
    // plots stay as they were.
    void recompute_after_pick(bool source_changed);

    Ui_ui_window_form_t *form;
    ui_preview_plot_t *src_plot;
    ui_preview_plot_t *result_plot;
    QList<QWidget *> sub_widgets;
    QStringList sub_titles;
    lib_wv_data_t<short int> *src_wv_data;
    uint32 src_wv_len;
    lib_wv_data_t<short int> result_wv_data;
    // Whether result_wv_data names a sample file handed in through set_result_wv_data.
    bool result_shared;
    ui_coustom_comb_t *wv_src_comb;
    ui_coustom_comb_t *window_comb;
};
