#pragma once
#include "cfg_wv_types.h"
#include "lib_types.h"
#include "lib_wv_data.h"
#include "ui_instr_model_form.h"
#include "ui_property.h"

#include <QWidget>

class QTableWidget;
class cfg_if_wv_t;
class ui_preview_plot_t;
class ui_dspinbx_frame_t;
class ui_spinbx_frame_t;
class ui_frame_t;
class ui_coustom_gpbx_t;
class ui_coustom_comb_t;
class Ui_ui_stdwvform_t;

// "Standard Waveform": builds a waveform of one of the twelve parameterised shapes (or
// edits a copy of an existing one), previews it and hands its generator over on OK.
// In operand mode it is the hidden, reusable second-operand editor of waveform math.
class ui_stdwvform_t : public QWidget, public ui_property_t
{
    Q_OBJECT
public:
    ui_stdwvform_t(QWidget *parent, lib_wv_type_t type, uint32 points, instr_zqw_t series,
                   double frequency, int operand, bool change_para, cfg_if_wv_t *existing);
    ~ui_stdwvform_t() override;

    void set_wave_type(int type);
    void update_preview();
    int32 _create_wave_data();
    int32 create_wave_data();

    // The generator, now the caller's: the dialog no longer releases or deletes it.
    cfg_if_wv_t *take_wave_object();
    cfg_if_wv_t *get_wave_object() const { return m_wave; }
    bool is_handed_over() const { return m_handed_over; }

    lib_wv_data_t<short int> *get_wave_data();
    bool is_operand() const { return m_operand; }
    void set_points(uint32 points);
    void set_sample_rate(float rate);
    void set_frequency(float freq);
    void disable_operand_controls();

    ui_preview_plot_t *get_preview_plot() const { return m_preview_plot; }
    Ui_ui_stdwvform_t *get_form() const { return m_form; }
    ui_instr_model_form_t *get_model_form() { return &m_model_form; }
    ui_coustom_comb_t *get_type_comb() const { return m_type_comb; }
    QTableWidget *get_pulse_table() const { return m_pulse_table; }

    // Parameter controls, in the order of the members below.
    enum frame_id_t {
        F_POINTS, F_FREQ, F_CYCLE, F_PHASE, F_AMP, F_OFFSET, F_HIGH, F_LOW, F_DUTY,
        F_SYMMETRY, F_WIDTH, F_RISE, F_FALL, F_ZERO, F_STEP, F_DAMP, F_PULSE_NUM,
        F_PULSE_SRATE, F_MP_RISE, F_MP_FALL, F_COUNT
    };
    ui_frame_t *get_frame(frame_id_t id) const;
    ui_coustom_gpbx_t *get_tran_group(int index) const { return m_tran_gpbx[index]; }

signals:
    void btn_info_signal(ui_stdwvform_t *type, int32 btn);
    void std_wv_form_btn_signal(ui_stdwvform_t *type, int32 btn, bool m_change_para_flag);
    void system_info_signal(int32 info);

public slots:
    void btn_slot_func();
    void std_wv_form_btn_slot_func(ui_stdwvform_t *type, int32 btn);
    void wv_comb_slot_func(int index);
    void instr_comb_slot_func(instr_zqw_t instr_type, lib_ch_t ch);
    void spinb_pram_change_slot_func(int data);
    void spinb_pram_change_slot_func(double data);
    void pulse_time_change_slot_func(double data);
    void spinb_pram_unit_change_slot_func();
    void wv_rdbtn_slot_func(bool checked);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Frame and generator (ui_stdwvform.cpp).
    void create_wave_object(int type);
    void copy_wave_object(cfg_if_wv_t *existing);
    void init_type_combo();
    void set_wave_type_prop(int type);
    void init_settings_row();
    void init_preview();
    void set_object_names();
    void update_point_labels();
    void show_info(const QString &text);
    void plot_samples();

    // Parameter panels (ui_stdwvform_params.cpp).
    void init_param_frames();
    void connect_param_frames();
    void init_param_ranges();
    void refresh_limit(int which);
    void load_params();
    void show_type_panel(int type);
    void show_multi_pulse_panel(bool show);
    void update_points_enabled();
    void reset_for_model();
    void apply_points_rule(double x);
    void apply_cycles_rule(int v);
    void apply_step_rule(int v);
    void apply_pulse_rule(ui_spinbx_frame_t *frame, int v);
    void set_quietly(ui_frame_t *frame, double base_value);
    void set_shown_quietly(ui_dspinbx_frame_t *frame, float value);
    void connect_frame(ui_frame_t *frame, bool on);

    // Multi-pulse table (ui_stdwvform_pulse.cpp).
    void init_pulse_table();
    void fill_pulse_table();
    void build_pulse_row(uint32 row);
    void update_pulse_rows();
    void refresh_pulse_times();
    void pulse_count_changed(int v);
    void mp_time_changed(ui_dspinbx_frame_t *frame, double x);

    ui_preview_plot_t *m_preview_plot;
    cfg_if_wv_t *m_wave;
    Ui_ui_stdwvform_t *m_form;
    bool m_operand;
    bool m_change_para_flag;
    bool m_handed_over;

    ui_dspinbx_frame_t *m_points_frame;
    ui_dspinbx_frame_t *m_freq_frame;
    ui_spinbx_frame_t *m_cycle_frame;
    ui_dspinbx_frame_t *m_phase_frame;
    ui_dspinbx_frame_t *m_amp_frame;
    ui_dspinbx_frame_t *m_offset_frame;
    ui_dspinbx_frame_t *m_high_frame;
    ui_dspinbx_frame_t *m_low_frame;
    ui_dspinbx_frame_t *m_duty_frame;
    ui_dspinbx_frame_t *m_symmetry_frame;
    ui_spinbx_frame_t *m_width_frame;
    ui_spinbx_frame_t *m_rise_frame;
    ui_spinbx_frame_t *m_fall_frame;
    ui_spinbx_frame_t *m_zero_frame;
    ui_spinbx_frame_t *m_step_frame;
    ui_dspinbx_frame_t *m_damp_frame;
    ui_spinbx_frame_t *m_pulse_num_frame;
    ui_dspinbx_frame_t *m_pulse_srate_frame;
    ui_dspinbx_frame_t *m_mp_rise_frame;
    ui_dspinbx_frame_t *m_mp_fall_frame;
    // Duty Cycle, Sysmetry, Pulse Width, Rise Time, Fall Time, Damp Factor, Zero Crossing,
    // Step Count, Pulse Number, Sample Rate, Rise Time, Fall Time.
    ui_coustom_gpbx_t *m_tran_gpbx[12];

    ui_coustom_comb_t *m_type_comb;
    ui_instr_model_form_t m_model_form;
    QTableWidget *m_pulse_table;
};
