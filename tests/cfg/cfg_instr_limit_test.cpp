#include "cfg_if_wv.h"
#include "cfg_instr_limit.h"

#include <gtest/gtest.h>

namespace {

class plain_wave_t : public cfg_if_wv_t
{
public:
    int create_wv_data() override { return 0; }
};

instr_zqw_t cls(int t) { return static_cast<instr_zqw_t>(t); }

} // namespace

TEST(InstrLimits, MaximumAmplitudeRule)
{
    struct c_t { int cls; float freq; lib_ch_t ch; float amp; };
    const c_t cases[] = {
        {2, 2e7f, LIB_CH1, 20.0f},  {2, 2.0001e7f, LIB_CH1, 10.0f}, {3, 3e7f, LIB_CH1, 10.0f},
        {0, 5.9e7f, LIB_CH1, 24.0f}, {0, 6e7f, LIB_CH1, 12.0f},     {1, 1e3f, LIB_CH1, 24.0f},
        {7, 1e3f, LIB_CH1, 20.0f},  {7, 1e3f, LIB_CH2, 6.0f},       {9, 1e3f, LIB_CH1, 6.0f},
        {11, 3e7f, LIB_CH1, 20.0f}, {10, 3e7f, LIB_CH1, 20.0f},     {5, 1e3f, LIB_CH2, 20.0f},
    };
    for (const c_t &c : cases)
        EXPECT_EQ(instr_get_max_amp(cls(c.cls), c.freq, c.ch), c.amp) << c.cls << " " << c.freq;
}

TEST(InstrLimits, FrequencyAndSampleRate)
{
    EXPECT_EQ(instr_get_max_freq(INSTR_ZQW8000A, 0, 1000), 1e9f);
    EXPECT_EQ(instr_get_max_freq(INSTR_ZQW8000A, 1, 1000), 2.5e6f);
    EXPECT_EQ(instr_get_max_freq(INSTR_ZQW1000X, 1, 1000), 6e6f);
    EXPECT_EQ(instr_get_max_srate(INSTR_ZQW2000X, 0), 3e8f);
    EXPECT_EQ(instr_get_max_srate(INSTR_ZQW2000X, 1), 7.5e7f);
    EXPECT_EQ(instr_get_min_srate(INSTR_ZQW5000, 1), 5e8f);
    EXPECT_EQ(instr_get_min_srate(INSTR_ZQW5000, 0), 5e8f);
    EXPECT_EQ(*instr_get_min_freq(INSTR_ZQW800), 1e-6f);
    EXPECT_EQ(*instr_get_max_wv_len(INSTR_ZQW8000A, LIB_CH1), 4294967295u);
    EXPECT_EQ(*instr_get_min_wv_len(INSTR_ZQW6000X_E, LIB_CH2), 8);
    EXPECT_EQ(*instr_get_editor_max_wv_len(INSTR_ZQW6000X), 20971520u);
    EXPECT_EQ(*instr_get_editor_max_wv_len(INSTR_NONE), 20971520u);
    EXPECT_EQ(*instr_get_min_amp(INSTR_ZQW5000), 0.001f);
    EXPECT_EQ(*instr_get_min_phase(INSTR_ZQW1000), 0.0f);
    EXPECT_EQ(*instr_get_min_phase(INSTR_OVT2000X_PLUS), -360.0f);
    for (int t = 0; t <= 11; ++t)
        EXPECT_EQ(instr_get_ch_count(cls(t)), (t == 8 || t == 9 || t == 10) ? 1 : 2) << t;
}

TEST(InstrLimits, FormLimits)
{
    EXPECT_EQ(*instr_get_min_cycle(), 1);
    EXPECT_EQ(*instr_get_max_cycle(), 100);
    EXPECT_EQ(*instr_get_max_duty(), 100.0f);
    EXPECT_EQ(*instr_get_min_step_count(), 2);
    EXPECT_EQ(*instr_get_max_pulse_num(), 32);
    EXPECT_EQ(*instr_get_min_pulse_time(), 1e-9f);
    EXPECT_EQ(*instr_get_max_edge_time(), 1000.0f);
}

TEST(InstrLimits, CheckWaveParameters)
{
    struct c_t { int cls; uint32 points; float freq, amp, offset, phase; int expect; };
    const c_t cases[] = {
        // a plain sine passes everywhere
        {0, 16384, 1e3f, 2.0f, 0.0f, 0.0f, 0}, {2, 16384, 1e3f, 2.0f, 0.0f, 0.0f, 0},
        {6, 16384, 1e3f, 2.0f, 0.0f, 0.0f, 0}, {9, 16384, 1e3f, 2.0f, 0.0f, 0.0f, 0},
        {11, 16384, 1e3f, 2.0f, 0.0f, 0.0f, 0},
        // points
        {2, 1, 1e3f, 2.0f, 0.0f, 0.0f, -20}, {7, 1, 1e3f, 2.0f, 0.0f, 0.0f, -20},
        {6, 100000, 1e3f, 2.0f, 0.0f, 0.0f, -20}, {6, 524288, 1e3f, 2.0f, 0.0f, 0.0f, 0},
        {2, 20971521, 1e3f, 2.0f, 0.0f, 0.0f, -20},
        // phase, and points before phase
        {7, 16384, 1e3f, 2.0f, 0.0f, -10.0f, -24}, {2, 16384, 1e3f, 2.0f, 0.0f, -10.0f, 0},
        {7, 1, 1e3f, 2.0f, 0.0f, -10.0f, -20},
        // frequency, amplitude, offset
        {2, 16384, 6e7f, 2.0f, 0.0f, 0.0f, -21}, {2, 16384, 3e7f, 12.0f, 0.0f, 0.0f, -22},
        {2, 16384, 1e3f, 18.0f, 2.0f, 0.0f, -23}, {2, 16384, 1e3f, 18.0f, 1.0f, 0.0f, 0},
        {2, 16384, 1e3f, 0.001f, 0.0f, 0.0f, -22},
    };
    for (const c_t &c : cases) {
        plain_wave_t w;
        w.set_wv_len(c.points);
        w.set_freq(c.freq);
        w.set_amp(c.amp);
        w.set_offset(c.offset);
        w.set_phase(c.phase);
        EXPECT_EQ(instr_check_wv_param(cls(c.cls), &w, LIB_CH1), c.expect)
            << "class " << c.cls << " points " << c.points << " freq " << c.freq;
    }
}

TEST(InstrLimits, Clamps)
{
    struct c_t { int which; float value, other; int cls; float expect_value; int expect; };
    // which: 0 amplitude value, 1 offset (other = amplitude), 2 amplitude (other = offset),
    // 3 high (other = low), 4 low (other = high); all at 1 kHz
    const c_t cases[] = {
        {1, 5.0f, 10.0f, 2, 5.0f, 1},     {1, 6.0f, 10.0f, 2, 5.0f, -10},  {1, -6.0f, 10.0f, 2, -5.0f, -11},
        {0, 0.0001f, 0, 7, 0.004f, -11},  {0, 30.0f, 0, 2, 20.0f, -10},    {0, 3.0f, 0, 2, 3.0f, 1},
        {2, 19.0f, 1.0f, 2, 18.0f, -10},  {2, 19.0f, -1.0f, 2, 18.0f, -10}, {2, 0.0f, 0.0f, 2, 0.002f, -11},
        {3, 11.0f, 0.0f, 2, 10.0f, -10},  {3, -1.0f, 0.0f, 2, 0.002f, -11},
        {4, -11.0f, 0.0f, 2, -10.0f, -11}, {4, 1.0f, 0.0f, 2, -0.002f, -10},
    };
    for (const c_t &c : cases) {
        float v = c.value;
        int rc = 0;
        switch (c.which) {
        case 0: rc = instr_check_value_limit(&v, 1e3f, cls(c.cls)); break;
        case 1: rc = instr_check_offset_limit(&v, c.other, 1e3f, cls(c.cls)); break;
        case 2: rc = instr_check_amplitude_limit(&v, c.other, 1e3f, cls(c.cls)); break;
        case 3: rc = instr_check_high_level_limit(&v, c.other, 1e3f, cls(c.cls)); break;
        case 4: rc = instr_check_low_level_limit(&v, c.other, 1e3f, cls(c.cls)); break;
        }
        EXPECT_EQ(rc, c.expect) << c.which << " " << c.value;
        EXPECT_FLOAT_EQ(v, c.expect_value) << c.which << " " << c.value;
    }
}

TEST(InstrLimits, UnknownClassesReadTheDefaultBlock)
{
    for (int t : {10, 11, 42, -3}) {
        EXPECT_EQ(*instr_get_max_wv_len(cls(t), LIB_CH1), 20971520u) << t;
        EXPECT_EQ(*instr_get_min_amp(cls(t)), 0.002f) << t;
        EXPECT_EQ(instr_get_max_freq(cls(t), 0, 10), 5e7f) << t;
    }
}
