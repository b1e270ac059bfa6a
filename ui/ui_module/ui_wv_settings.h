#pragma once
#include "cfg_if_bswv_sine.h"
#include "lib_types.h"
#include "ui_instr_model_form.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class ui_combx_t;
class ui_dspinbx_frame_t;
class Ui_ui_wv_settings_t;

// "New Waveform": the name, instrument model, point count and frequency of a new blank
// waveform. It only collects and checks the values; the owner reads them after OK (3)
// and closes the dialog after 2 and after a successful 3.
class ui_wv_settings_t : public QDialog
{
    Q_OBJECT
public:
    explicit ui_wv_settings_t(QWidget *parent);
    ~ui_wv_settings_t() override;

    QString get_wave_name() const;
    // The values being edited: point count, frequency, model, channel and mode.
    cfg_if_wv_t *get_wave() { return &m_wave; }
    QLineEdit *get_name_edit() const { return m_name_edit; }
    ui_combx_t *get_mode_comb() const { return m_mode_comb; }
    ui_combx_t *get_len_comb() const { return m_len_comb; }
    ui_combx_t *get_len_16k_comb() const { return m_len_16k_comb; }
    ui_combx_t *get_len_16k_512k_comb() const { return m_len_16k_512k_comb; }
    ui_dspinbx_frame_t *get_points_frame() const { return m_points_frame; }
    ui_dspinbx_frame_t *get_freq_frame() const { return m_freq_frame; }
    ui_instr_model_form_t *get_model_form() { return &m_model_form; }
    Ui_ui_wv_settings_t *get_form() const { return ui; }

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void btn_info_signal(ui_wv_settings_t *type, int32 btn);
    void wv_settings_form_btn_signal(ui_wv_settings_t *type, int32 btn);
    void show_keyboard();

public slots:
    void btn_slot_func();
    void wv_settings_form_btn_slot_func(ui_wv_settings_t *type, int32 btn);
    void spinb_pram_change_slot_func(double value);
    void comb_slot_func(int index);
    void instr_comb_slot_func(instr_zqw_t instr_type, lib_ch_t ch);
    void show_keyboard_slot_func();
    void close_keypad_slot_func();
    void set_wave_name_slot_func(QString wave_name);
    bool is_wave_name_vaild();

private:
    void init_form();
    void init_instr_layout();
    void init_param_widgets();
    void init_connections();
    void init_style();
    void update_param_limits();
    void update_points_enabled();
    void update_samples_widgets();
    void set_points(uint32 count);
    void set_points_from_entry(double value);
    QString default_name() const;

    cfg_if_bswv_sine_t m_wave;
    Ui_ui_wv_settings_t *ui;
    QLineEdit *m_name_edit;
    ui_combx_t *m_mode_comb;
    ui_combx_t *m_len_comb;
    ui_combx_t *m_len_16k_comb;
    ui_combx_t *m_len_16k_512k_comb;
    ui_dspinbx_frame_t *m_points_frame;
    ui_dspinbx_frame_t *m_freq_frame;
    ui_instr_model_form_t m_model_form;
};
