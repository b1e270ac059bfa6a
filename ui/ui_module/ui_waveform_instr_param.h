#pragma once
#include "lib_types.h"

#include <QString>
#include <QWidget>

class QLineEdit;

// Read-out of a waveform's instrument parameters: amplitude, offset, frequency, phase
// and point count, each field a translated prefix followed by the value with its unit.
class ui_waveform_instr_param_t : public QWidget
{
    Q_OBJECT
public:
    explicit ui_waveform_instr_param_t(QWidget *parent = nullptr);
    ~ui_waveform_instr_param_t() override;

    void set_amp(fp32 amp);
    void set_offset(fp32 offset);
    void set_freq(fp32 freq);
    void set_phase(fp32 phase);
    void set_points(fp32 points);

    QLineEdit *amp_field;
    QLineEdit *offset_field;
    QLineEdit *freq_field;
    QLineEdit *phase_field;
    QLineEdit *points_field;

private:
    QString amp_prefix;
    QString offset_prefix;
    QString freq_prefix;
    QString phase_prefix;
    QString points_prefix;
};
