// The channel settings object over a started configuration layer: defaults, the store
// rule, the parameter-object lookup, the derived values and the channel record.
#include "cfg_bswv_arb.h"
#include "cfg_bswv_main.h"
#include "cfg_bswv_prbs.h"
#include "cfg_bswv_sine.h"
#include "cfg_bswv_wave.h"
#include "cfg_fixture.h"
#include "drv_para.h"

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

namespace
{
lib_unit_data_t rec(long double v, int32 unit = LIB_UNIT_BASE)
{
    return lib_unit_data_t{v, unit, false};
}

using CfgBswvMain = cfg_fixture_t;
} // namespace

TEST_F(CfgBswvMain, BothChannelsStartWithTheDefaults)
{
    for (int32 ch : {0, 1})
    {
        cfg_bswv_main_t *b = cfg_get_bswv_main(ch);
        SCOPED_TRACE(ch);
        EXPECT_EQ(b->get_channel(), ch);
        EXPECT_EQ(b->get_wave_type(), 0);
        EXPECT_EQ(b->get_user_flag(), 1);
        const std::vector<std::pair<lib_unit_data_t, long double>> records = {
            {b->get_freq_raw(), 1000.0L},       {b->get_ampl_raw(), 4.0L},           {b->get_offset_raw(), 0.0L},
            {b->get_dc_level_raw(), 0.0L},      {b->get_phase_raw(), 0.0L},          {b->get_duty_raw(), 50.0L},
            {b->get_symmetry_raw(), 50.0L},     {b->get_prbs_length_raw(), 3.0L},    {b->get_prbs_edge_raw(), 1e-08L},
            {b->get_pulse_width_raw(), 0.0002L}, {b->get_rise_edge_raw(), 2e-09L},   {b->get_fall_edge_raw(), 2e-09L},
            {b->get_pulse_duty_raw(), 20.0L},   {b->get_sample_rate_raw(), 16384000.0L},
            {b->get_noise_stdev_raw(), 0.2L},   {b->get_noise_bandwidth_raw(), 0.0L},
        };
        for (size_t i = 0; i < records.size(); ++i)
        {
            EXPECT_EQ(records[i].first.data, records[i].second) << i;
            EXPECT_EQ(records[i].first.unit, LIB_UNIT_BASE) << i;
            EXPECT_FALSE(records[i].first.changed) << i;
        }
        int32 load = 0;
        b->get_load(&load);
        EXPECT_EQ(load, 1000000);
        EXPECT_EQ(b->get_harmonic_order_raw(), 2);
        EXPECT_EQ(b->get_harmonic_type_raw(), 0);
        EXPECT_EQ(b->get_harmonic_switch_raw(), 0);
        EXPECT_EQ(b->get_sample_rate_mode(), 0);
        EXPECT_EQ(b->get_pulse_hold(), 0);
        EXPECT_EQ(b->get_harmonic_scale(), 1.0L);
        EXPECT_EQ(b->get_alt_product_flag(), 0);
        ASSERT_EQ(b->get_harmonics().size(), 9u);
        for (const auto &h : b->get_harmonics())
        {
            EXPECT_EQ(h.second.ampl, 0.0L);
            EXPECT_EQ(h.second.level, -80.0L);
            EXPECT_EQ(h.second.phase, 0.0L);
        }
        std::map<int32, int32> index;
        for (int32 order = 2; order <= 10; ++order)
            index[order] = 206 + order;
        EXPECT_EQ(b->get_harmonic_wave_index(), index);
    }
}

TEST_F(CfgBswvMain, SecondInitKeepsHarmonicRecordsAndRewritesTheRest)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    cfg_bswv_wave_t *old_sine = b->get_wave(0);
    const_cast<std::map<int32, cfg_harmonic_t> &>(b->get_harmonics())[3].ampl = 0.5L;
    b->store_ampl_raw(rec(1.0L));
    b->store_wave_type_raw(2);
    b->init(0);
    EXPECT_EQ(b->get_harmonics().at(3).ampl, 0.5L);
    EXPECT_EQ(b->get_ampl_raw().data, 4.0L);
    EXPECT_EQ(b->get_wave_type(), 0);
    // The parameter objects are replaced, not added to.
    EXPECT_NE(b->get_wave(0), nullptr);
    EXPECT_EQ(b->get_wave(0)->get_channel(), 0);
    (void)old_sine;
}

TEST_F(CfgBswvMain, StoreRuleSetsChangedOnlyForANewValue)
{
    lib_unit_data_t field = rec(5.0L, 13);
    const struct
    {
        long double value;
        int32 unit;
        bool changed;
        int32 unit_after;
    } steps[] = {
        {5.0L, 17, false, 13}, // same value: the unit stays
        {6.0L, 17, true, 17},
        {6.0L, 14, false, 17},
        {std::nanl(""), 14, true, 14},
        {std::nanl(""), 15, true, 15}, // NaN never equals itself
    };
    for (const auto &s : steps)
    {
        const lib_unit_data_t v = rec(s.value, s.unit);
        cfg_store_unit_data(&field, &v);
        EXPECT_EQ(field.changed, s.changed) << static_cast<double>(s.value);
        EXPECT_EQ(field.unit, s.unit_after) << static_cast<double>(s.value);
    }
    cfg_bswv_main_t *b = cfg_get_bswv_main(1);
    b->store_duty_raw(rec(50.0L));
    lib_unit_data_t duty{};
    b->get_duty(&duty);
    EXPECT_FALSE(duty.changed);
    b->store_duty_raw(rec(30.0L));
    b->get_duty(&duty);
    EXPECT_TRUE(duty.changed);
    EXPECT_EQ(duty.data, 30.0L);
}

TEST_F(CfgBswvMain, ParameterObjectLookupByType)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(1);
    cfg_bswv_wave_t *base = cfg_get_bswv_wave(1, 7);
    ASSERT_NE(base, nullptr);
    EXPECT_EQ(typeid(*base), typeid(cfg_bswv_wave_t));
    EXPECT_EQ(cfg_get_bswv_wave(1, 9), base);
    EXPECT_EQ(cfg_get_bswv_wave(1, -1), base);
    EXPECT_EQ(cfg_get_bswv_wave(1, 12), base);
    std::vector<cfg_bswv_wave_t *> seen{base};
    for (int32 type : {0, 1, 2, 3, 4, 5, 6, 8})
    {
        cfg_bswv_wave_t *w = cfg_get_bswv_wave(1, type);
        ASSERT_NE(w, nullptr) << type;
        EXPECT_EQ(w->get_channel(), 1) << type;
        for (cfg_bswv_wave_t *other : seen)
            EXPECT_NE(w, other) << type;
        seen.push_back(w);
    }
    EXPECT_EQ(typeid(*cfg_get_bswv_wave(1, 0)), typeid(cfg_bswv_sine_t));
    EXPECT_EQ(typeid(*cfg_get_bswv_wave(1, 6)), typeid(cfg_bswv_arb_t));
    EXPECT_EQ(typeid(*cfg_get_bswv_wave(1, 8)), typeid(cfg_bswv_prbs_t));
    // The two channels never share an object.
    EXPECT_NE(cfg_get_bswv_wave(0, 0), cfg_get_bswv_wave(1, 0));
    b->store_wave_type_raw(8);
    EXPECT_EQ(b->get_current_wave(), cfg_get_bswv_wave(1, 8));
}

TEST_F(CfgBswvMain, LevelsOpenCircuitValuesAndPulseDelay)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_offset_raw(rec(1.0L));
    lib_unit_data_t r{};
    b->get_high_level(&r);
    EXPECT_EQ(r.data, 3.0L);
    b->get_low_level(&r);
    EXPECT_EQ(r.data, -1.0L);

    b->store_wave_type_raw(5);
    b->store_dc_level_raw(rec(1.5L));
    b->get_high_level(&r);
    EXPECT_EQ(r.data, 3.5L);
    b->get_low_level(&r);
    EXPECT_EQ(r.data, -0.5L);
    b->get_offset(&r);
    EXPECT_EQ(r.data, 1.5L);
    EXPECT_EQ(b->get_output_ampl(), 0.0L); // a DC wave has no amplitude to output

    b->store_wave_type_raw(0);
    b->store_ampl_raw(rec(1.0L));
    const std::pair<int32, long double> open[] = {{50, 2.0L}, {1000000, 1.0L}, {1000, 1.05L}};
    for (const auto &c : open)
    {
        b->store_load_raw(&c.first);
        EXPECT_NEAR(static_cast<double>(b->get_open_circuit_ampl()), static_cast<double>(c.second), 1e-15)
            << c.first;
    }
    // The offset is scaled for every load, 50 ohms included.
    const int32 fifty = 50;
    b->store_load_raw(&fifty);
    EXPECT_EQ(b->get_open_circuit_offset(), 2.0L);
    // An inverted channel offers its offset negated.
    cfg_get_wv_main(0)->store_polarity(0);
    b->get_signed_offset(&r);
    EXPECT_EQ(r.data, -1.0L);
    EXPECT_EQ(b->get_offset_value(), -1.0L);
    b->store_signed_offset_raw(rec(0.25L));
    EXPECT_EQ(b->get_offset_raw().data, -0.25L);

    const struct
    {
        long double phase;
        long double freq;
        long double delay;
    } delays[] = {{90.0L, 1000.0L, -0.00025L}, {90.0L, 0.0L, 0.0L}, {-0.0L, 1000.0L, 0.0L}};
    for (const auto &d : delays)
    {
        b->store_phase_raw(rec(d.phase));
        b->store_freq_raw(rec(d.freq));
        b->get_pulse_delay(&r);
        EXPECT_EQ(r.data, d.delay);
        if (d.delay == 0)
            EXPECT_FALSE(std::signbit(r.data));
    }
}

TEST_F(CfgBswvMain, RmsAndDbmByWaveType)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_ampl_raw(rec(2.0L));
    const int32 fifty = 50;
    b->store_load_raw(&fifty);
    const struct
    {
        int32 type;
        int32 rms_result;
        long double rms;
        int32 dbm_result;
    } cases[] = {
        {0, 1, 2.0L / 2.828854314002829L, 1}, {1, 1, 1.0L, 1},  {2, 1, 2.0L / 3.464001L, 1}, {3, 1, 1.0L, 1},
        {8, 1, 1.0L, 1},                      {7, 1, 0.0L, -12}, {12, 1, 0.0L, -12},          {4, -12, 0.0L, -12},
        {5, -12, 0.0L, -12},                  {6, -12, 0.0L, -12},
    };
    for (const auto &c : cases)
    {
        b->store_wave_type_raw(c.type);
        lib_unit_data_t r = rec(-7.0L);
        EXPECT_EQ(b->get_ampl_vrms(&r), c.rms_result) << c.type;
        EXPECT_EQ(r.data, c.rms_result == 1 ? c.rms : -7.0L) << c.type;
        r = rec(-7.0L);
        EXPECT_EQ(b->get_ampl_dbm(&r), c.dbm_result) << c.type;
        if (c.dbm_result == 1)
            EXPECT_NEAR(static_cast<double>(r.data), 10 * std::log10(static_cast<double>(c.rms * c.rms) * 1000 / 50),
                        1e-12)
                << c.type;
        else
            EXPECT_EQ(r.data, -7.0L) << c.type;
    }
    b->store_wave_type_raw(1);
    lib_unit_data_t r{};
    ASSERT_EQ(b->get_ampl_dbm(&r), 1);
    EXPECT_NEAR(static_cast<double>(r.data), 13.0103, 1e-4);
    const int32 high_z = 1000000;
    b->store_load_raw(&high_z);
    EXPECT_EQ(b->get_ampl_dbm(&r), -12);
}

TEST_F(CfgBswvMain, PeriodPhaseAndTheCurrentWaveLimits)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    lib_unit_data_t r{};
    b->get_period(&r);
    EXPECT_EQ(r.data, 1.0L / 1000.0L);
    b->store_freq_raw(rec(0.0L));
    b->get_period(&r);
    EXPECT_TRUE(std::isinf(r.data));

    b->store_phase_raw(rec(45.0L));
    b->store_wave_type_raw(8);
    b->get_phase(&r);
    EXPECT_EQ(r.data, 0.0L); // PRBS has no phase
    b->store_wave_type_raw(0);
    b->get_phase(&r);
    EXPECT_EQ(r.data, 45.0L);

    b->store_freq_raw(rec(1e6L));
    const int32 fifty = 50;
    b->store_load_raw(&fifty);
    b->store_ampl_raw(rec(4.0L));
    b->store_offset_raw(rec(0.5L));
    EXPECT_EQ(b->get_max_ampl(), 4.0L);
    EXPECT_EQ(b->get_min_ampl(), 0.001L);
    EXPECT_EQ(b->get_max_offset(), 0.5L);
    EXPECT_EQ(b->get_min_offset(), -0.5L);
    EXPECT_EQ(b->get_max_freq(), 3e7L);
    EXPECT_EQ(b->get_min_freq(), 0.0L);
    EXPECT_EQ(b->get_max_freq_int(), 30000000);
    EXPECT_EQ(b->get_max_phase(), 360.0L);
    EXPECT_EQ(b->get_min_phase(), -360.0L);
}

TEST_F(CfgBswvMain, SampleRateModeFrequencyIsRaisedToTheMinimumAndNoticed)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    b->store_wave_type_raw(6);
    b->store_sample_rate_mode_raw(1);
    EXPECT_EQ(b->is_arb_sample_rate_mode(), 1);
    lib_unit_data_t r{};
    b->get_freq(&r);
    EXPECT_EQ(r.data, 16384000.0L / 16384);
    EXPECT_TRUE(cfg_main_t::get_instance()->take_messages().empty());

    // In burst mode the lowest frequency is 0.002 Hz; 16.384 Sa/s over 16384 samples is 0.001.
    cfg_get_wv_main(0)->store_run_mode(2);
    b->store_sample_rate_raw(rec(16.384L));
    b->get_freq(&r);
    EXPECT_EQ(r.data, 0.002L);
    EXPECT_EQ(b->get_freq_raw().data, 0.002L);
    const std::vector<cfg_msg_t> messages = cfg_main_t::get_instance()->take_messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].words[0], 4);
    lib_unit_data_t carried{};
    std::memcpy(&carried, &messages[0].words[1], sizeof(carried));
    EXPECT_EQ(carried.data, 0.002L);
    EXPECT_EQ(carried.unit, LIB_UNIT_BASE);
    EXPECT_EQ(messages[0].words[9], 0);
    EXPECT_EQ(messages[0].words[10], 0);
}

TEST_F(CfgBswvMain, ChannelRecordCarriesTheSettings)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(1);
    b->store_wave_type_raw(3);
    b->store_freq_raw(rec(2000.0L));
    b->store_phase_raw(rec(-0.0L));
    b->store_pulse_duty_raw(rec(30.0L));
    cfg_get_bswv_main(0)->store_freq_raw(rec(5000.0L));
    cfg_get_wv_main(1)->store_polarity(0);
    drv_ch_para_t p{};
    ASSERT_EQ(b->build_ch_para(&p), 1);
    EXPECT_EQ(p.ch, 1);
    EXPECT_EQ(p.continuous, 1);
    EXPECT_EQ(p.wave_type, 3);
    EXPECT_EQ(p.freq, 2000.0L);
    EXPECT_EQ(p.ampl, 4.0L);
    EXPECT_EQ(p.ampl_2, 4.0L);
    EXPECT_EQ(p.ampl_3, 4.0L);
    EXPECT_EQ(p.duty, 30.0L);
    EXPECT_FALSE(std::signbit(p.phase));
    EXPECT_FALSE(std::signbit(b->get_phase_raw().data));
    EXPECT_EQ(p.pulse_width, 0.0002L);
    EXPECT_EQ(p.sample_rate, 16384000.0L);
    EXPECT_EQ(p.harmonic_order, 2);
    EXPECT_EQ(p.harmonic_level, -80.0L);
    EXPECT_EQ(p.combine_para.ch, 1);
    EXPECT_EQ(p.combine_para.load, 1000000);
    EXPECT_EQ(p.combine_para.combine, 0);
    EXPECT_EQ(p.combine_para.polarity, 0);
    EXPECT_EQ(p.other_ch, 0);
    EXPECT_EQ(p.other_ch_2, 0);
    EXPECT_EQ(p.other_freq, 5000.0L);
    EXPECT_EQ(p.burst_rate, 0.0L);

    // Both records reach the driver: polarity bits of register 80 (bit 2 for channel 1).
    sim.clear_log();
    EXPECT_EQ(b->apply_ch_para_both(), 1);
    EXPECT_TRUE(sim.peek(80) & 0x4);
    EXPECT_FALSE(sim.peek(80) & 0x8);
}

TEST_F(CfgBswvMain, ForwardersAnswerTheModulesCapabilities)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    EXPECT_EQ(b->get_arb_rate_cap(), 0);
    EXPECT_EQ(b->get_noise_bw_cap(), 0);
    EXPECT_EQ(b->get_extra_cap(), 0);
    EXPECT_EQ(b->get_square_combine_cap(), 0);
    EXPECT_EQ(b->get_arb_flag(), 0);
    EXPECT_EQ(b->get_wave_len(), 16384);
    EXPECT_EQ(b->get_arb_rate_word(), 4194303.0L);
    b->set_arb_rate_switch(1);
    EXPECT_EQ(b->get_arb_rate_word(), 4194303.0L * 16384000.0L / 300000000.0L);
    EXPECT_EQ(b->is_output_active(), 0);
    cfg_get_wv_main(0)->store_output(1);
    EXPECT_EQ(b->is_output_active(), 1);
    EXPECT_EQ(apply_ampl(0), 1);
    cfg_get_wv_main(0)->store_output(0);
    EXPECT_EQ(apply_ampl(0), 0);
    long double rise = -1;
    long double fall = -1;
    b->get_square_edges(&rise, &fall);
    EXPECT_EQ(rise, 0.0L);
    EXPECT_EQ(fall, 0.0L);
}

TEST_F(CfgBswvMain, AmplitudeCheckUsesTheChannelsFrequencyAndLoad)
{
    cfg_bswv_main_t *b = cfg_get_bswv_main(0);
    const int32 fifty = 50;
    b->store_load_raw(&fifty);
    b->store_freq_raw(rec(2e7L)); // above 10 MHz: 5 V open-circuit, 2.5 V into 50 ohms
    lib_unit_data_t a = rec(3.0L);
    int32 load = 0;
    b->get_load(&load);
    EXPECT_EQ(b->get_param_check()->check_ampl(&a.data, b->get_offset_value(), b->get_freq_raw().data, load,
                                               b->get_current_wave()),
              -10);
    b->store_ampl_raw(a);
    EXPECT_EQ(b->get_ampl_raw().data, 2.5L);
    EXPECT_TRUE(b->get_ampl_raw().changed);
    a = rec(0.0001L);
    EXPECT_EQ(b->get_param_check()->check_ampl(&a.data, b->get_offset_value(), b->get_freq_raw().data, load,
                                               b->get_current_wave()),
              -11);
    b->store_ampl_raw(a);
    EXPECT_EQ(b->get_ampl_raw().data, 0.001L);
}
