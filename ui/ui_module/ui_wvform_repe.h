#pragma once
#include "lib_types.h"

#include <QWidget>

class ui_spinbx_frame_t;
class ui_coustom_btn_t;

// "Waveform Repetitions": the repetition count and total samples of a sequence entry.
// OK (3) keeps it open; Cancel (2) is answered by its opener.
class ui_wvform_repe_t : public QWidget
{
    Q_OBJECT
public:
    ui_wvform_repe_t(QWidget *parent, Qt::WindowFlags flags = Qt::WindowFlags());
    ~ui_wvform_repe_t() override;

    ui_spinbx_frame_t *get_repetitions_frame() const { return m_repe_frame; }
    ui_spinbx_frame_t *get_samples_frame() const { return m_samples_frame; }
    ui_coustom_btn_t *get_ok_button() const { return m_btn_ok; }
    ui_coustom_btn_t *get_cancel_button() const { return m_btn_cancel; }

signals:
    void btn_info_signal(ui_wvform_repe_t *type, int32 btn);
    void wvform_repe_form_btn_signal(ui_wvform_repe_t *type, int32 btn);

public slots:
    void btn_slot_func();
    void wvform_repe_btn_slot_func(ui_wvform_repe_t *type, int32 btn);

private:
    ui_spinbx_frame_t *m_repe_frame;
    ui_spinbx_frame_t *m_samples_frame;
    ui_coustom_btn_t *m_btn_ok;
    ui_coustom_btn_t *m_btn_cancel;
};
