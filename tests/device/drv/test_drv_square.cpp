// The square driver over the register simulator: the DDS table square against the
// pulse-generator square, by run mode and combining.
#include "drv_para.h"
#include "drv_pulse.h"
#include "drv_square.h"
#include "sim_driver_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32 k_pulse_mode_reg[2] = {196, 212};

class DrvSquare : public sim_driver_fixture_t
{
protected:
    std::size_t blocks_to(uint32 port) const
    {
        std::size_t n = 0;
        for (const sim_op_t &op : sim.log())
            n += op.kind == sim_op_kind_t::block && op.address == port;
        return n;
    }

    // Position of the first log entry that writes the register or the port; the log's
    // size when none does.
    std::size_t first_access(uint32 address) const
    {
        const std::vector<sim_op_t> &log = sim.log();
        for (std::size_t i = 0; i < log.size(); ++i)
            if ((log[i].kind == sim_op_kind_t::write || log[i].kind == sim_op_kind_t::block) &&
                log[i].address == address)
                return i;
        return log.size();
    }
};

} // namespace

TEST_F(DrvSquare, RunModeAndCombiningChooseTheTableOrThePulseGenerator)
{
    struct
    {
        int32 run_mode;
        bool combined;
        std::size_t tables;
        bool pulse;
    } cases[] = {
        {0, false, 1, false}, {1, false, 1, false}, {2, false, 0, true}, {3, false, 0, true},
        // A negative run mode counts as above 1.
        {-1, false, 0, true},
        // Combined: the table first in every run mode, twice in modulation and sweep.
        {0, true, 2, false}, {1, true, 2, false}, {2, true, 1, true}, {3, true, 1, true},
    };
    drv_square_t *square = manager->get_square();
    for (int32 ch : {0, 1}) {
        const uint32 port = ch == 0 ? 252 : 253;
        for (const auto &c : cases) {
            SCOPED_TRACE(testing::Message() << "channel " << ch << " run mode " << c.run_mode << " combined "
                                            << c.combined);
            sim.poke(86, c.combined ? (ch == 0 ? 0x0001 : 0x0002) : 0);
            sim.poke(k_pulse_mode_reg[ch], c.pulse ? 0 : 0x8000);
            sim.clear_log();
            const drv_square_para_t para{c.run_mode, 10e-9L, 12e-9L, 1000000.0L, 50.0L};
            square->set_duty(ch, &para);
            EXPECT_EQ(blocks_to(port), c.tables);
            EXPECT_EQ((sim.peek(k_pulse_mode_reg[ch]) & 0x8000) != 0, c.pulse);
            if (c.pulse && c.tables != 0) {
                // The table comes before the pulse generator's registers.
                EXPECT_LT(first_access(port), sim.log().size());
                EXPECT_GT(sim.writes_to(k_pulse_mode_reg[ch]).size(), 0u);
            }
            // Noise mode and sample-rate mode are off on both paths.
            EXPECT_EQ(sim.peek(241) & (1u << ch), 0u);
            // One strobe, at the end.
            EXPECT_EQ(sim.writes_to(10).size(), 4u);
            EXPECT_EQ(sim.writes().back().first, 10u);
        }
    }
}

TEST_F(DrvSquare, TableHoldsTheDutyShareAtTheDacsFourteenBits)
{
    const long double duty = 50.0L;
    manager->get_square()->set_table_square(1, &duty);
    const std::vector<uint16> *block = sim.block(253);
    ASSERT_NE(block, nullptr);
    ASSERT_EQ(block->size(), 16384u);
    // trunc(50 / 100 x 16384 - 1) = 8191 samples of 32767, the rest -32768, shifted
    // right by two for the 14-bit DAC.
    std::size_t high = 0;
    while (high < block->size() && (*block)[high] == 0x1FFF)
        ++high;
    EXPECT_EQ(high, 8191u);
    for (std::size_t i = high; i < block->size(); ++i)
        ASSERT_EQ((*block)[i], 0xE000) << i;
    EXPECT_EQ(sim.peek(196) & 0x8000, 0);
}

TEST_F(DrvSquare, PulseSquareWidthIsTheDutyShareOfThePeriodRiseEdgeFirst)
{
    struct
    {
        long double hz, duty, width;
    } cases[] = {{1000000.0L, 25.0L, 2.5e-7L}, {1000.0L, 50.0L, 5e-4L}, {20000000.0L, 80.0L, 4e-8L}};
    drv_square_t *square = manager->get_square();
    drv_pulse_t *pulse = manager->get_pulse();
    for (const auto &c : cases) {
        SCOPED_TRACE(static_cast<double>(c.hz));
        sim.clear_log();
        square->set_pulse_square(0, c.duty, 10e-9L, 15e-9L, c.hz);
        const std::vector<std::pair<uint32, uint16>> through_square = sim.writes();
        // The same registers again, from the pulse driver with the width worked out here.
        sim.clear_log();
        square->select_path(0, 1);
        pulse->set_timing(0, c.hz, c.width, 15e-9L, 10e-9L);
        pulse->set_rise_edge(0, 10e-9L, c.hz);
        pulse->set_fall_edge(0, 15e-9L, c.hz);
        EXPECT_EQ(through_square, sim.writes());
    }
}

TEST_F(DrvSquare, BothChannelsShareOneStrobeAndOtherChannelsGetNothing)
{
    drv_square_t *square = manager->get_square();
    const drv_square_para_t table{0, 0, 0, 1000.0L, 30.0L};
    const drv_square_para_t pulse{3, 10e-9L, 10e-9L, 1000.0L, 30.0L};
    square->set_duty_both(&table, &pulse);
    EXPECT_EQ(blocks_to(252), 1u);
    EXPECT_EQ(sim.peek(212) & 0x8000, 0x8000);
    EXPECT_EQ(sim.writes_to(10).size(), 4u);
    EXPECT_EQ(sim.writes().back().first, 10u);

    sim.clear_log();
    square->set_duty(2, &table);
    square->set_duty(-1, &pulse);
    square->set_duty(0, nullptr);
    square->apply(5, &pulse);
    square->set_pulse_square(2, 50.0L, 1e-8L, 1e-8L, 1000.0L);
    const long double duty = 50.0L;
    square->set_table_square(2, &duty);
    EXPECT_TRUE(log_is({}));
}
