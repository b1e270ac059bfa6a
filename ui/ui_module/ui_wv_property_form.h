#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_preview_plot.h"

#include <QString>
#include <QWidget>

#include <memory>
#include <utility>

class ui_dspinbx_frame_t;
class ui_spinbx_frame_t;
class ui_wv_ledit_t;
struct Ui_ui_wv_property_form_t;

// "Waveform Properties" of a document: name (editable part only), length, frequency,
// and every sample in volts in a table paged 1024 rows at a time. A changed value goes
// straight into the document's samples. Codes: 3 OK, 2 Cancel, 4 Preview, 9 Convert to
// digital wave, 8 closed.
class ui_wv_property_form_t : public QWidget
{
    Q_OBJECT
public:
    ui_wv_property_form_t(QWidget *parent, const QString &name, lib_wv_data_t<short int> *data, float frequency,
                          instr_zqw_t model);
    ~ui_wv_property_form_t() override;

    QString get_wave_name() const;
    float get_frequency() const { return frequency; }
    void set_frequency(float value) { frequency = value; }
    std::pair<double, double> get_y_range() const { return {y_low, y_high}; }
    void update_y_range();
    bool is_data_changed() const { return data_changed; }
    bool check_wave_name();
    void fill_table();
    void show_page_of_index(uint32 index);
    void set_page_of_index(uint32 index);
    void set_index_of_page(int page);
    // The 0-based sample index of a table row on the page shown.
    uint32 row_to_index(int row) const;
    void preview();
    void set_wave_length(uint32 length);
    uint32 get_wave_length() const { return wave_length; }
    void set_name_prefix(const QString &text);
    void set_name_postfix(const QString &text);
    static QString name_prefix(const QString &name);
    static QString name_postfix(const QString &name);

    int get_current_page() const { return current_page; }
    ui_dspinbx_frame_t *get_index_frame() const { return index_frame; }
    ui_spinbx_frame_t *get_page_frame() const { return page_frame; }

signals:
    void btn_info_signal(ui_wv_property_form_t *type, int32 btn);
    void wv_property_form_btn_signal(ui_wv_property_form_t *type, int32 btn);
    void show_keyboard_input(int row, int column);

public slots:
    void btn_slot_func();
    void spinb_pram_change_slot_func(double data);
    void spinb_pram_change_slot_func(int data);
    void wv_property_form_btn_slot_func(ui_wv_property_form_t *type, int32 btn);
    void point_table_slot_func(int row, int column);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void init_widgets();
    void init_entries();
    void init_style();
    uint32 rows_per_page() const;
    void write_row(int row, uint32 index, short int sample);
    void connect_table(bool on);
    QString volts_text(short int sample) const;

    lib_wv_data_t<short int> *data;
    bool data_changed;
    uint32 page_size;
    std::unique_ptr<Ui_ui_wv_property_form_t> ui;
    ui_preview_plot_t preview_plot;
    uint32 wave_length;
    // Whole numbers in a decimal entry: sample indices go beyond the int range.
    ui_dspinbx_frame_t *index_frame;
    ui_spinbx_frame_t *page_frame;
    int current_page;
    ui_wv_ledit_t *name_edit;
    ui_dspinbx_frame_t *length_frame;
    ui_dspinbx_frame_t *frequency_frame;
    float frequency;
    double y_low, y_high;
    QString postfix_text;
};
