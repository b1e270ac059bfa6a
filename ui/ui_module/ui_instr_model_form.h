#pragma once
#include "cfg_wv_types.h"

#include <QFrame>
#include <map>
#include <string>

class QLabel;
class ui_coustom_comb_t;

// The brand of the offered models: the first field of the last line of "factory.txt"
// that holds a comma. Set by every instrument-model frame that reads the file.
extern std::string factory_brand;

// "Instrument Model:": the generator model class and output channel a waveform is made
// for, offered from "factory.txt" beside the program.
class ui_instr_model_form_t : public QFrame
{
    Q_OBJECT
public:
    explicit ui_instr_model_form_t(const QString &label_text);

    instr_zqw_t get_instr_type() const { return instr_type; }
    void set_instr_type(instr_zqw_t type);
    lib_ch_t get_channel() const { return channel; }
    void set_channel(lib_ch_t ch);
    void store_instr_type(instr_zqw_t type) { instr_type = type; }
    void store_channel(lib_ch_t ch) { channel = ch; }
    void show_channel_combo(instr_zqw_t type);
    void load_factory_models();

    ui_coustom_comb_t *model_comb;
    ui_coustom_comb_t *two_ch_comb;
    ui_coustom_comb_t *one_ch_comb;
    ui_coustom_comb_t *four_ch_comb;
    QLabel *label;

signals:
    void instr_change_info_signal(instr_zqw_t instr_type, lib_ch_t ch);

public slots:
    void comb_slot_func(int index);

private:
    instr_zqw_t instr_type;
    lib_ch_t channel;
    std::map<std::string, instr_zqw_t> model_map;
    std::map<int, instr_zqw_t> row_model_map;
};
