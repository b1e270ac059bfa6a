#pragma once
#include "cfg_wv_types.h"

class cfg_if_wv_t;

// The limits of one instrument model class.
struct cfg_instr_block_t
{
    bool has_mode1;
    float min_freq;
    float max_freq;
    float min_amp;
    float max_amp;
    float min_phase;
    float max_phase;
    int32 min_points;
    uint32 max_points;
    int32 min_points_ch1;
    uint32 max_points_ch1;
    float mode1_min_srate;
    float mode1_max_srate;
    float srate;
    uint32 editor_max_points;
};

// Fixed ranges of the waveform creation forms, the same for every class.
struct cfg_form_limits_t
{
    int32 min_cycle;
    int32 max_cycle;
    float min_duty;
    float max_duty;
    float min_symmetry;
    float max_symmetry;
    int32 min_zero_crossing;
    int32 max_zero_crossing;
    int32 min_step_count;
    int32 max_step_count;
    float min_damp_factor;
    float max_damp_factor;
    int32 min_pulse_num;
    int32 max_pulse_num;
    float min_edge_time;
    float max_edge_time;
    float min_pulse_time;
    float max_pulse_time;
};

// Clamps of entered values against a class's limits. Each returns 1 when the value was
// in range, -10 when it was lowered to the maximum, -11 when raised to the minimum.
class cfg_instr_limit_check_t
{
public:
    int check_value_limit(float *value, float freq, instr_zqw_t type);
    int check_offset_limit(float *offset, float amp, float freq, instr_zqw_t type);
    int check_amplitude_limit(float *amp, float offset, float freq, instr_zqw_t type);
    int check_high_level_limit(float *high, float low, float freq, instr_zqw_t type);
    int check_low_level_limit(float *low, float high, float freq, instr_zqw_t type);
};

// The process-wide limit table. Each lookup by class copies that class's block into the
// current block; pointers handed out point there and last until the next lookup.
class cfg_instr_limit_t
{
public:
    static cfg_instr_limit_t *get_instance();
    cfg_instr_limit_check_t *get_check() { return &m_check; }

    cfg_instr_block_t *select(instr_zqw_t type);
    cfg_form_limits_t *form() { return &m_form; }

    float max_amp(instr_zqw_t type, float freq, lib_ch_t ch);

private:
    cfg_instr_limit_t();

    cfg_instr_block_t m_current;
    cfg_instr_block_t m_blocks[10];
    cfg_form_limits_t m_form;
    cfg_instr_limit_check_t m_check;
};

float *instr_get_min_freq(instr_zqw_t type);
float instr_get_max_freq(instr_zqw_t type, int mode, uint64 points);
float *instr_get_min_amp(instr_zqw_t type);
float instr_get_max_amp(instr_zqw_t type, float freq, lib_ch_t ch);
float instr_get_min_offset(instr_zqw_t type, float freq, float amp, lib_ch_t ch);
float instr_get_max_offset(instr_zqw_t type, float freq, float amp, lib_ch_t ch);
float instr_get_min_high_level(instr_zqw_t type, float freq, float low);
float instr_get_max_high_level(instr_zqw_t type, float freq, float low, lib_ch_t ch);
float instr_get_min_low_level(instr_zqw_t type, float freq, float high, lib_ch_t ch);
float instr_get_max_low_level(instr_zqw_t type, float freq, float high);
float *instr_get_min_phase(instr_zqw_t type);
float *instr_get_max_phase(instr_zqw_t type);
int32 *instr_get_min_wv_len(instr_zqw_t type, lib_ch_t ch);
uint32 *instr_get_max_wv_len(instr_zqw_t type, lib_ch_t ch);
uint32 *instr_get_editor_max_wv_len(instr_zqw_t type);
float instr_get_max_srate(instr_zqw_t type, int mode);
float instr_get_min_srate(instr_zqw_t type, int mode);
int instr_get_ch_count(instr_zqw_t type);
// 0, or -20 points, -21 frequency, -22 amplitude, -23 offset, -24 phase.
int instr_check_wv_param(instr_zqw_t type, cfg_if_wv_t *wave, lib_ch_t ch);
int instr_check_value_limit(float *value, float freq, instr_zqw_t type);
int instr_check_offset_limit(float *offset, float amp, float freq, instr_zqw_t type);
int instr_check_amplitude_limit(float *amp, float offset, float freq, instr_zqw_t type);
int instr_check_high_level_limit(float *high, float low, float freq, instr_zqw_t type);
int instr_check_low_level_limit(float *low, float high, float freq, instr_zqw_t type);

int32 *instr_get_min_cycle();
int32 *instr_get_max_cycle();
float *instr_get_min_duty();
float *instr_get_max_duty();
float *instr_get_min_symmetry();
float *instr_get_max_symmetry();
int32 *instr_get_min_zero_crossing();
int32 *instr_get_max_zero_crossing();
int32 *instr_get_min_step_count();
int32 *instr_get_max_step_count();
float *instr_get_min_damp_factor();
float *instr_get_max_damp_factor();
int32 *instr_get_min_pulse_num();
int32 *instr_get_max_pulse_num();
float *instr_get_min_edge_time();
float *instr_get_max_edge_time();
float *instr_get_min_pulse_time();
float *instr_get_max_pulse_time();
