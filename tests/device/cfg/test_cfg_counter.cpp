// The frequency counter over the simulated registers: settings with their limits and
// trigger-level DAC writes, the measurement cycle as a register log, the six results
// and their statistics, deviation in ppm, and the not-ready cases.
#include "cfg_counter.h"
#include "cfg_fixture.h"

#include <cmath>
#include <vector>

namespace
{
constexpr std::uint32_t RESTART = 112;
constexpr std::uint32_t READY = 118;
constexpr std::uint32_t LEVEL_DAC = 140;

using CfgCounter = cfg_fixture_t;

// The module's trigger-level DAC code: volts x 10922 + 13107 - 1, truncated.
std::uint16_t level_code(long double volts)
{
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(volts * 10922.0L + 13107.0L - 1.0L));
}

void poke32(sim_fpga_t &sim, std::uint32_t lo, std::uint32_t hi, std::uint32_t value)
{
    sim.poke(lo, static_cast<std::uint16_t>(value & 0xFFFF));
    sim.poke(hi, static_cast<std::uint16_t>(value >> 16));
}

// Counter registers for a count, a number of whole input cycles, their 150 MHz ticks
// and the high-time ticks; both ready bits set.
void script_counter(sim_fpga_t &sim, std::uint32_t count, std::uint32_t cycles, std::uint32_t ticks,
                    std::uint32_t high)
{
    poke32(sim, 114, 116, count);
    poke32(sim, 113, 115, cycles);
    poke32(sim, 120, 122, ticks);
    poke32(sim, 124, 126, high);
    sim.poke(READY, 3);
}

std::vector<sim_op_t> restart_ops() { return {sim_write(RESTART, 0), sim_write(RESTART, 1)}; }
} // namespace

TEST_F(CfgCounter, StartsOffWithItsDefaultsAndTheLevelDacWritten)
{
    cfg_counter_t *c = cfg_get_counter();
    EXPECT_EQ(c->get_enable(), 0);
    EXPECT_EQ(c->get_ref_freq().data, 1e7L);
    EXPECT_EQ(c->get_trig_level().data, 0.0L);
    EXPECT_EQ(c->get_input_mode(), 0);
    EXPECT_EQ(c->get_range_mode(), 0);
    EXPECT_EQ(sim.peek(LEVEL_DAC), level_code(0.0L));
}

TEST_F(CfgCounter, SettingsAreClampedToTheirLimitsAndApplied)
{
    cfg_counter_t *c = cfg_get_counter();
    struct case_t
    {
        const char *what;
        int32 range_mode;
        bool level; // trigger level, else reference frequency
        long double value;
        int32 result;
        long double stored;
    };
    const case_t cases[] = {
        {"reference below range 0", 0, false, 5.0L, -11, 10.0L},
        {"reference in range 1", 1, false, 5.0L, 1, 5.0L},
        {"reference below range 1", 1, false, 0.01L, -11, 0.1L},
        {"reference above range 0", 0, false, 3e8L, -10, 2e8L},
        {"reference above range 1", 1, false, 3e8L, -10, 2e8L},
        {"reference at the top", 0, false, 2e8L, 1, 2e8L},
        {"level above", 0, true, 2.0L, -10, 1.5L},
        {"level below", 0, true, -4.0L, -11, -3.0L},
        {"level inside", 0, true, -1.25L, 1, -1.25L},
    };
    for (const case_t &k : cases)
    {
        SCOPED_TRACE(k.what);
        c->set_range_mode(k.range_mode);
        sim.clear_log();
        const lib_unit_data_t v{k.value, 14, true};
        if (k.level)
        {
            EXPECT_EQ(c->set_trig_level(v), k.result);
            EXPECT_EQ(c->get_trig_level().data, k.stored);
            EXPECT_TRUE(c->get_trig_level().changed);
        }
        else
        {
            EXPECT_EQ(c->set_ref_freq(v), k.result);
            EXPECT_EQ(c->get_ref_freq().data, k.stored);
        }
        // The setting is applied whatever the clamp: one trigger-level DAC write.
        EXPECT_EQ(sim.log(), (std::vector<sim_op_t>{sim_write(LEVEL_DAC, level_code(c->get_trig_level().data))}))
            << sim.compact();
    }
}

TEST_F(CfgCounter, RangeModeReclampsTheReferenceAndBadModesStopTheApply)
{
    cfg_counter_t *c = cfg_get_counter();
    c->set_range_mode(1);
    EXPECT_EQ(c->set_ref_freq({5.0L, 14, false}), 1);
    EXPECT_EQ(c->set_range_mode(0), 1);
    EXPECT_EQ(c->get_ref_freq().data, 10.0L);

    sim.clear_log();
    EXPECT_EQ(c->set_input_mode(2), 0);
    EXPECT_EQ(c->get_input_mode(), 2);
    EXPECT_TRUE(sim.log().empty()) << sim.compact();
    EXPECT_EQ(c->set_input_mode(1), 1);
    EXPECT_EQ(sim.writes_to(LEVEL_DAC).size(), 1u);
}

TEST_F(CfgCounter, OneMeasurementCycleReadsTheRegistersInOrder)
{
    cfg_counter_t *c = cfg_get_counter();
    // 1 kHz: 1000 counts, 1000 cycles in 150e6 ticks (1 s), high for half of them.
    script_counter(sim, 1000, 1000, 150000000, 75000000);
    c->start();
    EXPECT_EQ(c->step(), 1);
    EXPECT_EQ(c->get_state(), 2);
    EXPECT_EQ(c->step(), 1);
    std::vector<sim_op_t> expected = restart_ops();
    for (const sim_op_t &op : {sim_read(READY, 3), sim_read(READY, 3), sim_read(116, 0), sim_read(114, 1000),
                               sim_read(READY, 3), sim_read(115, 0), sim_read(113, 1000), sim_read(122, 0x08F0),
                               sim_read(120, 0xD180), sim_read(115, 0), sim_read(113, 1000), sim_read(126, 0x0478),
                               sim_read(124, 0x68C0), sim_read(122, 0x08F0), sim_read(120, 0xD180)})
        expected.push_back(op);
    for (const sim_op_t &op : restart_ops())
        expected.push_back(op);
    EXPECT_EQ(sim.diff(expected, sim.log()), "");
    EXPECT_EQ(c->get_state(), 0);
}

TEST_F(CfgCounter, PollMeasuresOneKilohertzWithItsDeviationAndStatistics)
{
    cfg_counter_t *c = cfg_get_counter();
    script_counter(sim, 1000, 1000, 150000000, 75000000);
    EXPECT_EQ(c->set_ref_freq({1001.0L, 14, false}), 1);
    EXPECT_EQ(c->set_enable(1), 1);
    cfg_main_t::get_instance()->take_messages();
    sim.clear_log();
    for (int i = 0; i < 4; ++i) // start + choose, reciprocal, choose, reciprocal
        EXPECT_EQ(cfg_counter_poll(), 1);
    EXPECT_EQ(sim.writes_to(RESTART), (std::vector<std::uint16_t>{0, 1, 0, 1, 0, 1}));
    const std::vector<cfg_msg_t> msgs = cfg_main_t::get_instance()->take_messages();
    ASSERT_EQ(msgs.size(), 4u);
    EXPECT_EQ(msgs[0].words[0], 3);

    EXPECT_NEAR(static_cast<double>(c->get_freq().data), 1000.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(c->get_period().data), 1e-3, 1e-15);
    EXPECT_NEAR(static_cast<double>(c->get_pos_width().data), 5e-4, 1e-15);
    EXPECT_NEAR(static_cast<double>(c->get_neg_width().data), 5e-4, 1e-15);
    EXPECT_NEAR(static_cast<double>(c->get_duty().data), 50.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(c->get_deviation().data), (1000.0 - 1001.0) / 1001.0 * 1e6, 1e-6);
    EXPECT_EQ(c->get_freq().unit, 14);
    for (const cfg_counter_stat_t &s : {c->get_freq_stat(), c->get_period_stat(), c->get_pos_width_stat(),
                                        c->get_neg_width_stat(), c->get_duty_stat(), c->get_deviation_stat()})
    {
        EXPECT_EQ(s.count, 2);
        EXPECT_NEAR(static_cast<double>(s.range.data), 0.0, 1e-9);
    }
    EXPECT_NEAR(static_cast<double>(c->get_duty_stat().mean.data), 50.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(c->get_period_stat().max.data), 1e-3, 1e-15);
}

TEST_F(CfgCounter, MethodIsChosenFromTheFirstCountAndDeviationIsInPpm)
{
    cfg_counter_t *c = cfg_get_counter();
    struct case_t
    {
        std::uint32_t count;
        int32 state;
        long double deviation; // after the direct measurement, when state 1
    };
    const case_t cases[] = {{10000000, 2, 0.0L}, {10000001, 1, 0.1L}, {10000010, 1, 1.0L}};
    for (const case_t &k : cases)
    {
        SCOPED_TRACE(k.count);
        script_counter(sim, k.count, 1000, 15000, 7500);
        c->start();
        c->step();
        EXPECT_EQ(c->get_state(), k.state);
        if (k.state != 1)
            continue;
        c->step();
        EXPECT_EQ(c->get_freq().data, static_cast<long double>(k.count));
        EXPECT_NEAR(static_cast<double>(c->get_deviation().data), static_cast<double>(k.deviation), 1e-9);
    }
    c->process(1e7L);
    EXPECT_EQ(c->get_deviation().data, 0.0L);
}

TEST_F(CfgCounter, UnreadyOrZeroRegistersGiveNoResultAndFiniteStatistics)
{
    cfg_counter_t *c = cfg_get_counter();
    c->set_enable(1);
    c->start();
    // No ready bit: every step leaves everything as it was.
    sim.poke(READY, 0);
    for (int i = 0; i < 3; ++i)
        c->step();
    EXPECT_EQ(c->get_state(), 0);

    // Ready, but every counter register 0: the period is 0/0.
    script_counter(sim, 0, 0, 0, 0);
    for (int i = 0; i < 3; ++i)
        c->step();
    EXPECT_EQ(c->get_state(), 2);
    EXPECT_EQ(c->get_freq().data, 0.0L);
    EXPECT_EQ(c->get_period().data, 0.0L);
    EXPECT_EQ(c->get_freq_stat().count, 0);

    // A count above the direct limit with zero width registers: the frequency is taken,
    // the widths are not, and nothing non-finite reaches the statistics.
    script_counter(sim, 20000000, 0, 0, 0);
    c->start();
    c->step();
    c->step();
    EXPECT_EQ(c->get_freq().data, 2e7L);
    for (const cfg_counter_stat_t &s : {c->get_freq_stat(), c->get_period_stat(), c->get_pos_width_stat(),
                                        c->get_neg_width_stat(), c->get_duty_stat(), c->get_deviation_stat()})
    {
        EXPECT_EQ(s.count, 0);
        EXPECT_TRUE(std::isfinite(s.mean.data) && std::isfinite(s.stdev.data));
    }
    EXPECT_TRUE(std::isfinite(c->get_duty().data));

    // A non-positive frequency updates frequency and deviation only.
    c->process(-5.0L);
    EXPECT_EQ(c->get_freq().data, -5.0L);
    EXPECT_EQ(c->get_prev_freq().data, 2e7L);
    EXPECT_EQ(c->get_freq_stat().count, 0);
}

TEST_F(CfgCounter, SwitchingOffClearsResultsAndStatisticsOnce)
{
    cfg_counter_t *c = cfg_get_counter();
    script_counter(sim, 1000, 1000, 150000000, 75000000);
    c->set_enable(1);
    c->process(1000.0L);
    ASSERT_EQ(c->get_freq_stat().count, 1);
    EXPECT_EQ(c->set_enable(0), 1);
    EXPECT_EQ(c->get_freq().data, 0.0L);
    EXPECT_EQ(c->get_duty().data, 0.0L);
    EXPECT_EQ(c->get_freq_stat().count, 0);
    EXPECT_EQ(c->get_duty_stat().count, 0);
    sim.clear_log();
    EXPECT_EQ(c->set_enable(0), 1);
    EXPECT_TRUE(sim.log().empty());
    // The poll does nothing while the counter is off.
    EXPECT_EQ(cfg_counter_poll(), 1);
    EXPECT_TRUE(sim.log().empty());
}
