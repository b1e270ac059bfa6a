// The base parameter object: the shared limits, the amplitude table with its load
// scaling, the minimum frequency by run mode and the not-supported lines.
#include "cfg_bswv_dc.h"
#include "cfg_bswv_ramp.h"
#include "cfg_bswv_wave.h"
#include "cfg_main.h"
#include "stdout_capture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace
{
struct limit_case_t
{
    const char *name;
    std::function<long double(cfg_bswv_wave_t &)> ask;
    long double expected;
};

// An initialised base object for channel 0, its start-up line swallowed.
cfg_bswv_wave_t &ready_wave()
{
    static cfg_bswv_wave_t wave;
    stdout_capture_t capture;
    wave.init(0);
    capture.finish();
    return wave;
}
} // namespace

TEST(CfgBswvWave, SharedLimitsAreEmptyUntilTheFirstInitAndFilledOnce)
{
    cfg_bswv_wave_t first;
    EXPECT_EQ(first.get_max_freq(0), 0.0L);
    EXPECT_TRUE(cfg_bswv_wave_t::ampl_table().empty());
    EXPECT_EQ(first.get_min_ampl(50), 0.0L);

    stdout_capture_t capture;
    first.init(1);
    cfg_bswv_dc_t second;
    second.init(0);
    const std::string text = capture.finish();

    EXPECT_EQ(text, "_max_freq = 30000000.000000\n");
    EXPECT_EQ(first.get_channel(), 1);
    EXPECT_EQ(second.get_channel(), 0);
    EXPECT_EQ(first.get_max_freq(0), 3e7L);
    EXPECT_EQ(second.get_max_freq(1), 3e7L);
    const std::vector<std::pair<long double, long double>> table(cfg_bswv_wave_t::ampl_table().begin(),
                                                                 cfg_bswv_wave_t::ampl_table().end());
    EXPECT_EQ(table, (std::vector<std::pair<long double, long double>>{{1e7L, 10.0L}, {3e7L, 5.0L}}));
}

TEST(CfgBswvWave, EveryBaseLimitAnswersItsDefaultOrTheTableValue)
{
    cfg_bswv_wave_t &w = ready_wave();
    cfg_bswv_wave_t pulse;
    const std::vector<limit_case_t> cases = {
        {"max_freq", [](cfg_bswv_wave_t &x) { return x.get_max_freq(1); }, 3e7L},
        {"max_freq_by_ampl", [](cfg_bswv_wave_t &x) { return x.get_max_freq_by_ampl(9.0L); }, 3e7L},
        {"ampl_by_freq at 1e7", [](cfg_bswv_wave_t &x) { return x.get_max_ampl_by_freq(1e7L); }, 10.0L},
        {"ampl_by_freq above 1e7", [](cfg_bswv_wave_t &x) { return x.get_max_ampl_by_freq(10000000.001L); }, 5.0L},
        {"ampl_by_freq at 3e7", [](cfg_bswv_wave_t &x) { return x.get_max_ampl_by_freq(3e7L); }, 5.0L},
        {"limit 50 ohm 1 MHz", [](cfg_bswv_wave_t &x) { return x.get_ampl_limit(1e6L, 50); }, 5.0L},
        {"limit 50 ohm 20 MHz", [](cfg_bswv_wave_t &x) { return x.get_ampl_limit(2e7L, 50); }, 2.5L},
        {"limit 75 ohm 1 MHz", [](cfg_bswv_wave_t &x) { return x.get_ampl_limit(1e6L, 75); }, 6.0L},
        {"limit 999999 ohm unscaled", [](cfg_bswv_wave_t &x) { return x.get_ampl_limit(1e6L, 999999); }, 10.0L},
        // 10 x 999998 / 1000048 = 9.99950000... rounded to a microvolt.
        {"limit 999998 ohm rounded", [](cfg_bswv_wave_t &x) { return x.get_ampl_limit(1e6L, 999998); }, 9.9995L},
        {"max_ampl offset +1", [](cfg_bswv_wave_t &x) { return x.get_max_ampl(1.0L, 1e6L, 50); }, 3.0L},
        {"max_ampl offset -1", [](cfg_bswv_wave_t &x) { return x.get_max_ampl(-1.0L, 1e6L, 50); }, 3.0L},
        {"max_ampl high-Z", [](cfg_bswv_wave_t &x) { return x.get_max_ampl(0.5L, 1e6L, 1000000); }, 9.0L},
        {"min_ampl high-Z", [](cfg_bswv_wave_t &x) { return x.get_min_ampl(1000000); }, 0.002L},
        {"min_ampl 50 ohm", [](cfg_bswv_wave_t &x) { return x.get_min_ampl(50); }, 0.001L},
        {"min_ampl 999999 not raised",
         [](cfg_bswv_wave_t &x) { return x.get_min_ampl(999999); }, 0.002L * 999999 / (999999 + 50)},
        {"max_offset", [](cfg_bswv_wave_t &x) { return x.get_max_offset(4.0L, 1e6L, 50); }, 0.5L},
        {"min_offset", [](cfg_bswv_wave_t &x) { return x.get_min_offset(4.0L, 1e6L, 50); }, -0.5L},
        {"max_high_level", [](cfg_bswv_wave_t &x) { return x.get_max_high_level(2e7L, 1000000); }, 2.5L},
        {"min_high_level", [](cfg_bswv_wave_t &x) { return x.get_min_high_level(-1.0L, 50); }, -0.999L},
        {"max_low_level", [](cfg_bswv_wave_t &x) { return x.get_max_low_level(1.0L, 1000000); }, 0.998L},
        {"min_low_level", [](cfg_bswv_wave_t &x) { return x.get_min_low_level(1e6L, 50); }, -2.5L},
        {"max_duty", [&](cfg_bswv_wave_t &x) { return x.get_max_duty(1e3L, &pulse); }, 0.0L},
        // The base pulse object's minimum width is 0, so the floor of 0.001 % holds.
        {"min_duty floor", [&](cfg_bswv_wave_t &x) { return x.get_min_duty(1e3L, &pulse); }, 0.001L},
        {"max_pulse_duty", [](cfg_bswv_wave_t &x) { return x.get_max_pulse_duty(1e-3L, 1e-8L, 1e-8L); }, 0.0L},
        {"min_pulse_duty", [](cfg_bswv_wave_t &x) { return x.get_min_pulse_duty(1e-3L, 1e-8L, 1e-8L); }, 0.0L},
        {"max_symmetry", [](cfg_bswv_wave_t &x) { return x.get_max_symmetry(); }, 100.0L},
        {"min_symmetry", [](cfg_bswv_wave_t &x) { return x.get_min_symmetry(); }, 0.0L},
        {"max_width", [](cfg_bswv_wave_t &x) { return x.get_max_width(1e-3L, 1e-8L, 1e-8L); }, 0.0L},
        {"min_width", [](cfg_bswv_wave_t &x) { return x.get_min_width(1e-8L, 1e-8L); }, 0.0L},
        {"max_rise_edge", [](cfg_bswv_wave_t &x) { return x.get_max_rise_edge(1e-3L, 1e-4L, 1e-8L); }, 0.0L},
        {"min_rise_edge", [](cfg_bswv_wave_t &x) { return x.get_min_rise_edge(); }, 0.0L},
        {"min_rise_edge_by_timing",
         [](cfg_bswv_wave_t &x) { return x.get_min_rise_edge_by_timing(1e-3L, 1e-4L, 1e-8L); }, 0.0L},
        {"max_fall_edge", [](cfg_bswv_wave_t &x) { return x.get_max_fall_edge(1e-3L, 1e-4L, 1e-8L); }, 0.0L},
        {"min_fall_edge", [](cfg_bswv_wave_t &x) { return x.get_min_fall_edge(); }, 0.0L},
        {"max_delay", [](cfg_bswv_wave_t &x) { return x.get_max_delay(1e-3L); }, 0.0L},
        {"min_delay", [](cfg_bswv_wave_t &x) { return x.get_min_delay(1e-3L); }, 0.0L},
        {"max_sample_rate", [](cfg_bswv_wave_t &x) { return x.get_max_sample_rate(); }, 0.0L},
        {"min_sample_rate", [](cfg_bswv_wave_t &x) { return x.get_min_sample_rate(0); }, 0.0L},
        {"max_harmonic_freq", [](cfg_bswv_wave_t &x) { return x.get_max_harmonic_freq(0); }, 0.0L},
        {"max_prbs_length", [](cfg_bswv_wave_t &x) { return x.get_max_prbs_length(); }, 32.0L},
        {"min_prbs_length", [](cfg_bswv_wave_t &x) { return x.get_min_prbs_length(); }, 3.0L},
        {"max_prbs_edge", [](cfg_bswv_wave_t &x) { return x.get_max_prbs_edge(); }, 0.0L},
        {"min_prbs_edge", [](cfg_bswv_wave_t &x) { return x.get_min_prbs_edge(); }, 0.0L},
        {"rise_edge", [&](cfg_bswv_wave_t &x) { return x.get_rise_edge(&pulse); }, 0.0L},
        {"fall_edge", [&](cfg_bswv_wave_t &x) { return x.get_fall_edge(&pulse); }, 0.0L},
        {"freq_for_ampl 5.0", [](cfg_bswv_wave_t &x) { return x.get_max_freq_for_ampl(5.0L); }, 3e7L},
        {"freq_for_ampl 5.000001", [](cfg_bswv_wave_t &x) { return x.get_max_freq_for_ampl(5.000001L); }, 1e7L},
        {"freq_for_ampl 10.5", [](cfg_bswv_wave_t &x) { return x.get_max_freq_for_ampl(10.5L); }, 0.0L},
        {"output_impedance", [](cfg_bswv_wave_t &x) { return x.get_output_impedance(); }, 50.0L},
    };
    for (const limit_case_t &c : cases)
    {
        stdout_capture_t capture;
        const long double got = c.ask(w);
        EXPECT_EQ(capture.finish(), "") << c.name;
        EXPECT_NEAR(static_cast<double>(got), static_cast<double>(c.expected), 1e-15) << c.name;
    }
}

TEST(CfgBswvWave, ArbitraryDefaultsDoNothingAndSucceed)
{
    cfg_bswv_wave_t &w = ready_wave();
    EXPECT_EQ(w.set_builtin_arb_wave(3), 1);
    EXPECT_EQ(w.load_user_arb_wave("x.bin"), 1);
    EXPECT_EQ(w.set_arb_wave_index(2), 1);
    EXPECT_EQ(w.get_arb_wave_source(), 1);
    EXPECT_EQ(w.set_arb_wave_source(0), 1);
    EXPECT_EQ(w.query_arb_flag(), 0);
    EXPECT_TRUE(w.get_arb_wave_name().empty());
    EXPECT_EQ(&w.get_arb_wave_name(), &cfg_bswv_wave_t().get_arb_wave_name());

    stdout_capture_t capture;
    EXPECT_EQ(w.get_arb_current_wave(), 0);
    EXPECT_EQ(capture.finish(), "cfg_bswv_wave_t::get_arb_current_wave\n");
}

TEST(CfgBswvWave, UnsupportedLimitsPrintTheClassNameAndAnswerZero)
{
    ready_wave();
    cfg_bswv_ramp_t ramp;
    ramp.init(0);
    const std::vector<std::function<long double()>> asks = {
        [&] { return ramp.get_max_noise_bandwidth(); },
        [&] { return ramp.get_min_noise_bandwidth(); },
        [&] { return ramp.get_max_harmonic_order(0); },
        [&] { return ramp.get_min_harmonic_order(0); },
        [&] { return ramp.get_max_harmonic_ampl(0); },
        [&] { return ramp.get_max_harmonic_ampl_of_order(0, 3); },
        [&] { return ramp.get_min_harmonic_ampl(); },
        [&] { return ramp.get_max_harmonic_phase(); },
        [&] { return ramp.get_min_harmonic_phase(); },
    };
    for (size_t i = 0; i < asks.size(); ++i)
    {
        stdout_capture_t capture;
        EXPECT_EQ(asks[i](), 0.0L) << i;
        EXPECT_EQ(capture.finish(), "cfg_bswv_wave_t:::name = 15cfg_bswv_ramp_t\n") << i;
    }
}

TEST(CfgBswvWave, AmplitudeAboveTheTablePrintsTheFrequencyAndKeepsTheLastEntry)
{
    cfg_bswv_wave_t &w = ready_wave();
    stdout_capture_t capture;
    EXPECT_EQ(w.get_max_ampl_by_freq(3.5e7L), 5.0L);
    // The limit derived from it is the narrowest the table knows, scaled to the load.
    EXPECT_EQ(w.get_ampl_limit(3.5e7L, 50), 2.5L);
    EXPECT_EQ(capture.finish(), "----current_freq = 3.5e+07\n----current_freq = 3.5e+07\n");
}

TEST(CfgBswvWave, MinimumFrequencyFollowsRunModeAndModulationType)
{
    cfg_bswv_wave_t &w = ready_wave();
    struct run_case_t
    {
        int32 run_mode;
        int32 mod_type;
        long double expected;
    };
    const run_case_t cases[] = {
        {3, 2, 0.0L},   {1, 2, 0.0L},   {2, 1, 0.002L}, {0, 1, 0.0L},   {0, 2, 0.001L},
        {0, 3, 0.0L},   {0, 4, 0.0L},   {0, 5, 0.001L}, {0, 6, 0.0L},   {0, 7, 0.0L},
        {0, 8, 0.001L}, {0, 42, 0.001L}, {9, 2, 0.0L},
    };
    for (const run_case_t &c : cases)
    {
        cfg_get_wv_main(1)->store_run_mode(c.run_mode);
        cfg_get_mod_main(1)->set_type_only(c.mod_type);
        EXPECT_EQ(w.get_min_freq(1), c.expected) << "run mode " << c.run_mode << " type " << c.mod_type;
    }
    // Only the channel asked about counts.
    cfg_get_wv_main(0)->store_run_mode(3);
    EXPECT_EQ(w.get_min_freq(0), 0.0L);
}
