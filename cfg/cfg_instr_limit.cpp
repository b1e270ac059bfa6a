#include "cfg_instr_limit.h"

#include "cfg_if_wv.h"

#include <algorithm>

namespace {

// has_mode1, min/max freq, min amp, max amp word, min/max phase, min/max points (other
// channels), min/max points (channel 1), mode-1 min/max rate, rate, editor max.
const cfg_instr_block_t k_blocks[10] = {
    {true, 1e-6f, 1e9f, 0.002f, 24.0f, -360.0f, 360.0f, 24, 4294967295u, 24, 4294967295u, 1e-6f, 2.5e9f, 1.2e9f, 10000000u},
    {true, 1e-6f, 1e9f, 0.002f, 24.0f, -360.0f, 360.0f, 24, 536870912u, 24, 536870912u, 1e-6f, 2.5e9f, 1.2e9f, 10000000u},
    {true, 1e-6f, 5e7f, 0.002f, 20.0f, -360.0f, 360.0f, 2, 20971520u, 2, 20971520u, 1e-6f, 3e8f, 1.2e9f, 20971520u},
    {true, 1e-6f, 5e7f, 0.002f, 20.0f, -360.0f, 360.0f, 8, 8388608u, 8, 8388608u, 1e-6f, 3e8f, 1.2e9f, 8388608u},
    {true, 1e-6f, 2e7f, 0.002f, 20.0f, -360.0f, 360.0f, 8, 8388608u, 8, 8388608u, 1e-6f, 7.5e7f, 3e8f, 8388608u},
    {false, 1e-6f, 6e6f, 0.002f, 20.0f, -360.0f, 360.0f, 8, 8388608u, 8, 8388608u, 1.5e8f, 1.5e8f, 1.5e8f, 8388608u},
    {false, 1e-6f, 4e7f, 0.001f, 20.0f, 0.0f, 360.0f, 16384, 524288u, 16384, 524288u, 5e8f, 5e8f, 5e8f, 524288u},
    {false, 1e-6f, 5e6f, 0.004f, 20.0f, 0.0f, 360.0f, 16384, 16384u, 16384, 16384u, 1.25e8f, 1.25e8f, 1.25e8f, 16384u},
    {false, 1e-6f, 5e6f, 0.004f, 20.0f, 0.0f, 360.0f, 16384, 16384u, 16384, 16384u, 1.25e8f, 1.25e8f, 1.25e8f, 16384u},
    {false, 1e-6f, 5e6f, 0.004f, 6.0f, 0.0f, 360.0f, 16384, 16384u, 16384, 16384u, 1.25e8f, 1.25e8f, 1.25e8f, 16384u},
};

const cfg_form_limits_t k_form = {1,    100,  0.0f, 100.0f, 0.0f,    100.0f, 1,    100,    2,
                                  100,  0.0f, 100.0f, 2,    32,      0.0f,   1000.0f, 1e-9f, 1000.0f};

cfg_instr_limit_t *table() { return cfg_instr_limit_t::get_instance(); }

} // namespace

cfg_instr_limit_t::cfg_instr_limit_t() : m_current(k_blocks[2]), m_form(k_form)
{
    for (int i = 0; i < 10; ++i)
        m_blocks[i] = k_blocks[i];
}

cfg_instr_limit_t *cfg_instr_limit_t::get_instance()
{
    static cfg_instr_limit_t instance;
    return &instance;
}

cfg_instr_block_t *cfg_instr_limit_t::select(instr_zqw_t type)
{
    int t = static_cast<int>(type);
    m_current = (t >= 0 && t <= 9) ? m_blocks[t] : m_blocks[2];
    return &m_current;
}

float cfg_instr_limit_t::max_amp(instr_zqw_t type, float freq, lib_ch_t ch)
{
    switch (static_cast<int>(type)) {
    case INSTR_ZQW6000X:
    case INSTR_ZQW6000X_E:
        return freq > 2e7f ? 10.0f : 20.0f;
    case INSTR_ZQW8000A:
    case INSTR_ZQW7000A:
        return freq >= 6e7f ? 12.0f : 24.0f;
    case INSTR_ZQW1000:
        if (ch != LIB_CH1)
            return 6.0f;
        return select(type)->max_amp;
    default:
        return select(type)->max_amp;
    }
}

int cfg_instr_limit_check_t::check_value_limit(float *value, float freq, instr_zqw_t type)
{
    float hi = table()->max_amp(type, freq, LIB_CH1);
    float lo = *instr_get_min_amp(type);
    if (*value > hi) {
        *value = hi;
        return -10;
    }
    if (*value < lo) {
        *value = lo;
        return -11;
    }
    return 1;
}

int cfg_instr_limit_check_t::check_offset_limit(float *offset, float amp, float freq, instr_zqw_t type)
{
    float m = table()->max_amp(type, freq, LIB_CH1);
    float hi = m * 0.5f - amp * 0.5f;
    float lo = amp * 0.5f - m * 0.5f;
    if (*offset > hi) {
        *offset = hi;
        return -10;
    }
    if (*offset < lo) {
        *offset = lo;
        return -11;
    }
    return 1;
}

int cfg_instr_limit_check_t::check_amplitude_limit(float *amp, float offset, float freq, instr_zqw_t type)
{
    float m = table()->max_amp(type, freq, LIB_CH1);
    float min_amp = *instr_get_min_amp(type);
    float room = offset > 0 ? 2 * (m * 0.5f - offset) : 2 * (offset + m * 0.5f);
    float hi = std::max(min_amp, room);
    if (*amp > hi) {
        *amp = hi;
        return -10;
    }
    if (*amp < min_amp) {
        *amp = min_amp;
        return -11;
    }
    return 1;
}

int cfg_instr_limit_check_t::check_high_level_limit(float *high, float low, float freq, instr_zqw_t type)
{
    float hi = table()->max_amp(type, freq, LIB_CH1) * 0.5f;
    float lo = low + *instr_get_min_amp(type);
    if (*high > hi) {
        *high = hi;
        return -10;
    }
    if (*high < lo) {
        *high = lo;
        return -11;
    }
    return 1;
}

int cfg_instr_limit_check_t::check_low_level_limit(float *low, float high, float freq, instr_zqw_t type)
{
    float hi = high - *instr_get_min_amp(type);
    float lo = table()->max_amp(type, freq, LIB_CH1) * -0.5f;
    if (*low > hi) {
        *low = hi;
        return -10;
    }
    if (*low < lo) {
        *low = lo;
        return -11;
    }
    return 1;
}

float *instr_get_min_freq(instr_zqw_t type) { return &table()->select(type)->min_freq; }

float instr_get_max_freq(instr_zqw_t type, int mode, uint64 points)
{
    cfg_instr_block_t *b = table()->select(type);
    if (b->has_mode1 && mode == 1)
        return b->mode1_max_srate / static_cast<float>(points);
    return b->max_freq;
}

float *instr_get_min_amp(instr_zqw_t type) { return &table()->select(type)->min_amp; }

float instr_get_max_amp(instr_zqw_t type, float freq, lib_ch_t ch) { return table()->max_amp(type, freq, ch); }

float instr_get_min_offset(instr_zqw_t type, float freq, float amp, lib_ch_t ch)
{
    return amp * 0.5f - instr_get_max_amp(type, freq, ch) * 0.5f;
}

float instr_get_max_offset(instr_zqw_t type, float freq, float amp, lib_ch_t ch)
{
    return instr_get_max_amp(type, freq, ch) * 0.5f - amp * 0.5f;
}

float instr_get_min_high_level(instr_zqw_t type, float, float low) { return low + *instr_get_min_amp(type); }

float instr_get_max_high_level(instr_zqw_t type, float freq, float, lib_ch_t ch)
{
    return instr_get_max_amp(type, freq, ch) * 0.5f;
}

float instr_get_min_low_level(instr_zqw_t type, float freq, float, lib_ch_t ch)
{
    return instr_get_max_amp(type, freq, ch) * -0.5f;
}

float instr_get_max_low_level(instr_zqw_t type, float, float high) { return high - *instr_get_min_amp(type); }

float *instr_get_min_phase(instr_zqw_t type) { return &table()->select(type)->min_phase; }

float *instr_get_max_phase(instr_zqw_t type) { return &table()->select(type)->max_phase; }

int32 *instr_get_min_wv_len(instr_zqw_t type, lib_ch_t ch)
{
    cfg_instr_block_t *b = table()->select(type);
    return ch == LIB_CH2 ? &b->min_points_ch1 : &b->min_points;
}

uint32 *instr_get_max_wv_len(instr_zqw_t type, lib_ch_t ch)
{
    cfg_instr_block_t *b = table()->select(type);
    return ch == LIB_CH2 ? &b->max_points_ch1 : &b->max_points;
}

uint32 *instr_get_editor_max_wv_len(instr_zqw_t type) { return &table()->select(type)->editor_max_points; }

float instr_get_max_srate(instr_zqw_t type, int mode)
{
    cfg_instr_block_t *b = table()->select(type);
    return (b->has_mode1 && mode == 1) ? b->mode1_max_srate : b->srate;
}

float instr_get_min_srate(instr_zqw_t type, int mode)
{
    cfg_instr_block_t *b = table()->select(type);
    return mode == 1 ? b->mode1_min_srate : b->srate;
}

int instr_get_ch_count(instr_zqw_t type)
{
    int t = static_cast<int>(type);
    return (t == 8 || t == 9 || t == 10) ? 1 : 2;
}

int instr_check_wv_param(instr_zqw_t type, cfg_if_wv_t *wave, lib_ch_t ch)
{
    const uint32 n = *wave->get_wv_len();
    if (type == INSTR_ZQW5000) {
        uint32 lo = static_cast<uint32>(*instr_get_min_wv_len(type, ch));
        uint32 hi = *instr_get_max_wv_len(type, ch);
        if (n != lo && n != hi)
            return -20;
    } else {
        uint32 lo = static_cast<uint32>(*instr_get_min_wv_len(type, ch));
        uint32 hi = *instr_get_max_wv_len(type, ch);
        if (n < lo || n > hi)
            return -20;
    }
    float ph = *wave->get_phase();
    if (ph < *instr_get_min_phase(type) || ph > *instr_get_max_phase(type))
        return -24;
    float f = static_cast<float>(*wave->get_freq());
    if (f < *instr_get_min_freq(type) || f > instr_get_max_freq(type, 0, n))
        return -21;
    float a = *wave->get_amp();
    if (a < *instr_get_min_amp(type) || a > instr_get_max_amp(type, f, ch))
        return -22;
    float o = *wave->get_offset();
    if (o < instr_get_min_offset(type, f, a, ch) || o > instr_get_max_offset(type, f, a, ch))
        return -23;
    return 0;
}

int instr_check_value_limit(float *value, float freq, instr_zqw_t type)
{
    return table()->get_check()->check_value_limit(value, freq, type);
}

int instr_check_offset_limit(float *offset, float amp, float freq, instr_zqw_t type)
{
    return table()->get_check()->check_offset_limit(offset, amp, freq, type);
}

int instr_check_amplitude_limit(float *amp, float offset, float freq, instr_zqw_t type)
{
    return table()->get_check()->check_amplitude_limit(amp, offset, freq, type);
}

int instr_check_high_level_limit(float *high, float low, float freq, instr_zqw_t type)
{
    return table()->get_check()->check_high_level_limit(high, low, freq, type);
}

int instr_check_low_level_limit(float *low, float high, float freq, instr_zqw_t type)
{
    return table()->get_check()->check_low_level_limit(low, high, freq, type);
}

int32 *instr_get_min_cycle() { return &table()->form()->min_cycle; }
int32 *instr_get_max_cycle() { return &table()->form()->max_cycle; }
float *instr_get_min_duty() { return &table()->form()->min_duty; }
float *instr_get_max_duty() { return &table()->form()->max_duty; }
float *instr_get_min_symmetry() { return &table()->form()->min_symmetry; }
float *instr_get_max_symmetry() { return &table()->form()->max_symmetry; }
int32 *instr_get_min_zero_crossing() { return &table()->form()->min_zero_crossing; }
int32 *instr_get_max_zero_crossing() { return &table()->form()->max_zero_crossing; }
int32 *instr_get_min_step_count() { return &table()->form()->min_step_count; }
int32 *instr_get_max_step_count() { return &table()->form()->max_step_count; }
float *instr_get_min_damp_factor() { return &table()->form()->min_damp_factor; }
float *instr_get_max_damp_factor() { return &table()->form()->max_damp_factor; }
int32 *instr_get_min_pulse_num() { return &table()->form()->min_pulse_num; }
int32 *instr_get_max_pulse_num() { return &table()->form()->max_pulse_num; }
float *instr_get_min_edge_time() { return &table()->form()->min_edge_time; }
float *instr_get_max_edge_time() { return &table()->form()->max_edge_time; }
float *instr_get_min_pulse_time() { return &table()->form()->min_pulse_time; }
float *instr_get_max_pulse_time() { return &table()->form()->max_pulse_time; }
