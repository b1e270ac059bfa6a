// The records the apply functions build from a channel's stored settings, per wave
// type, and the hold a wave call takes.
#include "cfg_apply_record.h"
#include "cfg_bswv_main.h"
#include "cfg_ch_couple.h"
#include "cfg_fixture.h"
#include "cfg_mod_main.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
lib_unit_data_t base(long double v)
{
    lib_unit_data_t r{};
    r.data = v;
    r.unit = LIB_UNIT_BASE;
    return r;
}
} // namespace

class CfgApplyRecord : public cfg_fixture_t
{
protected:
    void SetUp() override
    {
        cfg_fixture_t::SetUp();
        cfg_get_bswv_main(0)->store_freq_raw(base(5e3L));
        b = cfg_get_bswv_main(1);
        b->store_freq_raw(base(1e3L));
        b->store_ampl_raw(base(2.0L));
        b->store_offset_raw(base(0.5L));
        b->store_dc_level_raw(base(-1.5L));
        b->store_phase_raw(base(30.0L));
        int32 ohms = 50;
        b->store_load_raw(&ohms);
        b->store_duty_raw(base(25.0L));
        b->store_symmetry_raw(base(40.0L));
        b->store_pulse_width_raw(base(1e-4L));
        b->store_rise_edge_raw(base(2e-8L));
        b->store_fall_edge_raw(base(3e-8L));
        b->store_prbs_length_raw(base(7.0L));
        b->store_prbs_edge_raw(base(1e-8L));
    }

    // The shared head of every wave record of channel 1.
    void expect_head(const drv_wave_para_t &r, long double phase)
    {
        EXPECT_EQ(r.freq, 1e3L);
        EXPECT_EQ(r.ch0_freq, 5e3L);
        EXPECT_EQ(r.ch1_freq, 1e3L);
        EXPECT_EQ(r.ampl, 2.0L);
        EXPECT_EQ(r.offset, 0.5L);
        EXPECT_EQ(r.phase, phase);
        EXPECT_EQ(r.load, 50.0L);
    }

    cfg_bswv_main_t *b = nullptr;
};

TEST_F(CfgApplyRecord, EachWaveTypeFillsItsOwnFields)
{
    b->store_wave_type_raw(0);
    b->store_harmonic_switch_raw(1);
    drv_wave_para_t sine = cfg_build_wave_para(1, 0);
    expect_head(sine, 30.0L);
    EXPECT_EQ(sine.harmonic_switch, 1);
    b->store_harmonic_switch_raw(0);

    b->store_wave_type_raw(1);
    drv_wave_para_t square = cfg_build_wave_para(1, 1);
    expect_head(square, 30.0L);
    EXPECT_EQ(square.duty, 25.0L);
    // The square's edges are the pulse minimum, not the stored pulse edges.
    EXPECT_EQ(square.rise_edge, 1e-8L);
    EXPECT_EQ(square.fall_edge, 1e-8L);

    b->store_wave_type_raw(2);
    drv_wave_para_t ramp = cfg_build_wave_para(1, 2);
    expect_head(ramp, 30.0L);
    EXPECT_EQ(ramp.symmetry, 40.0L);
    EXPECT_EQ(ramp.duty, 0.0L);

    b->store_wave_type_raw(3);
    drv_wave_para_t pulse = cfg_build_wave_para(1, 3);
    expect_head(pulse, 30.0L);
    EXPECT_EQ(pulse.pulse_width, 1e-4L);
    EXPECT_EQ(pulse.rise_edge, 2e-8L);
    EXPECT_EQ(pulse.fall_edge, 3e-8L);

    b->store_wave_type_raw(8);
    b->store_prbs_link_raw(1);
    cfg_get_couple()->set_track_en_raw(1);
    drv_wave_para_t prbs = cfg_build_wave_para(1, 8);
    // A PRBS record carries no phase.
    expect_head(prbs, 0.0L);
    EXPECT_EQ(prbs.prbs_length, 7.0L);
    EXPECT_EQ(prbs.prbs_edge, 1e-8L);
    EXPECT_EQ(prbs.prbs_link, 1);
    EXPECT_EQ(prbs.tracking, 1);
}

TEST_F(CfgApplyRecord, ArbitrarySampleRateModeFollowsRunModeAndModulation)
{
    b->store_wave_type_raw(6);
    b->store_sample_rate_mode_raw(1);
    struct case_t
    {
        int32 run_mode;
        int32 mod_type;
        int32 mode;
    };
    const std::vector<case_t> cases = {
        {3, 1, 1}, {0, 1, 1}, {0, 7, 1}, {0, 2, 0}, {1, 1, 0}, {2, 1, 0},
    };
    for (const case_t &c : cases)
    {
        cfg_get_wv_main(1)->store_run_mode(c.run_mode);
        cfg_get_mod_main(1)->set_type_only(c.mod_type);
        const drv_wave_para_t r = cfg_build_wave_para(1, 6);
        EXPECT_EQ(r.sample_rate_mode, c.mode) << c.run_mode << " " << c.mod_type;
        EXPECT_EQ(r.srate_word, b->get_arb_rate_word());
    }
}

TEST_F(CfgApplyRecord, NoiseDcAndAmplitudeRecords)
{
    b->store_wave_type_raw(4);
    const drv_noise_para_t noise = cfg_build_noise_para(1);
    EXPECT_EQ(noise.ampl, 2.0L);
    EXPECT_EQ(noise.offset, 0.5L);
    EXPECT_EQ(noise.noise_bandwidth_switch, 0);
    EXPECT_EQ(noise.load, 50.0L);
    const drv_ampl_para_t noise_ampl = cfg_build_ampl_para(1);
    EXPECT_EQ(noise_ampl.freq, -1.0L);
    EXPECT_EQ(noise_ampl.ampl, 2.0L);

    b->store_wave_type_raw(5);
    const drv_dc_para_t dc = cfg_build_dc_para(1);
    // The DC level is the offset; a DC wave has no amplitude of its own.
    EXPECT_EQ(dc.offset, -1.5L);
    EXPECT_EQ(dc.ampl, 0.0L);
    EXPECT_EQ(dc.load, 50.0L);

    b->store_wave_type_raw(0);
    const drv_ampl_para_t sine_ampl = cfg_build_ampl_para(1);
    EXPECT_EQ(sine_ampl.freq, 1e3L);
    EXPECT_EQ(sine_ampl.load, 50.0L);
    EXPECT_EQ(sine_ampl.offset, 0.5L);
}

TEST_F(CfgApplyRecord, WaveCallHold)
{
    struct case_t
    {
        int32 phase_mode;
        int32 type;
        int32 prbs_link;
        bool full_rule;
        int32 hold;
    };
    // Independent channels: the full rule gives 1 unless the phase mode is 0.
    const std::vector<case_t> cases = {
        {0, 0, 0, true, 0}, {1, 0, 0, true, 1}, {0, 0, 0, false, 0}, {2, 0, 0, false, 2},
        {0, 8, 1, true, 1}, {0, 8, 1, false, 1}, {0, 8, 0, true, 0},
    };
    for (const case_t &c : cases)
    {
        cfg_get_couple()->set_phase_sync_mode_raw(c.phase_mode);
        b->store_prbs_link_raw(c.prbs_link);
        EXPECT_EQ(cfg_wave_call_hold(1, c.type, c.full_rule), c.hold)
            << c.phase_mode << " " << c.type << " " << c.prbs_link << " " << c.full_rule;
    }
}
