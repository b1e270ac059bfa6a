#pragma once
#include "cfg_if_bswv_sine.h"
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"

#include <QWidget>

#include <vector>

class QCloseEvent;
class QEvent;
class QRadioButton;
class QwtPlotZoneItem;
class Ui_ui_wvmath_form_t;
class ui_coustom_comb_t;
class ui_dspinbx_frame_t;
class ui_preview_plot_t;
class ui_stdwvform_t;

// "Waveform Math": the document combined with a second waveform, the source (a standard
// waveform, a constant voltage or the document's copy buffer placed where it was copied),
// by addition, subtraction, multiplication or division. Every change recomputes the
// result over the whole document. OK (3), Cancel (2) and the window frame (8) reach the
// owner through arith_math_form_btn_signal; OK is offered only while a result is held.
class ui_wvmath_form_t : public QWidget
{
    Q_OBJECT
public:
    ui_wvmath_form_t(QWidget *parent, lib_wv_data_t<short int> *document, lib_wv_data_t<short int> *copy_buffer,
                     range_data_t selection, uint32 points, instr_zqw_t instr_type, double frequency);
    ~ui_wvmath_form_t() override;

    // The result the owner copies into the document on OK.
    lib_wv_data_t<short int> *get_result_wv_data() { return &result_wv_data; }
    // The second operand as it stands (null before the first one was built).
    lib_wv_data_t<short int> *get_source_wv_data() { return source; }
    bool has_result() const { return result_ready; }
    // The source kind (0 library, 1 math data, 2 clipboard) and the operation (0 addition,
    // 1 subtraction, 2 multiplication, 3 division): stored for the next recompute; the
    // radios stay as they are, and a value outside those is refused.
    int32 get_source_kind() const { return source_kind; }
    void set_source_kind(int32 kind);
    int32 get_operation() const { return operation; }
    void set_operation(int32 op);
    // The list entry the library list returns to when the standard-waveform dialog is
    // left without OK (0 .. 10; others are refused).
    int32 get_last_library_index() const { return last_library_index; }
    void set_last_library_index(int32 index);
    // {low, high} in volts of a library or constant source; the next rebuild sets it anew.
    range_data_t get_source_range() const { return source_range; }
    void set_source_range(range_data_t range) { source_range = range; }
    uint32 get_points() const { return points; }
    range_data_t get_full_range() const { return full_range; }
    range_data_t get_selection() const { return selection; }
    // The dialog's own copy of the document's copy buffer.
    lib_wv_data_t<short int> *get_clipboard_wv_data() { return &clipboard_wv_data; }
    // Whether the two values have a product above 0 (both above or both below 0).
    bool is_range_same_sign(range_data_t range) const;
    // The same for the smallest and largest code of the first `count` samples.
    bool is_wv_data_same_sign(lib_wv_file_buffer_t<short int> &samples, uint32 count) const;

    // The arithmetic of the dialog: a combined with b, the result written into b.
    int32 _get_data_by_add(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                           range_data_t range);
    int32 _get_data_by_sub(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                           range_data_t range);
    int32 _get_data_by_mul(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                           range_data_t range);
    int32 _get_data_by_div(const lib_wv_data_t<short int> *a, uint32 points, lib_wv_data_t<short int> *b,
                           range_data_t range);

    Ui_ui_wvmath_form_t *get_form() const { return form; }
    QRadioButton *get_library_radio() const { return rdbtn_library; }
    QRadioButton *get_value_radio() const { return rdbtn_value; }
    QRadioButton *get_clipboard_radio() const { return rdbtn_clipboard; }
    ui_coustom_comb_t *get_library_comb() const { return library_comb; }
    ui_dspinbx_frame_t *get_value_frame() const { return value_frame; }
    ui_stdwvform_t *get_stdwvform() const { return std_form; }
    ui_preview_plot_t *get_plot(int i) const { return plots[i]; }
    QwtPlotZoneItem *get_zone(int i) const { return zones[i]; }

    // 0 ready, 3 out of memory while building the first source.
    int32 init_status;

signals:
    void btn_info_signal(ui_wvmath_form_t *type, int32 btn);
    void arith_math_form_btn_signal(ui_wvmath_form_t *type, int32 btn);
    void system_info_signal(int32 info);

public slots:
    void btn_slot_func();
    void spinb_pram_change_slot_func(double value);
    void wv_comb_slot_func(int index);
    void arith_math_form_btn_slot_func(ui_wvmath_form_t *type, int32 btn);
    void std_wv_form_btn_slot_func(ui_stdwvform_t *form, int32 btn);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void init_source_group();
    void init_plots();
    void set_style_names();
    // Rebuilds the source of the chosen kind and recomputes: 0, 2 the copy buffer was
    // refused (nothing changed), 3 out of memory.
    int32 _update_source_wv(int32 refresh);
    // The chosen standard waveform generated anew into the library source: 0, or 3 out
    // of memory; a refused generation keeps the source it had.
    int32 generate_library_source();
    int32 build_value_source();
    int32 build_clipboard_source();
    int32 fill_clipboard_source(uint32 first);
    // The result of the chosen operation; a failed one leaves no result to offer.
    void _calc_result_wv();
    void _update_oper_state();
    void _update_source_state();
    bool is_division_allowed() const;
    void show_zones();
    void plot_selected_wave();
    void plot_source_wave();
    void plot_result_wave();
    void source_radio_clicked(int32 kind);
    void operation_clicked(int32 op);

    // The result the owner reads; the source it is computed from is kept apart, so a new
    // operation needs no new source.
    lib_wv_data_t<short int> result_wv_data;
    cfg_if_bswv_sine_t param_wv;
    Ui_ui_wvmath_form_t *form;
    ui_preview_plot_t *plots[3]; // selected, source, result
    QwtPlotZoneItem *zones[3];
    lib_wv_data_t<short int> *document;
    uint32 points;
    lib_wv_data_t<short int> clipboard_wv_data;
    // One source record per kind, each built when first needed: the library's is the
    // last accepted standard waveform, whatever the standard-waveform dialog shows since.
    lib_wv_data_t<short int> library_wv_data;
    lib_wv_data_t<short int> value_wv_data;
    lib_wv_data_t<short int> clipboard_source_wv_data;
    range_data_t full_range;
    range_data_t selection;
    range_data_t source_range;
    range_data_t library_range;
    int32 source_kind;
    int32 operation;
    ui_stdwvform_t *std_form;
    int32 last_library_index;
    QRadioButton *rdbtn_library;
    QRadioButton *rdbtn_value;
    QRadioButton *rdbtn_clipboard;
    ui_coustom_comb_t *library_comb;
    ui_dspinbx_frame_t *value_frame;
    lib_wv_data_t<short int> *source;
    // What the source plot shows of the library and clipboard sources, kept until rebuilt.
    std::vector<short int> library_view;
    std::vector<short int> clipboard_view;
    bool library_ready;
    bool clipboard_ready;
    bool clipboard_one_signed;
    // Whether result_wv_data holds the result of the chosen operation on the current source.
    bool result_ready;
    // The arithmetic's last status: 0, -1 a file failed, -2 out of memory.
    int32 calc_status;
};
