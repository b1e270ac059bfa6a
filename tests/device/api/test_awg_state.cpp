// The API's memory of channel 0 over the real configuration layer (register simulator):
// the API clamps, read-back after each set, load and wave-type refreshes, RUN and
// RESTORE, and the adjust steps.
#include "awg_ch_port.h"
#include "awg_state.h"
#include "cfg_bswv_main.h"
#include "cfg_fixture.h"
#include "cfg_wv_main.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace
{
long double channel_value(int32 (*getter)(int, long double *, int *))
{
    long double v = -1.0L;
    int unit = 0;
    getter(0, &v, &unit);
    return v;
}
} // namespace

class AwgState : public cfg_fixture_t
{
protected:
    awg_state_t state;
};

TEST_F(AwgState, StartsWithTheDocumentedRecord)
{
    const awg_state_record_t &r = state.record();
    EXPECT_EQ(r.aux2, 3);
    EXPECT_EQ(r.load, 1);
    EXPECT_EQ(r.freq, 1000.0L);
    EXPECT_EQ(r.ampl, 4.0L);
    EXPECT_EQ(r.width, 0.0002L);
    EXPECT_EQ(r.duty, 50.0L);
    EXPECT_EQ(r.symmetry, 50.0L);
    EXPECT_EQ(r.stdev, 0.2L);
    EXPECT_EQ(r.output, 0);
    EXPECT_EQ(r.offset, 0.0L);
    EXPECT_EQ(state.get_saved().freq, 1000.0L);
}

TEST_F(AwgState, FrequencyLimitFollowsTheStoredWaveType)
{
    const struct
    {
        int32 type;
        long double max;
    } cases[] = {{0, 25e6L}, {1, 1e7L}, {2, 3e5L}, {3, 1e7L}, {4, 25e6L},
                 {5, 25e6L}, {6, 5e6L}, {7, 25e6L}};
    for (const auto &c : cases) {
        state.set_wave_type(c.type, true);
        EXPECT_EQ(state.max_freq(), c.max) << c.type;
        EXPECT_EQ(state.min_period(), 1.0L / c.max) << c.type;
    }
}

TEST_F(AwgState, SetsClampSendAndReadBack)
{
    // Sine selected: each value goes to the channel clamped, and the record holds the
    // channel's answer.
    const struct
    {
        const char *name;
        std::function<int32(long double)> set;
        int32 (*get)(int, long double *, int *);
        long double awg_state_record_t::*field;
        long double in;
        long double out;
    } cases[] = {
        {"freq above", [&](long double v) { return state.set_freq(v); }, lib_ch_get_freq, &awg_state_record_t::freq,
         2.0e9L, 25e6L},
        {"freq below", [&](long double v) { return state.set_freq(v); }, lib_ch_get_freq, &awg_state_record_t::freq,
         1e-9L, 1e-6L},
        {"freq", [&](long double v) { return state.set_freq(v); }, lib_ch_get_freq, &awg_state_record_t::freq, 1234.5L,
         1234.5L},
        {"ampl above", [&](long double v) { return state.set_ampl(v); }, lib_ch_get_ampl, &awg_state_record_t::ampl,
         9.0L, 6.0L},
        {"ampl below", [&](long double v) { return state.set_ampl(v); }, lib_ch_get_ampl, &awg_state_record_t::ampl,
         0.0L, 0.004L},
        {"ampl", [&](long double v) { return state.set_ampl(v); }, lib_ch_get_ampl, &awg_state_record_t::ampl, 2.0L,
         2.0L},
        {"offset above", [&](long double v) { return state.set_offset(v); }, lib_ch_get_offset,
         &awg_state_record_t::offset, 5.0L, 3.0L},
        {"offset below", [&](long double v) { return state.set_offset(v); }, lib_ch_get_offset,
         &awg_state_record_t::offset, -5.0L, -3.0L},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.set(c.in), 1);
        EXPECT_EQ(state.record().*c.field, c.out);
        EXPECT_EQ(channel_value(c.get), c.out);
    }
}

TEST_F(AwgState, PeriodIsClampedAndReadBackWithTheFrequency)
{
    // The channel keeps a frequency: its period is 1 / frequency, to rounding.
    state.set_period(1e7L);
    EXPECT_NEAR(static_cast<double>(channel_value(lib_ch_get_period)), 1e6, 1e-6);
    EXPECT_NEAR(static_cast<double>(state.record().period), 1e6, 1e-6);
    EXPECT_EQ(state.record().freq, 1e-6L);
    state.set_period(0.001L);
    EXPECT_NEAR(static_cast<double>(state.record().freq), 1000.0, 1e-9);
}

TEST_F(AwgState, TypeParametersAreClampedToTheApiLimits)
{
    const struct
    {
        int32 type;
        std::function<int32(long double)> set;
        long double awg_state_record_t::*field;
        long double in;
        long double out;
    } cases[] = {
        {1, [&](long double v) { return state.set_duty(v); }, &awg_state_record_t::duty, 100.0L, 99.0L},
        {1, [&](long double v) { return state.set_duty(v); }, &awg_state_record_t::duty, 0.0L, 1.0L},
        {2, [&](long double v) { return state.set_symmetry(v); }, &awg_state_record_t::symmetry, 101.0L, 100.0L},
        {2, [&](long double v) { return state.set_symmetry(v); }, &awg_state_record_t::symmetry, 25.0L, 25.0L},
        {3, [&](long double v) { return state.set_width(v); }, &awg_state_record_t::width, 20.0L, 10.0L},
        {4, [&](long double v) { return state.set_stdev(v); }, &awg_state_record_t::stdev, 0.5L, 0.3L},
    };
    for (const auto &c : cases) {
        state.set_wave_type(c.type, true);
        // A period of 20 s leaves the channel room for a 10 s pulse.
        state.set_freq(0.05L);
        c.set(c.in);
        EXPECT_EQ(state.record().*c.field, c.out) << c.type << " " << static_cast<double>(c.in);
    }
}

TEST_F(AwgState, LevelsKeepTheirDistance)
{
    state.set_ampl_mode(2);
    state.set_high_level(4.0L);
    EXPECT_EQ(state.record().high_level, 3.0L);
    state.set_low_level(-4.0L);
    EXPECT_EQ(state.record().low_level, -3.0L);
    // A high level below the low level is held half the minimum amplitude above it.
    state.set_high_level(-3.5L);
    EXPECT_EQ(state.record().high_level, -3.0L + 0.5L * 0.004L);
}

TEST_F(AwgState, SmallOffsetsReadBackAsZero)
{
    lib_ch_set_offset(0, 0.0004L, LIB_UNIT_BASE);
    state.read_offset();
    EXPECT_EQ(state.record().offset, 0.0L);
    lib_ch_set_offset(0, 0.002L, LIB_UNIT_BASE);
    state.read_offset();
    EXPECT_EQ(state.record().offset, 0.002L);
}

TEST_F(AwgState, LoadFlagAndChannelLoad)
{
    state.set_load(0);
    EXPECT_EQ(state.record().load, 0);
    EXPECT_EQ(lib_ch_get_load(0), 50);
    // Any other flag is high impedance; the refresh reads the flag back as 1.
    state.set_load(5);
    EXPECT_EQ(state.record().load, 1);
    EXPECT_EQ(lib_ch_get_load(0), 1000000);
}

TEST_F(AwgState, WaveTypesResendTheirParameters)
{
    state.set_stdev(0.25L);
    state.set_mean(0.5L);
    lib_ch_set_wave_type(0, 4);
    lib_ch_set_stdev(0, 0.1L, LIB_UNIT_BASE);
    state.set_wave_type(4, true);
    EXPECT_EQ(channel_value(lib_ch_get_stdev), 0.25L);
    EXPECT_EQ(state.record().stdev, 0.25L);

    state.set_ampl_mode(2);
    state.set_offset_mode(3);
    state.set_wave_type(5, true);
    EXPECT_EQ(state.record().ampl_mode, 0);
    EXPECT_EQ(state.record().offset_mode, 0);
    int type = -1;
    lib_ch_get_wave_type(0, &type);
    EXPECT_EQ(type, 5);

    // Without apply the channel's own type wins.
    state.set_wave_type(2, false);
    EXPECT_EQ(state.record().wave_type, 5);
}

TEST_F(AwgState, RunAndRestore)
{
    state.set_load(0);
    state.set_freq(5000.0L);
    state.set_output(1, true);
    state.set_run(1);
    EXPECT_EQ(state.record().load, 1);
    EXPECT_EQ(lib_ch_get_load(0), 1000000);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);
    // RUN 0 forgets the output without switching it off.
    state.set_run(0);
    EXPECT_EQ(state.record().output, 0);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);

    state.set_wave_type(2, true);
    state.set_ampl(1.0L);
    state.set_offset(1.0L);
    state.set_aux23(7);
    state.restore();
    int type = -1;
    lib_ch_get_wave_type(0, &type);
    EXPECT_EQ(type, 0);
    EXPECT_EQ(channel_value(lib_ch_get_freq), 1000.0L);
    EXPECT_EQ(channel_value(lib_ch_get_ampl), 4.0L);
    EXPECT_EQ(channel_value(lib_ch_get_offset), 0.0L);
    EXPECT_EQ(lib_ch_get_load(0), 1000000);
    EXPECT_EQ(state.record().aux23, 0);
    EXPECT_EQ(cfg_get_wv_main(0)->get_output(), 1);

    // A 50 ohm load goes back to high impedance.
    state.set_load(0);
    state.restore();
    EXPECT_EQ(lib_ch_get_load(0), 1000000);
    EXPECT_EQ(state.record().load, 1);
}

TEST_F(AwgState, AdjustStepsByTheLeadingDecade)
{
    const struct
    {
        long double value;
        int32 fine;
        long double low;
        long double high;
        long double step;
    } steps[] = {
        {1234.0L, 0, 1e-6L, 10000.0L, 100.0L},  {1234.0L, 1, 1e-6L, 10000.0L, 0.01L},
        {56.0L, 0, 1e-6L, 10000.0L, 1.0L},      {2.5e6L, 0, 1e-6L, 10000.0L, 10000.0L},
        {0.5L, 0, 0.001L, 1.0L, 0.01L},         {0.0L, 0, 0.001L, 1.0L, 0.001L},
    };
    for (const auto &s : steps)
        EXPECT_NEAR(static_cast<double>(awg_state_t::adjust_step(s.value, s.fine, s.low, s.high)),
                    static_cast<double>(s.step), static_cast<double>(s.step) * 1e-12)
            << static_cast<double>(s.value);

    state.set_freq(1234.0L);
    state.adjust_freq(3, 0);
    EXPECT_NEAR(static_cast<double>(state.record().freq), 1534.0, 1e-9);
    state.set_freq(1234.0L);
    state.adjust_freq(3, 1);
    EXPECT_NEAR(static_cast<double>(state.record().freq), 1234.03, 1e-9);
    state.adjust_freq(2147483647, 0);
    EXPECT_EQ(state.record().freq, 25e6L);
    state.adjust_freq(0, 0);
    EXPECT_EQ(state.record().freq, 1000.0L);
    state.adjust_freq(-2147483647, 0);
    EXPECT_EQ(state.record().freq, 1e-6L);

    state.set_wave_type(1, true);
    state.adjust_duty(3);
    EXPECT_EQ(state.record().duty, 53.0L);
    state.adjust_duty(2147483647);
    EXPECT_EQ(state.record().duty, 99.0L);
}
